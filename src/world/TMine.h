#pragma once

#include <cstdint>

// A planted mine; records are reused after they blow up.
struct TMine {
    bool Active = false;
    double X = 0.0;
    double Y = 0.0;
    int Frame = 0; // animation pattern 0..5
    uint32_t FrameTime = 0;
};
