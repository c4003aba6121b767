#include "THeadlessEngine.h"

#include "app/Globals.h"
#include "menu/TGameMenu.h"
#include "missions/TLoading.h"

#include <gtest/gtest.h>

namespace {

// The menu over a headless engine with no pictures, in a fresh program folder.
class TGameMenuTest : public THeadlessEngine {
  protected:
    void SetUp() override {
        THeadlessEngine::SetUp();
        ::ProgramDir = Dir.Dir() + "/";
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

} // namespace
