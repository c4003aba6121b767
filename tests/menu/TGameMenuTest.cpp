#include "TGameHarness.h"
#include "THeadlessEngine.h"

#include "app/Globals.h"
#include "engine/TEngineTextButton.h"
#include "engine/TWidgetInput.h"
#include "menu/TGameMenu.h"
#include "menu/TProfileFiles.h"
#include "missions/TLoading.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

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
    // Input is polled once per frame, as the game loop does.
    void Frames(int Count) {
        for (int Frame = 0; Frame < Count; ++Frame) {
            TestClock.Advance(10);
            Mouse.Update();
            Keyboard.Update();
            Menu->Render();
        }
    }
    // A key down for a frame, then up; and a few frames more, so that a key acting twice would show.
    void Tap(int Code) {
        Input.KeyEvent(Code, true);
        Frames(1);
        Input.KeyEvent(Code, false);
        Frames(4);
    }
    void SelectProfile(const std::string& Name) {
        for (int Item = 0; Item < Menu->ProfileList.Count(); ++Item)
            if (Menu->ProfileList.GetItem(Item) == Name)
                Menu->ProfileList.Select(Item);
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

TEST_F(TGameMenuTest, EscGoesBackAndEnterPressesTheDefaultButtonOnEveryScreen) {
    constexpr int Esc = 1, Enter = 28, KeypadEnter = 156;
    struct TRow {
        const char* What;
        uint8_t Screen;
        int SubScreen;
        std::function<void(TGameMenu&)> Setup;
        int Key;
        uint8_t ScreenAfter;
        int SubScreenAfter;
        std::function<bool(TGameMenu&)> Done;
    };
    const auto Nothing = [](TGameMenu&) {};
    const auto Fine = [](TGameMenu&) { return true; };
    const TRow Rows[] = {
        {"main menu", msMain, 0, Nothing, Esc, msMain, 0, Fine},
        {"new game choice", msNewGame, 0, Nothing, Esc, msMain, 0, Fine},
        {"campaign", msNewGame, 1, Nothing, Esc, msNewGame, 0, Fine},
        {"campaign, Enter", msNewGame, 1, Nothing, Enter, msNewGame, 1,
         [](TGameMenu&) { return GameState != gsLoading; }},
        {"endless set-up", msNewGame, 2, Nothing, Esc, msNewGame, 0, Fine},
        {"settings: Esc cancels", msSettings, 0,
         [](TGameMenu& M) { M.SettingsScreen.WindowedBox.Ticked = true; }, Esc, msMain, 0,
         [](TGameMenu&) { return !Settings.Windowed; }},
        {"settings: Enter applies", msSettings, 0,
         [](TGameMenu& M) { M.SettingsScreen.WindowedBox.Ticked = true; }, KeypadEnter, msMain, 0,
         [](TGameMenu&) { return Settings.Windowed; }},
        {"settings: Alt+Enter belongs to the window", msSettings, 0,
         [this](TGameMenu&) {
             Input.KeyEvent(56, true);
             Frames(1);
         },
         Enter, msSettings, 0, Fine},
        {"settings: Esc ends a key capture only", msSettings, 0,
         [](TGameMenu& M) { M.OnWidgetClick("msSETTINGS_Left"); }, Esc, msSettings, 0,
         [](TGameMenu& M) { return M.SettingsScreen.CaptureState == 0; }},
        {"settings: Enter is the key captured", msSettings, 0,
         [](TGameMenu& M) {
             M.SettingsScreen.WindowedBox.Ticked = true;
             M.OnWidgetClick("msSETTINGS_PlantMine");
         },
         Enter, msSettings, 0,
         [](TGameMenu& M) { return M.SettingsScreen.CaptureState == 0 && !Settings.Windowed; }},
        {"profiles", msSetProfile, 0, Nothing, Esc, msMain, 0, Fine},
        {"profiles, Enter without a name", msSetProfile, 0, Nothing, Enter, msSetProfile, 0,
         [](TGameMenu&) { return TProfileFiles::ProfileCount() == 1; }},
        {"profiles, Enter with a name", msSetProfile, 0, [](TGameMenu& M) { M.ProfileName.SetText("Bara"); },
         Enter, msSetProfile, 0,
         [](TGameMenu& M) { return TProfileFiles::ProfileCount() == 2 && M.ProfileName.Text().empty(); }},
        {"first user, Esc asks whether to quit", msFirstUser, 0,
         [](TGameMenu& M) { M.FirstUserName.SetText("Cyril"); }, Esc, msFirstUser, 0,
         [](TGameMenu& M) { return M.QuitQuestion.Open(); }},
        {"first user, Enter without a name", msFirstUser, 0, Nothing, Enter, msFirstUser, 0, Fine},
        {"first user, Enter with a name", msFirstUser, 0,
         [](TGameMenu& M) { M.FirstUserName.SetText("Cyril"); }, Enter, msMain, 0,
         [](TGameMenu&) { return Profile.Name == "Cyril"; }},
        {"high scores", msHighScore, 0, Nothing, Enter, msMain, 0, Fine},
        {"credits", msCredits, 0, Nothing, Esc, msMain, 0, Fine},
    };
    for (const TRow& Row : Rows) {
        Menu.reset(); // saves into this folder, before the globals forget it
        Input.ReleaseAll();
        ResetGlobals();
        Clock = &TestClock;
        Loading = std::make_unique<TLoading>();
        UsePortableFolder(Dir.Dir());
        std::filesystem::remove_all(Dir / "Users");
        std::filesystem::remove(Dir / "Settings.ini");
        ASSERT_TRUE(TProfileFiles::CreateProfile("Adam", true));
        TProfileFiles::LoadProfile(TProfileFiles::ActiveFile());
        Menu = std::make_unique<TGameMenu>(*TestEngine);
        Menu->Screen = Row.Screen;
        Menu->SubScreen = Row.SubScreen;
        Menu->SettingsScreen.Load();
        Frames(1);
        Row.Setup(*Menu);
        Tap(Row.Key);
        EXPECT_EQ(Menu->Screen, Row.ScreenAfter) << Row.What;
        EXPECT_EQ(Menu->SubScreen, Row.SubScreenAfter) << Row.What;
        EXPECT_TRUE(Row.Done(*Menu)) << Row.What;
    }
}

TEST_F(TGameMenuTest, DeletingAProfileAsksFirstAndTheActiveOneIsRefusedWithTheReason) {
    ASSERT_TRUE(TProfileFiles::CreateProfile("Jana", true));
    ASSERT_TRUE(TProfileFiles::CreateProfile("Bara", false));
    TProfileFiles::LoadProfile(TProfileFiles::ActiveFile());
    GameText.msSETPROFILE_DelActive = "active";
    Menu->Screen = msSetProfile;
    TProfileFiles::FillProfileList(Menu->ProfileList);
    SelectProfile("Bara");
    Menu->OnWidgetClick("msSETPROFILE_Delete");
    ASSERT_TRUE(Menu->DeleteQuestion.Open());
    EXPECT_EQ(Menu->DeleteQuestion.Detail, "Bara");
    Frames(1);
    EXPECT_FALSE(Menu->ProfileLoad.Enabled); // the screen behind waits for the answer
    Tap(1);                                  // Esc: no
    EXPECT_FALSE(Menu->DeleteQuestion.Open());
    EXPECT_EQ(TProfileFiles::ProfileCount(), 2);
    EXPECT_EQ(Menu->Screen, msSetProfile); // the Esc that answered did not leave the screen
    EXPECT_TRUE(Menu->ProfileLoad.Enabled);

    SelectProfile("Bara");
    Menu->OnWidgetClick("msSETPROFILE_Delete");
    Tap(28); // Enter: yes
    EXPECT_FALSE(Menu->DeleteQuestion.Open());
    EXPECT_EQ(TProfileFiles::ProfileCount(), 1);
    EXPECT_EQ(TProfileFiles::FileOfUser("Bara"), "");

    SelectProfile("Jana");
    Menu->OnWidgetClick("msSETPROFILE_Delete");
    EXPECT_FALSE(Menu->DeleteQuestion.Open());
    Frames(1);
    EXPECT_EQ(Menu->ProfileAlert.Active, 1);
    EXPECT_EQ(Menu->ProfileAlert.Message, "active");
    EXPECT_EQ(TProfileFiles::ProfileCount(), 1);
}

TEST_F(TGameMenuTest, MainButtonsSlideInOneAfterAnotherAndFadeOutToTheirScreen) {
    Menu->Screen = msMain;
    Frames(400);
    for (int Button = 0; Button < 6; ++Button)
        EXPECT_EQ(Menu->MainScreen.Buttons[Button].GetPosition().x, 55) << Button;
    // The same heights on the first appearance as on every later one.
    EXPECT_EQ(Menu->MainScreen.Buttons[2].GetPosition().y, TGameMenu::MainButtonTop(2));
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
    TEngineCheckBox& Box = GameMenu->SettingsScreen.HardwareBox;
    MoveTo(Box.Rect().Left + 40, Box.Rect().Top + 5, 2);
    const bool Ticked = Settings.Hardware; // as the page will show it
    Click(50);
    ASSERT_EQ(GameMenu->Screen, msSettings);
    EXPECT_EQ(Box.Ticked, Ticked);
    Click(5); // a click of its own
    EXPECT_NE(Box.Ticked, Ticked);
}

TEST_F(TMenuClickTest, TheClickOpeningPlayerProfilesSelectsNoRow) {
    StartInMainMenu({"Adam", "Bara", "Cyril", "Dana", "Eva"});
    MoveTo(100, 170, 1);
    Click(50);
    ASSERT_EQ(GameMenu->Screen, msSetProfile);
    EXPECT_EQ(GameMenu->ProfileList.Selected(), -1);
    Click(5);
    EXPECT_GE(GameMenu->ProfileList.Selected(), 0);
}

TEST_F(TMenuClickTest, AShortClickOnCreditsStaysOnTheCredits) {
    StartInMainMenu({"Jana"});
    MoveTo(100, 410, 4);
    Click(10);
    Frames(20);
    EXPECT_EQ(GameMenu->Screen, msCredits);
    Click(5);
    EXPECT_EQ(GameMenu->Screen, msMain);
}

// The real game, headless, on a fresh installation: the intro gives way to the first-user screen.
class TFirstUserTest : public TGameHarness {
  protected:
    void StartOnFirstUser() {
        Start();
        Press(57); // Space: the intro ends
        Frames(2);
        ASSERT_EQ(GameState, gsMenu);
        ASSERT_EQ(GameMenu->Screen, msFirstUser);
    }
};

TEST_F(TFirstUserTest, TypingWorksBeforeAnyClickAndEnterCreatesThePlayer) {
    StartOnFirstUser();
    Frm->Input.TypeText("Ace");
    Frames(2);
    EXPECT_EQ(GameMenu->FirstUserName.Text(), "Ace");
    Press(28);
    Frames(2);
    EXPECT_EQ(GameMenu->Screen, msMain);
    EXPECT_EQ(Profile.Name, "Ace");
}

// Without a profile there is no menu to go back to: Esc asks whether to leave the game.
TEST_F(TFirstUserTest, EscAsksToQuitAndTheQuestionHoldsTheScreenUntilAnswered) {
    StartOnFirstUser();
    Frm->Input.TypeText("Ace");
    Frames(2);
    Press(1);
    Frames(2);
    ASSERT_TRUE(GameMenu->QuitQuestion.Open());
    Frm->Input.TypeText("Z");
    Frames(2);
    EXPECT_EQ(GameMenu->FirstUserName.Text(), "Ace"); // the box waits behind the question
    Press(1);                                         // Esc: stay
    Frames(2);
    EXPECT_FALSE(GameMenu->QuitQuestion.Open());
    EXPECT_FALSE(Frm->Closed());
    EXPECT_EQ(GameMenu->Screen, msFirstUser);
    Press(1);
    Frames(2);
    Press(28); // Enter: quit, without a profile made on the way
    Frames(2);
    EXPECT_TRUE(Frm->Closed());
    EXPECT_EQ(TProfileFiles::ProfileCount(), 0);
}

TEST_F(TFirstUserTest, ChoosingALanguageShowsTheScreenInItAtTheNextFrame) {
    StartOnFirstUser();
    ASSERT_EQ(Settings.Language, "Czech");
    Frm->Input.TypeText("Ace");
    Frames(1);
    const TPicture Czech = DrawnScreen();
    TRect English{};
    for (const TEngineTextButton& Button : GameMenu->FirstUserLanguage.Buttons())
        if (Button.Caption() == "English")
            English = Button.Rect();
    ASSERT_GT(English.Right, English.Left);
    Frm->Input.MouseMove((English.Left + English.Right) / 2 - Engine->CursorX,
                         (English.Top + English.Bottom) / 2 - Engine->CursorY);
    Frm->Input.MouseButton(0, true);
    for (int Frame = 0; Frame < 5 && Settings.Language == "Czech"; ++Frame)
        Frames(1);
    ASSERT_EQ(Settings.Language, "English");
    const TPicture English1 = DrawnScreen();
    // The title and the button's caption, both in the new language.
    const auto Changed = [&](int Left, int Top, int Right, int Bottom) {
        int Count = 0;
        for (int Y = Top; Y < Bottom; ++Y)
            for (int X = Left; X < Right; ++X)
                Count += Czech.At(X, Y) != English1.At(X, Y);
        return Count;
    };
    EXPECT_GT(Changed(300, 215, 724, 260), 200);
    EXPECT_GT(Changed(420, 352, 604, 372), 50);
    EXPECT_EQ(GameMenu->FirstUserName.Text(), "Ace"); // what was typed stays
    Frm->Input.MouseButton(0, false);
    Frames(3);
    EXPECT_EQ(GameMenu->Screen, msFirstUser); // the press that chose acted on nothing else
    EXPECT_EQ(TProfileFiles::ProfileCount(), 0);
}

} // namespace
