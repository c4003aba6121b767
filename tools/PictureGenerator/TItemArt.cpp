#include "TItemArt.h"

#include "TArt.h"
#include "TPalette.h"

#include <cmath>

void TItemArt::Particle(cairo_t* Cr, int Pattern) {
    TArt::PaintPixels(Cr, 64, 64, [Pattern](double X, double Y, TRgb& C, double& A) {
        const double DX = X - 32, DY = Y - 32, R = std::hypot(DX, DY);
        const double Fade = TArt::Smooth(31, 24, R);
        C = {1, 1, 1};
        if (Pattern == 0)
            A = std::exp(-R * R / 160) * 0.85 + std::exp(-R * R / 30) * 0.15;
        else if (Pattern == 1)
            A = std::exp(-std::pow((R - 22) / 3.2, 2)) + 0.12 * std::exp(-std::pow((R - 20) / 7, 2));
        else if (Pattern == 2) {
            const double Spike =
                std::exp(-std::fabs(DY) / 1.3) * std::pow(TArt::Clamp01(1 - std::fabs(DX) / 30), 2) +
                std::exp(-std::fabs(DX) / 1.3) * std::pow(TArt::Clamp01(1 - std::fabs(DY) / 30), 2);
            A = Spike + std::exp(-R * R / 40);
        } else
            A = std::exp(-DY * DY / 9) * std::exp(-DX * DX / 380) +
                0.5 * std::exp(-DY * DY / 2) * std::exp(-DX * DX / 120);
        A = TArt::Clamp01(A) * Fade;
    });
}

void TItemArt::Mine(cairo_t* Cr, int Frame) {
    const double Pulse = 0.5 + 0.5 * std::cos(Frame * 2 * M_PI / 6);
    // Up and left of the cell's middle, with the prongs square to the axes: the HUD shows the mine
    // count over the lower right of the first pattern.
    cairo_translate(Cr, 20, 21);
    // Four contact prongs.
    for (int I = 0; I < 4; ++I) {
        const double A = I * M_PI / 2;
        cairo_move_to(Cr, 9 * std::cos(A), 9 * std::sin(A));
        cairo_line_to(Cr, 15 * std::cos(A), 15 * std::sin(A));
        TArt::SetColour(Cr, TArt::Hex(0x8a9ab8));
        cairo_set_line_width(Cr, 2.6);
        cairo_stroke(Cr);
        cairo_arc(Cr, 15.5 * std::cos(A), 15.5 * std::sin(A), 2.4, 0, 2 * M_PI);
        TArt::SetColour(Cr, TArt::Hex(0xc8d4e8));
        cairo_fill_preserve(Cr);
        TArt::SetColour(Cr, TArt::Hex(0x0a0f20));
        cairo_set_line_width(Cr, 0.8);
        cairo_stroke(Cr);
    }
    cairo_pattern_t* Shell = cairo_pattern_create_radial(-4, -4, 1, 0, 0, 12);
    TArt::AddStop(Shell, 0, TArt::Hex(0xaebcd8));
    TArt::AddStop(Shell, 0.5, TArt::Hex(0x3a4668));
    TArt::AddStop(Shell, 1, TArt::Hex(0x0e1428));
    cairo_arc(Cr, 0, 0, 11.5, 0, 2 * M_PI);
    cairo_set_source(Cr, Shell);
    cairo_fill_preserve(Cr);
    cairo_pattern_destroy(Shell);
    TArt::SetColour(Cr, TArt::Hex(0x060a16));
    cairo_set_line_width(Cr, 1);
    cairo_stroke(Cr);
    // Armed lamps chase round the shell; the core breathes.
    for (int I = 0; I < 6; ++I) {
        const double A = I * M_PI / 3 - M_PI / 2;
        const bool Lit = I == Frame;
        cairo_arc(Cr, 7.6 * std::cos(A), 7.6 * std::sin(A), 1.3, 0, 2 * M_PI);
        TArt::SetColour(Cr, Lit ? TArt::Hex(0xeaffff) : TArt::Hex(0x1d5a66));
        cairo_fill(Cr);
    }
    TArt::Glow(Cr, 5, 0.6 + Pulse, [Pulse](cairo_t* C) {
        TArt::SetColour(C, TArt::Hex(TPalette::Cyan));
        cairo_arc(C, 0, 0, 3 + 2 * Pulse, 0, 2 * M_PI);
        cairo_fill(C);
    });
    TArt::Glow(Cr, 3, 1.2, [Frame](cairo_t* C) {
        const double A = Frame * M_PI / 3 - M_PI / 2;
        TArt::SetColour(C, TArt::Hex(TPalette::Cyan));
        cairo_arc(C, 7.6 * std::cos(A), 7.6 * std::sin(A), 2, 0, 2 * M_PI);
        cairo_fill(C);
    });
    cairo_arc(Cr, 0, 0, 2.5 + Pulse, 0, 2 * M_PI);
    TArt::SetColour(Cr, TArt::Mix(TArt::Hex(TPalette::Teal), TArt::Hex(0xffffff), Pulse));
    cairo_fill(Cr);
}

