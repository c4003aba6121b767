#include <gtest/gtest.h>

#include "RuntimeTestSupport.h"
#include "runtime/TBmpDecoder.h"
#include "runtime/TFile.h"
#include "runtime/TJpegDecoder.h"
#include "runtime/TPictureFile.h"
#include "runtime/TPngDecoder.h"
#include "runtime/TPngEncoder.h"
#include "runtime/TTgaDecoder.h"

namespace {

using TDecode = bool (*)(const uint8_t*, size_t, TPicture&, std::string*);

void ExpectSame(const TPicture& Actual, const TPicture& Expected) {
    ASSERT_EQ(Actual.Width, Expected.Width);
    ASSERT_EQ(Actual.Height, Expected.Height);
    for (int Y = 0; Y < Expected.Height; ++Y) {
        for (int X = 0; X < Expected.Width; ++X) {
            ASSERT_EQ(Actual.At(X, Y), Expected.At(X, Y)) << "at " << X << "," << Y;
        }
    }
}

TPicture Opaque(TPicture Picture) {
    for (uint32_t& Pixel : Picture.Pixels) {
        Pixel |= 0xFF000000u;
    }
    return Picture;
}

// Prefixes of a file and garbage are rejected, never read beyond (ASan watches). Optional trailing
// bytes (PNG's end chunk) may be missing.
void ExpectRejectsTruncation(TDecode Decode, const std::vector<uint8_t>& File, size_t OptionalTail = 0) {
    TPicture Picture;
    std::string Error;
    for (size_t Cut = 0; Cut < File.size() - OptionalTail; Cut += 1 + Cut / 8) {
        EXPECT_FALSE(Decode(File.data(), Cut, Picture, &Error)) << "cut at " << Cut;
        EXPECT_TRUE(Picture.Pixels.empty());
    }
    EXPECT_FALSE(Error.empty());
    const std::vector<uint8_t> Garbage(300, 0xA5);
    EXPECT_FALSE(Decode(Garbage.data(), Garbage.size(), Picture, nullptr));
    EXPECT_FALSE(Decode(nullptr, 0, Picture, nullptr));
}

void ExpectNear(uint32_t Pixel, int R, int G, int B) {
    EXPECT_NEAR(Channel(Pixel, 0), R, 3);
    EXPECT_NEAR(Channel(Pixel, 8), G, 3);
    EXPECT_NEAR(Channel(Pixel, 16), B, 3);
    EXPECT_EQ(Channel(Pixel, 24), 255);
}

} // namespace

TEST(TPngDecoder, RoundTripsEncoderOutputWithAlpha) {
    const TPicture Source = MakeTestPicture(5, 3, true);
    std::vector<uint8_t> File, Again;
    ASSERT_TRUE(TPngEncoder::Encode(Source, File));
    ASSERT_TRUE(TPngEncoder::Encode(Source, Again));
    EXPECT_EQ(File, Again); // screenshots and tool outputs must be reproducible
    TPicture Decoded;
    ASSERT_TRUE(TPngDecoder::Decode(File.data(), File.size(), Decoded));
    ExpectSame(Decoded, Source);
    ExpectRejectsTruncation(TPngDecoder::Decode, File, 12);
}

TEST(TPngDecoder, ExpandsInterlacedRgbAndGreyscale) {
    const TPicture Source = MakeTestPicture(11, 9, false);
    const std::vector<uint8_t> File = MakeInterlacedRgbPng(Source);
    TPicture Decoded;
    std::string Error;
    ASSERT_TRUE(TPngDecoder::Decode(File.data(), File.size(), Decoded, &Error)) << Error;
    ExpectSame(Decoded, Source);

    png_image Image{};
    Image.version = PNG_IMAGE_VERSION;
    Image.width = 3;
    Image.height = 2;
    Image.format = PNG_FORMAT_GRAY;
    const uint8_t Grey[6] = {0, 100, 255, 30, 60, 90};
    png_alloc_size_t Size = 0;
    ASSERT_TRUE(png_image_write_to_memory(&Image, nullptr, &Size, 0, Grey, 0, nullptr));
    std::vector<uint8_t> GreyFile(Size);
    ASSERT_TRUE(png_image_write_to_memory(&Image, GreyFile.data(), &Size, 0, Grey, 0, nullptr));
    ASSERT_TRUE(TPngDecoder::Decode(GreyFile.data(), Size, Decoded));
    EXPECT_EQ(Decoded.At(1, 0), Rgba(100, 100, 100));
    EXPECT_EQ(Decoded.At(2, 1), Rgba(90, 90, 90));
}

