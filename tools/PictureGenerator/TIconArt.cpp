#include "TIconArt.h"

#include "TArt.h"
#include "TPalette.h"
#include "TRocketArt.h"
#include "TShipArt.h"
#include "runtime/TFile.h"
#include "runtime/TPngEncoder.h"

#include <cmath>
#include <cstdio>

namespace {

const int IconSizes[] = {48, 128, 256};
// The sizes Explorer, the task bar and the title bar ask for.
const int WindowsIconSizes[] = {16, 32, 48, 256};

} // namespace

void TIconArt::Tile(cairo_t* Cr) {
    TArt::RoundedRect(Cr, 8, 8, 240, 240, 44);
    cairo_pattern_t* Space = cairo_pattern_create_radial(150, 96, 10, 128, 128, 190);
    TArt::AddStop(Space, 0, TArt::Hex(0x4a2090));
    TArt::AddStop(Space, 0.45, TArt::Hex(TPalette::DeepViolet));
    TArt::AddStop(Space, 1, TArt::Hex(TPalette::Navy));
    cairo_set_source(Cr, Space);
    cairo_fill_preserve(Cr);
    cairo_pattern_destroy(Space);
    cairo_set_line_width(Cr, 5);
    TArt::SetColour(Cr, TArt::Hex(TPalette::Teal), 0.9);
    cairo_stroke(Cr);
    // A few fixed stars: the tile stays readable at 48 pixels, so no more than a handful.
    const TPoint Stars[] = {{54, 62}, {196, 52}, {212, 170}, {70, 200}, {120, 40}, {40, 130}};
    for (const TPoint& Star : Stars) {
        TArt::SetColour(Cr, TArt::Hex(TPalette::Ice), 0.8);
        cairo_arc(Cr, Star.X, Star.Y, 2.2, 0, 2 * M_PI);
        cairo_fill(Cr);
    }
}

void TIconArt::RocketTrail(cairo_t* Cr) {
    TArt::Glow(Cr, 6, 1.4, [](cairo_t* C) {
        cairo_move_to(C, 196, 236);
        cairo_curve_to(C, 120, 250, 40, 236, 58, 196);
        cairo_set_line_width(C, 6);
        cairo_set_line_cap(C, CAIRO_LINE_CAP_ROUND);
        TArt::SetColour(C, TArt::Hex(TPalette::Orange), 0.9);
        cairo_stroke(C);
    });
    // The rocket turns up after the fighter, nose towards it.
    cairo_save(Cr);
    cairo_translate(Cr, 64, 182);
    cairo_rotate(Cr, -1.35);
    cairo_scale(Cr, 1.2, 1.2);
    cairo_translate(Cr, -32, -16);
    TRocketArt::Hornet(Cr, 0);
    cairo_restore(Cr);
}

void TIconArt::Draw(cairo_t* Cr, int Size) {
    cairo_save(Cr);
    cairo_scale(Cr, Size / 256.0, Size / 256.0);
    Tile(Cr);
    TArt::RoundedRect(Cr, 8, 8, 240, 240, 44);
    cairo_clip(Cr);
    RocketTrail(Cr);
    // The fighter climbs towards the upper right, scaled up so its shape reads at small sizes.
    cairo_translate(Cr, 150, 112);
    cairo_rotate(Cr, -0.75);
    cairo_scale(Cr, 1.45, 1.45);
    cairo_translate(Cr, -72, -56);
    TShipArt::Draw(Cr, 0);
    cairo_restore(Cr);
}

TPicture TIconArt::Render(int Size) {
    cairo_surface_t* Surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, Size, Size);
    cairo_t* Cr = cairo_create(Surface);
    Draw(Cr, Size);
    cairo_destroy(Cr);
    cairo_surface_flush(Surface);
    const TPicture Picture = TArt::ToPicture(Surface);
    cairo_surface_destroy(Surface);
    return Picture;
}

// Windows takes its icons from one .ico file holding every size; each entry may be a whole PNG.
std::vector<uint8_t> TIconArt::WindowsIcon() {
    const auto Put16 = [](std::vector<uint8_t>& Out, uint32_t Value) {
        Out.push_back(static_cast<uint8_t>(Value));
        Out.push_back(static_cast<uint8_t>(Value >> 8));
    };
    const auto Put32 = [&](std::vector<uint8_t>& Out, uint32_t Value) {
        Put16(Out, Value & 0xFFFF);
        Put16(Out, Value >> 16);
    };
    std::vector<std::vector<uint8_t>> Images;
    for (int Size : WindowsIconSizes) {
        Images.emplace_back();
        if (!TPngEncoder::Encode(Render(Size), Images.back()))
            return {};
    }
    std::vector<uint8_t> Icon;
    Put16(Icon, 0);
    Put16(Icon, 1);
    Put16(Icon, static_cast<uint32_t>(Images.size()));
    uint32_t Offset = static_cast<uint32_t>(6 + 16 * Images.size());
    for (size_t I = 0; I < Images.size(); ++I) {
        // A side of 256 is written as 0.
        Icon.push_back(static_cast<uint8_t>(WindowsIconSizes[I] & 0xFF));
        Icon.push_back(static_cast<uint8_t>(WindowsIconSizes[I] & 0xFF));
        Icon.push_back(0);
        Icon.push_back(0);
        Put16(Icon, 1);
        Put16(Icon, 32);
        Put32(Icon, static_cast<uint32_t>(Images[I].size()));
        Put32(Icon, Offset);
        Offset += static_cast<uint32_t>(Images[I].size());
    }
    for (const std::vector<uint8_t>& Image : Images)
        Icon.insert(Icon.end(), Image.begin(), Image.end());
    return Icon;
}

bool TIconArt::WriteAll(const std::string& Folder) {
    std::string Error;
    for (int Size : IconSizes) {
        const std::string Path = Folder + "/zerathon-" + std::to_string(Size) + ".png";
        if (!TPngEncoder::Save(Path, Render(Size), &Error)) {
            std::fprintf(stderr, "PictureGenerator: %s: %s\n", Path.c_str(), Error.c_str());
            return false;
        }
        std::printf("%-16s %4d x %d\n", Path.c_str(), Size, Size);
    }
    const std::string IconPath = Folder + "/zerathon.ico";
    const std::vector<uint8_t> Icon = WindowsIcon();
    if (Icon.empty() || !TFile::WriteAtomic(IconPath, Icon.data(), Icon.size(), &Error)) {
        std::fprintf(stderr, "PictureGenerator: %s: %s\n", IconPath.c_str(), Error.c_str());
        return false;
    }
    std::printf("%-16s 16, 32, 48, 256\n", IconPath.c_str());
    return true;
}
