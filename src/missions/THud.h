#pragma once

#include "missions/TWeaponStatus.h"

#include <cstdint>
#include <string>

// The HUD's shared drawing and formatting, for the in-game interface and the menu screens alike:
// minutes:seconds:milliseconds, a clock in fixed 15 px cells (left to right from X, or ending at X),
// the energy and boost gauges, a shop weapon's state.
class THud {
  public:
    static std::string GetFormatTime(int Milliseconds);
    static void RenderTime(int FontIndex, const std::string& Text, double X, double Y, uint32_t Color);
    static void RenderTimeBack(int FontIndex, const std::string& Text, double X, double Y, uint32_t Color);
    static int EnergySegments(int Energy);
    static int BoostSegments(int Boost);
    static void RenderEnergy(int Energy);
    static void RenderBoost(int Boost);
    static TWeaponStatus GetWeaponStatus(int Weapon);
};
