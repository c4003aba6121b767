#include "TContactSheet.h"

#include "TArt.h"
#include "TPictureWriter.h"
#include "runtime/TPngEncoder.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int SheetWidth = 2400;
constexpr int Gap = 16;
constexpr int Label = 18;

struct TPlaced {
    cairo_surface_t* Surface;
    double Scale, X, Y, W, H;
    const TPictureEntry* Entry;
};

} // namespace

void TContactSheet::Checker(cairo_t* Cr, double X, double Y, double W, double H) {
    cairo_save(Cr);
    cairo_rectangle(Cr, X, Y, W, H);
    cairo_clip(Cr);
    cairo_set_source_rgb(Cr, 0.09, 0.09, 0.11);
    cairo_paint(Cr);
    cairo_set_source_rgb(Cr, 0.14, 0.14, 0.17);
    for (int CY = 0; CY * 8 < H; ++CY)
        for (int CX = (CY % 2); CX * 8 < W; CX += 2)
            cairo_rectangle(Cr, X + CX * 8, Y + CY * 8, 8, 8);
    cairo_fill(Cr);
    cairo_restore(Cr);
}

bool TContactSheet::Write(const std::string& Path, const std::vector<TPictureEntry>& Entries) {
    std::vector<TPlaced> Placed;
    double X = Gap, Y = Gap, RowHeight = 0;
    for (const TPictureEntry& Entry : Entries) {
        cairo_surface_t* Surface = TPictureWriter::Render(Entry);
        const double FW = Entry.FileWidth(), FH = Entry.FileHeight();
        const double Scale = FW >= 1000 ? 0.5 : 1.0;
        const double W = FW * Scale, H = FH * Scale;
        if (X + W > SheetWidth - Gap) {
            X = Gap;
            Y += RowHeight + Gap + Label;
            RowHeight = 0;
        }
        Placed.push_back({Surface, Scale, X, Y + Label, W, H, &Entry});
        X += std::max(W, 120.0) + Gap;
        RowHeight = std::max(RowHeight, H);
    }
    const int Height = static_cast<int>(Y + RowHeight + Label + Gap * 2);
    cairo_surface_t* Sheet = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, SheetWidth, Height);
    cairo_t* Cr = cairo_create(Sheet);
    cairo_set_source_rgb(Cr, 0.03, 0.03, 0.04);
    cairo_paint(Cr);
    cairo_select_font_face(Cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(Cr, 13);
    for (const TPlaced& P : Placed) {
        Checker(Cr, P.X, P.Y, P.W, P.H);
        cairo_save(Cr);
        cairo_translate(Cr, P.X, P.Y);
        cairo_scale(Cr, P.Scale, P.Scale);
        cairo_set_source_surface(Cr, P.Surface, 0, 0);
        cairo_paint(Cr);
        cairo_restore(Cr);
        char Text[160];
        std::snprintf(Text, sizeof Text, "%s  %dx%d x%d", P.Entry->Name.c_str(), P.Entry->PtWidth,
                      P.Entry->PtHeight, P.Entry->Patterns);
        cairo_set_source_rgb(Cr, 0.6, 0.9, 1.0);
        cairo_move_to(Cr, P.X, P.Y - 5);
        cairo_show_text(Cr, Text);
        cairo_surface_destroy(P.Surface);
    }
    cairo_destroy(Cr);
    TPicture Picture = TArt::ToPicture(Sheet);
    cairo_surface_destroy(Sheet);
    std::string Error;
    if (!TPngEncoder::Save(Path, Picture, &Error)) {
        std::fprintf(stderr, "PictureGenerator: %s: %s\n", Path.c_str(), Error.c_str());
        return false;
    }
    return true;
}
