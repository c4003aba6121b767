#include "TInterfaceArt.h"

#include "TArt.h"
#include "TGlyphs.h"
#include "TPalette.h"
#include "TShipArt.h"

#include <algorithm>
#include <cmath>

namespace {

const TRgb& Cyan() {
    static const TRgb C = TArt::Hex(TPalette::Cyan);
    return C;
}

} // namespace

void TInterfaceArt::SegmentPath(cairo_t* Cr, double X, double Y) {
    // A slanted bar; with 14 pixels between segments two pixels of gap remain.
    TArt::Polygon(Cr, {{X + 8, Y + 2}, {X + 20, Y + 2}, {X + 13, Y + 29}, {X + 1, Y + 29}});
}

void TInterfaceArt::Segment(cairo_t* Cr, int Kind) {
    const unsigned Colours[] = {0xff3a2a, 0x2ef0b0, 0x46c8ff};
    const TRgb C = TArt::Hex(Colours[Kind]);
    SegmentPath(Cr, 0, 0);
    cairo_pattern_t* Fill = cairo_pattern_create_linear(0, 2, 0, 29);
    TArt::AddStop(Fill, 0, TArt::Mix(C, TArt::Hex(0xffffff), 0.6));
    TArt::AddStop(Fill, 0.4, C);
    TArt::AddStop(Fill, 1, TArt::Scale(C, 0.45));
    cairo_set_source(Cr, Fill);
    cairo_fill_preserve(Cr);
    cairo_pattern_destroy(Fill);
    TArt::SetColour(Cr, TArt::Mix(C, TArt::Hex(0xffffff), 0.4), 0.9);
    cairo_set_line_width(Cr, 1);
    cairo_stroke(Cr);
    cairo_move_to(Cr, 9, 3.5);
    cairo_line_to(Cr, 19, 3.5);
    TArt::SetColour(Cr, TArt::Hex(0xffffff), 0.8);
    cairo_stroke(Cr);
}

void TInterfaceArt::HudPanel(cairo_t* Cr, double X, double Y, double W, double H, double Cut) {
    const std::vector<TPoint> Shape = {{X + Cut, Y},   {X + W - Cut, Y}, {X + W, Y + Cut},
                                       {X + W, Y + H}, {X, Y + H},       {X, Y + Cut}};
    TArt::Polygon(Cr, Shape);
    cairo_pattern_t* Fill = cairo_pattern_create_linear(0, Y, 0, Y + H);
    TArt::AddStop(Fill, 0, TArt::Hex(0x1a6a8a), 0.32);
    TArt::AddStop(Fill, 1, TArt::Hex(0x0a2a4a), 0.18);
    cairo_set_source(Cr, Fill);
    cairo_fill(Cr);
    cairo_pattern_destroy(Fill);
    TArt::Glow(Cr, 4, 0.7, [&](cairo_t* C) {
        TArt::Polygon(C, Shape);
        TArt::SetColour(C, TArt::Hex(TPalette::Teal));
        cairo_set_line_width(C, 2);
        cairo_stroke(C);
    });
    TArt::Polygon(Cr, Shape);
    TArt::SetColour(Cr, Cyan(), 0.75);
    cairo_set_line_width(Cr, 1);
    cairo_stroke(Cr);
}

void TInterfaceArt::Caption(cairo_t* Cr, double CX, double Y, double W) {
    // A soft lit strip under a caption; it fades out at the ends, so any caption length fits.
    cairo_pattern_t* Strip = cairo_pattern_create_linear(CX - W / 2, 0, CX + W / 2, 0);
    TArt::AddStop(Strip, 0, TArt::Hex(0x2a8aa8), 0);
    TArt::AddStop(Strip, 0.5, TArt::Hex(0x2a8aa8), 0.3);
    TArt::AddStop(Strip, 1, TArt::Hex(0x2a8aa8), 0);
    cairo_rectangle(Cr, CX - W / 2, Y, W, 18);
    cairo_set_source(Cr, Strip);
    cairo_fill(Cr);
    cairo_pattern_destroy(Strip);
    cairo_pattern_t* Line = cairo_pattern_create_linear(CX - W / 2, 0, CX + W / 2, 0);
    TArt::AddStop(Line, 0, Cyan(), 0);
    TArt::AddStop(Line, 0.5, TArt::Hex(TPalette::Ice), 0.8);
    TArt::AddStop(Line, 1, Cyan(), 0);
    cairo_rectangle(Cr, CX - W / 2, Y + 18, W, 1);
    cairo_set_source(Cr, Line);
    cairo_fill(Cr);
    cairo_pattern_destroy(Line);
}

