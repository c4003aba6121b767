#include "TSceneryArt.h"

#include "TNoise.h"
#include "TPalette.h"

#include <cmath>

void TSceneryArt::Planet(cairo_t* Cr, int Width, int Height, double CX, double CY, double Radius,
                         const TSurface& Surface, TRgb Air, double Haze) {
    const double LX = -0.62, LY = -0.5, LZ = 0.6;
    TArt::PaintPixels(Cr, Width, Height, [&](double X, double Y, TRgb& C, double& A) {
        const double DX = (X - CX) / Radius, DY = (Y - CY) / Radius;
        const double D = std::hypot(DX, DY);
        const double Facing = (DX * LX + DY * LY) / (D + 1e-9);
        if (D >= 1) {
            // Atmosphere halo: strongest towards the sun.
            const double Fall = std::exp(-(D - 1) * Radius / (Radius * Haze));
            A = Fall * (0.35 + 0.45 * TArt::Clamp01(Facing + 0.6)) * TArt::Smooth(1.0 + Haze * 4, 1.0, D);
            C = Air;
            return;
        }
        const double NZ = std::sqrt(1 - D * D);
        const double U = std::atan2(DX, NZ), V = std::asin(DY);
        const double Light = DX * LX + DY * LY + NZ * LZ;
        const double Day = TArt::Smooth(-0.15, 0.35, Light);
        TRgb Base = Surface(U, V);
        TRgb Lit = TArt::Scale(Base, 0.08 + 1.05 * std::max(0.0, Light) * Day + 0.02);
        Lit = TArt::Mix(Lit, TArt::Hex(0x140c30), (1 - Day) * 0.5);
        // Limb: the air glows at the edge of the disc, on the lit side most.
        const double Limb = std::pow(1 - NZ, 3);
        Lit = TArt::Mix(Lit, Air, TArt::Clamp01(Limb * (0.5 + 0.8 * TArt::Clamp01(Facing + 0.4))));
        C = Lit;
        A = TArt::Smooth(1.0, 1.0 - 1.5 / Radius, D);
        if (A < 1) {
            const double Fall = 0.35 + 0.45 * TArt::Clamp01(Facing + 0.6);
            C = TArt::Mix(Air, Lit, A);
            A = A + (1 - A) * Fall;
        }
    });
}

void TSceneryArt::Varleton(cairo_t* Cr) {
    Planet(
        Cr, 512, 512, 256, 256, 200,
        [](double U, double V) {
            const double Land = TNoise::Fractal(U * 1.6 + 3, V * 2.2 + 3, 6, 41);
            const double Cloud = TNoise::Fractal(U * 2.4 + 9, V * 5 + 1, 5, 43);
            TRgb C = Land > 0.56
                         ? TArt::Mix(TArt::Hex(0x2f7a6a), TArt::Hex(0xb8b08a), TArt::Smooth(0.56, 0.8, Land))
                         : TArt::Mix(TArt::Hex(0x0a2a66), TArt::Hex(0x1c6ab0), TArt::Smooth(0.3, 0.56, Land));
            C = TArt::Mix(C, TArt::Hex(0xeef6ff), TArt::Smooth(0.52, 0.72, Cloud) * 0.85);
            return TArt::Mix(C, TArt::Hex(0xf4fbff), TArt::Smooth(1.15, 1.45, std::fabs(V)));
        },
        TArt::Hex(0x6fd8ff), 0.05);
}

void TSceneryArt::Mor(cairo_t* Cr) {
    Planet(
        Cr, 512, 512, 256, 256, 205,
        [](double U, double V) {
            const double Ground = TNoise::Fractal(U * 2 + 5, V * 2.4, 6, 51);
            const double Crack = TNoise::Ridged(U * 3 + 1, V * 3.4, 5, 53);
            TRgb C = TArt::Mix(TArt::Hex(0x3a1410), TArt::Hex(0xb0502a), Ground);
            C = TArt::Mix(C, TArt::Hex(0xd8a070), TArt::Smooth(0.65, 0.85, Ground) * 0.6);
            // Glowing lava seams stay bright on the night side too.
            return TArt::Mix(C, TArt::Hex(0xffb040), TArt::Smooth(0.78, 0.95, Crack) * 0.9);
        },
        TArt::Hex(0xff7a3a), 0.04);
}

