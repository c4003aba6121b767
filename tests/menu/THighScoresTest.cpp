#include "THeadlessEngine.h"

#include "menu/THighScores.h"
#include "runtime/TFile.h"
#include "runtime/TMessageBox.h"
#include "runtime/TZlibStream.h"

#include <gtest/gtest.h>

namespace {

// The tables over a headless engine and a temporary program folder, recording every reported click.
class THighScoresTest : public THeadlessEngine {
  protected:
    void SetUp() override {
        THeadlessEngine::SetUp();
        UsePortableFolder(Dir.Dir());
        std::filesystem::create_directories(Dir / "Text");
        TestEngine->OnWidgetClick = [this](const std::string& Action) { Clicks.push_back(Action); };
        Profile.Name = "Anna";
    }
    // The values in rank order, Anna's result shown as its negative.
    static std::vector<int> Values(const THighScores::TTable& Table) {
        std::vector<int> Out;
        for (const TScoreEntry& Entry : Table)
            Out.push_back(Entry.Name == "Anna" ? -Entry.Value : Entry.Value);
        return Out;
    }
    static THighScores::TTable Descending() {
        THighScores::TTable Table;
        for (int I = 0; I < 10; ++I)
            Table[I] = {"Old", 100 - 10 * I};
        return Table;
    }