void TInterfaceArt::Frame(cairo_t* Cr) {
    cairo_set_line_join(Cr, CAIRO_LINE_JOIN_MITER);
    // Top left: the wave badge at (114, 32) and the read-out bar for time and kills.
    HudPanel(Cr, 140, 16, 348, 34, 8);
    const std::vector<TPoint> Hex = {{114, 2}, {140, 17}, {140, 47}, {114, 62}, {88, 47}, {88, 17}};
    TArt::Polygon(Cr, Hex);
    TArt::SetColour(Cr, TArt::Hex(0x0a3a5a), 0.5);
    cairo_fill(Cr);
    TArt::Glow(Cr, 5, 1.0, [&](cairo_t* C) {
        TArt::Polygon(C, Hex);
        TArt::SetColour(C, Cyan());
        cairo_set_line_width(C, 2.5);
        cairo_stroke(C);
    });
    TArt::Polygon(Cr, Hex);
    TArt::SetColour(Cr, TArt::Hex(TPalette::Ice), 0.9);
    cairo_set_line_width(Cr, 1.2);
    cairo_stroke(Cr);
    cairo_move_to(Cr, 10, 32);
    cairo_line_to(Cr, 84, 32);
    cairo_move_to(Cr, 544, 33);
    cairo_line_to(Cr, 600, 33);
    TArt::SetColour(Cr, Cyan(), 0.45);
    cairo_set_line_width(Cr, 1);
    cairo_stroke(Cr);
    // Top centre tab where the crate countdown appears.
    HudPanel(Cr, 494, -10, 44, 46, 8);
    // Top right: a cradle for the emblem.
    cairo_arc(Cr, 956, 68, 54, 0, 2 * M_PI);
    TArt::SetColour(Cr, TArt::Hex(0x0a3a5a), 0.35);
    cairo_fill(Cr);
    TArt::Glow(Cr, 4, 0.8, [](cairo_t* C) {
        cairo_arc(C, 956, 68, 54, 0, 2 * M_PI);
        TArt::SetColour(C, TArt::Hex(TPalette::Teal));
        cairo_set_line_width(C, 2);
        cairo_stroke(C);
    });
    cairo_arc(Cr, 956, 68, 54, 0, 2 * M_PI);
    TArt::SetColour(Cr, Cyan(), 0.7);
    cairo_set_line_width(Cr, 1);
    cairo_stroke(Cr);
    cairo_move_to(Cr, 1014, 68);
    cairo_line_to(Cr, 1024, 68);
    cairo_move_to(Cr, 898, 68);
    cairo_line_to(Cr, 860, 68);
    cairo_stroke(Cr);

    // Bottom: boost gauge, flight values, energy gauge, score and weapons.
    HudPanel(Cr, 14, 682, 222, 76, 10);
    Caption(Cr, 124, 688, 150);
    HudPanel(Cr, 268, 684, 190, 80, 10);
    HudPanel(Cr, 572, 682, 226, 76, 10);
    Caption(Cr, 621, 688, 130);
    HudPanel(Cr, 800, 640, 216, 124, 12);
    Caption(Cr, 832, 668, 90);
    for (int I = 0; I < 8; ++I)
        SegmentPath(Cr, 27 + 14 * I, 718);
    for (int I = 0; I < 13; ++I)
        SegmentPath(Cr, 588 + 14 * I, 718);
    TArt::SetColour(Cr, TArt::Hex(0x3ab0c8), 0.22);
    cairo_fill_preserve(Cr);
    TArt::SetColour(Cr, Cyan(), 0.35);
    cairo_set_line_width(Cr, 1);
    cairo_stroke(Cr);
    // Boost chevrons after the gauge.
    for (int I = 0; I < 3; ++I) {
        cairo_move_to(Cr, 170 + I * 14, 720);
        cairo_line_to(Cr, 182 + I * 14, 732);
        cairo_line_to(Cr, 170 + I * 14, 744);
    }
    TArt::SetColour(Cr, Cyan(), 0.3 + 0.0);
    cairo_set_line_width(Cr, 3);
    cairo_stroke(Cr);
    // Cells for speed, steering and shield, each with a small engraved sign above.
    for (int I = 0; I < 3; ++I) {
        const double CX = I == 0 ? 305 : I == 1 ? 362 : 420;
        TArt::RoundedRect(Cr, CX - 26, 712, 52, 48, 5);
        TArt::SetColour(Cr, TArt::Hex(0x0a3050), 0.45);
        cairo_fill_preserve(Cr);
        TArt::SetColour(Cr, Cyan(), 0.55);
        cairo_set_line_width(Cr, 1);
        cairo_stroke(Cr);
        cairo_new_path(Cr);
        if (I == 0)
            for (int K = 0; K < 2; ++K) {
                cairo_move_to(Cr, CX - 8 + K * 8, 692);
                cairo_line_to(Cr, CX - 2 + K * 8, 699);
                cairo_line_to(Cr, CX - 8 + K * 8, 706);
            }
        else if (I == 1) {
            cairo_arc(Cr, CX, 706, 9, -M_PI * 0.95, -M_PI * 0.15);
            cairo_move_to(Cr, CX + 9, 700);
            cairo_line_to(Cr, CX + 8, 705);
            cairo_line_to(Cr, CX + 3, 703);
        } else
            TArt::Polygon(Cr,
                          {{CX, 690}, {CX + 8, 694}, {CX + 7, 702}, {CX, 707}, {CX - 7, 702}, {CX - 8, 694}});
        TArt::SetColour(Cr, TArt::Hex(TPalette::Ice), 0.7);
        cairo_set_line_width(Cr, 1.6);
        cairo_stroke(Cr);
    }
    // Weapon and mine slots, and the score read-out. The slots reach down to hold the phazer's
    // selection glow, which sits lower than the icons.
    for (double CX : {934.0, 990.0}) {
        TArt::RoundedRect(Cr, CX - 24, 643, 48, 65, 7);
        TArt::SetColour(Cr, TArt::Hex(0x0a3050), 0.45);
        cairo_fill_preserve(Cr);
        TArt::SetColour(Cr, Cyan(), 0.6);
        cairo_set_line_width(Cr, 1);
        cairo_stroke(Cr);
    }
    TArt::RoundedRect(Cr, 860, 712, 150, 33, 6);
    TArt::SetColour(Cr, TArt::Hex(0x0a3050), 0.45);
    cairo_fill_preserve(Cr);
    TArt::SetColour(Cr, Cyan(), 0.6);
    cairo_stroke(Cr);
    // A thin rail joins the bottom panels.
    cairo_move_to(Cr, 236, 748);
    cairo_line_to(Cr, 268, 748);
    cairo_move_to(Cr, 458, 748);
    cairo_line_to(Cr, 572, 748);
    cairo_move_to(Cr, 798, 748);
    cairo_line_to(Cr, 800, 748);
    TArt::SetColour(Cr, Cyan(), 0.45);
    cairo_set_line_width(Cr, 1);
    cairo_stroke(Cr);
}

