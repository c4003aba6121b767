#include "THeadlessDevice.h"

#include "runtime/TMessageBox.h"
#include "text/TText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

TEST(TTextTest, MissingFileSectionOrKeyReadsAsTheDefault) {
    TTempDir Dir;
    TText Text;
    Text.Load(Dir / "Nowhere.lng");
    int Count = 0;
    const TText::TField* Fields = TText::Fields(Count);
    // Keys newer than some translations fall back on English instead.
    for (int I = 0; I < Count; ++I)
        EXPECT_EQ(Text.*Fields[I].Member, Fields[I].Default) << Fields[I].Key;
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

TEST(TTextTest, AnUnreadableLanguageIsNamedOnceAndEnglishTakesItsPlace) {
    TTempDir Dir;
    std::filesystem::create_directories(Dir / "Text");
    std::ofstream(Dir / "Text/English.lng") << "[Application]\nloading=Loading\n";
    std::ofstream(Dir / "Text/Czech.lng") << "[Application]\nloading=Nahr\xE1v\xE1m\n";
    std::vector<std::string> Messages;
    TMessageBox::Hook = [&](const std::string&, const std::string& Text, bool) { Messages.push_back(Text); };
    TText Text;
    Text.LoadLanguage(Dir.Dir(), "Czech");
    EXPECT_TRUE(Messages.empty());
    EXPECT_EQ(Text.loading, "Nahr\xE1v\xE1m");
    Text.LoadLanguage(Dir.Dir(), "Klingon");
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_NE(Messages[0].find("Klingon.lng"), std::string::npos) << Messages[0];
    EXPECT_EQ(Text.loading, "Loading");
    // A file that is there but holds no string at all is no better than a missing one.
    std::ofstream(Dir / "Text/Czech.lng") << std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16);
    Text.LoadLanguage(Dir.Dir(), "Czech");
    ASSERT_EQ(Messages.size(), 2u);
    EXPECT_NE(Messages[1].find("Czech.lng"), std::string::npos) << Messages[1];
    EXPECT_EQ(Text.loading, "Loading");
    // Without English either, the one message still comes, and the placeholders stay.
    std::filesystem::remove(Dir / "Text/English.lng");
    Text.LoadLanguage(Dir.Dir(), "Klingon");
    TMessageBox::Hook = nullptr;
    EXPECT_EQ(Messages.size(), 3u);
    EXPECT_EQ(Text.loading, "UNABLE TO LOAD STRING");
}

// The system's first preferred language that a file is written in, else English: never a language the
// player may not read.
TEST(TTextTest, AFreshInstallationSpeaksTheSystemsLanguageOrEnglish) {
    const std::string Data = ZERATHON_SOURCE_DIR "/data/";
    const struct {
        std::vector<std::string> Preferred;
        const char* Language;
    } Cases[] = {{{"cs"}, "Czech"},   {{"sk", "cs"}, "Slovak"},  {{"de", "cs", "en"}, "Czech"},
                 {{"EN"}, "English"}, {{"de", "fr"}, "English"}, {{}, "English"}};
    for (const auto& Case : Cases)
        EXPECT_EQ(TText::FirstLanguage(Data, Case.Preferred), Case.Language) << Case.Language;
}

TEST(TTextTest, EveryLanguageFileIsOfferedUnderItsOwnName) {
    TTempDir Dir;
    std::filesystem::create_directories(Dir / "Text");
    std::ofstream(Dir / "Text/Czech.lng") << "[Application]\nLanguageName=\xC4\x8C"
                                             "e\xC5\xA1tina\n";
    std::ofstream(Dir / "Text/Klingon.LNG") << "[Application]\npresent=Qapla'\n";
    std::ofstream(Dir / "Text/credits.txt") << "[Application]\nLanguageName=Credits\n";
    const std::vector<TText::TLanguage> Found = TText::Languages(Dir.Dir());
    ASSERT_EQ(Found.size(), 2u);
    EXPECT_EQ(Found[0].File, "Czech");
    EXPECT_EQ(Found[0].Name, "\xC8"
                             "e\x9Atina"); // in the game's encoding
    EXPECT_EQ(Found[1].File, "Klingon");
    EXPECT_EQ(Found[1].Name, "Klingon");
}

} // namespace
