#include <gtest/gtest.h>

#include <cstdlib>

#include "RuntimeTestSupport.h"
#include "runtime/TFile.h"
#include "runtime/TPngEncoder.h"
#include "runtime/TZlibStream.h"

// Writes the starting corpus of the fuzz harnesses (tests/fuzz) when ZERATHON_FUZZ_SEEDS names a
// folder; otherwise does nothing. The seeds come from the same builders the decoder tests use.
TEST(FuzzSeeds, WriteWhenAsked) {
    const char* Root = std::getenv("ZERATHON_FUZZ_SEEDS");
    if (!Root || !*Root) {
        GTEST_SKIP() << "ZERATHON_FUZZ_SEEDS not set";
    }
    const std::string Base = Root;
    const auto Put = [&](const std::string& Kind, const std::string& Name, const std::vector<uint8_t>& Data) {
        ASSERT_TRUE(TFile::MakeDirectory(Base + "/" + Kind));
        ASSERT_TRUE(TFile::WriteAtomic(Base + "/" + Kind + "/" + Name, Data.data(), Data.size()));
    };
    const TPicture Small = MakeTestPicture(5, 3, true);
    const TPicture Banded = MakeBandedPicture(40, 3);
    std::vector<uint8_t> Png;
    ASSERT_TRUE(TPngEncoder::Encode(Small, Png));
    Put("png", "rgba", Png);
    Put("png", "interlaced", MakeInterlacedRgbPng(MakeTestPicture(9, 7, false)));
    Put("jpeg", "colour", MakeJpeg(17, 9, false, 200, 40, 90));
    Put("jpeg", "grey", MakeJpeg(8, 8, true, 120, 0, 0));
    Put("jpeg", "progressive", MakeJpeg(24, 16, false, 10, 200, 90, true));
    Put("bmp", "rgb24", MakeBmp(Small, 24, false));
    Put("bmp", "rgba32", MakeBmp(Small, 32, true));
    TPicture Indices = Small;
    for (size_t I = 0; I < Indices.Pixels.size(); ++I) {
        Indices.Pixels[I] = static_cast<uint32_t>(I % 3);
    }
    Put("bmp", "pal8", MakeBmp(Indices, 8, false, {Rgba(1, 2, 3), Rgba(200, 100, 0), Rgba(9, 9, 9)}));
    Put("tga", "raw24", MakeTga(Small, 24, false, false));
    Put("tga", "raw32", MakeTga(Small, 32, false, true));
    Put("tga", "rle32", MakeTga(Banded, 32, true, false));
    Put("tga", "rle24", MakeTga(Banded, 24, true, true));
    const auto Text = [](const std::string& S) { return std::vector<uint8_t>(S.begin(), S.end()); };
    Put("ini", "settings",
        Text("; comment\r\n[Video]\r\nWindowed=1\r\nBitDepth=$20\r\n\r\n[Users]\r\nCount=0x2\r\n"
             "Active=\"Player One\"\r\n[Effect]\r\nSpace=0.5\r\n"));
    const std::vector<uint8_t> Record(121, 3);
    Put("zlib", "profile", TZlibStream::Compress(Record.data(), Record.size(), 9));
    Put("ini", "language", Text("[Text]\nmsMAIN_NewGame=Nov\xE1 hra\nKey=12abc\n[text]\nKey=2\nOrphan"));
}
