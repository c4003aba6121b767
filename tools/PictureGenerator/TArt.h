#pragma once

#include "runtime/TPicture.h"

#include <cairo.h>

#include <functional>
#include <vector>

struct TRgb {
    double R = 0, G = 0, B = 0;
};

struct TPoint {
    double X = 0, Y = 0;
};

// Drawing helpers shared by every picture: colours, paths, blurred glow layers and pixel painting.
class TArt {
  public:
    static TRgb Hex(unsigned Value);
    static TRgb Mix(TRgb A, TRgb B, double T);
    static TRgb Scale(TRgb C, double K);
    static void SetColour(cairo_t* Cr, TRgb C, double Alpha = 1);
    static void AddStop(cairo_pattern_t* Gradient, double Offset, TRgb C, double Alpha = 1);

    static void RoundedRect(cairo_t* Cr, double X, double Y, double W, double H, double R);
    static void Polygon(cairo_t* Cr, const std::vector<TPoint>& Points);
    // A polygon mirrored about the x axis: Half runs from the nose along the +y side to the tail.
    static void MirroredOutline(cairo_t* Cr, const std::vector<TPoint>& Half);

    // Draws Shape into a layer, blurs it and adds it to the picture: the soft halo around a light.
    static void Glow(cairo_t* Cr, double Radius, double Strength, const std::function<void(cairo_t*)>& Shape);
    // Blurs the pixels of an image surface in place (three box passes, close to a gaussian).
    static void Blur(cairo_surface_t* Surface, int Radius);

    // Paints a Width x Height block at the user-space origin pixel by pixel. Paint returns straight
    // (not premultiplied) colour and alpha for the pixel centre (X + 0.5, Y + 0.5).
    static void PaintPixels(cairo_t* Cr, int Width, int Height,
                            const std::function<void(double X, double Y, TRgb& C, double& A)>& Paint);

    // Converts cairo's premultiplied ARGB into the game's straight ABGR pixels.
    static TPicture ToPicture(cairo_surface_t* Surface);
    static double Clamp01(double V);
    static double Smooth(double Edge0, double Edge1, double V);
};
