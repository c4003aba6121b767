#include "THeadlessDevice.h"

#include "render/TVelaCanvas.h"
#include "render/TVelaImage.h"

#include <gtest/gtest.h>
#include <numbers>

#include <cmath>
#include <cstdlib>
#include <set>

namespace {

class TSpanRendererTest : public THeadlessDevice {
  protected:
    void SetUp() override {
        Width = 512;
        Height = 384;
        THeadlessDevice::SetUp();
        // Two 128 x 128 patterns: gentle colour ramps under an alpha that fades to nothing at the rim.
        TPicture Picture = SolidPicture(256, 128, 0);
        for (int Y = 0; Y < 128; ++Y)
            for (int X = 0; X < 256; ++X) {
                const double Rim = std::hypot(X % 128 - 63.5, Y - 63.5) / 64;
                const uint32_t Alpha = Rim < 1 ? static_cast<uint32_t>(255 * (1 - Rim)) : 0;
                Picture.At(X, Y) = Alpha << 24 | uint32_t(X) << 16 | uint32_t(255 - X) << 8 | uint32_t(Y * 2);
            }
        Glow.SetTextureSize(256, 128);
        Glow.SetPatternSize(128, 128);
        Glow.SetVisibleSize(128, 128);
        ASSERT_TRUE(Glow.LoadFromPicture(Picture, false, 0, 0));
        Canvas.SetVertexCache(1024);
    }

    TPicture Frame() {
        Canvas.Flush();
        TPicture Frame;
        EXPECT_TRUE(Device.ReadPixels(Frame));
        return Frame;
    }

    // A picture drawn 1:1 from a texture of sharp single-texel detail.
    void LoadChecker(TVelaImage& Image, int Size) {
        TPicture Picture = SolidPicture(Size, Size, 0);
        for (int Y = 0; Y < Size; ++Y)
            for (int X = 0; X < Size; ++X)
                Picture.At(X, Y) =
                    0xFF000000u | ((X + Y) % 2 ? 0xFFFFFFu : 0) | uint32_t(X * 16) | uint32_t(Y * 16) << 8;
        Image.SetTextureSize(Size, Size);
        ASSERT_TRUE(Image.LoadFromPicture(Picture, false, 0, 0));
    }

    // Every primitive the canvas has, with each blend code, over a coloured ground.
    void DrawScene() {
        const SDL_FPoint Screen[4] = {{0, 0}, {512, 0}, {512, 384}, {0, 384}};
        const uint32_t Ground[4] = {0xFF203040u, 0xFF804020u, 0xFF2080C0u, 0xFF606060u};
        Canvas.FillQuad(Screen, Ground, EffectOpaque);
        Canvas.Draw(&Glow, 4, 4, 0, EffectBlend);
        Canvas.DrawColored(&Glow, 100, 4, 1, 0xC080FF40u, EffectAdd);
        Canvas.DrawScaled(&Glow, 240, 4, 1.5f, 0, 0xFFFFFFFFu, EffectBlend);
        Canvas.DrawRotated(&Glow, 90, 210, 0.7f, 1.3f, 0xFF40C0FFu, 1, EffectBlend);
        Canvas.DrawRotated(&Glow, 200, 190, 2.5f, 0.8f, 0xFFFFFFFFu, 0, EffectAdd);
        const SDL_FPoint Corners[4] = {{270, 170}, {490, 190}, {470, 330}, {290, 300}};
        const uint32_t Tints[4] = {0xFFFFFFFFu, 0x80FF8080u, 0xFF80FF80u, 0xC08080FFu};
        Canvas.DrawQuad(&Glow, Corners, Tints, 1, EffectBlend, nullptr, true, false);
        Canvas.DrawRotated(&Glow, 440, 80, 1.2f, 0.8f, 0xFFFFFFFFu, 0, EffectOpaque);
        Canvas.FillRect({10, 320, 150, 370}, 0x80FF0000u, EffectBlend);
        Canvas.FillRect({100, 300, 200, 350}, 0x6000FF00u, EffectAdd);
        const uint32_t Outline[4] = {0xFFFFFFFFu, 0xFF0000FFu, 0xFF00FF00u, 0xFFFF0000u};
        Canvas.FrameRect({220, 320, 330, 375}, Outline, EffectBlend);
        Canvas.DrawLine({340, 330}, {500, 378}, 0xFFFFFF00u, 0x8000FFFFu, EffectBlend);
        for (int I = 0; I < 30; ++I)
            Canvas.PutPixel(static_cast<float>(5 + I * 16), 380, 0xFFFFFFFFu - uint32_t(I) * 0x080808,
                            EffectBlend);
    }

