#include <gtest/gtest.h>

#include "runtime/TWin1250.h"

namespace {

// Czech and Slovak letters in UTF-8, and the same text in Windows-1250.
const std::string CzechUtf8 = "ěščřžýáíéúůťďňľĺôä ĚŠČŘŽÝÁÍÉÚŮŤĎŇĽĹÔÄ";
const std::string CzechWin1250 = "\xEC\x9A\xE8\xF8\x9E\xFD\xE1\xED\xE9\xFA\xF9\x9D\xEF\xF2\xBE\xE5\xF4\xE4 "
                                 "\xCC\x8A\xC8\xD8\x8E\xDD\xC1\xCD\xC9\xDA\xD9\x8D\xCF\xD2\xBC\xC5\xD4\xC4";

} // namespace

TEST(TWin1250, ConvertsCzechAndSlovakLettersBothWays) {
    EXPECT_EQ(TWin1250::FromUtf8(CzechUtf8), CzechWin1250);
    EXPECT_EQ(TWin1250::ToUtf8(CzechWin1250), CzechUtf8);
    EXPECT_EQ(TWin1250::ToUtf8("\x80\x84"), "€„");
}

TEST(TWin1250, EveryDefinedByteRoundTrips) {
    for (int Byte = 1; Byte < 256; ++Byte) {
        const std::string One(1, static_cast<char>(Byte));
        const std::string Utf8 = TWin1250::ToUtf8(One);
        EXPECT_TRUE(TWin1250::IsValidUtf8(Utf8));
        if (Byte == 0x81 || Byte == 0x83 || Byte == 0x88 || Byte == 0x90 || Byte == 0x98) {
            EXPECT_EQ(Utf8, "\xEF\xBF\xBD") << Byte;
        } else {
            EXPECT_EQ(TWin1250::FromUtf8(Utf8), One) << Byte;
        }
    }
}

TEST(TWin1250, DropsUnmappableAndMalformedInput) {
    EXPECT_EQ(TWin1250::FromUtf8("a日b😀cßd"), "abc\xDF"
                                              "d"); // ß exists in Windows-1250
    EXPECT_EQ(TWin1250::FromUtf8("x\xC3y\xFFz\xE2\x82"), "xyz");
    EXPECT_EQ(TWin1250::FromUtf8("\xC0\xAF"), "");       // overlong '/'
    EXPECT_EQ(TWin1250::FromUtf8("\xED\xA0\x80!"), "!"); // surrogate
}

TEST(TWin1250, ValidatesUtf8) {
    EXPECT_TRUE(TWin1250::IsValidUtf8(""));
    EXPECT_TRUE(TWin1250::IsValidUtf8(CzechUtf8));
    EXPECT_FALSE(TWin1250::IsValidUtf8(CzechWin1250));
    EXPECT_FALSE(TWin1250::IsValidUtf8("\xF4\x90\x80\x80")); // above U+10FFFF
    EXPECT_FALSE(TWin1250::HasNonAscii("plain text"));
    EXPECT_TRUE(TWin1250::HasNonAscii(CzechWin1250));
}

TEST(TWin1250, FileTextInEitherEncodingBecomesWin1250) {
    EXPECT_EQ(TWin1250::FromFileText("[Text]\nA=" + CzechUtf8), "[Text]\nA=" + CzechWin1250);
    EXPECT_EQ(TWin1250::FromFileText("\xEF\xBB\xBFStart=" + CzechUtf8), "Start=" + CzechWin1250);
    EXPECT_EQ(TWin1250::FromFileText("A=" + CzechWin1250), "A=" + CzechWin1250);
    EXPECT_EQ(TWin1250::FromFileText("\xEF\xBB\xBFplain"), "plain");
    EXPECT_EQ(TWin1250::FromFileText("plain"), "plain");
}
