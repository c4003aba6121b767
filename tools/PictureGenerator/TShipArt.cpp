#include "TShipArt.h"

#include "TArt.h"
#include "TPalette.h"

#include <cmath>

namespace {

const std::vector<TPoint> HullHalf = {{63, 0},   {52, 3.5}, {34, 8},  {14, 12.5}, {-6, 14},
                                      {-30, 13}, {-46, 11}, {-56, 7}, {-56, 0}};

} // namespace

void TShipArt::Draw(cairo_t* Cr, int Tilt) {
    const double Roll = Tilt * 0.3;
    cairo_translate(Cr, 72, 56);
    // Rolling shortens the wings across the flight line and lifts the side that comes up into the light.
    cairo_scale(Cr, 1, std::cos(Roll));
    Exhaust(Cr);
    for (int Side : {-1, 1}) {
        const double Light = 1 + 0.55 * std::sin(Roll) * Side;
        Wing(Cr, Side, Light);
        Nacelle(Cr, Side, Light);
    }
    cairo_save(Cr);
    cairo_translate(Cr, 0, -std::sin(Roll) * 5);
    Hull(Cr, Roll);
    Canopy(Cr);
    cairo_restore(Cr);
}

void TShipArt::Exhaust(cairo_t* Cr) {
    TArt::Glow(Cr, 7, 1.6, [](cairo_t* C) {
        for (int Side : {-1, 1}) {
            TArt::SetColour(C, TArt::Hex(TPalette::Cyan));
            cairo_arc(C, -60, 17 * Side, 5, 0, 2 * M_PI);
            cairo_fill(C);
        }
    });
}

void TShipArt::Wing(cairo_t* Cr, int Side, double Light) {
    const double S = Side;
    const std::vector<TPoint> Shape = {
        {14, 11 * S}, {-20, 39 * S}, {-38, 47 * S}, {-47, 45 * S}, {-44, 14 * S}};
    cairo_pattern_t* Fill = cairo_pattern_create_linear(0, 10 * S, -30, 46 * S);
    TArt::AddStop(Fill, 0, TArt::Scale(TArt::Hex(TPalette::Steel), 0.8 * Light));
    TArt::AddStop(Fill, 0.55, TArt::Scale(TArt::Hex(0x6d7fa6), Light));
    TArt::AddStop(Fill, 1, TArt::Scale(TArt::Hex(TPalette::SteelDark), Light));
    TArt::Polygon(Cr, Shape);
    cairo_set_source(Cr, Fill);
    cairo_fill_preserve(Cr);
    cairo_pattern_destroy(Fill);
    TArt::SetColour(Cr, TArt::Hex(0x0b1022), 0.9);
    cairo_set_line_width(Cr, 1.2);
    cairo_stroke(Cr);
    // Leading edge catches the light; a dark panel and a teal stripe break up the surface.
    cairo_move_to(Cr, 14, 11 * S);
    cairo_line_to(Cr, -20, 39 * S);
    cairo_line_to(Cr, -38, 47 * S);
    TArt::SetColour(Cr, TArt::Hex(TPalette::Ice), 0.55 * Light);
    cairo_set_line_width(Cr, 1.6);
    cairo_stroke(Cr);
    TArt::Polygon(Cr, {{-8, 17 * S}, {-24, 31 * S}, {-36, 34 * S}, {-38, 18 * S}});
    TArt::SetColour(Cr, TArt::Hex(TPalette::Panel), 0.55);
    cairo_fill(Cr);
    cairo_move_to(Cr, -2, 19 * S);
    cairo_line_to(Cr, -26, 38 * S);
    TArt::SetColour(Cr, TArt::Hex(TPalette::Teal), 0.9);
    cairo_set_line_width(Cr, 1.5);
    cairo_stroke(Cr);
    TArt::Glow(Cr, 3, 1.2, [S](cairo_t* C) {
        TArt::SetColour(C, TArt::Hex(TPalette::Cyan));
        cairo_arc(C, -42, 45 * S, 2, 0, 2 * M_PI);
        cairo_fill(C);
    });
    TArt::SetColour(Cr, TArt::Hex(0xffffff));
    cairo_arc(Cr, -42, 45 * S, 1.1, 0, 2 * M_PI);
    cairo_fill(Cr);
}