void TSceneryArt::Furg(cairo_t* Cr) {
    Planet(
        Cr, 512, 512, 256, 256, 215,
        [](double U, double V) {
            const double Warp = TNoise::Fractal(U * 2 + 3, V * 6, 4, 61) - 0.5;
            const double Band = std::sin(V * 16 + Warp * 3.5) * 0.5 + 0.5;
            TRgb C = TArt::Mix(TArt::Hex(0x3a1a6a), TArt::Hex(0xc07ab8), Band);
            C = TArt::Mix(C, TArt::Hex(0xf0c8e8),
                          TArt::Smooth(0.6, 0.9, TNoise::Fractal(U * 4, V * 14, 4, 63)) * 0.4);
            const double Storm = std::hypot((U - 0.5) * 1.2, (V - 0.35) * 3.2);
            return TArt::Mix(C, TArt::Hex(0xff9a6a), TArt::Smooth(0.35, 0.1, Storm) * 0.8);
        },
        TArt::Hex(0xc08aff), 0.05);
}

void TSceneryArt::Ring(cairo_t* Cr, double CX, double CY, double Inner, double Outer, double Tilt,
                       bool Front) {
    cairo_save(Cr);
    if (Front) {
        cairo_rectangle(Cr, 0, CY, 512, 512);
        cairo_clip(Cr);
    } else {
        cairo_rectangle(Cr, 0, 0, 512, CY);
        cairo_clip(Cr);
    }
    cairo_translate(Cr, CX, CY);
    cairo_rotate(Cr, -0.35);
    cairo_scale(Cr, 1, Tilt);
    for (int I = 0; I < 24; ++I) {
        const double R = Inner + (Outer - Inner) * (I + 0.5) / 24;
        const double Shade = 0.5 + 0.5 * TNoise::Value(I * 0.7, 3, 71);
        cairo_arc(Cr, 0, 0, R, 0, 2 * M_PI);
        TArt::SetColour(Cr, TArt::Mix(TArt::Hex(0x8a6ab0), TArt::Hex(0xf0d8a0), Shade), 0.25 + 0.45 * Shade);
        cairo_set_line_width(Cr, (Outer - Inner) / 24 + 0.6);
        cairo_stroke(Cr);
    }
    cairo_restore(Cr);
}

void TSceneryArt::Camelot(cairo_t* Cr) {
    Ring(Cr, 256, 256, 175, 245, 0.32, false);
    Planet(
        Cr, 512, 512, 256, 256, 140,
        [](double U, double V) {
            const double Land = TNoise::Fractal(U * 1.8 + 7, V * 2.4, 6, 81);
            TRgb C = TArt::Mix(TArt::Hex(0x1d4a3a), TArt::Hex(0x8ab060), TArt::Smooth(0.4, 0.7, Land));
            C = TArt::Mix(C, TArt::Hex(0xe0c070), TArt::Smooth(0.68, 0.85, Land) * 0.7);
            return TArt::Mix(C, TArt::Hex(0xf0f4ff),
                             TArt::Smooth(0.6, 0.78, TNoise::Fractal(U * 3, V * 6, 4, 83)) * 0.7);
        },
        TArt::Hex(0x9af0d0), 0.05);
    Ring(Cr, 256, 256, 175, 245, 0.32, true);
}

