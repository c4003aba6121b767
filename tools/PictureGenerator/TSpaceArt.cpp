#include "TSpaceArt.h"

#include "TNoise.h"
#include "TPalette.h"
#include "TSceneryArt.h"
#include "runtime/TRandom.h"

#include <cmath>

void TSpaceArt::Nebula(cairo_t* Cr, uint32_t Seed, double Strength, double CalmLeft, bool Black) {
    TArt::PaintPixels(Cr, 1024, 768, [=](double X, double Y, TRgb& C, double& A) {
        A = 1;
        const double Depth = Y / 768;
        TRgb Base = Black ? TRgb{}
                          : TArt::Mix(TArt::Hex(0x050818), TArt::Hex(0x120a2c), Depth * 0.8 + X / 1024 * 0.2);
        const double Shape = TNoise::Fractal(X / 300, Y / 300, 5, Seed);
        const double Veins = TNoise::Ridged(X / 210 + 3, Y / 210, 5, Seed + 3);
        const double Wisp = TNoise::Fractal(X / 160 + 7, Y / 160, 5, Seed + 7);
        const double Calm = 1 - CalmLeft * TArt::Smooth(560, 120, X);
        const double Cloud = TArt::Smooth(0.42, 0.78, Shape) * Calm * Strength;
        TRgb C1 = TArt::Mix(Base, TArt::Hex(0x4a2090), Cloud * 0.75);
        C1 = TArt::Mix(C1, TArt::Hex(TPalette::Magenta),
                       TArt::Smooth(0.55, 0.9, Shape) * Veins * 0.55 * Calm * Strength);
        C1 = TArt::Mix(C1, TArt::Hex(0x2ab8d8),
                       TArt::Smooth(0.5, 0.85, Wisp) * Veins * Veins * 0.45 * Calm * Strength);
        C1 = TArt::Mix(C1, TArt::Hex(0xffd8f0),
                       TArt::Smooth(0.8, 1.0, Veins * Shape * 1.4) * 0.25 * Calm * Strength);
        // Fine dust grain keeps large gradients from banding.
        const double Grain =
            (TNoise::Hash(static_cast<int>(X), static_cast<int>(Y), Seed + 11) - 0.5) * 0.012;
        C = {C1.R + Grain, C1.G + Grain, C1.B + Grain};
    });
}

void TSpaceArt::Flare(cairo_t* Cr, double X, double Y, double Size, TRgb Colour) {
    TArt::Glow(Cr, Size * 1.5, 1.3, [=](cairo_t* C) {
        TArt::SetColour(C, Colour);
        cairo_arc(C, X, Y, Size * 0.9, 0, 2 * M_PI);
        cairo_fill(C);
    });
    for (int Axis = 0; Axis < 2; ++Axis) {
        const double L = Size * 7;
        cairo_pattern_t* Ray = Axis == 0 ? cairo_pattern_create_linear(X - L, Y, X + L, Y)
                                         : cairo_pattern_create_linear(X, Y - L, X, Y + L);
        TArt::AddStop(Ray, 0, Colour, 0);
        TArt::AddStop(Ray, 0.5, TArt::Mix(Colour, TArt::Hex(0xffffff), 0.6), 0.9);
        TArt::AddStop(Ray, 1, Colour, 0);
        if (Axis == 0)
            cairo_rectangle(Cr, X - L, Y - 0.6, 2 * L, 1.2);
        else
            cairo_rectangle(Cr, X - 0.6, Y - L, 1.2, 2 * L);
        cairo_set_source(Cr, Ray);
        cairo_fill(Cr);
        cairo_pattern_destroy(Ray);
    }
    cairo_arc(Cr, X, Y, Size * 0.55, 0, 2 * M_PI);
    TArt::SetColour(Cr, TArt::Hex(0xffffff));
    cairo_fill(Cr);
}

void TSpaceArt::Stars(cairo_t* Cr, uint32_t Seed, int Count, double Brightness) {
    TRandom Random;
    Random.Seed(Seed);
    const TRgb Tints[] = {TArt::Hex(0xffffff), TArt::Hex(0xbfe8ff), TArt::Hex(0xffe2c8), TArt::Hex(0xd8c8ff)};
    for (int I = 0; I < Count; ++I) {
        const double X = Random.NextReal() * 1024, Y = Random.NextReal() * 768;
        const double Size = 0.35 + std::pow(Random.NextReal(), 6) * 1.4;
        const double Light = (0.25 + 0.75 * Random.NextReal()) * Brightness;
        TArt::SetColour(Cr, Tints[Random.Next(4)], Light);
        cairo_arc(Cr, X, Y, Size, 0, 2 * M_PI);
        cairo_fill(Cr);
    }
    for (int I = 0; I < 7; ++I) {
        const double X = Random.NextReal() * 1024, Y = Random.NextReal() * 768;
        Flare(Cr, X, Y, 1.5 + Random.NextReal() * 1.5, Tints[1 + Random.Next(3)]);
    }
}

