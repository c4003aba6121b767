// libFuzzer harness: profile save files (Users/*.sav). Whatever a file holds, the profile that comes
// out of it plays within the game's ranges, shows its keys and best time, and saves and loads back
// unchanged.
#include "FuzzSupport.h"
#include "engine/TEngine.h"
#include "menu/TProfileFiles.h"
#include "missions/THud.h"

namespace {

void CheckRanges(const TProfile& P) {
    Check(P.Name.size() <= TProfileFiles::NameCapacity);
    for (int Level : {P.SpeedLevel, P.SteerLevel, P.ShieldLevel})
        Check(Level >= 1 && Level <= 3);
    Check(P.Credits >= 0);
    Check(P.Mines >= 0 && P.Mines <= 999);
}

void Try(const std::vector<uint8_t>& Bytes) {
    TProfile P;
    if (!TProfileFiles::Decode(Bytes, P)) {
        Check(Bytes.size() < TProfileFiles::RecordSize);
        return;
    }
    CheckRanges(P);
    for (int Key : {P.BindLeft, P.BindRight, P.BindSpeedUp, P.BindSpeedDwn, P.BindBoost, P.BindWpnUp,
                    P.BindWpnDn, P.BindWFire, P.BindPlantMine, P.BindFPS, P.BindExit})
        TEngine::KeyName(Key);
    THud::GetFormatTime(P.BestTime);
    const std::vector<uint8_t> Saved = TProfileFiles::Encode(P);
    Check(Saved.size() == TProfileFiles::RecordSize);
    TProfile Again;
    Check(TProfileFiles::Decode(Saved, Again) && TProfileFiles::Encode(Again) == Saved);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    ForEachReading(Data, Size, Try);
    return 0;
}
