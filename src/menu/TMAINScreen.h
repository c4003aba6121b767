#pragma once

#include "engine/TEngineAnimButtonEx.h"

#include <cstdint>
#include <string>
#include <vector>

// The main menu's six buttons and their animation: -1 show, 0 slide in, 1 fade out, 2 switch to Target.
struct TMAINScreen {
    int Phase = 0;
    // "NEW", "SPR", "SET", "SCO", "CRE" or "EXI".
    std::string Target;
    uint32_t LastStep = 0;
    // New game, profiles, settings, high scores, credits, exit.
    std::vector<TEngineAnimButtonEx> Buttons;
};
