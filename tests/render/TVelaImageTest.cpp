#include "THeadlessDevice.h"

#include "render/TVelaCanvas.h"
#include "render/TVelaImage.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

class TVelaImageTest : public THeadlessDevice {
  protected:
    // A 64 x 32 picture of 16 x 16 cells, each cell filled with its own number in the red channel.
    static TPicture NumberedCells() {
        TPicture Picture = SolidPicture(64, 32, 0);
        for (int Y = 0; Y < 32; ++Y)
            for (int X = 0; X < 64; ++X)
                Picture.At(X, Y) = 0xFF000000u | static_cast<uint32_t>((Y / 16) * 4 + X / 16 + 1) * 10;
        return Picture;
    }
};

TEST_F(TVelaImageTest, PacksCellsRowByRowIntoTexturesAndClampsPatternNumbers) {
    TVelaImage Image(Device);
    Image.SetTextureSize(32, 32);
    Image.SetPatternSize(16, 16);
    Image.SetVisibleSize(16, 16);
    ASSERT_TRUE(Image.LoadFromPicture(NumberedCells(), false, 0, 0));
    EXPECT_EQ(Image.TextureCount(), 2);
    EXPECT_EQ(Image.PatternCount(), 8);
    // Cell 5 (second row, second column of the picture) is slot 1 of the second texture.
    EXPECT_EQ(Image.TexturePicture(1).At(16, 0) & 0xFF, 60u);

    int Texture = -1;
    SDL_Rect Rect;
    Image.PatternRect(-3, Texture, Rect);
    EXPECT_EQ(Texture, 0);
    EXPECT_EQ(Rect.x, 0);
    EXPECT_EQ(Rect.y, 0);
    Image.PatternRect(8, Texture, Rect); // one past the end: the last pattern
    EXPECT_EQ(Texture, 1);
    EXPECT_EQ(Rect.x, 16);
    EXPECT_EQ(Rect.y, 16);
    EXPECT_EQ(Rect.w, 16);
}

TEST_F(TVelaImageTest, DrawsOnlyTheCentredVisiblePartOfACell) {
    TPicture Picture = SolidPicture(16, 16, 0xFF0000FFu); // red frame
    for (int Y = 4; Y < 12; ++Y)
        for (int X = 4; X < 12; ++X)
            Picture.At(X, Y) = 0xFF00FF00u; // green middle
    TVelaImage Image(Device);
    Image.SetTextureSize(16, 16);
    Image.SetPatternSize(16, 16);
    Image.SetVisibleSize(8, 8);
    ASSERT_TRUE(Image.LoadFromPicture(Picture, false, 0, 0));
    TVelaCanvas Canvas(Device);
    Clear();
    Canvas.Draw(&Image, 20, 30, 0, EffectBlend);
    Canvas.Flush();
    EXPECT_EQ(PixelAt(20, 30), 0xFF00FF00u);
    EXPECT_EQ(PixelAt(27, 37), 0xFF00FF00u);
    EXPECT_EQ(PixelAt(28, 30) & 0xFFFFFF, 0u);
    EXPECT_EQ(PixelAt(19, 30) & 0xFFFFFF, 0u);
}

