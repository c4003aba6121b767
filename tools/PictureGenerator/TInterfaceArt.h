#pragma once

#include "TArt.h"

#include <cairo.h>

// The interface: the play-screen frame built around the HUD read-outs, gauge segments, buttons,
// scroll bar, dialog panel, the game's title, its emblem and the studio's marks.
class TInterfaceArt {
  public:
    static void Frame(cairo_t* Cr);
    // 0 low energy (red), 1 energy, 2 boost.
    static void Segment(cairo_t* Cr, int Kind);
    static void Emblem(cairo_t* Cr, int Size);
    static void DialogPanel(cairo_t* Cr);
    static void Title(cairo_t* Cr);
    static void Button(cairo_t* Cr, int Pattern);
    static void AnimButton(cairo_t* Cr, int Pattern);
    static void ScrollBar(cairo_t* Cr, int Pattern);
    static void StudioLogo(cairo_t* Cr, int Width, int Height);
    static void StudioSymbol(cairo_t* Cr);

  private:
    static void SegmentPath(cairo_t* Cr, double X, double Y);
    static void HudPanel(cairo_t* Cr, double X, double Y, double W, double H, double Cut);
    static void Caption(cairo_t* Cr, double CX, double Y, double W);
    // Opaque button faces behind a caption: lit (hovered) and dark (at rest), filling the current path.
    static void LitFace(cairo_t* Cr, double Top, double Bottom);
    static void DarkFace(cairo_t* Cr, double Top, double Bottom, TRgb Upper);
    static void StudioMark(cairo_t* Cr, double CX, double CY, double R);
    static void Lettering(cairo_t* Cr, const char* Text, double X, double Y, double W, double H, double Gap,
                          double Stroke);
};
