#include "THeadlessEngine.h"

#include "menu/TSETTINGSScreen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace {

// The screen on a full-size headless screen, fonts 0 to 3 all the game's font, every caption its own
// key; clicks reach the screen through the dispatcher, as the menu routes them.
class TSETTINGSScreenTest : public THeadlessEngine {
  protected:
    void SetUp() override {
        Width = 1024;
        Height = 768;
        THeadlessEngine::SetUp();
        ASSERT_TRUE(AddGameFonts({20, 20, 20, 20}));
        int Count = 0;
        const TText::TField* Fields = TText::Fields(Count);
        for (int Index = 0; Index < Count; ++Index)
            GameText.*Fields[Index].Member = Fields[Index].Key;
        Screen = std::make_unique<TSETTINGSScreen>(*TestEngine);
        TestEngine->OnWidgetClick = [this](const std::string& Action) {
            Clicks.push_back(Action);
            Screen->OnClick(Action);
        };
        Screen->Load();
    }

    void Frame() {
        Mouse.Update();
        Keyboard.Update();
        Screen->Run();
    }
    std::vector<std::string> ClickAt(int X, int Y) {
        Clicks.clear();
        TestEngine->CursorX = X;
        TestEngine->CursorY = Y;
        for (bool Down : {true, false}) {
            Input.MouseButton(0, Down);
            Frame();
        }
        return Clicks;
    }
    void Tap(int Code) {
        for (bool Down : {true, false}) {
            Input.KeyEvent(Code, Down);
            Frame();
        }
    }
    // Whether every input widget is enabled; they must all agree.
    bool InputEnabled() {
        TSETTINGSScreen& S = *Screen;
        const std::vector<bool> States = {
            S.Cancel.Enabled,       S.ApplyButton.Enabled,   S.AntialiasingBox.Enabled,
            S.DitheringBox.Enabled, S.BitDepth16Box.Enabled, S.BitDepth32Box.Enabled,
            S.VSyncBox.Enabled,     S.HardwareBox.Enabled,   S.DoubleBox.Enabled,
            S.TripleBox.Enabled,    S.MusicBox.Enabled,      S.KeyLeft.Enabled,
            S.KeyRight.Enabled,     S.KeySpeedUp.Enabled,    S.KeySpeedDwn.Enabled,
            S.KeyBoost.Enabled,     S.KeyWpnUp.Enabled,      S.KeyWpnDn.Enabled,
            S.KeyWFire.Enabled,     S.KeyPlantMine.Enabled,  S.KeyFPS.Enabled,
            S.KeyExit.Enabled,      S.WindowedBox.Enabled,   S.LanguageChoice.Enabled};
        EXPECT_EQ(std::count(States.begin(), States.end(), States[0]), 24);
        return States[0];
    }

    std::unique_ptr<TSETTINGSScreen> Screen;
    std::vector<std::string> Clicks;
};

TEST_F(TSETTINGSScreenTest, LoadAndApplyMapTheBoxesOntoSettings) {
    for (const auto& [BitDepth, Buffers, Sixteen, Double] :
         {std::tuple{0, 2, true, true}, {1, 3, false, false}, {7, 0, false, false}}) {
        Settings = {.Space = 3,
                    .Antialias = Sixteen,
                    .Windowed = true,
                    .Dithering = !Sixteen,
                    .BitDepth = BitDepth,
                    .VSync = Sixteen,
                    .Hardware = !Sixteen,
                    .Buffers = Buffers,
                    .Music = !Sixteen};
        Screen->Load();
        EXPECT_EQ(Screen->BitDepth16Box.Ticked, Sixteen) << BitDepth;
        EXPECT_EQ(Screen->BitDepth32Box.Ticked, !Sixteen) << BitDepth;
        EXPECT_EQ(Screen->DoubleBox.Ticked, Double) << Buffers;
        EXPECT_EQ(Screen->TripleBox.Ticked, !Double) << Buffers;
        EXPECT_EQ(Screen->AntialiasingBox.Ticked, Sixteen);
        EXPECT_EQ(Screen->DitheringBox.Ticked, !Sixteen);
        EXPECT_EQ(Screen->VSyncBox.Ticked, Sixteen);
        EXPECT_EQ(Screen->HardwareBox.Ticked, !Sixteen);
        EXPECT_EQ(Screen->MusicBox.Ticked, !Sixteen);
        EXPECT_TRUE(Screen->WindowedBox.Ticked);

        const TSettings Loaded = Settings;
        Settings = TSettings();
        Screen->Apply();
        EXPECT_EQ(Settings.BitDepth, Sixteen ? 0 : 1);
        EXPECT_EQ(Settings.Buffers, Double ? 2 : 3);
        EXPECT_EQ(Settings.Antialias, Loaded.Antialias);
        EXPECT_EQ(Settings.Dithering, Loaded.Dithering);
        EXPECT_EQ(Settings.VSync, Loaded.VSync);
        EXPECT_EQ(Settings.Hardware, Loaded.Hardware);
        EXPECT_EQ(Settings.Music, Loaded.Music);
        EXPECT_EQ(Settings.Space, 0); // what the screen does not show is left alone
        EXPECT_TRUE(Settings.Windowed);
    }
    EXPECT_TRUE(Screen->OnClick("msSETTINGS_Language_Slovak"));
    Screen->Apply();
    EXPECT_EQ(Settings.Language, "Slovak");

    Settings.Windowed = false;
    Screen->Load();
    Settings.Windowed = true; // Alt+Enter while the screen is up
    Frame();
    Screen->Apply();
    EXPECT_TRUE(Settings.Windowed);
}

