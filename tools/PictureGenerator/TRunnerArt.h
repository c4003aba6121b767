#pragma once

#include <cairo.h>

// The intro's runners: a knight and the orcs chasing him, eight patterns of a running stride each,
// facing right, drawn at the picture's top-left.
class TRunnerArt {
  public:
    static void Knight(cairo_t* Cr, int Frame);
    static void Orc(cairo_t* Cr, int Frame);
};
