#include "TArt.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

TRgb TArt::Hex(unsigned Value) {
    return {((Value >> 16) & 255) / 255.0, ((Value >> 8) & 255) / 255.0, (Value & 255) / 255.0};
}

TRgb TArt::Mix(TRgb A, TRgb B, double T) {
    return {A.R + (B.R - A.R) * T, A.G + (B.G - A.G) * T, A.B + (B.B - A.B) * T};
}

TRgb TArt::Scale(TRgb C, double K) {
    return {C.R * K, C.G * K, C.B * K};
}

void TArt::SetColour(cairo_t* Cr, TRgb C, double Alpha) {
    cairo_set_source_rgba(Cr, C.R, C.G, C.B, Alpha);
}

void TArt::AddStop(cairo_pattern_t* Gradient, double Offset, TRgb C, double Alpha) {
    cairo_pattern_add_color_stop_rgba(Gradient, Offset, C.R, C.G, C.B, Alpha);
}

void TArt::RoundedRect(cairo_t* Cr, double X, double Y, double W, double H, double R) {
    cairo_new_sub_path(Cr);
    cairo_arc(Cr, X + W - R, Y + R, R, -M_PI / 2, 0);
    cairo_arc(Cr, X + W - R, Y + H - R, R, 0, M_PI / 2);
    cairo_arc(Cr, X + R, Y + H - R, R, M_PI / 2, M_PI);
    cairo_arc(Cr, X + R, Y + R, R, M_PI, 1.5 * M_PI);
    cairo_close_path(Cr);
}

void TArt::Polygon(cairo_t* Cr, const std::vector<TPoint>& Points) {
    cairo_new_sub_path(Cr);
    for (const TPoint& P : Points)
        cairo_line_to(Cr, P.X, P.Y);
    cairo_close_path(Cr);
}

void TArt::MirroredOutline(cairo_t* Cr, const std::vector<TPoint>& Half) {
    cairo_new_sub_path(Cr);
    for (const TPoint& P : Half)
        cairo_line_to(Cr, P.X, P.Y);
    for (auto It = Half.rbegin(); It != Half.rend(); ++It)
        cairo_line_to(Cr, It->X, -It->Y);
    cairo_close_path(Cr);
}

void TArt::Glow(cairo_t* Cr, double Radius, double Strength, const std::function<void(cairo_t*)>& Shape) {
    cairo_save(Cr);
    cairo_push_group(Cr);
    cairo_save(Cr);
    Shape(Cr);
    cairo_restore(Cr);
    cairo_pattern_t* Layer = cairo_pop_group(Cr);
    cairo_surface_t* Surface = nullptr;
    if (cairo_pattern_get_surface(Layer, &Surface) == CAIRO_STATUS_SUCCESS &&
        cairo_surface_get_type(Surface) == CAIRO_SURFACE_TYPE_IMAGE)
        Blur(Surface, std::max(1, static_cast<int>(std::lround(Radius / 1.7))));
    cairo_set_source(Cr, Layer);
    cairo_set_operator(Cr, CAIRO_OPERATOR_ADD);
    cairo_paint_with_alpha(Cr, std::min(1.0, Strength));
    if (Strength > 1)
        cairo_paint_with_alpha(Cr, std::min(1.0, Strength - 1));
    cairo_pattern_destroy(Layer);
    cairo_restore(Cr);
}

namespace {

// One box pass along rows (Step 4 bytes) or columns (Step = stride) over premultiplied bytes.
void BoxPass(uint8_t* Data, int Count, int Lines, int Step, int LineStep, int Radius) {
    std::vector<int> Line(static_cast<size_t>(Count) * 4);
    const int Window = 2 * Radius + 1;
    for (int L = 0; L < Lines; ++L) {
        uint8_t* Base = Data + static_cast<size_t>(L) * LineStep;
        for (int I = 0; I < Count; ++I)
            for (int C = 0; C < 4; ++C)
                Line[I * 4 + C] = Base[static_cast<size_t>(I) * Step + C];
        for (int C = 0; C < 4; ++C) {
            int Sum = 0;
            for (int I = -Radius; I <= Radius; ++I)
                if (I >= 0 && I < Count)
                    Sum += Line[I * 4 + C];
            for (int I = 0; I < Count; ++I) {
                Base[static_cast<size_t>(I) * Step + C] = static_cast<uint8_t>((Sum + Window / 2) / Window);
                const int Out = I - Radius, In = I + Radius + 1;
                if (Out >= 0)
                    Sum -= Line[Out * 4 + C];
                if (In < Count)
                    Sum += Line[In * 4 + C];
            }
        }
    }
}

} // namespace