TEST_F(TSETTINGSScreenTest, PairedBoxesAlwaysDisagreeAndCancelKeepsSettings) {
    for (const auto& [Clicked, Other, Y] : {std::tuple{&Screen->BitDepth32Box, &Screen->BitDepth16Box, 445},
                                            {&Screen->BitDepth16Box, &Screen->BitDepth32Box, 415},
                                            {&Screen->TripleBox, &Screen->DoubleBox, 380},
                                            {&Screen->DoubleBox, &Screen->TripleBox, 350}})
        for (int Round = 0; Round < 2; ++Round) {
            const bool Before = Clicked->Ticked;
            EXPECT_EQ(ClickAt(70, Y + 10), std::vector<std::string>{Clicked->Action()});
            EXPECT_EQ(Clicked->Ticked, !Before) << Clicked->Action();
            EXPECT_EQ(Other->Ticked, Before) << Clicked->Action();
        }
    EXPECT_TRUE(Screen->OnClick("msSETTINGS_Music")); // a single box only toggles itself
    EXPECT_TRUE(Screen->MusicBox.Ticked);
    EXPECT_FALSE(Screen->OnClick("msSETTINGS_Apply")); // leaving is the menu's business
    EXPECT_FALSE(Screen->OnClick("msCREDITS_OK"));

    ClickAt(70, 140); // antialiasing off
    ClickAt(70, 425); // 32 bits
    EXPECT_EQ(ClickAt(600, 690), std::vector<std::string>{"msCREDITS_OK"});
    EXPECT_TRUE(Settings.Antialias);
    EXPECT_EQ(Settings.BitDepth, 0);
    Screen->Load();
    EXPECT_TRUE(Screen->AntialiasingBox.Ticked);
    EXPECT_TRUE(Screen->BitDepth16Box.Ticked);
    EXPECT_EQ(ClickAt(400, 690), std::vector<std::string>{"msSETTINGS_Apply"});
}

TEST_F(TSETTINGSScreenTest, EachKeyButtonCapturesItsOwnBindingAndLocksTheScreenMeanwhile) {
    const std::vector<std::tuple<std::string, std::string, int TProfile::*, int>> Keys = {
        {"msSETTINGS_Left", "L", &TProfile::BindLeft, 130},
        {"msSETTINGS_Right", "R", &TProfile::BindRight, 150},
        {"msSETTINGS_SpeedUp", "SU", &TProfile::BindSpeedUp, 170},
        {"msSETTINGS_SpeedDwn", "SD", &TProfile::BindSpeedDwn, 190},
        {"msSETTINGS_Boost", "BO", &TProfile::BindBoost, 210},
        {"msSETTINGS_WpnUp", "WU", &TProfile::BindWpnUp, 390},
        {"msSETTINGS_WpnDn", "WD", &TProfile::BindWpnDn, 410},
        {"msSETTINGS_WFire", "W", &TProfile::BindWFire, 430},
        {"msSETTINGS_PlantMine", "PM", &TProfile::BindPlantMine, 450},
        {"msSETTINGS_FPS", "F", &TProfile::BindFPS, 570},
        {"msSETTINGS_Exit", "E", &TProfile::BindExit, 590}};
    int FreeKey = 2; // the digit row: none of it is bound
    for (const auto& [Action, Target, Binding, Y] : Keys) {
        EXPECT_EQ(ClickAt(516, Y + 8), std::vector<std::string>{Action});
        EXPECT_EQ(Screen->CaptureState, 1) << Action;
        EXPECT_EQ(Screen->CaptureTarget, Target) << Action;
        EXPECT_FALSE(InputEnabled()) << Action;
        // Nothing reacts meanwhile: not Apply, Cancel, a box or another key button.
        for (const auto& [X, Y] : {std::pair{400, 690}, {600, 690}, {70, 140}, {516, 158}})
            EXPECT_TRUE(ClickAt(X, Y).empty()) << Action << " " << X << "," << Y;
        TProfile Expected = Profile;
        Expected.*Binding = FreeKey;
        Tap(FreeKey);
        EXPECT_EQ(Screen->CaptureState, 0) << Action;
        EXPECT_TRUE(InputEnabled()) << Action;
        EXPECT_EQ(std::tie(Profile.BindLeft, Profile.BindRight, Profile.BindSpeedUp, Profile.BindSpeedDwn,
                           Profile.BindBoost, Profile.BindWpnUp, Profile.BindWpnDn, Profile.BindWFire,
                           Profile.BindPlantMine, Profile.BindFPS, Profile.BindExit),
                  std::tie(Expected.BindLeft, Expected.BindRight, Expected.BindSpeedUp, Expected.BindSpeedDwn,
                           Expected.BindBoost, Expected.BindWpnUp, Expected.BindWpnDn, Expected.BindWFire,
                           Expected.BindPlantMine, Expected.BindFPS, Expected.BindExit))
            << Action;
        ++FreeKey;
    }
    EXPECT_TRUE(Screen->AntialiasingBox.Ticked);
    Screen->OnClick("msSETTINGS_Right");
    Tap(Profile.BindRight); // its own key may be given again
    EXPECT_EQ(Screen->CaptureState, 0);
}