void TInterfaceArt::Emblem(cairo_t* Cr, int Size) {
    const double K = Size / 512.0;
    cairo_scale(Cr, K, K);
    cairo_translate(Cr, 256, 256);
    TArt::Glow(Cr, 18, 1.2, [](cairo_t* C) {
        cairo_arc(C, 0, 0, 200, 0, 2 * M_PI);
        TArt::SetColour(C, TArt::Hex(TPalette::Teal));
        cairo_set_line_width(C, 14);
        cairo_stroke(C);
    });
    cairo_pattern_t* Disc = cairo_pattern_create_radial(0, -40, 20, 0, 0, 200);
    TArt::AddStop(Disc, 0, TArt::Hex(0x3a2a8a), 0.9);
    TArt::AddStop(Disc, 0.7, TArt::Hex(0x140c3a), 0.9);
    TArt::AddStop(Disc, 1, TArt::Hex(0x060a1e), 0.95);
    cairo_arc(Cr, 0, 0, 196, 0, 2 * M_PI);
    cairo_set_source(Cr, Disc);
    cairo_fill(Cr);
    cairo_pattern_destroy(Disc);
    cairo_arc(Cr, 0, 0, 200, 0, 2 * M_PI);
    TArt::SetColour(Cr, TArt::Hex(TPalette::Ice));
    cairo_set_line_width(Cr, 6);
    cairo_stroke(Cr);
    cairo_arc(Cr, 0, 0, 178, 0, 2 * M_PI);
    TArt::SetColour(Cr, Cyan(), 0.6);
    cairo_set_line_width(Cr, 2);
    cairo_stroke(Cr);
    // Tick marks round the ring, like a gun sight.
    for (int I = 0; I < 4; ++I) {
        cairo_save(Cr);
        cairo_rotate(Cr, I * M_PI / 2);
        TArt::Polygon(Cr, {{0, -232}, {12, -214}, {0, -206}, {-12, -214}});
        TArt::SetColour(Cr, TArt::Hex(TPalette::Orange));
        cairo_fill(Cr);
        cairo_restore(Cr);
    }
    // The fighter climbing through the ring.
    cairo_save(Cr);
    cairo_rotate(Cr, -M_PI / 2 - 0.35);
    cairo_scale(Cr, 2.3, 2.3);
    cairo_translate(Cr, -72, -56);
    TShipArt::Draw(Cr, 0);
    cairo_restore(Cr);
}

