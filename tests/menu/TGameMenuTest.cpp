#include "TGameHarness.h"
#include "THeadlessEngine.h"

#include "app/Globals.h"
#include "engine/TWidgetInput.h"
#include "menu/TGameMenu.h"
#include "menu/TProfileFiles.h"
#include "missions/TLoading.h"

#include <gtest/gtest.h>

namespace {

// The menu over a headless engine with no pictures, in a fresh program folder.
class TGameMenuTest : public THeadlessEngine {
  protected:
    void SetUp() override {
        THeadlessEngine::SetUp();
        UsePortableFolder(Dir.Dir());
        TestClock.SetTickCount(1000);
        Loading = std::make_unique<TLoading>();
        GameText.msNEWGAME_Chapter = "Chapter";
        Menu = std::make_unique<TGameMenu>(*TestEngine);
        TestEngine->OnWidgetClick = [this](const std::string& Action) { Menu->OnWidgetClick(Action); };
    }
    void TearDown() override {
        Menu.reset();
        THeadlessEngine::TearDown();
    }
    void Frames(int Count) {
        for (int Frame = 0; Frame < Count; ++Frame) {
            TestClock.Advance(10);
            Menu->Render();
        }
    }

    std::unique_ptr<TGameMenu> Menu;
};

TEST_F(TGameMenuTest, AFreshInstallationOpensOnTheFirstUserScreenAndNeedsAName) {
    EXPECT_EQ(Menu->Screen, msFirstUser);
    Menu->OnWidgetClick("msFIRSTUSER_Create");
    EXPECT_EQ(Menu->Screen, msFirstUser);
    Menu->FirstUserName.SetText("Jana");
    Menu->OnWidgetClick("msFIRSTUSER_Create");
    EXPECT_EQ(Menu->Screen, msMain);
    EXPECT_EQ(Profile.Name, "Jana");
}

TEST_F(TGameMenuTest, MainButtonsSlideInOneAfterAnotherAndFadeOutToTheirScreen) {
    Menu->Screen = msMain;
    Frames(400);
    for (int Button = 0; Button < 6; ++Button)
        EXPECT_EQ(Menu->MainScreen.Buttons[Button].GetPosition().x, 55) << Button;
    EXPECT_EQ(Menu->MainScreen.Buttons[2].GetPosition().y,
              300); // first appearance: the constructor's heights
    Menu->OnWidgetClick("msMAIN_HighScore");
    EXPECT_EQ(Menu->MainScreen.Phase, 1);
    Frames(2); // fade alphas start at 0 on the first appearance: the switch follows at once
    EXPECT_EQ(Menu->Screen, msHighScore);
    Menu->OnWidgetClick("msCREDITS_OK");
    Frames(1);
    EXPECT_EQ(Menu->MainScreen.Buttons[2].GetPosition().x, -350); // shown again at the left
    EXPECT_EQ(Menu->MainScreen.Buttons[2].GetPosition().y, 230);
    bool Exited = false;
    Menu->OnExit = [&Exited] { Exited = true; };
    Menu->OnWidgetClick("msMAIN_Exit");
    Frames(200); // a full fade this time
    EXPECT_TRUE(Exited);
}

TEST_F(TGameMenuTest, TheMissionListHoldsTheWonMissionsAndTheNextOne) {
    Menu->FillMissionList();
    ASSERT_EQ(Menu->MissionList.Count(), 1);
    EXPECT_EQ(Menu->MissionList.GetItem(0), "Chapter 1");
    Menu->OnWidgetClick("msNEWGAME_C_Play");
    EXPECT_EQ(LevelName, "level01");
    EXPECT_EQ(CampaignMission, 1);
    EXPECT_EQ(GameState, gsLoading);
    for (int Mission = 1; Mission <= CampaignMissionCount; ++Mission)
        Profile.MissionDone[Mission] = 1;
    Menu->FillMissionList();
    EXPECT_EQ(Menu->MissionList.Count(), 19);
    EXPECT_TRUE(Menu->CampaignFinished());
    LevelName.clear();
    Menu->MissionList.ResetSelection();
    Menu->OnWidgetClick("msNEWGAME_C_Play"); // finished: nothing selected, nothing starts
    EXPECT_EQ(LevelName, "");
    Menu->MissionList.Select(6);
    Menu->OnWidgetClick("msNEWGAME_C_Play");
    EXPECT_EQ(LevelName, "level07");
}

TEST_F(TGameMenuTest, TheMissionListHighlightsTheMissionThePlayButtonStarts) {
    Menu->Screen = msNewGame;
    auto EnterCampaign = [this] {
        Menu->SubScreen = 3;
        Frames(2);
    };
    Profile.MissionDone[1] = 1;
    EnterCampaign();
    Menu->OnWidgetClick("msNEWGAME_C_Play");
    EXPECT_EQ(LevelName, "level02");
    Profile.MissionDone[2] = 1; // won: back on the campaign page
    EnterCampaign();
    EXPECT_EQ(Menu->MissionList.Selected(), 2);
    Menu->MissionList.Select(0); // an earlier mission cannot be chosen before the campaign is won
    Frames(1);
    EXPECT_EQ(Menu->MissionList.Selected(), 2);

    for (int Mission = 1; Mission <= CampaignMissionCount; ++Mission)
        Profile.MissionDone[Mission] = 1;
    Menu->MissionList.ResetSelection(); // as on a fresh start
    EnterCampaign();
    EXPECT_EQ(Menu->MissionList.Selected(), 18);
    Menu->MissionList.Select(4); // now the player's choice stays
    Frames(1);
    Menu->OnWidgetClick("msNEWGAME_C_Play");
    EXPECT_EQ(LevelName, "level05");
}

TEST_F(TGameMenuTest, OneEndlessOptionOfEachGroupStaysTicked) {
    EXPECT_EQ(Menu->GetSpeed(), 1); // none ticked
    TEngineCheckBox& Speed3 = Menu->OptionBoxes[2];
    Speed3.Ticked = true;
    Menu->OnWidgetClick("msNEWGAME_Speed3");
    EXPECT_EQ(Menu->GetSpeed(), 3);
    Speed3.Ticked = false; // the box has untoggled itself: the next one takes over
    Menu->OnWidgetClick("msNEWGAME_Speed3");
    EXPECT_TRUE(Menu->OptionBoxes[0].Ticked);
    EXPECT_EQ(Menu->GetSpeed(), 1);
    Menu->OptionBoxes[4].Ticked = true;
    Menu->OnWidgetClick("msNEWGAME_Steer2");
    EXPECT_EQ(Menu->GetSteer(), 2);
    EXPECT_EQ(Menu->GetShield(), 1);
}

// The real game, headless: the menu's first appearance after the intro, clicked by the mouse.
class TMenuClickTest : public TGameHarness {
  protected:
    void StartInMainMenu(const std::vector<std::string>& Players) {
        Start();
        for (const std::string& Name : Players)
            ASSERT_TRUE(TProfileFiles::CreateProfile(Name, Name == Players.front()));
        TProfileFiles::LoadProfile(TProfileFiles::ActiveFile());
        Press(1);    // Escape: the intro ends
        Frames(150); // the main buttons slide in
        ASSERT_EQ(GameMenu->Screen, msMain);
    }
    // Puts the cursor on (X, Y), which must lie on main button Button.
    void MoveTo(int X, int Y, int Button) {
        Frm->Input.MouseMove(X - Engine->CursorX, Y - Engine->CursorY);
        Frames(1);
        ASSERT_TRUE(TWidgetInput::Inside(GameMenu->MainScreen.Buttons[Button].Rect(), X, Y));
    }
    // The left button down for HeldFrames frames of 10 ms, then up for a few frames.
    void Click(int HeldFrames) {
        Frm->Input.MouseButton(0, true);
        Frames(HeldFrames);
        Frm->Input.MouseButton(0, false);
        Frames(5);
    }
};

TEST_F(TMenuClickTest, AHeldClickOnSettingsLeavesTheBoxUnderItAlone) {
    StartInMainMenu({"Jana"});
    TEngineCheckBox& Box = GameMenu->SettingsScreen.DoubleBox;
    MoveTo(Box.Rect().Left + 40, Box.Rect().Top + 5, 2);
    const bool Ticked = Box.Ticked;
    Click(50);
    ASSERT_EQ(GameMenu->Screen, msSettings);
    EXPECT_EQ(Box.Ticked, Ticked);
    Click(5); // a click of its own
    EXPECT_NE(Box.Ticked, Ticked);
}

TEST_F(TMenuClickTest, TheClickOpeningPlayerProfilesSelectsNoRow) {
    StartInMainMenu({"Adam", "Bara", "Cyril", "Dana", "Eva"});
    MoveTo(100, 200, 1);
    Click(50);
    ASSERT_EQ(GameMenu->Screen, msSetProfile);
    EXPECT_EQ(GameMenu->ProfileList.Selected(), -1);
    Click(5);
    EXPECT_GE(GameMenu->ProfileList.Selected(), 0);
}

TEST_F(TMenuClickTest, AShortClickOnCreditsStaysOnTheCredits) {
    StartInMainMenu({"Jana"});
    MoveTo(100, 520, 4);
    Click(10);
    Frames(20);
    EXPECT_EQ(GameMenu->Screen, msCredits);
    Click(5);
    EXPECT_EQ(GameMenu->Screen, msMain);
}

} // namespace
