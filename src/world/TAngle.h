#pragma once

#include <numbers>

// Degrees, as the game world keeps its headings, turned into radians.
struct TAngle {
    // Sprites and emitters are turned with this rounded pi; motion and aiming use the real one.
    static constexpr double SpritePi = 3.1415;

    static double Radians(double Degrees) { return Degrees * std::numbers::pi / 180.0; }
    static double SpriteRadians(double Degrees) { return Degrees * SpritePi / 180.0; }
};
