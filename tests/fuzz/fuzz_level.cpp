// libFuzzer harness: mission files, read both as the decompressed bytes and as a zlib stream. A mission
// the reader accepts is one the game can play, and writes back to bytes it accepts again, unchanged.
#include "FuzzSupport.h"
#include "missions/TLevelFile.h"

namespace {

bool InRange(int Value, int Low, int High) {
    return Value >= Low && Value <= High;
}

void CheckTexts(std::initializer_list<int> Indices) {
    for (int Index : Indices)
        Check(InRange(Index, 0, TLevelFile::TextCount - 1));
}

void CheckCrates(int Lifetime, int IntervalMin, int IntervalMax) {
    Check(Lifetime >= 1 && IntervalMin >= 0 && IntervalMax > IntervalMin);
}

// Waves that can never end, or counts and types the world has no rockets for, must have been refused.
void CheckPlayable(const std::string& Mode, const TCampaignLevel& Campaign, const TEndlessLevel& Endless) {
    if (Mode == "T") {
        CheckTexts(
            {Endless.CaptionIndex, Endless.TextIndex, Endless.FirstLineIndex, Endless.SecondLineIndex});
        CheckCrates(Endless.CrateLifetime, Endless.CrateIntervalMin, Endless.CrateIntervalMax);
        return;
    }
    Check(Mode == "C");
    CheckTexts(
        {Campaign.CaptionIndex, Campaign.TextIndex, Campaign.FirstLineIndex, Campaign.SecondLineIndex});
    CheckCrates(Campaign.CrateLifetime, Campaign.CrateIntervalMin, Campaign.CrateIntervalMax);
    Check(Campaign.WaveCount >= 1 && Campaign.WaveCount == static_cast<int>(Campaign.Waves.size()));
    for (const TWave& Wave : Campaign.Waves) {
        Check(InRange(Wave.RocketCount, 0, TLevelFile::MaxRocketCount));
        Check(Wave.Kind <= wkEndOfMission);
        Check(Wave.Goal >= 0 && Wave.Pause >= 0 && Wave.TypeBCount >= 0);
        Check(InRange(Wave.TypeA, 1, 4) && InRange(Wave.TypeB, 1, 4));
    }
}

void Try(const std::vector<uint8_t>& Bytes) {
    std::string Mode, Error;
    TCampaignLevel Campaign;
    TEndlessLevel Endless;
    if (!TLevelFile::Read(Bytes, Mode, Campaign, Endless, Error)) {
        Check(!Error.empty());
        return;
    }
    CheckPlayable(Mode, Campaign, Endless);
    const std::vector<uint8_t> Written = TLevelFile::Write(Mode, Campaign, Endless);
    std::string Mode2, Error2;
    TCampaignLevel Campaign2;
    TEndlessLevel Endless2;
    Check(TLevelFile::Read(Written, Mode2, Campaign2, Endless2, Error2) &&
          TLevelFile::Write(Mode2, Campaign2, Endless2) == Written);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    ForEachReading(Data, Size, Try);
    return 0;
}