    TVelaImage Glow{Device};
    TVelaCanvas Canvas{Device};
};

// The span renderer against SDL's own triangles: SDL snaps corners to whole pixels and samples a little
// off the texel centres, so rims and ramps may differ by a level or two, and edges of rotated pictures by
// a pixel, but nothing more.
TEST_F(TSpanRendererTest, DrawsWhatSdlDrawsForEveryPrimitive) {
    for (bool Antialias : {false, true}) {
        Canvas.SetAntialias(Antialias);
        Canvas.SpanRendering = false;
        DrawScene();
        const TPicture Sdl = Frame();
        Canvas.SpanRendering = true;
        DrawScene();
        const TPicture Spans = Frame();
        int Different = 0;
        for (size_t I = 0; I < Sdl.Pixels.size(); ++I) {
            int Largest = 0;
            for (int Shift = 0; Shift < 32; Shift += 8)
                Largest = std::max(Largest, std::abs(int(Sdl.Pixels[I] >> Shift & 0xFF) -
                                                     int(Spans.Pixels[I] >> Shift & 0xFF)));
            Different += Largest > 8;
        }
        EXPECT_LT(Different, static_cast<int>(Sdl.Pixels.size()) / 200) << "antialias " << Antialias;
    }
}

TEST_F(TSpanRendererTest, UnscaledPicturesShowEachTexelOnItsPixel) {
    TVelaImage Checker(Device);
    LoadChecker(Checker, 16);
    const TPicture& Texels = Checker.TexturePicture(0);
    for (bool Antialias : {false, true}) {
        Canvas.SetAntialias(Antialias);
        Canvas.Draw(&Checker, 20, 30, 0, EffectBlend);
        // Turned half a circle, the picture is upside down and mirrored, texel for pixel still.
        Canvas.DrawRotatedWhite(&Checker, 108, 48, static_cast<float>(std::numbers::pi), 1.0f, 0,
                                EffectBlend);
        const TPicture Drawn = Frame();
        for (int Y = 0; Y < 16; ++Y)
            for (int X = 0; X < 16; ++X) {
                ASSERT_EQ(Drawn.At(20 + X, 30 + Y), Texels.At(X, Y))
                    << X << "," << Y << " antialias " << Antialias;
                ASSERT_EQ(Drawn.At(115 - X, 55 - Y), Texels.At(X, Y))
                    << X << "," << Y << " antialias " << Antialias;
            }
    }
}

TEST_F(TSpanRendererTest, AntialiasFiltersMagnifiedTexelsAndItsAbsenceKeepsThemSharp) {
    TVelaImage Stripes(Device);
    TPicture Picture = SolidPicture(2, 2, 0xFF000000u);
    Picture.At(1, 0) = Picture.At(1, 1) = 0xFFFFFFFFu;
    Stripes.SetTextureSize(2, 2);
    ASSERT_TRUE(Stripes.LoadFromPicture(Picture, false, 0, 0));
    for (bool Antialias : {false, true}) {
        Canvas.SetAntialias(Antialias);
        Canvas.DrawScaled(&Stripes, 0, 0, 8, 0, 0xFFFFFFFFu, EffectOpaque);
        const TPicture Drawn = Frame();
        std::set<uint32_t> Greys;
        for (int X = 0; X < 16; ++X)
            Greys.insert(Drawn.At(X, 4) & 0xFF);
        // Nearest: eight black pixels, then eight white; linear: a ramp between the two texel centres.
        EXPECT_EQ(Greys.size(), Antialias ? 10u : 2u);
        EXPECT_NEAR(static_cast<int>(Drawn.At(7, 4) & 0xFF), Antialias ? 111 : 0, 2);
        EXPECT_EQ(Drawn.At(0, 4) & 0xFF, 0u);
        EXPECT_EQ(Drawn.At(15, 4) & 0xFF, 0xFFu);
    }
}

// Quads that share sides, turned at an odd angle: added at a quarter each, every pixel inside gets
// exactly one quarter, so none is left out and none is drawn twice.
TEST_F(TSpanRendererTest, NeighbouringQuadsCoverEachPixelOnce) {
    const float Cos = std::cos(0.3f) * 9.3f;
    const float Sin = std::sin(0.3f) * 9.3f;
    const uint32_t Quarter[4] = {0xFF404040u, 0xFF404040u, 0xFF404040u, 0xFF404040u};
    for (int Row = 0; Row < 12; ++Row)
        for (int Column = 0; Column < 12; ++Column) {
            auto Corner = [&](int DX, int DY) {
                const float X = static_cast<float>(Column + DX), Y = static_cast<float>(Row + DY);
                return SDL_FPoint{40.3f + X * Cos - Y * Sin, 10.6f + Y * Cos + X * Sin};
            };
            const SDL_FPoint Points[4] = {Corner(0, 0), Corner(1, 0), Corner(1, 1), Corner(0, 1)};
            Canvas.FillQuad(Points, Quarter, EffectAdd);
        }
    const TPicture Drawn = Frame();
    for (int Y = 44; Y < 116; ++Y)
        for (int X = 64; X < 116; ++X)
            ASSERT_EQ(Drawn.At(X, Y) & 0xFFFFFF, 0x404040u) << X << "," << Y;
}

// Edges and diagonals that run exactly through pixel centres are the ties the fill rule settles: a pixel
// on the edge two quads (or a quad's two triangles) share belongs to one of them, never both, never neither.
TEST_F(TSpanRendererTest, EdgesThroughPixelCentresBelongToOneQuadOnly) {
    const uint32_t Quarter[4] = {0xFF404040u, 0xFF404040u, 0xFF404040u, 0xFF404040u};
    // Corners on pixel centres, and on pixel corners, side by side.
    const float Offsets[2] = {0.5f, 0.0f};
    for (int Grid = 0; Grid < 2; ++Grid)
        for (int Row = 0; Row < 8; ++Row)
            for (int Column = 0; Column < 8; ++Column) {
                const float Left = 20 + 100.0f * static_cast<float>(Grid) + Offsets[Grid] +
                                   3.0f * static_cast<float>(Column);
                const float Top = 20 + Offsets[Grid] + 3.0f * static_cast<float>(Row);
                const SDL_FPoint Points[4] = {
                    {Left, Top}, {Left + 3, Top}, {Left + 3, Top + 3}, {Left, Top + 3}};
                Canvas.FillQuad(Points, Quarter, EffectAdd);
            }
    const TPicture Drawn = Frame();
    for (int Grid = 0; Grid < 2; ++Grid)
        for (int Y = 21; Y < 43; ++Y)
            for (int X = 21; X < 43; ++X)
                ASSERT_EQ(Drawn.At(X + 100 * Grid, Y) & 0xFFFFFF, 0x404040u) << Grid << ": " << X << "," << Y;
}

} // namespace
