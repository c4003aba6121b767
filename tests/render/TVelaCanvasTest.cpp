#include "THeadlessDevice.h"

#include "render/TVelaCanvas.h"
#include "render/TVelaFontsAlt.h"
#include "render/TVelaImage.h"

#include <gtest/gtest.h>
#include <numbers>

namespace {

class TVelaCanvasTest : public THeadlessDevice {
  protected:
    void SetUp() override {
        THeadlessDevice::SetUp();
        Image.SetTextureSize(16, 16);
        ASSERT_TRUE(Image.LoadFromPicture(SolidPicture(16, 16, 0xFF00FF00u), false, 0, 0));
        Other.SetTextureSize(16, 16);
        ASSERT_TRUE(Other.LoadFromPicture(SolidPicture(16, 16, 0xFFFF0000u), false, 0, 0));
        Canvas.SetVertexCache(1024);
        Clear();
    }

    TVelaImage Image{Device};
    TVelaImage Other{Device};
    TVelaCanvas Canvas{Device};
};

TEST_F(TVelaCanvasTest, ModulatesOnlyQuadsThatAreNotPlainWhite) {
    Canvas.DrawColored(&Image, 0, 0, 0, 0xFFFFFFFFu, EffectBlend);
    EXPECT_EQ(Canvas.CurrentEffect(), EffectBlend);
    Canvas.DrawColored(&Image, 0, 0, 0, 0xFFFFFFFFu, EffectBlend);
    EXPECT_EQ(Canvas.DrawCalls(), 0);
    // Half-transparent white is not plain white: the effect changes and the batch goes out.
    Canvas.DrawColored(&Image, 0, 0, 0, 0x80FFFFFFu, EffectBlend);
    EXPECT_EQ(Canvas.CurrentEffect(), EffectBlend | EffectModulate);
    EXPECT_EQ(Canvas.DrawCalls(), 1);
    const uint32_t OneCornerTinted[4] = {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFEu, 0xFFFFFFFFu};
    const SDL_FPoint Points[4] = {{0, 0}, {4, 0}, {4, 4}, {0, 4}};
    Canvas.DrawQuad(&Image, Points, OneCornerTinted, 0, EffectAdd);
    EXPECT_EQ(Canvas.CurrentEffect(), EffectAdd | EffectModulate);
}

TEST_F(TVelaCanvasTest, BatchesRunsOfOneImageAndFlushesOnEveryChange) {
    // 1024 indices hold 170 quads: 300 sprites of one image take two calls.
    for (int I = 0; I < 300; ++I)
        Canvas.Draw(&Image, static_cast<float>(I % 100), 0, 0, EffectBlend);
    EXPECT_EQ(Canvas.DrawCalls(), 1);
    EXPECT_EQ(Canvas.VertexCount(), 130 * 4);
    Canvas.Flush();
    EXPECT_EQ(Canvas.DrawCalls(), 2);
    EXPECT_EQ(Canvas.VerticesDrawn(), 1200);

    Canvas.ResetCounters();
    Canvas.Draw(&Image, 0, 0, 0, EffectBlend);
    Canvas.Draw(&Other, 0, 0, 0, EffectBlend);     // texture change
    Canvas.Draw(&Other, 0, 0, 0, EffectAdd);       // effect change
    Canvas.PutPixel(1, 1, 0xFFFFFFFFu, EffectAdd); // primitive kind change
    Canvas.DrawLine({0, 0}, {5, 5}, 0xFFFFFFFFu, 0xFFFFFFFFu, EffectAdd);
    EXPECT_EQ(Canvas.PendingKind(), pkLines);
    EXPECT_EQ(Canvas.VertexCount(), 2);
    Canvas.Flush();
    EXPECT_EQ(Canvas.DrawCalls(), 5);
    EXPECT_EQ(Canvas.PendingKind(), pkNone);
}

TEST_F(TVelaCanvasTest, OutlinesCoverExactlyTheRectanglesPixels) {
    const uint32_t White[4] = {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};
    Canvas.FrameRect({10, 10, 20, 20}, White, EffectBlend);
    Canvas.PutPixel(50, 60, 0xFF0000FFu, EffectBlend);
    Canvas.Flush();
    for (auto [X, Y] :
         {std::pair{10, 10}, {19, 10}, {19, 19}, {10, 19}, {15, 10}, {19, 15}, {15, 19}, {10, 15}})
        EXPECT_EQ(PixelAt(X, Y), 0xFFFFFFFFu) << X << "," << Y;
    for (auto [X, Y] : {std::pair{20, 10}, {10, 20}, {20, 20}, {15, 15}, {9, 10}, {10, 9}})
        EXPECT_EQ(PixelAt(X, Y) & 0xFFFFFF, 0u) << X << "," << Y;
    EXPECT_EQ(PixelAt(50, 60), 0xFF0000FFu);
    EXPECT_EQ(PixelAt(51, 60) & 0xFFFFFF, 0u);
    EXPECT_EQ(PixelAt(50, 61) & 0xFFFFFF, 0u);
}

TEST_F(TVelaCanvasTest, BlendCodesMixAsTheGameExpects) {
    Canvas.FillRect({0, 0, 8, 8}, 0xFF000080u, EffectOpaque);
    Canvas.FillRect({0, 0, 4, 8}, 0x800000FFu, EffectBlend); // half red over dark red
    Canvas.FillRect({4, 0, 8, 8}, 0x80008000u, EffectAdd);   // half green added
    Canvas.Flush();
    const uint32_t Blended = PixelAt(1, 1);
    EXPECT_NEAR(static_cast<int>(Blended & 0xFF), 0xC0, 2);
    const uint32_t Added = PixelAt(5, 1);
    EXPECT_EQ(Added & 0xFF, 0x80u);
    EXPECT_NEAR(static_cast<int>((Added >> 8) & 0xFF), 0x40, 2);
}

TEST_F(TVelaCanvasTest, RotatesAboutTheCentreAndMirrors) {
    TPicture Half = SolidPicture(16, 8, 0xFF0000FFu);
    for (int Y = 0; Y < 8; ++Y)
        for (int X = 8; X < 16; ++X)
            Half.At(X, Y) = 0xFF00FF00u; // right half green
    TVelaImage Picture(Device);
    Picture.SetTextureSize(16, 8);
    ASSERT_TRUE(Picture.LoadFromPicture(Half, false, 0, 0));
    // Turned by a quarter, the right half ends up below the centre.
    Canvas.DrawRotatedWhite(&Picture, 40, 40, static_cast<float>(std::numbers::pi / 2), 1.0f, 0, EffectBlend);
    const SDL_FPoint Points[4] = {{80, 80}, {96, 80}, {96, 88}, {80, 88}};
    const uint32_t White[4] = {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};
    Canvas.DrawQuad(&Picture, Points, White, 0, EffectBlend, nullptr, true, false);
    Canvas.Flush();
    EXPECT_EQ(PixelAt(40, 45), 0xFF00FF00u);
    EXPECT_EQ(PixelAt(40, 34), 0xFF0000FFu);
    EXPECT_EQ(PixelAt(82, 84), 0xFF00FF00u); // mirrored: green on the left
    EXPECT_EQ(PixelAt(94, 84), 0xFF0000FFu);
}

TEST_F(TVelaCanvasTest, TextLiesAboveEarlierSpritesOnlyAfterAFlush) {
    TVelaFontsAlt Fonts(Device);
    ASSERT_TRUE(Fonts.RegisterFontFile("BEWARE", ZERATHON_SOURCE_DIR "/data/Text/BEWARE__.ttf"));
    TVelaFontAlt& Font = Fonts.Add();
    Font.Name = "BEWARE";
    Font.Size = 40;
    ASSERT_TRUE(Font.Initialize());
    auto RedPixels = [&] {
        TPicture Frame;
        EXPECT_TRUE(Device.ReadPixels(Frame));
        int Count = 0;
        for (uint32_t Pixel : Frame.Pixels)
            Count += (Pixel & 0xFF) > 0x80;
        return Count;
    };
    const TRect Cover = {0, 0, 128, 64};
    Canvas.FillRect(Cover, 0xFF00FF00u, EffectBlend);
    Font.TextOut("HHH", 4, 4, 0xFF0000FFu); // drawn straight away, under the still queued sprite
    Canvas.Flush();
    EXPECT_EQ(RedPixels(), 0);

    Clear();
    Canvas.FillRect(Cover, 0xFF00FF00u, EffectBlend);
    Canvas.Flush();
    Font.TextOut("HHH", 4, 4, 0xFF0000FFu);
    EXPECT_GT(RedPixels(), 50);
}

TEST_F(TVelaCanvasTest, LostDeviceDrawsNothing) {
    Canvas.Notify(&Device, vnLost);
    Canvas.FillRect({0, 0, 8, 8}, 0xFFFFFFFFu, EffectBlend);
    Canvas.Flush();
    EXPECT_EQ(PixelAt(2, 2) & 0xFFFFFF, 0u);
    EXPECT_EQ(Canvas.DrawCalls(), 0);
    Canvas.Notify(&Device, vnReset);
    Canvas.FillRect({0, 0, 8, 8}, 0xFFFFFFFFu, EffectBlend);
    Canvas.Flush();
    EXPECT_EQ(PixelAt(2, 2), 0xFFFFFFFFu);
}

} // namespace

namespace {

class TFullScreenTest : public THeadlessDevice {
  protected:
    void SetUp() override {
        Width = 1024;
        Height = 768;
        THeadlessDevice::SetUp();
    }
};

TEST_F(TFullScreenTest, ScreenSizedPicturesDrawWhole) {
    const TPicture Picture = SolidPicture(1024, 768, 0xFF996633u);
    TVelaImage Backdrop(Device);
    Backdrop.SetTextureSize(1024, 768);
    ASSERT_TRUE(Backdrop.LoadFromPicture(Picture, false, 0, 0));
    TVelaCanvas Canvas(Device);
    for (uint32_t Effect : {EffectOpaque, EffectBlend}) {
        Clear();
        Canvas.Draw(&Backdrop, 0, 0, 0, Effect);
        Canvas.Flush();
        // Every row is covered, where the bands meet too.
        for (int Y : {0, 255, 256, 511, 512, 767})
            for (int X : {0, 500, 1023})
                EXPECT_EQ(PixelAt(X, Y), 0xFF996633u) << X << "," << Y;
    }
}

} // namespace
