// Draws the game's pictures procedurally and writes them with the texture list into a data directory.
// Deterministic: the same sources give the same files byte for byte.
#include "runtime/TPicture.h"
#include "runtime/TPngEncoder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

struct TColour {
    float R = 0, G = 0, B = 0, A = 0;
};

// A canvas of straight (not premultiplied) colours with "over" compositing.
class TSheet {
  public:
    TSheet(int Width, int Height)
        : Width(Width), Height(Height), Pixels(static_cast<size_t>(Width) * Height) {}

    void Blend(int X, int Y, TColour C) {
        if (X < 0 || Y < 0 || X >= Width || Y >= Height || C.A <= 0)
            return;
        TColour& D = Pixels[static_cast<size_t>(Y) * Width + X];
        const float A = C.A + D.A * (1 - C.A);
        if (A <= 0)
            return;
        D.R = (C.R * C.A + D.R * D.A * (1 - C.A)) / A;
        D.G = (C.G * C.A + D.G * D.A * (1 - C.A)) / A;
        D.B = (C.B * C.A + D.B * D.A * (1 - C.A)) / A;
        D.A = A;
    }

    // Fills by a signed distance function: negative inside, with a one-pixel soft edge.
    void Fill(int Left, int Top, int Right, int Bottom, const std::function<float(float, float)>& Distance,
              const std::function<TColour(float, float)>& Paint) {
        for (int Y = std::max(Top, 0); Y < std::min(Bottom, Height); ++Y)
            for (int X = std::max(Left, 0); X < std::min(Right, Width); ++X) {
                const float D = Distance(X + 0.5f, Y + 0.5f);
                const float Cover = std::clamp(0.5f - D, 0.0f, 1.0f);
                if (Cover <= 0)
                    continue;
                TColour C = Paint(X + 0.5f, Y + 0.5f);
                C.A *= Cover;
                Blend(X, Y, C);
            }
    }

    TPicture Picture() const {
        TPicture Out;
        Out.Width = Width;
        Out.Height = Height;
        Out.Pixels.resize(Pixels.size());
        auto Byte = [](float V) {
            return static_cast<uint32_t>(std::lround(std::clamp(V, 0.0f, 1.0f) * 255));
        };
        for (size_t I = 0; I < Pixels.size(); ++I) {
            const TColour& C = Pixels[I];
            Out.Pixels[I] = Byte(C.R) | Byte(C.G) << 8 | Byte(C.B) << 16 | Byte(C.A) << 24;
        }
        return Out;
    }

    int Width, Height;
    std::vector<TColour> Pixels;
};

float SegmentDistance(float PX, float PY, float AX, float AY, float BX, float BY) {
    const float DX = BX - AX, DY = BY - AY;
    const float T = std::clamp(((PX - AX) * DX + (PY - AY) * DY) / (DX * DX + DY * DY), 0.0f, 1.0f);
    return std::hypot(PX - AX - T * DX, PY - AY - T * DY);
}

// Distance to a convex polygon given clockwise on screen (negative inside).
float PolygonDistance(float PX, float PY, const std::vector<std::pair<float, float>>& Corners) {
    float Edge = 1e9f;
    bool Inside = true;
    for (size_t I = 0; I < Corners.size(); ++I) {
        const auto [AX, AY] = Corners[I];
        const auto [BX, BY] = Corners[(I + 1) % Corners.size()];
        Edge = std::min(Edge, SegmentDistance(PX, PY, AX, AY, BX, BY));
        if ((BX - AX) * (PY - AY) - (BY - AY) * (PX - AX) < 0)
            Inside = false;
    }
    return Inside ? -Edge : Edge;
}

struct TEntry {
    std::string Name, File;
    int TexWidth, TexHeight, PtWidth, PtHeight;
    bool NeedMask;
};

TSheet CursorArrow() {
    TSheet Sheet(32, 32);
    const std::vector<std::pair<float, float>> Arrow = {{2, 2}, {24, 16}, {14, 18}, {8, 28}};
    Sheet.Fill(
        0, 0, 32, 32, [&](float X, float Y) { return PolygonDistance(X, Y, Arrow) - 1.5f; },
        [](float, float) {
            return TColour{0.02f, 0.05f, 0.1f, 0.9f};
        });
    Sheet.Fill(
        0, 0, 32, 32, [&](float X, float Y) { return PolygonDistance(X, Y, Arrow); },
        [](float X, float Y) {
            const float Shade = 1.0f - (X + Y) / 70.0f;
            return TColour{0.55f * Shade + 0.3f, 0.9f * Shade + 0.1f, 1.0f, 1.0f};
        });
    return Sheet;
}

TSheet Particles() {
    TSheet Sheet(256, 64);
    for (int Y = 0; Y < 64; ++Y)
        for (int X = 0; X < 256; ++X) {
            const int Cell = X / 64;
            const float DX = (X % 64 + 0.5f - 32) / 32, DY = (Y + 0.5f - 32) / 32;
            const float R = std::hypot(DX, DY);
            float A = 0;
            if (Cell == 0)
                A = std::pow(std::max(0.0f, 1 - R), 2.0f);
            else if (Cell == 1)
                A = std::exp(-std::pow((R - 0.7f) / 0.12f, 2.0f));
            else if (Cell == 2)
                A = std::max(0.0f, 1 - R) * (std::exp(-std::abs(DX) * 12) + std::exp(-std::abs(DY) * 12));
            else
                A = std::max(0.0f, 1 - std::abs(DX)) * std::exp(-std::abs(DY) * 18);
            Sheet.Blend(X, Y, TColour{1, 1, 1, std::clamp(A, 0.0f, 1.0f)});
        }
    return Sheet;
}