void TItemArt::Crate(cairo_t* Cr, int Frame) {
    const double P = Frame * 2 * M_PI / 9;
    const double Pulse = 0.5 + 0.5 * std::sin(P);
    cairo_translate(Cr, 32, 32);
    TArt::Glow(Cr, 7, 0.5 + 0.6 * Pulse, [](cairo_t* C) {
        TArt::RoundedRect(C, -18, -18, 36, 36, 6);
        TArt::SetColour(C, TArt::Hex(TPalette::Teal));
        cairo_set_line_width(C, 4);
        cairo_stroke(C);
    });
    cairo_pattern_t* Body = cairo_pattern_create_linear(-17, -17, 17, 17);
    TArt::AddStop(Body, 0, TArt::Hex(0x5d7396));
    TArt::AddStop(Body, 0.5, TArt::Hex(0x263456));
    TArt::AddStop(Body, 1, TArt::Hex(0x0f1630));
    TArt::RoundedRect(Cr, -17, -17, 34, 34, 5);
    cairo_set_source(Cr, Body);
    cairo_fill_preserve(Cr);
    cairo_pattern_destroy(Body);
    TArt::SetColour(Cr, TArt::Hex(0x050914));
    cairo_set_line_width(Cr, 1.2);
    cairo_stroke(Cr);
    // Corner brackets and the glowing trim.
    TArt::RoundedRect(Cr, -13.5, -13.5, 27, 27, 3);
    TArt::SetColour(Cr, TArt::Mix(TArt::Hex(TPalette::Teal), TArt::Hex(TPalette::Ice), Pulse * 0.6));
    cairo_set_line_width(Cr, 1.6);
    cairo_stroke(Cr);
    for (int I = 0; I < 4; ++I) {
        cairo_save(Cr);
        cairo_rotate(Cr, I * M_PI / 2);
        TArt::Polygon(Cr, {{-17, -17}, {-9, -17}, {-9, -14}, {-14, -14}, {-14, -9}, {-17, -9}});
        TArt::SetColour(Cr, TArt::Hex(0xc9d6ea));
        cairo_fill(Cr);
        cairo_restore(Cr);
    }
    // Supply cross in the middle, breathing with the pulse.
    TArt::Glow(Cr, 4, 0.8 + Pulse, [](cairo_t* C) {
        cairo_rectangle(C, -2.5, -8, 5, 16);
        cairo_rectangle(C, -8, -2.5, 16, 5);
        TArt::SetColour(C, TArt::Hex(TPalette::Cyan));
        cairo_fill(C);
    });
    cairo_rectangle(Cr, -2, -7, 4, 14);
    cairo_rectangle(Cr, -7, -2, 14, 4);
    TArt::SetColour(Cr, TArt::Mix(TArt::Hex(TPalette::Cyan), TArt::Hex(0xffffff), Pulse));
    cairo_fill(Cr);
    // A sheen sweeps diagonally across the lid.
    cairo_save(Cr);
    TArt::RoundedRect(Cr, -17, -17, 34, 34, 5);
    cairo_clip(Cr);
    const double Sweep = -40 + Frame * 10;
    cairo_pattern_t* Sheen = cairo_pattern_create_linear(Sweep - 6, Sweep - 6, Sweep + 6, Sweep + 6);
    TArt::AddStop(Sheen, 0, TArt::Hex(0xffffff), 0);
    TArt::AddStop(Sheen, 0.5, TArt::Hex(0xffffff), 0.28);
    TArt::AddStop(Sheen, 1, TArt::Hex(0xffffff), 0);
    cairo_set_source(Cr, Sheen);
    cairo_paint(Cr);
    cairo_pattern_destroy(Sheen);
    cairo_restore(Cr);
}

