#pragma once

#include "TArt.h"

#include <cairo.h>
#include <cstdint>

// Full-screen space: the four menu backgrounds, the credits panels cut from the first of them, and
// the dim nebula laid additively over the star field during play.
class TSpaceArt {
  public:
    // 0 main menu and most screens, 1 endless set-up with plates under its check boxes, 2 campaign
    // with its mission and shop panels, 3 settings with plates under its check boxes.
    static void MenuBackground(cairo_t* Cr, int Variant);
    // The tops of the settings page's check boxes, all at x = 60.
    static constexpr int SettingsBoxTops[10] = {130, 160, 190, 230, 350, 380, 415, 445, 565, 600};
    // Strip Pattern (48 rows) of the main background; the first and last carry an edge light.
    static void CreditsPanel(cairo_t* Cr, int Pattern);
    static void GameBackdrop(cairo_t* Cr);
    // A glass panel with a lit edge, for screens whose widgets draw no frame of their own.
    static void GlassPanel(cairo_t* Cr, double X, double Y, double W, double H);

  private:
    static void CheckSocket(cairo_t* Cr, double X, double Y);
    static void Nebula(cairo_t* Cr, uint32_t Seed, double Strength, double CalmLeft, bool Black);
    static void Stars(cairo_t* Cr, uint32_t Seed, int Count, double Brightness);
    static void Flare(cairo_t* Cr, double X, double Y, double Size, TRgb Colour);
};
