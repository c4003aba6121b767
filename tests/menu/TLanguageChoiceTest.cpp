#include "THeadlessEngine.h"

#include "engine/TWidgetInput.h"
#include "menu/TLanguageChoice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

namespace {

class TLanguageChoiceTest : public THeadlessEngine {
  protected:
    void SetUp() override {
        THeadlessEngine::SetUp();
        ASSERT_TRUE(AddGameFonts({16}));
        UsePortableFolder(Dir.Dir());
        std::filesystem::create_directories(Dir / "Text");
    }
    void Language(const std::string& File, const std::string& Name) {
        std::ofstream(Dir / ("Text/" + File + ".lng"))
            << "[Application]\nLanguageName=" << Name << "\nloading=x\n";
    }
};

// However many languages, however long or empty their names, the choice keeps to its room: rows no wider
// than asked, no more of them than asked, the rest a page away, and every language reachable.
TEST_F(TLanguageChoiceTest, ManyLanguagesKeepToTheirRoomAPageAtATime) {
    for (int Index = 0; Index < 14; ++Index)
        Language("Language" + std::to_string(Index), "Name " + std::to_string(Index));
    Language("Long", std::string(200, 'W'));
    Language("Nameless", "");
    TLanguageChoice Choice(*TestEngine, "pick_", 100, 50, 300, 0, 2);
    ASSERT_EQ(Choice.Buttons().size(), 16u);
    EXPECT_GT(Choice.PageCount(), 1);
    std::set<std::string> Captions;
    for (size_t Index = 0; Index < Choice.Buttons().size(); ++Index) {
        const TRect& Rect = Choice.Buttons()[Index].Rect();
        EXPECT_GE(Rect.Left, 100);
        EXPECT_LE(Rect.Right, 400) << Choice.Buttons()[Index].Caption();
        EXPECT_LT(Rect.Top, 50 + 2 * TLanguageChoice::RowHeight);
        Captions.insert(Choice.Buttons()[Index].Caption());
    }
    EXPECT_TRUE(Captions.count("Nameless")); // under its file's name
    // The page turns round through every page.
    Choice.Chosen = "Nameless";
    Choice.Run();
    const int First = Choice.Page();
    EXPECT_EQ(Choice.Page(), Choice.PageOf(15));
    std::set<int> Seen;
    for (int Turn = 0; Turn < Choice.PageCount(); ++Turn) {
        Seen.insert(Choice.Page());
        EXPECT_TRUE(Choice.OnClick("pick_/more"));
        EXPECT_EQ(Choice.Chosen, "Nameless");
    }
    EXPECT_EQ(Choice.Page(), First);
    EXPECT_EQ(static_cast<int>(Seen.size()), Choice.PageCount());
}

} // namespace