TEST(TPngEncoder, SavesFileAndRejectsEmptyPicture) {
    TTempDir Dir;
    const TPicture Source = MakeTestPicture(4, 4, true);
    ASSERT_TRUE(TPngEncoder::Save(Dir.File("shot.png"), Source));
    TPicture Loaded;
    ASSERT_TRUE(TPictureFile::Load(Dir.File("shot.png"), Loaded));
    ExpectSame(Loaded, Source);
    std::vector<uint8_t> Out;
    EXPECT_FALSE(TPngEncoder::Encode(TPicture(), Out));
    EXPECT_FALSE(TPngEncoder::Save(Dir.File("no/dir/shot.png"), Source));
}

TEST(TJpegDecoder, DecodesColourAndGreyscale) {
    const std::vector<uint8_t> Colour = MakeJpeg(17, 9, false, 200, 40, 90);
    TPicture Decoded;
    std::string Error;
    ASSERT_TRUE(TJpegDecoder::Decode(Colour.data(), Colour.size(), Decoded, &Error)) << Error;
    EXPECT_EQ(Decoded.Width, 17);
    EXPECT_EQ(Decoded.Height, 9);
    ExpectNear(Decoded.At(0, 0), 200, 40, 90);
    ExpectNear(Decoded.At(16, 8), 200, 40, 90);

    const std::vector<uint8_t> Grey = MakeJpeg(8, 8, true, 120, 0, 0);
    ASSERT_TRUE(TJpegDecoder::Decode(Grey.data(), Grey.size(), Decoded, &Error)) << Error;
    ExpectNear(Decoded.At(3, 3), 120, 120, 120);
    ExpectRejectsTruncation(TJpegDecoder::Decode, Colour);
}

TEST(TBmpDecoder, Decodes24BitBothRowOrders) {
    const TPicture Source = MakeTestPicture(3, 4, false); // 3 pixels: rows need padding
    for (bool TopDown : {false, true}) {
        const std::vector<uint8_t> File = MakeBmp(Source, 24, TopDown);
        TPicture Decoded;
        ASSERT_TRUE(TBmpDecoder::Decode(File.data(), File.size(), Decoded));
        ExpectSame(Decoded, Source);
    }
    ExpectRejectsTruncation(TBmpDecoder::Decode, MakeBmp(Source, 24, false));
}

TEST(TBmpDecoder, Uses32BitAlphaOnlyWhenPresent) {
    const TPicture WithAlpha = MakeTestPicture(4, 2, true);
    std::vector<uint8_t> File = MakeBmp(WithAlpha, 32, false);
    TPicture Decoded;
    ASSERT_TRUE(TBmpDecoder::Decode(File.data(), File.size(), Decoded));
    ExpectSame(Decoded, WithAlpha);

    TPicture NoAlpha = WithAlpha;
    for (uint32_t& Pixel : NoAlpha.Pixels) {
        Pixel &= 0x00FFFFFFu;
    }
    File = MakeBmp(NoAlpha, 32, true);
    ASSERT_TRUE(TBmpDecoder::Decode(File.data(), File.size(), Decoded));
    ExpectSame(Decoded, Opaque(NoAlpha));
}