void TShipArt::Nacelle(cairo_t* Cr, int Side, double Light) {
    const double Y = 17 * Side;
    cairo_pattern_t* Fill = cairo_pattern_create_linear(0, Y - 7, 0, Y + 7);
    TArt::AddStop(Fill, 0, TArt::Scale(TArt::Hex(0xdfe8f5), Light));
    TArt::AddStop(Fill, 0.5, TArt::Scale(TArt::Hex(0x7a8bb0), Light));
    TArt::AddStop(Fill, 1, TArt::Scale(TArt::Hex(0x1d2642), Light));
    TArt::RoundedRect(Cr, -60, Y - 6.5, 44, 13, 6);
    cairo_set_source(Cr, Fill);
    cairo_fill_preserve(Cr);
    cairo_pattern_destroy(Fill);
    TArt::SetColour(Cr, TArt::Hex(0x0b1022), 0.9);
    cairo_set_line_width(Cr, 1.2);
    cairo_stroke(Cr);
    // Hot nozzle ring at the back.
    TArt::RoundedRect(Cr, -61, Y - 5, 6, 10, 2.5);
    TArt::SetColour(Cr, TArt::Hex(TPalette::Ice));
    cairo_fill(Cr);
    for (double X : {-48.0, -38.0, -28.0}) {
        cairo_move_to(Cr, X, Y - 6);
        cairo_line_to(Cr, X, Y + 6);
    }
    TArt::SetColour(Cr, TArt::Hex(0x0b1022), 0.45);
    cairo_set_line_width(Cr, 0.8);
    cairo_stroke(Cr);
}

void TShipArt::Hull(cairo_t* Cr, double Roll) {
    cairo_pattern_t* Fill = cairo_pattern_create_linear(0, -14, 0, 14);
    const double Top = 1 - 0.25 * std::sin(Roll), Bottom = 1 + 0.25 * std::sin(Roll);
    TArt::AddStop(Fill, 0, TArt::Scale(TArt::Hex(0xf2f7ff), Top));
    TArt::AddStop(Fill, 0.35, TArt::Hex(0xa9b9d6));
    TArt::AddStop(Fill, 0.75, TArt::Scale(TArt::Hex(0x56658e), Bottom));
    TArt::AddStop(Fill, 1, TArt::Scale(TArt::Hex(0x1a2240), Bottom));
    TArt::MirroredOutline(Cr, HullHalf);
    cairo_set_source(Cr, Fill);
    cairo_fill_preserve(Cr);
    cairo_pattern_destroy(Fill);
    TArt::SetColour(Cr, TArt::Hex(0x0a0f20));
    cairo_set_line_width(Cr, 1.4);
    cairo_stroke(Cr);
    // Spine plate and panel seams.
    TArt::MirroredOutline(Cr, {{40, 0}, {30, 3}, {-10, 5}, {-48, 4}, {-52, 0}});
    TArt::SetColour(Cr, TArt::Hex(TPalette::Panel), 0.35);
    cairo_fill(Cr);
    for (double X : {-14.0, -34.0}) {
        cairo_move_to(Cr, X, -13);
        cairo_line_to(Cr, X, 13);
    }
    TArt::SetColour(Cr, TArt::Hex(0x0a0f20), 0.5);
    cairo_set_line_width(Cr, 0.8);
    cairo_stroke(Cr);
    // Teal running lights along the flanks.
    TArt::Glow(Cr, 3, 1.3, [](cairo_t* C) {
        for (int Side : {-1, 1}) {
            cairo_move_to(C, 8, 10.5 * Side);
            cairo_line_to(C, -24, 11.5 * Side);
        }
        TArt::SetColour(C, TArt::Hex(TPalette::Cyan));
        cairo_set_line_width(C, 1.6);
        cairo_stroke(C);
    });
    for (int Side : {-1, 1}) {
        cairo_move_to(Cr, 8, 10.5 * Side);
        cairo_line_to(Cr, -24, 11.5 * Side);
    }
    TArt::SetColour(Cr, TArt::Hex(TPalette::Ice));
    cairo_set_line_width(Cr, 0.9);
    cairo_stroke(Cr);
    // Rim light along the upper edge.
    cairo_move_to(Cr, 62, -0.5);
    for (size_t I = 1; I + 1 < HullHalf.size(); ++I)
        cairo_line_to(Cr, HullHalf[I].X, -HullHalf[I].Y + 0.8);
    TArt::SetColour(Cr, TArt::Hex(0xffffff), 0.5);
    cairo_set_line_width(Cr, 1);
    cairo_stroke(Cr);
}

void TShipArt::Canopy(cairo_t* Cr) {
    cairo_save(Cr);
    cairo_translate(Cr, 24, 0);
    cairo_scale(Cr, 15, 5.5);
    cairo_arc(Cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(Cr);
    cairo_pattern_t* Glass = cairo_pattern_create_radial(28, -2, 1, 24, 0, 15);
    TArt::AddStop(Glass, 0, TArt::Hex(0xe8ffff));
    TArt::AddStop(Glass, 0.35, TArt::Hex(TPalette::Cyan));
    TArt::AddStop(Glass, 1, TArt::Hex(0x0b3c63));
    cairo_set_source(Cr, Glass);
    cairo_fill_preserve(Cr);
    cairo_pattern_destroy(Glass);
    TArt::SetColour(Cr, TArt::Hex(0x081022));
    cairo_set_line_width(Cr, 1.2);
    cairo_stroke(Cr);
    cairo_move_to(Cr, 33, -2.2);
    cairo_curve_to(Cr, 28, -4, 20, -4, 14, -2.5);
    TArt::SetColour(Cr, TArt::Hex(0xffffff), 0.8);
    cairo_set_line_width(Cr, 1.1);
    cairo_stroke(Cr);
}
