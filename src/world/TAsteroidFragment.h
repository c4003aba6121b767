#pragma once

#include "particles/TXParticleSystem.h"

#include <cstdint>

// One of the four small asteroids the large one breaks into.
struct TAsteroidFragment {
    TXParticleSystem Emitter; // its explosion
    bool Destroyed = true;
    int Frame = 0;    // 0..24
    double Angle = 0; // degrees, direction of travel
    uint32_t LastMotion = 0, FrameTime = 0;
    double X = 0, Y = 0;
    int Radius = 16;
};