void TSpaceArt::GlassPanel(cairo_t* Cr, double X, double Y, double W, double H) {
    TArt::RoundedRect(Cr, X, Y, W, H, 10);
    cairo_pattern_t* Fill = cairo_pattern_create_linear(0, Y, 0, Y + H);
    TArt::AddStop(Fill, 0, TArt::Hex(0x0c1836), 0.72);
    TArt::AddStop(Fill, 1, TArt::Hex(0x060a1c), 0.82);
    cairo_set_source(Cr, Fill);
    cairo_fill(Cr);
    cairo_pattern_destroy(Fill);
    TArt::Glow(Cr, 5, 0.8, [=](cairo_t* C) {
        TArt::RoundedRect(C, X, Y, W, H, 10);
        TArt::SetColour(C, TArt::Hex(TPalette::Teal));
        cairo_set_line_width(C, 2);
        cairo_stroke(C);
    });
    TArt::RoundedRect(Cr, X + 0.5, Y + 0.5, W - 1, H - 1, 10);
    TArt::SetColour(Cr, TArt::Hex(0x5fe0e8), 0.85);
    cairo_set_line_width(Cr, 1);
    cairo_stroke(Cr);
    // Bright corner ticks, as on the in-game frame.
    for (int Corner = 0; Corner < 4; ++Corner) {
        const double CX = Corner % 2 ? X + W - 3 : X + 3, CY = Corner / 2 ? Y + H - 3 : Y + 3;
        const double DX = Corner % 2 ? -1 : 1, DY = Corner / 2 ? -1 : 1;
        cairo_move_to(Cr, CX + DX * 22, CY);
        cairo_line_to(Cr, CX + DX * 6, CY);
        cairo_line_to(Cr, CX, CY + DY * 6);
        cairo_line_to(Cr, CX, CY + DY * 22);
    }
    TArt::SetColour(Cr, TArt::Hex(TPalette::Ice), 0.9);
    cairo_set_line_width(Cr, 1.6);
    cairo_stroke(Cr);
}

void TSpaceArt::MenuBackground(cairo_t* Cr, int Variant) {
    const uint32_t Seeds[] = {101, 202, 303, 404};
    // The settings page is text from edge to edge, its key names in pure red: a quiet sky behind it.
    const double Strength[] = {1.0, 1.0, 0.7, 0.3}, CalmLeft[] = {0.65, 0.3, 0.3, 0.6};
    Nebula(Cr, Seeds[Variant], Strength[Variant], CalmLeft[Variant], false);
    Stars(Cr, Seeds[Variant] + 1, Variant == 3 ? 450 : 900, Variant == 3 ? 0.6 : 0.9);
    if (Variant == 0) {
        TSceneryArt::Planet(
            Cr, 1024, 768, 930, 610, 330,
            [](double U, double V) {
                const double Warp = TNoise::Fractal(U * 2 + 3, V * 6, 4, 91) - 0.5;
                const double Band = std::sin(V * 13 + Warp * 3) * 0.5 + 0.5;
                TRgb C = TArt::Mix(TArt::Hex(0x2a1a6a), TArt::Hex(0x7a5ac8), Band);
                return TArt::Mix(C, TArt::Hex(0xc8a8ff),
                                 TArt::Smooth(0.6, 0.9, TNoise::Fractal(U * 5, V * 16, 4, 93)) * 0.35);
            },
            TArt::Hex(0x7adfff), 0.045);
    } else if (Variant == 1) {
        // A red dwarf sun rising behind the endless set-up.
        cairo_pattern_t* Sun = cairo_pattern_create_radial(940, 90, 0, 940, 90, 420);
        TArt::AddStop(Sun, 0, TArt::Hex(0xfff0d0), 1);
        TArt::AddStop(Sun, 0.06, TArt::Hex(TPalette::Amber), 0.9);
        TArt::AddStop(Sun, 0.2, TArt::Hex(TPalette::Orange), 0.35);
        TArt::AddStop(Sun, 0.55, TArt::Hex(TPalette::Magenta), 0.1);
        TArt::AddStop(Sun, 1, TArt::Hex(TPalette::Magenta), 0);
        cairo_set_source(Cr, Sun);
        cairo_set_operator(Cr, CAIRO_OPERATOR_ADD);
        cairo_paint(Cr);
        cairo_set_operator(Cr, CAIRO_OPERATOR_OVER);
        cairo_pattern_destroy(Sun);
        TSceneryArt::Planet(
            Cr, 1024, 768, 120, 820, 260,
            [](double U, double V) {
                const double Ground = TNoise::Fractal(U * 2 + 5, V * 2.4, 6, 95);
                return TArt::Mix(TArt::Hex(0x1a2a5a), TArt::Hex(0x4a8ab0), Ground);
            },
            TArt::Hex(0x6fd8ff), 0.04);
        GlassPanel(Cr, 40, 190, 944, 300);
    } else if (Variant == 2) {
        // The mission panel's frame runs above the "choose mission" line at y = 110.
        GlassPanel(Cr, 36, 96, 222, 442);
        GlassPanel(Cr, 268, 122, 720, 400);
    }
    // Soft vignette pulls the eye to the middle.
    cairo_pattern_t* Vignette = cairo_pattern_create_radial(512, 384, 300, 512, 384, 700);
    TArt::AddStop(Vignette, 0, TArt::Hex(0), 0);
    TArt::AddStop(Vignette, 1, TArt::Hex(0x020308), 0.55);
    cairo_set_source(Cr, Vignette);
    cairo_paint(Cr);
    cairo_pattern_destroy(Vignette);
    if (Variant == 1)
        for (int Row = 0; Row < 9; ++Row)
            CheckSocket(Cr, 600, 200 + 100 * (Row / 3) + 25 * (Row % 3));
    if (Variant == 3)
        for (int Y : SettingsBoxTops)
            CheckSocket(Cr, 60, Y);
}