TEST_F(TSETTINGSScreenTest, FixedKeysAndOtherActionsKeysAreRefusedForTwoSeconds) {
    const TProfile Fresh;
    for (const int Refused : {15, 59, Fresh.BindRight, Fresh.BindPlantMine}) {
        Profile = TProfile();
        TestClock.SetTickCount(10000);
        Screen->OnClick("msSETTINGS_Left");
        Tap(Refused);
        EXPECT_EQ(Screen->CaptureState, 2) << Refused;
        EXPECT_EQ(Screen->BadKeyTick, 10000u) << Refused;
        EXPECT_EQ(Profile.BindLeft, Fresh.BindLeft) << Refused;
        Tap(2); // not looked at while the message shows
        TestClock.Advance(2000);
        Frame();
        EXPECT_EQ(Screen->CaptureState, 2) << Refused;
        TestClock.Advance(1);
        Frame();
        EXPECT_EQ(Screen->CaptureState, 1) << Refused;
        EXPECT_FALSE(InputEnabled()) << Refused;
        Tap(3);
        EXPECT_EQ(Profile.BindLeft, 3) << Refused;
        EXPECT_TRUE(InputEnabled()) << Refused;
    }
    // Keys pressed together are taken in code order; a refused one after an accepted one keeps the lock.
    Screen->OnClick("msSETTINGS_PlantMine");
    Input.KeyEvent(16, true);
    Input.KeyEvent(Profile.BindWFire, true);
    Frame();
    EXPECT_EQ(Profile.BindPlantMine, 16);
    EXPECT_EQ(Screen->CaptureState, 2);
    EXPECT_FALSE(InputEnabled());
}

TEST_F(TSETTINGSScreenTest, EscGivesUpACaptureAndTheOldKeyStaysButTheExitKeyMayTakeEsc) {
    const TProfile Fresh;
    Screen->OnClick("msSETTINGS_Left");
    Tap(1);
    EXPECT_EQ(Screen->CaptureState, 0);
    EXPECT_TRUE(InputEnabled());
    Screen->OnClick("msSETTINGS_Left");
    Tap(Fresh.BindRight); // refused: the message shows
    ASSERT_EQ(Screen->CaptureState, 2);
    Tap(1);
    EXPECT_EQ(Screen->CaptureState, 0);
    EXPECT_TRUE(InputEnabled());
    EXPECT_EQ(Profile.BindLeft, Fresh.BindLeft);

    Profile.BindExit = 25; // moved to P, and brought back to Esc
    Screen->OnClick("msSETTINGS_Exit");
    Tap(1);
    EXPECT_EQ(Screen->CaptureState, 0);
    EXPECT_EQ(Profile.BindExit, 1);
}

TEST_F(TSETTINGSScreenTest, BoundKeyNamesEndAtTheRightEdgeInRed) {
    Screen->Run();
    Canvas.Flush();
    TPicture Shot;
    ASSERT_TRUE(Device.ReadPixels(Shot));
    for (const int Row : {130, 150, 170, 190, 210, 390, 410, 430, 450, 550, 570, 590}) {
        int Rightmost = -1;
        for (int Y = Row; Y < Row + 20; ++Y)
            for (int X = 700; X < Width; ++X)
                if (Shot.At(X, Y) == 0xFF0000FFu)
                    Rightmost = std::max(Rightmost, X);
        EXPECT_GE(Rightmost, 950) << Row;
        EXPECT_LT(Rightmost, 964) << Row;
    }
}

} // namespace
