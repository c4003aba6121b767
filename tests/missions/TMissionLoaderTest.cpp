#include "TGameHarness.h"

#include "engine/TEngine.h"
#include "missions/TLoading.h"
#include "missions/TMissionLoader.h"
#include "runtime/TMessageBox.h"

namespace {

std::vector<std::string> Lines() {
    std::vector<std::string> Texts;
    for (const TPreGameText& Line : Game.PreGameTexts) {
        EXPECT_EQ(Line.Alpha, 0);
        Texts.push_back(Line.Text);
    }
    return Texts;
}

TEST(TMissionLoaderTest, BriefingLinesEndAtTheFirstSpaceAfterThirtyCharacters) {
    const std::string Word31 = "abcdefghijklmnopqrstuvwxyzABCDE";
    TMissionLoader::WrapBriefing(Word31);
    EXPECT_EQ(Lines(), std::vector<std::string>{Word31});
    TMissionLoader::WrapBriefing(Word31 + " and more words");
    EXPECT_EQ(Lines(), (std::vector<std::string>{Word31, "and more words"}));
    // Thirty characters are not yet too long: the line runs on to the next space.
    TMissionLoader::WrapBriefing("123456789 123456789 1234567890 next word here");
    EXPECT_EQ(Lines(), (std::vector<std::string>{"123456789 123456789 1234567890 next", "word here"}));
    TMissionLoader::WrapBriefing("");
    EXPECT_TRUE(Game.PreGameTexts.empty());
    // A space at the very end closes the line and leaves an empty last line, which the briefing skips.
    TMissionLoader::WrapBriefing(Word31 + " ");
    EXPECT_EQ(Lines(), (std::vector<std::string>{Word31, ""}));
    ResetGlobals();
}

using TMissionLoadTest = TGameHarness;

TEST_F(TMissionLoadTest, UnusableMissionFileGoesBackToTheMenuWithOneMessage) {
    std::filesystem::create_directories(Dir / "Levels");
    Write("Levels/broken.lvl", "not a zlib stream");
    for (const char* Name : {"nowhere", "broken"}) {
        std::vector<std::string> Messages;
        TMessageBox::Hook = [&](const std::string&, const std::string& Text, bool) {
            Messages.push_back(Text);
        };
        Start();
        LevelName = Name;
        Loading->Visible = true;
        GameState = gsLoading;
        Frames(5);
        TMessageBox::Hook = nullptr;
        ASSERT_EQ(Messages.size(), 1u) << Name;
        EXPECT_NE(Messages[0].find(Name), std::string::npos) << Messages[0];
        EXPECT_EQ(GameState, gsMenu);
        EXPECT_FALSE(Loading->Visible);
        EXPECT_TRUE(Engine->CursorVisible);
        Frm.reset();
        ResetGlobals();
    }
}

} // namespace