void TArt::Blur(cairo_surface_t* Surface, int Radius) {
    cairo_surface_flush(Surface);
    uint8_t* Data = cairo_image_surface_get_data(Surface);
    const int W = cairo_image_surface_get_width(Surface);
    const int H = cairo_image_surface_get_height(Surface);
    const int Stride = cairo_image_surface_get_stride(Surface);
    if (!Data || W <= 0 || H <= 0)
        return;
    for (int Pass = 0; Pass < 3; ++Pass) {
        BoxPass(Data, W, H, 4, Stride, Radius);
        BoxPass(Data, H, W, Stride, 4, Radius);
    }
    cairo_surface_mark_dirty(Surface);
}

void TArt::PaintPixels(cairo_t* Cr, int Width, int Height,
                       const std::function<void(double X, double Y, TRgb& C, double& A)>& Paint) {
    cairo_surface_t* Block = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, Width, Height);
    uint8_t* Data = cairo_image_surface_get_data(Block);
    const int Stride = cairo_image_surface_get_stride(Block);
    for (int Y = 0; Y < Height; ++Y) {
        auto* Row = reinterpret_cast<uint32_t*>(Data + static_cast<size_t>(Y) * Stride);
        for (int X = 0; X < Width; ++X) {
            TRgb C;
            double A = 0;
            Paint(X + 0.5, Y + 0.5, C, A);
            A = Clamp01(A);
            auto Byte = [A](double V) { return static_cast<uint32_t>(std::lround(Clamp01(V) * A * 255)); };
            Row[X] = static_cast<uint32_t>(std::lround(A * 255)) << 24 | Byte(C.R) << 16 | Byte(C.G) << 8 |
                     Byte(C.B);
        }
    }
    cairo_surface_mark_dirty(Block);
    cairo_set_source_surface(Cr, Block, 0, 0);
    cairo_paint(Cr);
    cairo_surface_destroy(Block);
}

TPicture TArt::ToPicture(cairo_surface_t* Surface) {
    cairo_surface_flush(Surface);
    TPicture Out;
    Out.Width = cairo_image_surface_get_width(Surface);
    Out.Height = cairo_image_surface_get_height(Surface);
    Out.Pixels.resize(static_cast<size_t>(Out.Width) * Out.Height);
    const uint8_t* Data = cairo_image_surface_get_data(Surface);
    const int Stride = cairo_image_surface_get_stride(Surface);
    for (int Y = 0; Y < Out.Height; ++Y) {
        const auto* Row = reinterpret_cast<const uint32_t*>(Data + static_cast<size_t>(Y) * Stride);
        for (int X = 0; X < Out.Width; ++X) {
            const uint32_t P = Row[X];
            const uint32_t A = P >> 24;
            auto Straight = [A](uint32_t V) { return A == 0 ? 0u : std::min(255u, (V * 255 + A / 2) / A); };
            const uint32_t R = Straight((P >> 16) & 255), G = Straight((P >> 8) & 255), B = Straight(P & 255);
            Out.At(X, Y) = A << 24 | B << 16 | G << 8 | R;
        }
    }
    return Out;
}

double TArt::Clamp01(double V) {
    return std::clamp(V, 0.0, 1.0);
}

double TArt::Smooth(double Edge0, double Edge1, double V) {
    const double T = Clamp01((V - Edge0) / (Edge1 - Edge0));
    return T * T * (3 - 2 * T);
}