void TInterfaceArt::DialogPanel(cairo_t* Cr) {
    // The body is 496 x 176 at the top-left; the drop shadow to the lower right puts its middle at
    // (512, 396) when the picture is centred on (520, 404).
    TArt::Glow(Cr, 8, 1.0, [](cairo_t* C) {
        TArt::RoundedRect(C, 12, 12, 490, 170, 14);
        TArt::SetColour(C, TArt::Hex(0x000000));
        cairo_fill(C);
    });
    cairo_set_operator(Cr, CAIRO_OPERATOR_OVER);
    TArt::RoundedRect(Cr, 12, 12, 490, 170, 14);
    TArt::SetColour(Cr, TArt::Hex(0x000000), 0.45);
    cairo_fill(Cr);
    TArt::RoundedRect(Cr, 4, 4, 488, 168, 12);
    cairo_pattern_t* Fill = cairo_pattern_create_linear(0, 4, 0, 172);
    TArt::AddStop(Fill, 0, TArt::Hex(0x17234a), 0.96);
    TArt::AddStop(Fill, 1, TArt::Hex(0x070a1c), 0.96);
    cairo_set_source(Cr, Fill);
    cairo_fill(Cr);
    cairo_pattern_destroy(Fill);
    TArt::RoundedRect(Cr, 4, 4, 488, 168, 12);
    TArt::SetColour(Cr, Cyan(), 0.9);
    cairo_set_line_width(Cr, 1.5);
    cairo_stroke(Cr);
    TArt::RoundedRect(Cr, 10, 10, 476, 156, 8);
    TArt::SetColour(Cr, TArt::Hex(TPalette::Teal), 0.35);
    cairo_set_line_width(Cr, 1);
    cairo_stroke(Cr);
    // Header band with warning hatching at both ends.
    cairo_rectangle(Cr, 10, 10, 476, 20);
    TArt::SetColour(Cr, TArt::Hex(0x1a4a6a), 0.6);
    cairo_fill(Cr);
    for (int I = 0; I < 6; ++I)
        for (double Base : {18.0, 410.0}) {
            TArt::Polygon(Cr, {{Base + I * 11, 30},
                               {Base + I * 11 + 6, 30},
                               {Base + I * 11 + 14, 10},
                               {Base + I * 11 + 8, 10}});
            TArt::SetColour(Cr, TArt::Hex(TPalette::Orange), 0.85);
            cairo_fill(Cr);
        }
    cairo_move_to(Cr, 120, 70);
    cairo_line_to(Cr, 376, 70);
    cairo_pattern_t* Line = cairo_pattern_create_linear(120, 0, 376, 0);
    TArt::AddStop(Line, 0, Cyan(), 0);
    TArt::AddStop(Line, 0.5, Cyan(), 0.8);
    TArt::AddStop(Line, 1, Cyan(), 0);
    cairo_set_source(Cr, Line);
    cairo_stroke(Cr);
    cairo_pattern_destroy(Line);
}

