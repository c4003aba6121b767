#include "TRocketArt.h"

#include "TArt.h"
#include "TPalette.h"

#include <cmath>

namespace {

double Phase(int Frame) {
    return Frame * 2 * M_PI / 9;
}

} // namespace

void TRocketArt::Body(cairo_t* Cr, double Tail, double Shoulder, double Tip, double Radius) {
    cairo_new_path(Cr);
    cairo_move_to(Cr, Tip, 0);
    cairo_curve_to(Cr, Tip - (Tip - Shoulder) * 0.35, -Radius * 0.55, Shoulder + 2, -Radius, Shoulder,
                   -Radius);
    cairo_line_to(Cr, Tail + 1.5, -Radius);
    cairo_line_to(Cr, Tail, -Radius + 1.5);
    cairo_line_to(Cr, Tail, Radius - 1.5);
    cairo_line_to(Cr, Tail + 1.5, Radius);
    cairo_line_to(Cr, Shoulder, Radius);
    cairo_curve_to(Cr, Shoulder + 2, Radius, Tip - (Tip - Shoulder) * 0.35, Radius * 0.55, Tip, 0);
    cairo_close_path(Cr);
    cairo_pattern_t* Fill = cairo_pattern_create_linear(0, -Radius, 0, Radius);
    TArt::AddStop(Fill, 0, TArt::Hex(0xffb27a));
    TArt::AddStop(Fill, 0.25, TArt::Hex(0xc8402e));
    TArt::AddStop(Fill, 0.65, TArt::Hex(TPalette::Crimson));
    TArt::AddStop(Fill, 1, TArt::Hex(0x24060c));
    cairo_set_source(Cr, Fill);
    cairo_fill_preserve(Cr);
    cairo_pattern_destroy(Fill);
    TArt::SetColour(Cr, TArt::Hex(0x14030a));
    cairo_set_line_width(Cr, 1);
    cairo_stroke(Cr);
    // Dark steel nose cone with a hot tip.
    cairo_save(Cr);
    cairo_rectangle(Cr, Shoulder + 1, -Radius - 1, Tip - Shoulder + 2, 2 * Radius + 2);
    cairo_clip(Cr);
    cairo_move_to(Cr, Tip, 0);
    cairo_curve_to(Cr, Tip - (Tip - Shoulder) * 0.35, -Radius * 0.55, Shoulder + 2, -Radius, Shoulder,
                   -Radius);
    cairo_line_to(Cr, Shoulder, Radius);
    cairo_curve_to(Cr, Shoulder + 2, Radius, Tip - (Tip - Shoulder) * 0.35, Radius * 0.55, Tip, 0);
    cairo_pattern_t* Cone = cairo_pattern_create_linear(0, -Radius, 0, Radius);
    TArt::AddStop(Cone, 0, TArt::Hex(0xe6dccd));
    TArt::AddStop(Cone, 0.4, TArt::Hex(0x6e6670));
    TArt::AddStop(Cone, 1, TArt::Hex(0x1a1420));
    cairo_set_source(Cr, Cone);
    cairo_fill(Cr);
    cairo_pattern_destroy(Cone);
    cairo_restore(Cr);
    // Rim light on the upper edge.
    cairo_move_to(Cr, Tail + 2, -Radius + 0.7);
    cairo_line_to(Cr, Shoulder, -Radius + 0.7);
    TArt::SetColour(Cr, TArt::Hex(0xffd9b0), 0.6);
    cairo_set_line_width(Cr, 0.9);
    cairo_stroke(Cr);
}

void TRocketArt::Fin(cairo_t* Cr, double Root, double Chord, double Span, double Sweep, double Radius) {
    for (int Side : {-1, 1}) {
        TArt::Polygon(Cr, {{Root, Radius * Side},
                           {Root - Sweep, Span * Side},
                           {Root - Sweep - Chord * 0.45, Span * Side},
                           {Root - Chord, Radius * Side}});
        cairo_pattern_t* Fill = cairo_pattern_create_linear(0, 0, 0, Span * Side);
        TArt::AddStop(Fill, 0, TArt::Hex(Side < 0 ? 0xd25a3a : 0xa02a2a));
        TArt::AddStop(Fill, 1, TArt::Hex(Side < 0 ? 0x6a1a22 : 0x4a1018));
        cairo_set_source(Cr, Fill);
        cairo_fill_preserve(Cr);
        cairo_pattern_destroy(Fill);
        TArt::SetColour(Cr, TArt::Hex(0x14030a));
        cairo_set_line_width(Cr, 1);
        cairo_stroke(Cr);
        cairo_move_to(Cr, Root - 1, (Radius + 0.8) * Side);
        cairo_line_to(Cr, Root - Sweep, (Span - 0.8) * Side);
        TArt::SetColour(Cr, TArt::Hex(TPalette::Amber), 0.55);
        cairo_set_line_width(Cr, 1);
        cairo_stroke(Cr);
    }
}