    std::vector<std::string> Clicks;
};

TEST_F(THighScoresTest, AResultEntersBelowEveryBetterOneAndTheLastFallsOff) {
    THighScores Scores(*TestEngine);
    Scores.AddHighScore(0, 0);
    EXPECT_EQ(Scores.Times[0].Name, "Anna");
    EXPECT_EQ(Scores.Kills[1].Name, "Kestrune");
    // Each result entered into a full table of 100, 90, ... 10.
    const std::pair<int, std::vector<int>> Cases[] = {
        {120, {-120, 100, 90, 80, 70, 60, 50, 40, 30, 20}}, {80, {100, 90, -80, 80, 70, 60, 50, 40, 30, 20}},
        {15, {100, 90, 80, 70, 60, 50, 40, 30, 20, -15}},   {10, {100, 90, 80, 70, 60, 50, 40, 30, 20, -10}},
        {9, {100, 90, 80, 70, 60, 50, 40, 30, 20, 10}},
    };
    for (const auto& [Value, After] : Cases) {
        Scores.Times = Scores.Kills = Descending();
        Scores.AddHighScore(Value, Value);
        EXPECT_EQ(Values(Scores.Times), After) << Value;
        EXPECT_EQ(Values(Scores.Kills), After) << Value;
    }
}

TEST_F(THighScoresTest, ResultsBelowAllTenChangeNothingAndTheTablesAreApart) {
    THighScores Scores(*TestEngine);
    Scores.Times = Scores.Kills = Descending();
    Scores.AddHighScore(9, 95);
    EXPECT_EQ(Values(Scores.Times), Values(Descending()));
    EXPECT_EQ(Values(Scores.Kills), (std::vector<int>{100, -95, 90, 80, 70, 60, 50, 40, 30, 20}));
    Profile.Name = std::string(25, 'z');
    Scores.AddHighScore(200, 0);
    EXPECT_EQ(Scores.Times[0].Name, std::string(20, 'z'));
}

TEST_F(THighScoresTest, TheFileHoldsTenFiftyByteRecordsAndReadsBack) {
    EXPECT_EQ(THighScores::Encode(THighScores::DefaultTable(), THighScores::DefaultTable())[25], 8);
    THighScores Scores(*TestEngine);
    Scores.Times[3] = {"Time", 0x01020304};
    Scores.Kills[9] = {"Kills", -2};
    Scores.SaveHighScores();
    std::vector<uint8_t> Packed, Bytes;
    ASSERT_TRUE(TFile::ReadAll(Dir / "Text/highscore.hsf", Packed));
    EXPECT_EQ(Packed[1], 0xDA); // the best level
    ASSERT_TRUE(TZlibStream::Decompress(Packed.data(), Packed.size(), Bytes));
    ASSERT_EQ(Bytes.size(), 500u);
    EXPECT_EQ(std::string(Bytes.begin() + 150, Bytes.begin() + 155), "\4Time");
    EXPECT_EQ(Bytes[171] + Bytes[174], 4 + 1);
    EXPECT_EQ(std::string(Bytes.begin() + 475, Bytes.begin() + 481), "\5Kills");
    EXPECT_EQ(Bytes[496] + Bytes[499], 0xFE + 0xFF);

    THighScores Again(*TestEngine);
    Again.LoadHighScores();
    EXPECT_EQ(Again.Times[3].Name, "Time");
    EXPECT_EQ(Values(Again.Times), Values(Scores.Times));
    EXPECT_EQ(Values(Again.Kills), Values(Scores.Kills));
}

TEST_F(THighScoresTest, ASaveThatFailsIsReportedOnceAndKeepsTheOldFile) {
    THighScores Scores(*TestEngine);
    ASSERT_TRUE(Scores.SaveHighScores());
    // A directory where the temporary file goes stops the write, even for root.
    std::filesystem::create_directory(Dir / "Text/highscore.hsf.tmp");
    std::vector<std::string> Messages;
    TMessageBox::Hook = [&](const std::string&, const std::string& Text, bool) { Messages.push_back(Text); };
    Scores.AddHighScore(50, 50);
    const bool Saved = Scores.SaveHighScores();
    TMessageBox::Hook = nullptr;
    EXPECT_FALSE(Saved);
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_NE(Messages[0].find("highscore.hsf"), std::string::npos) << Messages[0];
    THighScores Again(*TestEngine);
    Again.LoadHighScores();
    EXPECT_EQ(Values(Again.Times), std::vector<int>(10, 0));
}

TEST_F(THighScoresTest, AnUnreadableFileKeepsTheDefaultsAndIsSetAsideWithOneMessage) {
    std::vector<std::string> Messages;
    TMessageBox::Hook = [&](const std::string&, const std::string& Text, bool) { Messages.push_back(Text); };
    const std::vector<uint8_t> Short(499, 1);
    // The second damaged version is kept beside the first.
    const char* Copies[] = {"Text/highscore.hsf.bad", "Text/highscore.hsf.1.bad"};
    const std::vector<uint8_t> Files[] = {{'n', 'o'}, TZlibStream::Compress(Short.data(), Short.size(), 9)};
    for (int I = 0; I < 2; ++I) {
        const std::vector<uint8_t>& File = Files[I];
        ASSERT_TRUE(TFile::WriteAtomic(Dir / "Text/highscore.hsf", File.data(), File.size()));
        THighScores Scores(*TestEngine);
        Scores.LoadHighScores();
        EXPECT_EQ(Values(Scores.Times), std::vector<int>(10, 0));
        EXPECT_EQ(Scores.Kills[0].Name, "Kestrune");
        std::vector<uint8_t> Copy;
        ASSERT_TRUE(TFile::ReadAll(Dir / Copies[I], Copy));
        EXPECT_EQ(Copy, File);
    }
    TMessageBox::Hook = nullptr;
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_NE(Messages[0].find(Dir / "Text/highscore.hsf.bad"), std::string::npos) << Messages[0];
}

TEST_F(THighScoresTest, OkOrEscapeGoBack) {
    THighScores Scores(*TestEngine);
    EXPECT_EQ(Scores.HighScoreOK.Rect().Left, 512 - 94);
    EXPECT_EQ(Scores.HighScoreOK.Rect().Top, 650);
    TestEngine->CursorX = 512;
    TestEngine->CursorY = 660;
    Input.MouseButton(0, true);
    Mouse.Update();
    Scores.Run();
    Input.KeyEvent(1, true);
    Keyboard.Update();
    Scores.Run();
    Keyboard.Update();
    Scores.Run();
    EXPECT_EQ(Clicks, (std::vector<std::string>{"msCREDITS_OK", "msCREDITS_OK"}));
}

} // namespace