void TInterfaceArt::Lettering(cairo_t* Cr, const char* Text, double X, double Y, double W, double H,
                              double Gap, double Stroke) {
    cairo_set_line_cap(Cr, CAIRO_LINE_CAP_SQUARE);
    cairo_set_line_join(Cr, CAIRO_LINE_JOIN_MITER);
    TArt::Glow(Cr, Stroke * 1.6, 1.2, [&](cairo_t* C) {
        cairo_set_line_cap(C, CAIRO_LINE_CAP_SQUARE);
        TGlyphs::Word(C, Text, X, Y, W, H, Gap);
        TArt::SetColour(C, Cyan());
        cairo_set_line_width(C, Stroke * 1.4);
        cairo_stroke(C);
    });
    TGlyphs::Word(Cr, Text, X, Y, W, H, Gap);
    cairo_set_line_width(Cr, Stroke + 2);
    TArt::SetColour(Cr, TArt::Hex(0x0a0a2a));
    cairo_stroke_preserve(Cr);
    cairo_pattern_t* Fill = cairo_pattern_create_linear(0, Y, 0, Y + H);
    TArt::AddStop(Fill, 0, TArt::Hex(0xffffff));
    TArt::AddStop(Fill, 0.45, TArt::Hex(0xbff4ff));
    TArt::AddStop(Fill, 0.55, TArt::Hex(TPalette::Cyan));
    TArt::AddStop(Fill, 1, TArt::Hex(0x6a5ae0));
    cairo_set_source(Cr, Fill);
    cairo_set_line_width(Cr, Stroke);
    cairo_stroke(Cr);
    cairo_pattern_destroy(Fill);
}

void TInterfaceArt::Title(cairo_t* Cr) {
    // The menu's lowest button can end 20 rows into the picture over its left quarter, so the
    // lettering and its glow start below that.
    const double Width = TGlyphs::Measure("ZERATHON", 40, 12);
    Lettering(Cr, "ZERATHON", (444 - Width) / 2, 38, 40, 50, 12, 7);
    // An orange spark underlines it: the warm accent of the enemies.
    cairo_pattern_t* Line = cairo_pattern_create_linear(40, 0, 404, 0);
    TArt::AddStop(Line, 0, TArt::Hex(TPalette::Orange), 0);
    TArt::AddStop(Line, 0.5, TArt::Hex(TPalette::Amber), 1);
    TArt::AddStop(Line, 1, TArt::Hex(TPalette::Orange), 0);
    cairo_rectangle(Cr, 40, 98, 364, 2);
    cairo_set_source(Cr, Line);
    cairo_fill(Cr);
    cairo_pattern_destroy(Line);
    TArt::Glow(Cr, 5, 1.4, [](cairo_t* C) {
        TArt::SetColour(C, TArt::Hex(TPalette::Orange));
        cairo_arc(C, 222, 99, 4, 0, 2 * M_PI);
        cairo_fill(C);
    });
}

void TInterfaceArt::Button(cairo_t* Cr, int Pattern) {
    // The hit area is 188 x 25 at (25, 17); the margin leaves room for the hover glow. The caption is
    // pale on the dark face and dark green on the lit face, so both faces are opaque behind it.
    const std::vector<TPoint> Shape = {{33, 17}, {213, 17}, {213, 34}, {205, 42}, {25, 42}, {25, 25}};
    if (Pattern == 1) {
        TArt::Glow(Cr, 9, 1.3, [&](cairo_t* C) {
            TArt::Polygon(C, Shape);
            TArt::SetColour(C, Cyan());
            cairo_set_line_width(C, 4);
            cairo_stroke(C);
        });
        TArt::Polygon(Cr, Shape);
        LitFace(Cr, 17, 42);
        TArt::SetColour(Cr, Cyan());
        cairo_set_line_width(Cr, 1.5);
        cairo_stroke(Cr);
        return;
    }
    TArt::Polygon(Cr, Shape);
    DarkFace(Cr, 17, 42, TArt::Hex(0x1e3a66));
    TArt::SetColour(Cr, TArt::Hex(TPalette::Teal), 0.9);
    cairo_set_line_width(Cr, 1.2);
    cairo_stroke(Cr);
    for (double X : {29.0, 209.0}) {
        cairo_rectangle(Cr, X - 1.5, 26, 3, 9);
        TArt::SetColour(Cr, Cyan());
        cairo_fill(Cr);
    }
}

