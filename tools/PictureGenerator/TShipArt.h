#pragma once

#include <cairo.h>

// The player's fighter, seen from above with its nose along +x, about 130 pixels from tail to nose to
// match its collision probes. Tilt -2 .. 2 rolls it for the banking pictures (negative: to the left).
class TShipArt {
  public:
    static void Draw(cairo_t* Cr, int Tilt);

  private:
    static void Exhaust(cairo_t* Cr);
    static void Wing(cairo_t* Cr, int Side, double Light);
    static void Nacelle(cairo_t* Cr, int Side, double Light);
    static void Hull(cairo_t* Cr, double Roll);
    static void Canopy(cairo_t* Cr);
};
