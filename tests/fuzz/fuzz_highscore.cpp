// libFuzzer harness: the high-score file (Text/highscore.hsf). Whatever it holds, the tables show,
// take a new result, and save and load back unchanged.
#include "FuzzSupport.h"
#include "menu/THighScores.h"
#include "missions/THud.h"

namespace {

void Try(const std::vector<uint8_t>& Bytes) {
    THighScores::TTable Times = THighScores::DefaultTable(), Kills = THighScores::DefaultTable();
    if (!THighScores::Decode(Bytes, Times, Kills)) {
        Check(Bytes.size() < THighScores::FileSize);
        return;
    }
    for (int Rank = 0; Rank < THighScores::Ranks; ++Rank) {
        Check(Times[Rank].Name.size() <= THighScores::NameCapacity);
        Check(Kills[Rank].Name.size() <= THighScores::NameCapacity);
        THud::GetFormatTime(Times[Rank].Value);
    }
    const std::vector<uint8_t> Saved = THighScores::Encode(Times, Kills);
    THighScores::TTable Times2, Kills2;
    Check(THighScores::Decode(Saved, Times2, Kills2) && THighScores::Encode(Times2, Kills2) == Saved);
    // The file's order is not trusted: a new result goes in wherever the table stands.
    THighScores::Insert(Times, "Fuzz", Times[4].Value);
    THighScores::Insert(Kills, "Fuzz", 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    ForEachReading(Data, Size, Try);
    return 0;
}