void TItemArt::Bullet(cairo_t* Cr) {
    cairo_translate(Cr, 16, 8);
    TArt::Glow(Cr, 3, 1.6, [](cairo_t* C) {
        cairo_save(C);
        cairo_scale(C, 11, 2.6);
        cairo_arc(C, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(C);
        TArt::SetColour(C, TArt::Hex(TPalette::Cyan));
        cairo_fill(C);
    });
    cairo_pattern_t* Core = cairo_pattern_create_linear(-10, 0, 10, 0);
    TArt::AddStop(Core, 0, TArt::Hex(TPalette::Cyan), 0);
    TArt::AddStop(Core, 0.6, TArt::Hex(TPalette::Ice), 0.9);
    TArt::AddStop(Core, 1, TArt::Hex(0xffffff), 1);
    cairo_move_to(Cr, -10, 0);
    cairo_line_to(Cr, 5, -1.6);
    cairo_curve_to(Cr, 8, -1.6, 10, -0.8, 10, 0);
    cairo_curve_to(Cr, 10, 0.8, 8, 1.6, 5, 1.6);
    cairo_close_path(Cr);
    cairo_set_source(Cr, Core);
    cairo_fill(Cr);
    cairo_pattern_destroy(Core);
}

void TItemArt::BombShape(cairo_t* Cr) {
    // Fins, body, nose; nose towards -y.
    for (int Side : {-1, 1}) {
        TArt::Polygon(Cr, {{5.0 * Side, 8}, {11.0 * Side, 17}, {11.0 * Side, 23}, {5.0 * Side, 19}});
        TArt::SetColour(Cr, TArt::Hex(Side < 0 ? 0x9fb0cc : 0x3a4668));
        cairo_fill_preserve(Cr);
        TArt::SetColour(Cr, TArt::Hex(0x070b18));
        cairo_set_line_width(Cr, 1);
        cairo_stroke(Cr);
    }
    cairo_move_to(Cr, 0, -27);
    cairo_curve_to(Cr, 4, -24, 6, -19, 6, -14);
    cairo_line_to(Cr, 6, 19);
    cairo_line_to(Cr, 4, 22);
    cairo_line_to(Cr, -4, 22);
    cairo_line_to(Cr, -6, 19);
    cairo_line_to(Cr, -6, -14);
    cairo_curve_to(Cr, -6, -19, -4, -24, 0, -27);
    cairo_close_path(Cr);
    cairo_pattern_t* Fill = cairo_pattern_create_linear(-6, 0, 6, 0);
    TArt::AddStop(Fill, 0, TArt::Hex(0xf0f5ff));
    TArt::AddStop(Fill, 0.45, TArt::Hex(0x8596bb));
    TArt::AddStop(Fill, 1, TArt::Hex(0x1a2242));
    cairo_set_source(Cr, Fill);
    cairo_fill_preserve(Cr);
    cairo_pattern_destroy(Fill);
    TArt::SetColour(Cr, TArt::Hex(0x070b18));
    cairo_set_line_width(Cr, 1.1);
    cairo_stroke(Cr);
    // Amber warning band and a teal sensor window.
    cairo_rectangle(Cr, -5.5, -10, 11, 4);
    TArt::SetColour(Cr, TArt::Hex(TPalette::Amber));
    cairo_fill(Cr);
    for (int I = 0; I < 3; ++I) {
        TArt::Polygon(
            Cr, {{-5.5 + I * 4.0, -6}, {-3.5 + I * 4.0, -6}, {-1.5 + I * 4.0, -10}, {-3.5 + I * 4.0, -10}});
        TArt::SetColour(Cr, TArt::Hex(0x2a1a10));
        cairo_fill(Cr);
    }
    cairo_arc(Cr, 0, -19, 2.2, 0, 2 * M_PI);
    TArt::SetColour(Cr, TArt::Hex(TPalette::Cyan));
    cairo_fill(Cr);
}

void TItemArt::LongBomb(cairo_t* Cr) {
    cairo_translate(Cr, 16, 32);
    TArt::Glow(Cr, 4, 1.5, [](cairo_t* C) {
        TArt::SetColour(C, TArt::Hex(TPalette::Cyan));
        cairo_arc(C, 0, 24, 3.5, 0, 2 * M_PI);
        cairo_fill(C);
    });
    BombShape(Cr);
    cairo_arc(Cr, 0, 23.5, 2, 0, 2 * M_PI);
    TArt::SetColour(Cr, TArt::Hex(0xffffff));
    cairo_fill(Cr);
}

void TItemArt::Badge(cairo_t* Cr, double Level) {
    cairo_pattern_t* Fill = cairo_pattern_create_linear(0, 4, 0, 44);
    TArt::AddStop(Fill, 0, TArt::Hex(0x1c2a52), 0.9);
    TArt::AddStop(Fill, 1, TArt::Hex(0x080c1e), 0.9);
    TArt::RoundedRect(Cr, 4.5, 4.5, 39, 39, 8);
    cairo_set_source(Cr, Fill);
    cairo_fill_preserve(Cr);
    cairo_pattern_destroy(Fill);
    TArt::SetColour(Cr, TArt::Mix(TArt::Hex(0x2a4a60), TArt::Hex(TPalette::Teal), Level));
    cairo_set_line_width(Cr, 1.5);
    cairo_stroke(Cr);
}

void TItemArt::Icon(cairo_t* Cr, int Weapon) {
    Badge(Cr, Weapon == 0 ? 0 : 1);
    cairo_translate(Cr, 24, 24);
    const TRgb Cyan = TArt::Hex(TPalette::Cyan);
    if (Weapon == 0) {
        cairo_arc(Cr, 0, 0, 10, 0, 2 * M_PI);
        cairo_move_to(Cr, -7, 7);
        cairo_line_to(Cr, 7, -7);
        TArt::SetColour(Cr, TArt::Hex(0x3c5a70));
        cairo_set_line_width(Cr, 2.5);
        cairo_stroke(Cr);
        return;
    }
    auto Glyph = [Weapon](cairo_t* C) {
        if (Weapon == 1) {
            for (double R : {8.0, 13.0}) {
                cairo_new_sub_path(C);
                cairo_arc(C, 0, 0, R, -2.4, -0.75);
                cairo_new_sub_path(C);
                cairo_arc(C, 0, 0, R, 0.75, 2.4);
            }
            cairo_set_line_width(C, 2);
            cairo_stroke(C);
            TArt::Polygon(C, {{2, -13}, {-5, 1}, {0, 1}, {-2, 13}, {5, -2}, {0, -2}});
            cairo_fill(C);
        } else if (Weapon == 2) {
            cairo_rectangle(C, -15, -2, 30, 4);
            cairo_fill(C);
            cairo_arc(C, -13, 0, 4.5, 0, 2 * M_PI);
            cairo_fill(C);
            for (int I = 0; I < 3; ++I) {
                cairo_move_to(C, -4 + I * 7, -6);
                cairo_line_to(C, -1 + I * 7, 6);
            }
            cairo_set_line_width(C, 1.2);
            cairo_stroke(C);
        } else if (Weapon == 4) {
            TArt::Polygon(C, {{0, -14}, {12, -7}, {12, 7}, {0, 14}, {-12, 7}, {-12, -7}});
            cairo_set_line_width(C, 2.4);
            cairo_stroke(C);
            TArt::Polygon(C, {{0, -8}, {7, -4}, {7, 4}, {0, 8}, {-7, 4}, {-7, -4}});
            cairo_fill(C);
        }
    };
    if (Weapon == 3) {
        cairo_save(Cr);
        cairo_rotate(Cr, M_PI / 4);
        cairo_scale(Cr, 0.62, 0.62);
        TArt::Glow(Cr, 4, 1.2, [](cairo_t* C) {
            TArt::SetColour(C, TArt::Hex(TPalette::Cyan));
            cairo_arc(C, 0, 24, 4, 0, 2 * M_PI);
            cairo_fill(C);
        });
        BombShape(Cr);
        cairo_restore(Cr);
        return;
    }
    TArt::Glow(Cr, 4, 1.3, [&](cairo_t* C) {
        TArt::SetColour(C, Cyan);
        Glyph(C);
    });
    TArt::SetColour(Cr, TArt::Mix(Cyan, TArt::Hex(0xffffff), 0.55));
    Glyph(Cr);
}

void TItemArt::Cursor(cairo_t* Cr) {
    const std::vector<TPoint> Arrow = {{1.5, 1.5},   {1.5, 23},  {7, 18}, {11, 27},
                                       {14.5, 25.5}, {10.5, 17}, {18, 17}};
    TArt::Glow(Cr, 2.5, 0.9, [&](cairo_t* C) {
        TArt::Polygon(C, Arrow);
        TArt::SetColour(C, TArt::Hex(TPalette::Cyan));
        cairo_set_line_width(C, 2);
        cairo_stroke(C);
    });
    TArt::Polygon(Cr, Arrow);
    cairo_pattern_t* Fill = cairo_pattern_create_linear(0, 0, 12, 24);
    TArt::AddStop(Fill, 0, TArt::Hex(0xffffff));
    TArt::AddStop(Fill, 1, TArt::Hex(TPalette::Cyan));
    cairo_set_source(Cr, Fill);
    cairo_fill_preserve(Cr);
    cairo_pattern_destroy(Fill);
    TArt::SetColour(Cr, TArt::Hex(0x06102a));
    cairo_set_line_width(Cr, 1.3);
    cairo_set_line_join(Cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(Cr);
}