void TRocketArt::Nozzle(cairo_t* Cr, double X, double Y, double Radius, double Heat) {
    TArt::Glow(Cr, Radius * 1.6, 1.4, [=](cairo_t* C) {
        TArt::SetColour(C, TArt::Mix(TArt::Hex(TPalette::Red), TArt::Hex(TPalette::Amber), Heat));
        cairo_arc(C, X, Y, Radius * (0.8 + 0.35 * Heat), 0, 2 * M_PI);
        cairo_fill(C);
    });
    TArt::SetColour(Cr, TArt::Mix(TArt::Hex(TPalette::Orange), TArt::Hex(0xfff2c8), Heat));
    cairo_arc(Cr, X + 0.5, Y, Radius * 0.55, 0, 2 * M_PI);
    cairo_fill(Cr);
}

void TRocketArt::Lamp(cairo_t* Cr, double X, double Y, double Size, double Level, unsigned Colour) {
    if (Level > 0.05)
        TArt::Glow(Cr, Size * 2.2, 1.5 * Level, [=](cairo_t* C) {
            TArt::SetColour(C, TArt::Hex(Colour));
            cairo_arc(C, X, Y, Size * 1.3, 0, 2 * M_PI);
            cairo_fill(C);
        });
    TArt::SetColour(Cr, TArt::Mix(TArt::Hex(0x3a1010), TArt::Hex(0xfff0d0), Level));
    cairo_arc(Cr, X, Y, Size * 0.6, 0, 2 * M_PI);
    cairo_fill(Cr);
}

void TRocketArt::Hornet(cairo_t* Cr, int Frame) {
    const double P = Phase(Frame);
    cairo_translate(Cr, 32, 16);
    Nozzle(Cr, -25.5, 0, 3.4, 0.5 + 0.5 * std::sin(2 * P));
    Fin(Cr, -15, 13, 12, 11, 4);
    Body(Cr, -26, 10, 22, 5);
    for (double X : {-18.0, -6.0}) {
        cairo_move_to(Cr, X, -5);
        cairo_line_to(Cr, X, 5);
    }
    TArt::SetColour(Cr, TArt::Hex(0x14030a), 0.6);
    cairo_set_line_width(Cr, 1);
    cairo_stroke(Cr);
    Lamp(Cr, 19, 0, 2, 0.55 + 0.45 * std::sin(P), TPalette::Amber);
    Lamp(Cr, -1, 0, 1.6, std::max(0.0, std::sin(P + M_PI)), TPalette::Red);
}

void TRocketArt::Ravager(cairo_t* Cr, int Frame) {
    const double P = Phase(Frame);
    cairo_translate(Cr, 64, 24);
    cairo_scale(Cr, -1, 1);
    for (int Side : {-1, 1})
        Nozzle(Cr, -52, 4.5 * Side, 3.6, 0.5 + 0.5 * std::sin(2 * P + Side));
    Fin(Cr, -38, 12, 13, 9, 5);
    // Broad delta wings where the widest collision circle sits.
    Fin(Cr, 6, 24, 19, 17, 6);
    Body(Cr, -50, 22, 38, 6.5);
    cairo_move_to(Cr, -44, 0);
    cairo_line_to(Cr, 14, 0);
    TArt::SetColour(Cr, TArt::Hex(0x14030a), 0.5);
    cairo_set_line_width(Cr, 1.2);
    cairo_stroke(Cr);
    // A chaser of lamps runs from tail to nose along the spine.
    for (int I = 0; I < 5; ++I) {
        const double Level = std::pow(0.5 + 0.5 * std::cos(P - I * 2 * M_PI / 5), 3);
        Lamp(Cr, -36 + I * 11, 0, 1.7, Level, TPalette::Orange);
    }
    Lamp(Cr, 33, 0, 2.2, 0.6 + 0.4 * std::sin(P), TPalette::Amber);
    for (int Side : {-1, 1})
        Lamp(Cr, -10, 17.5 * Side, 1.4, std::max(0.0, std::sin(P + Side)), TPalette::Red);
}

void TRocketArt::Needle(cairo_t* Cr, int Frame) {
    const double P = Phase(Frame);
    cairo_translate(Cr, 32, 16);
    Nozzle(Cr, -27, 0, 3, 0.5 + 0.5 * std::sin(2 * P + 1));
    Fin(Cr, -20, 10, 10, 9, 3.5);
    Fin(Cr, 10, 5, 7, 3, 3.5);
    Body(Cr, -28, 14, 27, 4);
    // Amber hazard bands that pulse in turn.
    for (int I = 0; I < 3; ++I) {
        const double Level = 0.35 + 0.65 * std::pow(0.5 + 0.5 * std::sin(P - I * 1.4), 2);
        cairo_rectangle(Cr, -14 + I * 8, -4, 3, 8);
        TArt::SetColour(Cr, TArt::Mix(TArt::Hex(0x6a2a10), TArt::Hex(TPalette::Amber), Level));
        cairo_fill(Cr);
    }
    Lamp(Cr, 24, 0, 1.8, 0.55 + 0.45 * std::sin(P), TPalette::Amber);
}
