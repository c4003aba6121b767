#pragma once

#include <array>
#include <cstdint>
#include <string>

// The active player's profile: key bindings, progress, upgrades, weapons, credits and bests. The
// values below are those of a new profile.
struct TProfile {
    std::string SavePath;
    std::string Name;
    int BindLeft = 203;
    int BindRight = 205;
    int BindSpeedUp = 200;
    int BindSpeedDwn = 208;
    int BindBoost = 46;
    int BindWpnUp = 45;
    int BindWpnDn = 44;
    int BindWFire = 57;
    int BindPlantMine = 28;
    int BindFPS = 33;
    int BindExit = 1;
    int BestTime = 0;
    int BestKills = 0;
    int Mines = 0;
    std::array<uint8_t, 4> Owned{};
    int SpeedLevel = 1;
    int SteerLevel = 1;
    int ShieldLevel = 1;
    std::array<uint8_t, 4> Charged{};
    int Credits = 1500;
    // Element m (1..20) is set when campaign mission m has been won; element 0 is unused.
    std::array<uint8_t, 21> MissionDone{};
};

// The active player's profile.
extern TProfile Profile;
