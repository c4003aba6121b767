#pragma once

#include <cairo.h>
#include <string>

// Angular capital letters built from straight strokes, for the title and the studio names: drawn
// as paths so they look the same on every machine.
class TGlyphs {
  public:
    // Adds the strokes of Text to the current path: letters Height tall, Width wide, Gap apart,
    // the first one's top-left at (X, Y). Returns the width used.
    static double Word(cairo_t* Cr, const std::string& Text, double X, double Y, double Width, double Height,
                       double Gap);
    static double Measure(const std::string& Text, double Width, double Gap);
};