void TSpaceArt::CheckSocket(cairo_t* Cr, double X, double Y) {
    // A lit plate under the 20 x 20 box at (X, Y): the box's dark green tick only reads on a pale
    // ground, so the plate is nearly white where the box lies and glows cyan round it.
    TArt::Glow(Cr, 4, 0.9, [=](cairo_t* C) {
        TArt::RoundedRect(C, X - 2, Y - 2, 24, 24, 4);
        TArt::SetColour(C, TArt::Hex(TPalette::Teal));
        cairo_fill(C);
    });
    TArt::RoundedRect(Cr, X - 2, Y - 2, 24, 24, 4);
    TArt::SetColour(Cr, TArt::Hex(0xf4faff));
    cairo_fill(Cr);
}

void TSpaceArt::CreditsPanel(cairo_t* Cr, int Pattern) {
    static cairo_surface_t* Main = nullptr;
    if (!Main) {
        Main = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1024, 768);
        cairo_t* Back = cairo_create(Main);
        MenuBackground(Back, 0);
        cairo_destroy(Back);
    }
    cairo_set_source_surface(Cr, Main, 0, -48.0 * Pattern);
    cairo_paint(Cr);
    if (Pattern != 0 && Pattern != 15)
        return;
    // The scrolling names pass under these two strips: a lit edge where they vanish.
    const double Edge = Pattern == 0 ? 46.5 : 1.5;
    TArt::Glow(Cr, 4, 1.0, [Edge](cairo_t* C) {
        cairo_move_to(C, 0, Edge);
        cairo_line_to(C, 1024, Edge);
        TArt::SetColour(C, TArt::Hex(TPalette::Teal));
        cairo_set_line_width(C, 2);
        cairo_stroke(C);
    });
    cairo_pattern_t* Line = cairo_pattern_create_linear(0, 0, 1024, 0);
    TArt::AddStop(Line, 0, TArt::Hex(TPalette::Cyan), 0.1);
    TArt::AddStop(Line, 0.5, TArt::Hex(TPalette::Ice), 0.95);
    TArt::AddStop(Line, 1, TArt::Hex(TPalette::Cyan), 0.1);
    cairo_move_to(Cr, 0, Edge);
    cairo_line_to(Cr, 1024, Edge);
    cairo_set_source(Cr, Line);
    cairo_set_line_width(Cr, 1);
    cairo_stroke(Cr);
    cairo_pattern_destroy(Line);
}

void TSpaceArt::GameBackdrop(cairo_t* Cr) {
    // Laid additively over the stars: dark everywhere, faint colour in the clouds.
    TArt::PaintPixels(Cr, 1024, 768, [](double X, double Y, TRgb& C, double& A) {
        A = 1;
        const double Shape = TNoise::Fractal(X / 320, Y / 320, 5, 404);
        const double Veins = TNoise::Ridged(X / 230 + 3, Y / 230, 5, 407);
        const double Wisp = TNoise::Fractal(X / 170 + 7, Y / 170, 4, 409);
        const double Cloud = TArt::Smooth(0.4, 0.8, Shape);
        TRgb Out = TArt::Scale(TArt::Hex(0x3a1a78), Cloud * 0.38);
        Out = TArt::Mix(Out, TArt::Hex(0x8a2a80), TArt::Smooth(0.55, 0.9, Shape) * Veins * 0.3);
        Out = TArt::Mix(Out, TArt::Hex(0x1a8aa8), TArt::Smooth(0.5, 0.85, Wisp) * Veins * Veins * 0.28);
        const double Grain = (TNoise::Hash(static_cast<int>(X), static_cast<int>(Y), 411) - 0.5) * 0.008;
        C = {Out.R + 0.012 + Grain, Out.G + 0.012 + Grain, Out.B + 0.03 + Grain};
    });
}