void TInterfaceArt::LitFace(cairo_t* Cr, double Top, double Bottom) {
    // Lit from above, pale enough all the way down for the dark hover caption.
    cairo_pattern_t* Fill = cairo_pattern_create_linear(0, Top, 0, Bottom);
    TArt::AddStop(Fill, 0, TArt::Hex(0xffffff));
    TArt::AddStop(Fill, 1, TArt::Hex(0xd8f6ff));
    cairo_set_source(Cr, Fill);
    cairo_fill_preserve(Cr);
    cairo_pattern_destroy(Fill);
}

void TInterfaceArt::DarkFace(cairo_t* Cr, double Top, double Bottom, TRgb Upper) {
    cairo_pattern_t* Fill = cairo_pattern_create_linear(0, Top, 0, Bottom);
    TArt::AddStop(Fill, 0, Upper);
    TArt::AddStop(Fill, 1, TArt::Hex(0x0a1230));
    cairo_set_source(Cr, Fill);
    cairo_fill_preserve(Cr);
    cairo_pattern_destroy(Fill);
}

void TInterfaceArt::AnimButton(cairo_t* Cr, int Pattern) {
    // Caption sits at (100, 37): a bar along the lower right, a round emblem at the left. Lit when
    // hovered, like the plain button.
    const std::vector<TPoint> Bar = {{84, 28}, {332, 28}, {343, 39}, {343, 57}, {96, 57}, {84, 45}};
    const bool Hover = Pattern == 1;
    if (Hover) {
        TArt::Glow(Cr, 6, 1.3, [&](cairo_t* C) {
            TArt::Polygon(C, Bar);
            cairo_arc(C, 44, 30, 23, 0, 2 * M_PI);
            TArt::SetColour(C, Cyan());
            cairo_set_line_width(C, 3);
            cairo_stroke(C);
        });
    }
    TArt::Polygon(Cr, Bar);
    if (Hover)
        LitFace(Cr, 28, 57);
    else
        DarkFace(Cr, 28, 57, TArt::Hex(0x1c3463));
    TArt::SetColour(Cr, Hover ? Cyan() : TArt::Hex(TPalette::Teal), 0.95);
    cairo_set_line_width(Cr, 1.3);
    cairo_stroke(Cr);
    cairo_move_to(Cr, 80, 20.5);
    cairo_line_to(Cr, 300, 20.5);
    cairo_pattern_t* Line = cairo_pattern_create_linear(80, 0, 300, 0);
    TArt::AddStop(Line, 0, Cyan(), 0.9);
    TArt::AddStop(Line, 1, Cyan(), 0);
    cairo_set_source(Cr, Line);
    cairo_set_line_width(Cr, 1.5);
    cairo_stroke(Cr);
    cairo_pattern_destroy(Line);
    // Emblem disc with a chevron.
    cairo_pattern_t* Disc = cairo_pattern_create_radial(38, 22, 2, 44, 30, 22);
    TArt::AddStop(Disc, 0, Hover ? TArt::Hex(0x6af0ff) : TArt::Hex(0x3a5a9a));
    TArt::AddStop(Disc, 1, TArt::Hex(0x0a1230));
    cairo_arc(Cr, 44, 30, 21, 0, 2 * M_PI);
    cairo_set_source(Cr, Disc);
    cairo_fill_preserve(Cr);
    cairo_pattern_destroy(Disc);
    TArt::SetColour(Cr, Hover ? TArt::Hex(0xffffff) : Cyan(), 0.9);
    cairo_set_line_width(Cr, 1.5);
    cairo_stroke(Cr);
    cairo_move_to(Cr, 38, 20);
    cairo_line_to(Cr, 50, 30);
    cairo_line_to(Cr, 38, 40);
    TArt::SetColour(Cr, Hover ? TArt::Hex(0xffffff) : TArt::Hex(TPalette::Amber));
    cairo_set_line_width(Cr, 4);
    cairo_stroke(Cr);
}

