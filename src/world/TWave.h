#pragma once

#include <cstdint>

enum TWaveKind : uint8_t { wkTimed = 0, wkKillTarget = 1, wkEndOfMission = 2 };

// One wave of a campaign mission.
struct TWave {
    int Reserved = 0;
    int RocketCount = 0;
    uint8_t Kind = wkTimed;
    // Timed wave: duration in ms; kill-target wave: rockets to destroy.
    int Goal = 0;
    int Pause = 0;
    int TypeA = 1;
    int TypeB = 1;
    int TypeBCount = 0;
};