TSheet Rocket() {
    TSheet Sheet(48 * 9, 24);
    for (int Frame = 0; Frame < 9; ++Frame) {
        const float X0 = Frame * 48.0f;
        const float Flicker = 0.7f + 0.3f * std::sin(Frame * 2.1f);
        // Exhaust flame behind the tail, flickering from frame to frame.
        Sheet.Fill(
            Frame * 48, 0, Frame * 48 + 16, 24,
            [&](float X, float Y) {
                const float T = (X0 + 14 - X) / (12 * Flicker);
                return std::abs(Y - 12) - 4.5f * (1 - T) + (T > 1 ? 99.0f : 0.0f);
            },
            [&](float X, float) {
                const float T = std::clamp((X0 + 14 - X) / 12, 0.0f, 1.0f);
                return TColour{1, 0.9f - 0.6f * T, 0.5f - 0.5f * T, 0.95f - 0.6f * T};
            });
        const std::vector<std::pair<float, float>> Body = {
            {X0 + 12, 8}, {X0 + 36, 8}, {X0 + 46, 12}, {X0 + 36, 16}, {X0 + 12, 16}};
        const std::vector<std::pair<float, float>> Fins = {
            {X0 + 10, 3}, {X0 + 20, 8}, {X0 + 20, 16}, {X0 + 10, 21}};
        Sheet.Fill(
            Frame * 48, 0, Frame * 48 + 48, 24, [&](float X, float Y) { return PolygonDistance(X, Y, Fins); },
            [](float, float Y) {
                const float Shade = 1 - std::abs(Y - 12) / 14;
                return TColour{0.75f * Shade, 0.15f * Shade, 0.1f, 1};
            });
        Sheet.Fill(
            Frame * 48, 0, Frame * 48 + 48, 24, [&](float X, float Y) { return PolygonDistance(X, Y, Body); },
            [](float, float Y) {
                const float Shade = 1 - std::abs(Y - 10.5f) / 7;
                return TColour{0.55f + 0.4f * Shade, 0.6f + 0.35f * Shade, 0.68f + 0.3f * Shade, 1};
            });
    }
    return Sheet;
}

TSheet Button() {
    TSheet Sheet(200, 80);
    for (int Pattern = 0; Pattern < 2; ++Pattern) {
        const float Top = Pattern * 40.0f;
        auto Shape = [&](float X, float Y) {
            const float DX = std::max(std::abs(X - 100) - 90, 0.0f),
                        DY = std::max(std::abs(Y - Top - 20) - 10, 0.0f);
            return std::hypot(DX, DY) - 8;
        };
        Sheet.Fill(0, static_cast<int>(Top), 200, static_cast<int>(Top) + 40, Shape, [&](float, float Y) {
            const float T = (Y - Top) / 40;
            const float Glow = Pattern == 1 ? 0.35f : 0.0f;
            return TColour{0.1f + Glow, 0.25f + 0.3f * (1 - T) + Glow, 0.45f + 0.4f * (1 - T) + Glow, 0.85f};
        });
    }
    return Sheet;
}

bool Save(const std::string& DataDir, const std::string& File, const TSheet& Sheet) {
    std::string Error;
    if (!TPngEncoder::Save(DataDir + "/" + File, Sheet.Picture(), &Error)) {
        std::fprintf(stderr, "PictureGenerator: %s: %s\n", File.c_str(), Error.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: PictureGenerator DATA_DIR\n");
        return 2;
    }
    const std::string DataDir = argv[1];
    const std::vector<std::pair<TEntry, TSheet>> Pictures = {
        {{"particles", "Graphic/particles.png", 256, 64, 64, 64, false}, Particles()},
        {{"rocket1", "Graphic/rocket1.png", 256, 64, 48, 24, false}, Rocket()},
        {{"button", "Graphic/button.png", 256, 128, 200, 40, false}, Button()},
    };
    bool Success = Save(DataDir, "Graphic/curArrow.png", CursorArrow());
    std::string List = "[Textures]\nCount=" + std::to_string(Pictures.size()) + "\n";
    for (size_t I = 0; I < Pictures.size(); ++I) {
        const TEntry& Entry = Pictures[I].first;
        Success = Save(DataDir, Entry.File, Pictures[I].second) && Success;
        std::string Windows = Entry.File;
        std::replace(Windows.begin(), Windows.end(), '/', '\\');
        List +=
            "\n[Texture" + std::to_string(I) + "]\nName=" + Entry.Name +
            "\nTexWidth=" + std::to_string(Entry.TexWidth) +
            "\nTexHeight=" + std::to_string(Entry.TexHeight) + "\nPtWidth=" + std::to_string(Entry.PtWidth) +
            "\nPtHeight=" + std::to_string(Entry.PtHeight) +
            "\nBitAlpha=$FF000000\nNeedMask=" + (Entry.NeedMask ? "1" : "0") + "\nImage=" + Windows + "\n";
    }
    std::ofstream(DataDir + "/Graphic/Textures.ini", std::ios::binary) << List;
    return Success ? 0 : 1;
}
