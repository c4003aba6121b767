#include "THeadlessDevice.h"

#include "text/TText.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

TEST(TTextTest, MissingFileSectionOrKeyReadsAsTheDefault) {
    TTempDir Dir;
    TText Text;
    Text.Load(Dir / "Nowhere.lng");
    int Count = 0;
    const TText::TField* Fields = TText::Fields(Count);
    for (int I = 0; I < Count; ++I)
        EXPECT_EQ(Text.*Fields[I].Member, "UNABLE TO LOAD STRING");
    for (int I = 0; I < 20; ++I)
        EXPECT_EQ(Text.SecondLine[I], "UNABLE TO LOAD STRING");

    std::ofstream(Dir / "Only.lng")
        << "[LevelText]\n3=Third briefing\n[application]\nPRESENT=Kestrune presents\n";
    Text.Load(Dir / "Only.lng");
    EXPECT_EQ(Text.LevelText[3], "Third briefing");
    EXPECT_EQ(Text.LevelText[2], "UNABLE TO LOAD STRING");
    EXPECT_EQ(Text.present, "Kestrune presents");
    EXPECT_EQ(Text.loading, "UNABLE TO LOAD STRING");
}

TEST(TTextTest, ReadsWindows1250AndUtf8FilesAlike) {
    TTempDir Dir;
    // "Žluťoučký kůň" in each encoding.
    std::ofstream(Dir / "Utf8.lng")
        << "[Application]\nloading=\xC5\xBDlu\xC5\xA5ou\xC4\x8Dk\xC3\xBD k\xC5\xAF\xC5\x88\n";
    std::ofstream(Dir / "Win.lng") << "[Application]\nloading=\x8Elu\x9Dou\xE8k\xFD k\xF9\xF2\n";
    TText Utf8;
    Utf8.Load(Dir / "Utf8.lng");
    TText Windows;
    Windows.Load(Dir / "Win.lng");
    EXPECT_EQ(Windows.loading, "\x8Elu\x9Dou\xE8k\xFD k\xF9\xF2");
    EXPECT_EQ(Utf8.loading, Windows.loading);
}

} // namespace
