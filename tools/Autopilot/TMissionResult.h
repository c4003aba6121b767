#pragma once

#include "missions/TProfile.h"

#include <cstdint>
#include <optional>
#include <string>

// How one flight of a mission went.
struct TMissionResult {
    std::string Name;
    uint32_t Seed = 0;
    bool Won = false;
    // Neither won nor lost in the time allowed; left through the exit dialog.
    bool TimedOut = false;
    // From the end of the start caption to the return to the menu.
    int PlayMs = 0;
    int Score = 0;
    int CreditsEarned = 0;
    int EnergyLeft = 0;
    int BriefingWords = 0;
    // A timed first wave: what was left of its time when play began.
    std::optional<int> FirstWaveLeftMs;
    // The profile as the mission left it.
    TProfile After;
};
