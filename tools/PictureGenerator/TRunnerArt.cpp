#include "TRunnerArt.h"

#include "TArt.h"
#include "TPalette.h"

#include <cmath>

namespace {

struct TLimb {
    TPoint Root, Joint, End;
};

// A leg or an arm from its root: Swing forward of straight down, then Bend at the joint.
TLimb Pose(TPoint Root, double Upper, double Lower, double Swing, double Bend) {
    const TPoint Joint = {Root.X + Upper * std::sin(Swing), Root.Y + Upper * std::cos(Swing)};
    const double Next = Swing + Bend;
    return {Root, Joint, {Joint.X + Lower * std::sin(Next), Joint.Y + Lower * std::cos(Next)}};
}

void Stroke(cairo_t* Cr, const TLimb& L, double Width, TRgb Fill, TRgb Rim, double Shade) {
    cairo_set_line_cap(Cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(Cr, CAIRO_LINE_JOIN_ROUND);
    cairo_move_to(Cr, L.Root.X, L.Root.Y);
    cairo_line_to(Cr, L.Joint.X, L.Joint.Y);
    cairo_line_to(Cr, L.End.X, L.End.Y);
    TArt::SetColour(Cr, TArt::Hex(0x05060e));
    cairo_set_line_width(Cr, Width + 2.4);
    cairo_stroke_preserve(Cr);
    TArt::SetColour(Cr, TArt::Scale(Fill, Shade));
    cairo_set_line_width(Cr, Width);
    cairo_stroke_preserve(Cr);
    // Rim light on the leading (right, upper) side.
    cairo_save(Cr);
    cairo_translate(Cr, Width * 0.22, -Width * 0.15);
    TArt::SetColour(Cr, Rim, 0.35 * Shade);
    cairo_set_line_width(Cr, Width * 0.3);
    cairo_stroke(Cr);
    cairo_restore(Cr);
    cairo_new_path(Cr);
    // A boot or a fist at the end, a little wider than the limb.
    cairo_arc(Cr, L.End.X + Width * 0.2, L.End.Y, Width * 0.62, 0, 2 * M_PI);
    TArt::SetColour(Cr, TArt::Hex(0x05060e));
    cairo_fill_preserve(Cr);
    TArt::SetColour(Cr, TArt::Scale(TArt::Mix(Fill, TArt::Hex(0x202a40), 0.5), Shade));
    cairo_set_line_width(Cr, 0);
    cairo_fill(Cr);
}

void Outlined(cairo_t* Cr, cairo_pattern_t* Fill, double Line = 1.4) {
    cairo_set_source(Cr, Fill);
    cairo_fill_preserve(Cr);
    TArt::SetColour(Cr, TArt::Hex(0x05060e));
    cairo_set_line_width(Cr, Line);
    cairo_stroke(Cr);
}

} // namespace

void TRunnerArt::Knight(cairo_t* Cr, int Frame) {
    const double P = Frame * 2 * M_PI / 8;
    const double Bob = -3 * std::fabs(std::cos(P));
    const TPoint Hip = {58, 74 + Bob}, Shoulder = {68, 40 + Bob};
    const TRgb Steel = TArt::Hex(0xb8c6dc), Rim = TArt::Hex(TPalette::Cyan);
    auto Leg = [&](double Phase) {
        return Pose(Hip, 24, 24, 0.7 * std::sin(Phase), -(0.35 + 0.9 * (0.5 - 0.5 * std::cos(Phase + 0.8))));
    };
    auto Arm = [&](double Phase) { return Pose(Shoulder, 17, 16, -0.8 * std::sin(Phase), 1.1); };
    // Far limbs in shadow, with the sword held high behind.
    const TLimb FarArm = Arm(P + M_PI);
    Stroke(Cr, Leg(P + M_PI), 12, Steel, Rim, 0.55);
    cairo_move_to(Cr, FarArm.End.X, FarArm.End.Y);
    cairo_line_to(Cr, FarArm.End.X + 30 * std::sin(0.6 - 0.3 * std::sin(P)),
                  FarArm.End.Y - 30 * std::cos(0.6 - 0.3 * std::sin(P)));
    TArt::SetColour(Cr, TArt::Hex(0x05060e));
    cairo_set_line_width(Cr, 5);
    cairo_stroke_preserve(Cr);
    TArt::SetColour(Cr, TArt::Hex(0xeaf6ff));
    cairo_set_line_width(Cr, 3);
    cairo_stroke(Cr);
    Stroke(Cr, FarArm, 9, Steel, Rim, 0.55);
    // Cloak streaming behind.
    cairo_move_to(Cr, Shoulder.X - 4, Shoulder.Y - 2);
    cairo_curve_to(Cr, 40, 44 + Bob, 30, 60 + Bob + 4 * std::sin(P), 14, 70 + Bob + 6 * std::sin(P * 2));
    cairo_line_to(Cr, 34, 80 + Bob);
    cairo_curve_to(Cr, 44, 70 + Bob, 52, 60 + Bob, Hip.X, Hip.Y - 10);
    cairo_close_path(Cr);
    cairo_pattern_t* Cloak = cairo_pattern_create_linear(14, 0, 68, 0);
    TArt::AddStop(Cloak, 0, TArt::Hex(0x1a2a8a));
    TArt::AddStop(Cloak, 1, TArt::Hex(0x3a6ad8));
    Outlined(Cr, Cloak);
    cairo_pattern_destroy(Cloak);
    // Torso plate.
    TArt::Polygon(Cr, {{Hip.X - 9, Hip.Y},
                       {Hip.X + 9, Hip.Y},
                       {Shoulder.X + 10, Shoulder.Y + 4},
                       {Shoulder.X - 9, Shoulder.Y}});
    cairo_pattern_t* Plate = cairo_pattern_create_linear(Hip.X - 10, 0, Shoulder.X + 10, 0);
    TArt::AddStop(Plate, 0, TArt::Hex(0x3a4666));
    TArt::AddStop(Plate, 0.7, TArt::Hex(0xc8d4ea));
    TArt::AddStop(Plate, 1, TArt::Hex(0xf4fbff));
    Outlined(Cr, Plate);
    cairo_pattern_destroy(Plate);
    // Helmet with a cyan plume.
    const TPoint Head = {Shoulder.X + 5, Shoulder.Y - 13};
    cairo_move_to(Cr, Head.X - 2, Head.Y - 9);
    cairo_curve_to(Cr, Head.X - 14, Head.Y - 16, Head.X - 24, Head.Y - 8 + 3 * std::sin(P), Head.X - 30,
                   Head.Y - 2 + 4 * std::sin(P));
    cairo_curve_to(Cr, Head.X - 18, Head.Y - 6, Head.X - 10, Head.Y - 6, Head.X - 4, Head.Y - 4);
    cairo_close_path(Cr);
    cairo_pattern_t* Plume = cairo_pattern_create_linear(Head.X - 30, 0, Head.X, 0);
    TArt::AddStop(Plume, 0, TArt::Hex(TPalette::Teal));
    TArt::AddStop(Plume, 1, TArt::Hex(TPalette::Ice));
    Outlined(Cr, Plume, 1);
    cairo_pattern_destroy(Plume);
    cairo_arc(Cr, Head.X, Head.Y, 10, 0, 2 * M_PI);
    cairo_pattern_t* Helm = cairo_pattern_create_radial(Head.X + 4, Head.Y - 4, 1, Head.X, Head.Y, 11);
    TArt::AddStop(Helm, 0, TArt::Hex(0xffffff));
    TArt::AddStop(Helm, 0.5, TArt::Hex(0xa8b8d4));
    TArt::AddStop(Helm, 1, TArt::Hex(0x3a4666));
    Outlined(Cr, Helm);
    cairo_pattern_destroy(Helm);
    cairo_rectangle(Cr, Head.X + 1, Head.Y - 2, 9, 3);
    TArt::SetColour(Cr, TArt::Hex(TPalette::Cyan));
    cairo_fill(Cr);
    // Near limbs, and the round shield on the near arm.
    Stroke(Cr, Leg(P), 13, Steel, Rim, 1);
    const TLimb NearArm = Arm(P);
    Stroke(Cr, NearArm, 9, Steel, Rim, 1);
    cairo_arc(Cr, NearArm.Joint.X + 3, NearArm.Joint.Y + 4, 13, 0, 2 * M_PI);
    cairo_pattern_t* Shield = cairo_pattern_create_radial(NearArm.Joint.X, NearArm.Joint.Y, 1,
                                                          NearArm.Joint.X + 3, NearArm.Joint.Y + 4, 13);
    TArt::AddStop(Shield, 0, TArt::Hex(0x6a9aff));
    TArt::AddStop(Shield, 1, TArt::Hex(0x1a2a7a));
    Outlined(Cr, Shield, 1.8);
    cairo_pattern_destroy(Shield);
    cairo_arc(Cr, NearArm.Joint.X + 3, NearArm.Joint.Y + 4, 9.5, 0, 2 * M_PI);
    TArt::SetColour(Cr, TArt::Hex(TPalette::Amber));
    cairo_set_line_width(Cr, 1.5);
    cairo_stroke(Cr);
}

void TRunnerArt::Orc(cairo_t* Cr, int Frame) {
    const double P = Frame * 2 * M_PI / 8;
    const double Bob = -2.5 * std::fabs(std::cos(P));
    const TPoint Hip = {42, 60 + Bob}, Shoulder = {54, 34 + Bob};
    const TRgb Skin = TArt::Hex(0x5a8a3a), Rim = TArt::Hex(TPalette::Orange);
    auto Leg = [&](double Phase) {
        return Pose(Hip, 15, 16, 0.75 * std::sin(Phase), -(0.4 + 0.9 * (0.5 - 0.5 * std::cos(Phase + 0.8))));
    };
    auto Arm = [&](double Phase) { return Pose(Shoulder, 14, 13, -0.9 * std::sin(Phase), 1.0); };
    const TLimb FarArm = Arm(P + M_PI);
    Stroke(Cr, Leg(P + M_PI), 9, Skin, Rim, 0.55);
    Stroke(Cr, FarArm, 8, Skin, Rim, 0.55);
    // Hunched torso under a leather jerkin.
    cairo_move_to(Cr, Hip.X - 9, Hip.Y + 2);
    cairo_curve_to(Cr, Hip.X - 14, Hip.Y - 14, Shoulder.X - 16, Shoulder.Y - 8, Shoulder.X - 2,
                   Shoulder.Y - 6);
    cairo_curve_to(Cr, Shoulder.X + 10, Shoulder.Y - 4, Shoulder.X + 10, Shoulder.Y + 10, Hip.X + 10, Hip.Y);
    cairo_close_path(Cr);
    cairo_pattern_t* Jerkin = cairo_pattern_create_linear(Hip.X - 14, 0, Shoulder.X + 10, 0);
    TArt::AddStop(Jerkin, 0, TArt::Hex(0x2a1810));
    TArt::AddStop(Jerkin, 0.7, TArt::Hex(0x7a4a2a));
    TArt::AddStop(Jerkin, 1, TArt::Hex(0xd8844a));
    Outlined(Cr, Jerkin);
    cairo_pattern_destroy(Jerkin);
    // Head thrust forward, tusks and a glowing eye.
    const TPoint Head = {Shoulder.X + 9, Shoulder.Y - 5};
    cairo_save(Cr);
    cairo_translate(Cr, Head.X, Head.Y);
    cairo_scale(Cr, 1.15, 0.95);
    cairo_arc(Cr, 0, 0, 9, 0, 2 * M_PI);
    cairo_restore(Cr);
    cairo_pattern_t* Face = cairo_pattern_create_radial(Head.X + 4, Head.Y - 3, 1, Head.X, Head.Y, 11);
    TArt::AddStop(Face, 0, TArt::Hex(0xb8d870));
    TArt::AddStop(Face, 0.6, Skin);
    TArt::AddStop(Face, 1, TArt::Hex(0x1e3014));
    Outlined(Cr, Face);
    cairo_pattern_destroy(Face);
    for (double Ear : {-1.0}) {
        TArt::Polygon(
            Cr, {{Head.X - 6, Head.Y - 4}, {Head.X - 15, Head.Y - 10 * -Ear}, {Head.X - 5, Head.Y + 1}});
        TArt::SetColour(Cr, TArt::Hex(0x3a6a2a));
        cairo_fill(Cr);
    }
    TArt::Polygon(Cr, {{Head.X + 7, Head.Y + 4}, {Head.X + 9, Head.Y - 1}, {Head.X + 10, Head.Y + 5}});
    TArt::SetColour(Cr, TArt::Hex(0xfff4d8));
    cairo_fill(Cr);
    TArt::Glow(Cr, 2.5, 1.5, [&](cairo_t* C) {
        TArt::SetColour(C, TArt::Hex(TPalette::Red));
        cairo_arc(C, Head.X + 5, Head.Y - 3, 2, 0, 2 * M_PI);
        cairo_fill(C);
    });
    cairo_arc(Cr, Head.X + 5, Head.Y - 3, 1.3, 0, 2 * M_PI);
    TArt::SetColour(Cr, TArt::Hex(0xffe080));
    cairo_fill(Cr);
    // Near leg and the axe arm.
    Stroke(Cr, Leg(P), 10, Skin, Rim, 1);
    const TLimb NearArm = Arm(P);
    const double Haft = -0.9 + 0.5 * std::sin(P);
    const TPoint Top = {NearArm.End.X + 26 * std::sin(-Haft), NearArm.End.Y - 26 * std::cos(-Haft)};
    cairo_move_to(Cr, NearArm.End.X - 6 * std::sin(-Haft), NearArm.End.Y + 6 * std::cos(-Haft));
    cairo_line_to(Cr, Top.X, Top.Y);
    TArt::SetColour(Cr, TArt::Hex(0x05060e));
    cairo_set_line_width(Cr, 5);
    cairo_stroke_preserve(Cr);
    TArt::SetColour(Cr, TArt::Hex(0x8a5a30));
    cairo_set_line_width(Cr, 3);
    cairo_stroke(Cr);
    cairo_save(Cr);
    cairo_translate(Cr, Top.X, Top.Y);
    cairo_rotate(Cr, Haft);
    cairo_move_to(Cr, 0, -2);
    cairo_curve_to(Cr, -8, -8, -14, -4, -14, 4);
    cairo_curve_to(Cr, -10, 2, -4, 4, 0, 6);
    cairo_close_path(Cr);
    cairo_pattern_t* Blade = cairo_pattern_create_linear(-14, 0, 0, 0);
    TArt::AddStop(Blade, 0, TArt::Hex(0xffd8a0));
    TArt::AddStop(Blade, 1, TArt::Hex(0x6a6a78));
    Outlined(Cr, Blade, 1.2);
    cairo_pattern_destroy(Blade);
    cairo_restore(Cr);
    Stroke(Cr, NearArm, 8, Skin, Rim, 1);
}
