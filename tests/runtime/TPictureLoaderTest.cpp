#include <gtest/gtest.h>

#include "RuntimeTestSupport.h"
#include "runtime/TFile.h"
#include "runtime/TPictureFile.h"
#include "runtime/TPictureLoader.h"
#include "runtime/TPngEncoder.h"

#include <memory>
#include <vector>

namespace {

TEST(TPictureFile, ReadsAPngsSizeFromItsHeaderAlone) {
    TTempDir Dir;
    ASSERT_TRUE(TPngEncoder::Save(Dir.File("whole.png"), MakeTestPicture(5, 3, true)));
    std::vector<uint8_t> Bytes;
    ASSERT_TRUE(TFile::ReadAll(Dir.File("whole.png"), Bytes));
    // The header survives, the pixels do not: the size is known now, the damage only when decoding.
    ASSERT_TRUE(TFile::WriteAtomic(Dir.File("cut.png"), Bytes.data(), 40));
    ASSERT_TRUE(TFile::WriteAtomic(Dir.File("short.png"), Bytes.data(), 20));
    const std::vector<uint8_t> Bmp = MakeBmp(MakeTestPicture(2, 2, false), 24, false);
    ASSERT_TRUE(TFile::WriteAtomic(Dir.File("bitmap.png"), Bmp.data(), Bmp.size()));
    ASSERT_TRUE(TFile::WriteAtomic(Dir.File("bitmap.bmp"), Bmp.data(), Bmp.size()));

    int Width = 0, Height = 0;
    bool Known = false;
    std::string Error;
    for (const char* Name : {"whole.png", "cut.png"}) {
        Width = Height = 0;
        EXPECT_TRUE(TPictureFile::ReadSize(Dir.File(Name), Width, Height, Known, &Error)) << Name;
        EXPECT_TRUE(Known && Width == 5 && Height == 3) << Name;
    }
    TPicture Picture;
    EXPECT_FALSE(TPictureFile::Load(Dir.File("cut.png"), Picture));
    EXPECT_TRUE(TPictureFile::ReadSize(Dir.File("bitmap.bmp"), Width, Height, Known, &Error));
    EXPECT_FALSE(Known);
    for (const char* Name : {"short.png", "bitmap.png", "missing.png"}) {
        Error.clear();
        EXPECT_FALSE(TPictureFile::ReadSize(Dir.File(Name), Width, Height, Known, &Error)) << Name;
        EXPECT_NE(Error.find(Name), std::string::npos) << Error;
    }
}

// Some pictures are decoded by the worker, some by the taker while the worker runs, the rest by the
// taker after the loader is gone: each gives the same picture, once.
TEST(TPictureLoader, GivesEachPictureWhoeverDecodesIt) {
    TTempDir Dir;
    const TPicture Source = MakeTestPicture(7, 4, true);
    ASSERT_TRUE(TPngEncoder::Save(Dir.File("p.png"), Source));
    std::vector<std::shared_ptr<TPictureJob>> Jobs;
    auto Loader = std::make_unique<TPictureLoader>();
    for (int N = 0; N < 12; ++N)
        Jobs.push_back(Loader->Add(Dir.File(N % 4 == 3 ? "none.png" : "p.png")));
    Loader->Start();
    for (size_t N = 0; N < Jobs.size(); ++N) {
        if (N == 6)
            Loader.reset();
        TPicture Picture;
        std::string Error;
        const bool Missing = N % 4 == 3;
        EXPECT_EQ(Jobs[N]->Take(Picture, Error), !Missing) << N;
        if (Missing) {
            EXPECT_NE(Error.find("none.png"), std::string::npos) << Error;
            continue;
        }
        EXPECT_EQ(Picture.Width, Source.Width);
        EXPECT_EQ(Picture.Pixels, Source.Pixels) << N;
    }
}

} // namespace