void TSceneryArt::RocketStation(cairo_t* Cr) {
    cairo_translate(Cr, 256, 256);
    const TRgb Steel = TArt::Hex(TPalette::Steel);
    // Solar wings first, so the hull sits over them.
    for (int Side : {-1, 1}) {
        for (int I = 0; I < 3; ++I) {
            const double X = Side * (60 + I * 34);
            cairo_rectangle(Cr, X - 14, -230, 28, 130);
            cairo_rectangle(Cr, X - 14, 100, 28, 130);
        }
        cairo_pattern_t* Cells = cairo_pattern_create_linear(0, -230, 0, 230);
        TArt::AddStop(Cells, 0, TArt::Hex(0x1a3a8a));
        TArt::AddStop(Cells, 0.5, TArt::Hex(0x3a2a8a));
        TArt::AddStop(Cells, 1, TArt::Hex(0x0e1a4a));
        cairo_set_source(Cr, Cells);
        cairo_fill(Cr);
        cairo_pattern_destroy(Cells);
    }
    for (int I = -230; I <= 230; I += 10) {
        if (I > -100 && I < 100)
            continue;
        cairo_move_to(Cr, -170, I);
        cairo_line_to(Cr, 170, I);
    }
    TArt::SetColour(Cr, TArt::Hex(0x6a8ad0), 0.35);
    cairo_set_line_width(Cr, 1);
    cairo_stroke(Cr);
    cairo_rectangle(Cr, -4, -235, 8, 470);
    TArt::SetColour(Cr, TArt::Hex(0x55607a));
    cairo_fill(Cr);
    // The ring habitat.
    cairo_arc(Cr, 0, 0, 150, 0, 2 * M_PI);
    cairo_arc_negative(Cr, 0, 0, 122, 2 * M_PI, 0);
    cairo_pattern_t* Hull = cairo_pattern_create_linear(-150, -150, 150, 150);
    TArt::AddStop(Hull, 0, TArt::Hex(0xdfe8f6));
    TArt::AddStop(Hull, 0.5, TArt::Hex(0x6c7aa0));
    TArt::AddStop(Hull, 1, TArt::Hex(0x1c2444));
    cairo_set_source(Cr, Hull);
    cairo_fill(Cr);
    cairo_pattern_destroy(Hull);
    for (int I = 0; I < 48; ++I) {
        const double A = I * M_PI / 24;
        cairo_move_to(Cr, 122 * std::cos(A), 122 * std::sin(A));
        cairo_line_to(Cr, 150 * std::cos(A), 150 * std::sin(A));
    }
    TArt::SetColour(Cr, TArt::Hex(0x101830), 0.6);
    cairo_set_line_width(Cr, 1.2);
    cairo_stroke(Cr);
    // Spokes and the hub.
    for (int I = 0; I < 4; ++I) {
        cairo_save(Cr);
        cairo_rotate(Cr, I * M_PI / 2 + M_PI / 4);
        cairo_rectangle(Cr, 40, -7, 84, 14);
        cairo_pattern_t* Spoke = cairo_pattern_create_linear(0, -7, 0, 7);
        TArt::AddStop(Spoke, 0, Steel);
        TArt::AddStop(Spoke, 1, TArt::Hex(0x283250));
        cairo_set_source(Cr, Spoke);
        cairo_fill(Cr);
        cairo_pattern_destroy(Spoke);
        cairo_restore(Cr);
    }
    cairo_pattern_t* Hub = cairo_pattern_create_radial(-18, -18, 5, 0, 0, 56);
    TArt::AddStop(Hub, 0, TArt::Hex(0xf4f8ff));
    TArt::AddStop(Hub, 0.6, TArt::Hex(0x6a789e));
    TArt::AddStop(Hub, 1, TArt::Hex(0x1a2240));
    cairo_arc(Cr, 0, 0, 52, 0, 2 * M_PI);
    cairo_set_source(Cr, Hub);
    cairo_fill_preserve(Cr);
    cairo_pattern_destroy(Hub);
    TArt::SetColour(Cr, TArt::Hex(0x0a0f20));
    cairo_set_line_width(Cr, 2);
    cairo_stroke(Cr);
    // Rocket launch bays on the hub: dark mouths with orange warning rims.
    for (int I = 0; I < 6; ++I) {
        const double A = I * M_PI / 3;
        cairo_arc(Cr, 34 * std::cos(A), 34 * std::sin(A), 7, 0, 2 * M_PI);
        TArt::SetColour(Cr, TArt::Hex(0x0a0a14));
        cairo_fill_preserve(Cr);
        TArt::SetColour(Cr, TArt::Hex(TPalette::Orange), 0.9);
        cairo_set_line_width(Cr, 1.5);
        cairo_stroke(Cr);
    }
    // Window rows and beacons.
    TArt::Glow(Cr, 4, 1.2, [](cairo_t* C) {
        for (int I = 0; I < 96; ++I) {
            if (I % 12 == 0)
                continue;
            const double A = I * M_PI / 48;
            cairo_arc(C, 136 * std::cos(A), 136 * std::sin(A), 1.6, 0, 2 * M_PI);
            cairo_fill(C);
        }
    });
    for (int I = 0; I < 96; ++I) {
        if (I % 12 == 0)
            continue;
        const double A = I * M_PI / 48;
        cairo_new_sub_path(Cr);
        cairo_arc(Cr, 136 * std::cos(A), 136 * std::sin(A), 1.4, 0, 2 * M_PI);
    }
    TArt::SetColour(Cr, TArt::Hex(0xbff6ff));
    cairo_fill(Cr);
    TArt::Glow(Cr, 6, 1.6, [](cairo_t* C) {
        TArt::SetColour(C, TArt::Hex(TPalette::Red));
        for (int I = 0; I < 4; ++I) {
            const double A = I * M_PI / 2;
            cairo_arc(C, 150 * std::cos(A), 150 * std::sin(A), 4, 0, 2 * M_PI);
            cairo_fill(C);
        }
        TArt::SetColour(C, TArt::Hex(TPalette::Cyan));
        cairo_arc(C, 0, 0, 10, 0, 2 * M_PI);
        cairo_fill(C);
    });
    cairo_arc(Cr, 0, 0, 6, 0, 2 * M_PI);
    TArt::SetColour(Cr, TArt::Hex(0xeaffff));
    cairo_fill(Cr);
}