TEST(TBmpDecoder, Decodes8BitPalette) {
    const std::vector<uint32_t> Palette = {Rgba(0, 0, 0), Rgba(255, 0, 0), Rgba(0, 128, 255)};
    TPicture Indices;
    Indices.Width = 5;
    Indices.Height = 2;
    Indices.Pixels = {0, 1, 2, 1, 0, 2, 2, 1, 0, 7}; // 7 lies beyond the palette: black
    const std::vector<uint8_t> File = MakeBmp(Indices, 8, false, Palette);
    TPicture Decoded;
    ASSERT_TRUE(TBmpDecoder::Decode(File.data(), File.size(), Decoded));
    ASSERT_EQ(Decoded.Width, 5);
    EXPECT_EQ(Decoded.At(1, 0), Rgba(255, 0, 0));
    EXPECT_EQ(Decoded.At(2, 0), Rgba(0, 128, 255));
    EXPECT_EQ(Decoded.At(0, 1), Rgba(0, 128, 255));
    EXPECT_EQ(Decoded.At(4, 1), Rgba(0, 0, 0));
}

TEST(TBmpDecoder, RejectsHugeOrNonsenseHeaders) {
    std::vector<uint8_t> File = MakeBmp(MakeTestPicture(2, 2, false), 24, false);
    TPicture Decoded;
    std::vector<uint8_t> Huge = File;
    Huge[18] = 0xFF, Huge[19] = 0xFF, Huge[20] = 0xFF, Huge[21] = 0x7F; // width 2^31 - 1
    EXPECT_FALSE(TBmpDecoder::Decode(Huge.data(), Huge.size(), Decoded));
    std::vector<uint8_t> Depth = File;
    Depth[28] = 7;
    EXPECT_FALSE(TBmpDecoder::Decode(Depth.data(), Depth.size(), Decoded));
    std::vector<uint8_t> Offset = File;
    Offset[13] = 0x40; // pixel data far beyond the end
    EXPECT_FALSE(TBmpDecoder::Decode(Offset.data(), Offset.size(), Decoded));
}

TEST(TTgaDecoder, DecodesRawAndRunLengthInBothRowOrders) {
    const TPicture Plain = MakeTestPicture(5, 4, true);
    const TPicture Banded = MakeBandedPicture(150, 3); // runs longer than one packet, across rows
    for (const TPicture* Source : {&Plain, &Banded}) {
        for (int Depth : {24, 32}) {
            for (bool Rle : {false, true}) {
                for (bool TopDown : {false, true}) {
                    const std::vector<uint8_t> File = MakeTga(*Source, Depth, Rle, TopDown);
                    TPicture Decoded;
                    std::string Error;
                    ASSERT_TRUE(TTgaDecoder::Decode(File.data(), File.size(), Decoded, &Error)) << Error;
                    ExpectSame(Decoded, Depth == 32 ? *Source : Opaque(*Source));
                }
            }
        }
    }
    ExpectRejectsTruncation(TTgaDecoder::Decode, MakeTga(Plain, 32, true, false));
    ExpectRejectsTruncation(TTgaDecoder::Decode, MakeTga(Plain, 24, false, true));
}

TEST(TPictureFile, ChoosesDecoderByExtension) {
    TTempDir Dir;
    const TPicture Source = MakeTestPicture(3, 3, false);
    const std::vector<uint8_t> Tga = MakeTga(Source, 24, true, false);
    const std::vector<uint8_t> Bmp = MakeBmp(Source, 24, false);
    ASSERT_TRUE(TFile::WriteAtomic(Dir.File("ship.TGA"), Tga.data(), Tga.size()));
    ASSERT_TRUE(TFile::WriteAtomic(Dir.File("ship.dat"), Bmp.data(), Bmp.size()));
    ASSERT_TRUE(TFile::WriteAtomic(Dir.File("wrong.png"), Bmp.data(), Bmp.size()));
    TPicture Loaded;
    ASSERT_TRUE(TPictureFile::Load(Dir.File("ship.TGA"), Loaded));
    ExpectSame(Loaded, Source);
    ASSERT_TRUE(TPictureFile::Load(Dir.File("ship.dat"), Loaded));
    ExpectSame(Loaded, Source);
    std::string Error;
    EXPECT_FALSE(TPictureFile::Load(Dir.File("wrong.png"), Loaded, &Error));
    EXPECT_NE(Error.find("wrong.png"), std::string::npos);
    EXPECT_FALSE(TPictureFile::Load(Dir.File("missing.bmp"), Loaded, &Error));
}
