#pragma once

#include <cstdint>

// One star point of the background: position and colour (red in the lowest byte, alpha in the top).
struct TStar {
    double X = 0.0;
    double Y = 0.0;
    uint32_t Colour = 0;
};