TEST_F(TVelaImageTest, RefusesSizesThatDoNotFit) {
    TVelaImage TooWide(Device);
    TooWide.SetTextureSize(16, 16);
    TooWide.SetPatternSize(32, 16);
    EXPECT_FALSE(TooWide.LoadFromPicture(SolidPicture(64, 64, 0xFFFFFFFFu), false, 0, 0));

    TVelaImage VisibleTooLarge(Device);
    VisibleTooLarge.SetTextureSize(32, 32);
    VisibleTooLarge.SetPatternSize(16, 16);
    VisibleTooLarge.SetVisibleSize(20, 16);
    EXPECT_FALSE(VisibleTooLarge.LoadFromPicture(SolidPicture(64, 64, 0xFFFFFFFFu), false, 0, 0));

    TVelaImage PictureTooSmall(Device);
    PictureTooSmall.SetTextureSize(64, 64);
    PictureTooSmall.SetPatternSize(32, 32);
    EXPECT_FALSE(PictureTooSmall.LoadFromPicture(SolidPicture(20, 40, 0xFFFFFFFFu), false, 0, 0));
    EXPECT_FALSE(PictureTooSmall.Loaded());

    // Whatever the list says, no texture above the largest side, and not thousands of tiny ones.
    for (const auto& [Width, Textures, Fits] : {std::tuple{8192, 1, true}, std::tuple{8193, 1, false},
                                                std::tuple{1, 256, true}, std::tuple{1, 257, false}}) {
        TVelaImage Image(Device);
        Image.SetTextureSize(Width, 1);
        Image.SetPatternSize(1, 1);
        Image.SetVisibleSize(1, 1);
        EXPECT_EQ(Image.LoadFromPicture(SolidPicture(Textures, 1, 0xFFFFFFFFu), false, 0, 0), Fits)
            << Width << " " << Textures;
        EXPECT_EQ(Image.LastError().empty(), Fits) << Image.LastError();
    }

    // Sizes of 0 mean the texture size.
    TVelaImage Whole(Device);
    Whole.SetTextureSize(32, 32);
    ASSERT_TRUE(Whole.LoadFromPicture(SolidPicture(32, 32, 0xFFFFFFFFu), false, 0, 0));
    EXPECT_EQ(Whole.PatternSize().x, 32);
    EXPECT_EQ(Whole.VisibleSize().y, 32);
    EXPECT_EQ(Whole.PatternCount(), 1);
}

TEST_F(TVelaImageTest, MaskRampIsZeroOnTheKeyAndRisesSmoothlyToTheThreshold) {
    const uint32_t Key = 0xFF00FF00u;
    const double Threshold = TVelaImage::MaskThreshold(0);
    EXPECT_NEAR(Threshold, 0.025, 1e-9);
    EXPECT_EQ(TVelaImage::MaskAlpha(Key, Key, Threshold), 0);
    // One colour step is 1/255: six steps lie inside the threshold, seven outside.
    int Previous = 0;
    for (uint32_t Step = 1; Step <= 6; ++Step) {
        const int Alpha = TVelaImage::MaskAlpha(Key | Step, Key, Threshold);
        EXPECT_GT(Alpha, Previous);
        EXPECT_LT(Alpha, 255);
        Previous = Alpha;
    }
    EXPECT_EQ(TVelaImage::MaskAlpha(Key | 7, Key, Threshold), 255);
    // Halfway to the threshold the ramp is at half.
    const double Wide = TVelaImage::MaskThreshold((20 / 255.0 - 0.025) * 57.73502692);
    EXPECT_NEAR(TVelaImage::MaskAlpha(Key | 10, Key, Wide), 128, 1);
    // Only red, green and blue count: the key's alpha is ignored.
    EXPECT_EQ(TVelaImage::MaskAlpha(0x12345678u, 0x00345678u, Threshold), 0);
}

TEST_F(TVelaImageTest, MaskReplacesThePicturesOwnAlpha) {
    TPicture Picture = SolidPicture(2, 1, 0x80FF00FFu);
    Picture.At(1, 0) = 0x10000000u;
    TVelaImage Image(Device);
    Image.SetTextureSize(2, 1);
    ASSERT_TRUE(Image.LoadFromPicture(Picture, true, 0xFF000000u, 0));
    EXPECT_EQ(Image.TexturePicture(0).At(0, 0), 0xFFFF00FFu);
    EXPECT_EQ(Image.TexturePicture(0).At(1, 0), 0x00000000u);
}

TEST_F(TVelaImageTest, SurvivesADeviceReset) {
    TVelaImage Image(Device);
    Image.SetTextureSize(8, 8);
    ASSERT_TRUE(Image.LoadFromPicture(SolidPicture(8, 8, 0xFF0000FFu), false, 0, 0));
    TVelaCanvas Canvas(Device);
    ASSERT_TRUE(Device.Reset());
    ASSERT_NE(Image.Texture(0), nullptr);
    Clear();
    Canvas.Draw(&Image, 0, 0, 0, EffectBlend);
    Canvas.Flush();
    EXPECT_EQ(PixelAt(3, 3), 0xFF0000FFu);
}

} // namespace
