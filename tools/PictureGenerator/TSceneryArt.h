#pragma once

#include "TArt.h"

#include <cairo.h>
#include <functional>

// The large scenery pictures drawn behind the play field (planets and a station) and the planet
// painter the menu backgrounds share.
class TSceneryArt {
  public:
    static void Varleton(cairo_t* Cr);
    static void Mor(cairo_t* Cr);
    static void RocketStation(cairo_t* Cr);
    static void Camelot(cairo_t* Cr);
    static void Furg(cairo_t* Cr);

    // Surface colour of a planet at longitude U and latitude V (radians).
    using TSurface = std::function<TRgb(double U, double V)>;
    // A lit sphere with an atmosphere halo, painted into a Size x Size block at the origin.
    static void Planet(cairo_t* Cr, int Width, int Height, double CX, double CY, double Radius,
                       const TSurface& Surface, TRgb Air, double Haze);

  private:
    static void Ring(cairo_t* Cr, double CX, double CY, double Inner, double Outer, double Tilt, bool Front);
};