void TInterfaceArt::ScrollBar(cairo_t* Cr, int Pattern) {
    // Caps paint only their top 7 rows and the body slice only its top row: the list draws a slice
    // at every pixel of the thumb, over the bottom cap, so anything below would smear.
    const TRgb Thumb = TArt::Hex(0x3ab8d0);
    if (Pattern == 0 || Pattern == 2) {
        TArt::RoundedRect(Cr, 1.5, 1.5, 18, 18, 4);
        TArt::SetColour(Cr, TArt::Hex(0x122448), 0.95);
        cairo_fill_preserve(Cr);
        TArt::SetColour(Cr, TArt::Hex(TPalette::Teal));
        cairo_set_line_width(Cr, 1);
        cairo_stroke(Cr);
        const double Dir = Pattern == 0 ? 1 : -1;
        TArt::Polygon(Cr, {{10.5, 10.5 - 4 * Dir}, {15, 10.5 + 3 * Dir}, {6, 10.5 + 3 * Dir}});
        TArt::SetColour(Cr, Cyan());
        cairo_fill(Cr);
    } else if (Pattern == 1) {
        cairo_rectangle(Cr, 2, 0, 17, 21);
        TArt::SetColour(Cr, TArt::Hex(0x0a1430), 0.9);
        cairo_fill(Cr);
        cairo_rectangle(Cr, 10, 0, 1, 21);
        TArt::SetColour(Cr, TArt::Hex(TPalette::Teal), 0.5);
        cairo_fill(Cr);
        cairo_rectangle(Cr, 2, 0, 1, 21);
        cairo_rectangle(Cr, 18, 0, 1, 21);
        TArt::SetColour(Cr, TArt::Hex(0x1e4a6a));
        cairo_fill(Cr);
    } else if (Pattern == 3 || Pattern == 4) {
        cairo_save(Cr);
        cairo_rectangle(Cr, 0, 0, 21, 7);
        cairo_clip(Cr);
        TArt::RoundedRect(Cr, 4, Pattern == 3 ? 0 : -8, 13, 15, 5);
        TArt::SetColour(Cr, Thumb);
        cairo_fill(Cr);
        cairo_move_to(Cr, 6, Pattern == 3 ? 1.5 : 5.5);
        cairo_line_to(Cr, 15, Pattern == 3 ? 1.5 : 5.5);
        TArt::SetColour(Cr, TArt::Hex(Pattern == 3 ? 0xe8ffff : 0x1a5a70));
        cairo_set_line_width(Cr, 1);
        cairo_stroke(Cr);
        cairo_restore(Cr);
    } else {
        cairo_rectangle(Cr, 4, 0, 13, 1);
        TArt::SetColour(Cr, Thumb);
        cairo_fill(Cr);
        cairo_rectangle(Cr, 5, 0, 2, 1);
        TArt::SetColour(Cr, TArt::Hex(0xbff4ff));
        cairo_fill(Cr);
    }
}

