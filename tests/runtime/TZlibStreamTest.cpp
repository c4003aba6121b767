#include <gtest/gtest.h>

#include "RuntimeTestSupport.h"
#include "runtime/TZlibStream.h"

namespace {

std::vector<uint8_t> SampleData() {
    std::vector<uint8_t> Data;
    for (int I = 0; I < 100000; ++I) {
        Data.push_back(static_cast<uint8_t>((I * 7) ^ (I >> 5)));
    }
    return Data;
}

} // namespace

TEST(TZlibStream, RoundTripsAtLevelsOneAndNine) {
    const std::vector<uint8_t> Data = SampleData();
    for (int Level : {1, 9}) {
        std::vector<uint8_t> Packed = TZlibStream::Compress(Data.data(), Data.size(), Level);
        ASSERT_GE(Packed.size(), 2u);
        EXPECT_EQ(Packed[0], 0x78); // zlib header, not raw deflate or gzip
        std::vector<uint8_t> Back;
        ASSERT_TRUE(TZlibStream::Decompress(Packed.data(), Packed.size(), Back)) << Level;
        EXPECT_EQ(Back, Data);
    }
    std::vector<uint8_t> Empty = TZlibStream::Compress(nullptr, 0, 9);
    std::vector<uint8_t> Back{1};
    ASSERT_TRUE(TZlibStream::Decompress(Empty.data(), Empty.size(), Back));
    EXPECT_TRUE(Back.empty());
}

TEST(TZlibStream, RejectsTruncatedCorruptAndOversizedStreams) {
    const std::vector<uint8_t> Data = SampleData();
    const std::vector<uint8_t> Packed = TZlibStream::Compress(Data.data(), Data.size(), 9);
    std::vector<uint8_t> Out;
    for (size_t Cut : {size_t(0), size_t(1), size_t(2), Packed.size() / 2, Packed.size() - 1}) {
        EXPECT_FALSE(TZlibStream::Decompress(Packed.data(), Cut, Out)) << Cut;
        EXPECT_TRUE(Out.empty());
    }
    std::vector<uint8_t> Corrupt = Packed;
    Corrupt[Corrupt.size() / 2] ^= 0x55;
    EXPECT_FALSE(TZlibStream::Decompress(Corrupt.data(), Corrupt.size(), Out));
    std::vector<uint8_t> BadChecksum = Packed;
    BadChecksum.back() ^= 1;
    EXPECT_FALSE(TZlibStream::Decompress(BadChecksum.data(), BadChecksum.size(), Out));
    const uint8_t Text[] = "not a zlib stream";
    EXPECT_FALSE(TZlibStream::Decompress(Text, sizeof Text, Out));
    EXPECT_FALSE(TZlibStream::Decompress(Packed.data(), Packed.size(), Out, Data.size() - 1));
    EXPECT_TRUE(TZlibStream::Decompress(Packed.data(), Packed.size(), Out, Data.size()));
}

TEST(TZlibStream, WritesAndReadsFiles) {
    TTempDir Dir;
    const std::string Path = Dir.File("highscore.hsf");
    const std::vector<uint8_t> Data(500, 7);
    ASSERT_TRUE(TZlibStream::WriteFile(Path, Data.data(), Data.size(), 9));
    std::vector<uint8_t> Back;
    ASSERT_TRUE(TZlibStream::ReadFile(Path, Back));
    EXPECT_EQ(Back, Data);
    EXPECT_FALSE(TZlibStream::ReadFile(Dir.File("missing"), Back));
    std::string Error;
    EXPECT_FALSE(TZlibStream::WriteFile(Dir.File("no/dir/x"), Data.data(), Data.size(), 9, &Error));
    EXPECT_FALSE(Error.empty());
}
