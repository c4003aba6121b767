#pragma once

#include <cairo.h>
#include <cstdint>

// Asteroids: a lumpy rock lit from the upper left with a cool rim light, spun in the picture plane
// by one 25th of a turn per pattern.
class TRockArt {
  public:
    static void Draw(cairo_t* Cr, int Pattern, int Cell, double Radius, uint32_t Seed);
};