void TInterfaceArt::StudioMark(cairo_t* Cr, double CX, double CY, double R) {
    // A diamond with a kestrel's wings folded into a K.
    const std::vector<TPoint> Diamond = {{CX, CY - R}, {CX + R, CY}, {CX, CY + R}, {CX - R, CY}};
    TArt::Glow(Cr, R * 0.12, 1.2, [&](cairo_t* C) {
        TArt::Polygon(C, Diamond);
        TArt::SetColour(C, TArt::Hex(TPalette::Magenta));
        cairo_set_line_width(C, R * 0.08);
        cairo_stroke(C);
    });
    TArt::Polygon(Cr, Diamond);
    cairo_pattern_t* Fill = cairo_pattern_create_linear(CX, CY - R, CX, CY + R);
    TArt::AddStop(Fill, 0, TArt::Hex(0x3a1a7a), 0.95);
    TArt::AddStop(Fill, 1, TArt::Hex(0x0a0820), 0.95);
    cairo_set_source(Cr, Fill);
    cairo_fill_preserve(Cr);
    cairo_pattern_destroy(Fill);
    TArt::SetColour(Cr, TArt::Hex(0xf0d8ff));
    cairo_set_line_width(Cr, R * 0.035);
    cairo_stroke(Cr);
    const double S = R / 100;
    auto Wings = [&](cairo_t* C) {
        TArt::Polygon(C, {{CX - 30 * S, CY - 55 * S},
                          {CX - 14 * S, CY - 55 * S},
                          {CX - 14 * S, CY + 55 * S},
                          {CX - 30 * S, CY + 55 * S}});
        TArt::Polygon(C, {{CX - 8 * S, CY + 2 * S}, {CX + 42 * S, CY - 50 * S}, {CX + 26 * S, CY - 14 * S}});
        TArt::Polygon(C, {{CX - 8 * S, CY + 6 * S}, {CX + 46 * S, CY + 52 * S}, {CX + 20 * S, CY + 20 * S}});
    };
    TArt::Glow(Cr, 8 * S, 1.3, [&](cairo_t* C) {
        Wings(C);
        TArt::SetColour(C, TArt::Hex(TPalette::Amber));
        cairo_fill(C);
    });
    Wings(Cr);
    cairo_pattern_t* Gold = cairo_pattern_create_linear(CX, CY - 55 * S, CX, CY + 55 * S);
    TArt::AddStop(Gold, 0, TArt::Hex(0xfff4d0));
    TArt::AddStop(Gold, 0.5, TArt::Hex(TPalette::Amber));
    TArt::AddStop(Gold, 1, TArt::Hex(TPalette::Orange));
    cairo_set_source(Cr, Gold);
    cairo_fill(Cr);
    cairo_pattern_destroy(Gold);
}

void TInterfaceArt::StudioLogo(cairo_t* Cr, int Width, int Height) {
    const double Mark = Height * 0.36;
    // Letters as tall as the height allows, narrower if the width runs out.
    const double H = std::min(Height * 0.3, (Width * 0.9 - 2 * Mark - Height * 0.12) / 7.16);
    const double W = H * 0.72, Gap = H * 0.2;
    const double Text = TGlyphs::Measure("KESTRUNE", W, Gap);
    const double Total = Mark * 2 + Height * 0.12 + Text;
    const double Left = (Width - Total) / 2;
    StudioMark(Cr, Left + Mark, Height / 2.0, Mark);
    const double TX = Left + Mark * 2 + Height * 0.12, TY = Height / 2.0 - H * 0.62;
    Lettering(Cr, "KESTRUNE", TX, TY, W, H, Gap, H * 0.11);
    const double Small = H * 0.26;
    const double SmallWidth = TGlyphs::Measure("STUDIO", Small * 0.8, Small * 0.7);
    cairo_set_line_cap(Cr, CAIRO_LINE_CAP_SQUARE);
    TGlyphs::Word(Cr, "STUDIO", TX + Text - SmallWidth, TY + H * 1.3, Small * 0.8, Small, Small * 0.7);
    TArt::SetColour(Cr, TArt::Hex(0xe0b8ff));
    cairo_set_line_width(Cr, std::max(1.2, Small * 0.14));
    cairo_stroke(Cr);
    cairo_move_to(Cr, TX, TY + H * 1.3 + Small / 2);
    cairo_line_to(Cr, TX + Text - SmallWidth - Small, TY + H * 1.3 + Small / 2);
    TArt::SetColour(Cr, TArt::Hex(TPalette::Magenta), 0.8);
    cairo_set_line_width(Cr, std::max(1.0, Small * 0.08));
    cairo_stroke(Cr);
}

void TInterfaceArt::StudioSymbol(cairo_t* Cr) {
    cairo_pattern_t* Halo = cairo_pattern_create_radial(256, 256, 0, 256, 256, 250);
    TArt::AddStop(Halo, 0, TArt::Hex(0x5b2b9c), 0.55);
    TArt::AddStop(Halo, 0.6, TArt::Hex(0x2a1458), 0.25);
    TArt::AddStop(Halo, 1, TArt::Hex(0x1a0f3a), 0);
    cairo_set_source(Cr, Halo);
    cairo_paint(Cr);
    cairo_pattern_destroy(Halo);
    StudioMark(Cr, 256, 256, 170);
}
