#include "TGameHarness.h"

#include "engine/TEngine.h"
#include "menu/TGameMenu.h"
#include "render/TKeyCodes.h"
#include "runtime/TPictureFile.h"

namespace {

class TFrameLoopTest : public TGameHarness {
  protected:
    // The intro ended and the game waiting in the menu state.
    void StartInMenu() {
        Start();
        Press(TKeyCodes::Escape);
        Frames(1);
        ASSERT_EQ(GameState, gsMenu);
    }

    void StartBriefing(std::vector<std::string> Lines) {
        StartInMenu();
        Game.Mode = "C";
        Game.Campaign.CaptionIndex = 0;
        Game.PreGameTexts.clear();
        for (const std::string& Line : Lines)
            Game.PreGameTexts.push_back({Line, 0});
        Game.Phase = 0;
        Game.CaptionAlpha = 0;
        Game.PhaseStamp = Now();
        GameState = gsBriefing;
    }

    void StartPlay() {
        StartInMenu();
        Game.Mode = "C";
        Game.Keys = {203, 205, 200, 208, 46, 45, 44, 57, 28, 33, 1};
        Game.Paused = true;
        Game.Phase = 0;
        Game.CaptionAlpha = 200;
        Game.PhaseStamp = Now();
        GameState = gsPlaying;
    }
};

TEST_F(TFrameLoopTest, EscapeEndsTheIntroInTheFrameThatSeesIt) {
    Start("3 key down 1\n5 key up 1\n");
    EXPECT_FALSE(Engine->CursorVisible);
    Frames(3);
    EXPECT_EQ(GameState, gsIntro); // the key is polled at the end of frame 3
    Frames(1);
    EXPECT_TRUE(IntroFinished);
    EXPECT_EQ(GameState, gsMenu);
    EXPECT_TRUE(Engine->CursorVisible);
}

TEST_F(TFrameLoopTest, BriefingFadesInStepByStepAndWaitsForSpace) {
    StartBriefing({"First line", "Second line"});
    Press(TKeyCodes::Space); // too early: nothing
    Frames(39);
    EXPECT_EQ(Game.Phase, 0);
    Frames(1); // more than 400 ms
    EXPECT_EQ(Game.Phase, 1);
    Frames(199);
    EXPECT_EQ(Game.CaptionAlpha, 199);
    Frames(1);
    EXPECT_EQ(Game.Phase, 2);
    Frames(200); // one line grows one step a frame, the next waits for it
    EXPECT_EQ(Game.PreGameTexts[0].Alpha, 200);
    EXPECT_EQ(Game.PreGameTexts[1].Alpha, 0);
    Frames(200);
    EXPECT_EQ(Game.PreGameTexts[1].Alpha, 200);
    EXPECT_EQ(Game.Phase, 3);
    EXPECT_TRUE(Game.Blink);
    Frames(31);
    EXPECT_FALSE(Game.Blink); // the prompt blinks every 300 ms
    Press(TKeyCodes::Enter);  // no effect once the text is all there
    EXPECT_EQ(Game.Phase, 3);
    Press(TKeyCodes::Space);
    Frames(1);
    EXPECT_EQ(Game.Phase, 4);
    Frames(1);
    EXPECT_EQ(GameState, gsPlaying);
    EXPECT_EQ(Game.Phase, 0);
}

TEST_F(TFrameLoopTest, EnterOrEscapeShowTheWholeBriefingAtOnce) {
    for (int Key : {TKeyCodes::Enter, TKeyCodes::Escape}) {
        StartBriefing({"First", "Second", "Third"});
        Frames(60);
        Press(Key);
        Frames(1);
        EXPECT_EQ(Game.Phase, 3);
        EXPECT_TRUE(Game.Blink);
        EXPECT_EQ(Game.CaptionAlpha, 200);
        for (const TPreGameText& Line : Game.PreGameTexts)
            EXPECT_EQ(Line.Alpha, 200);
        Frm.reset();
        ResetGlobals();
    }
}

TEST_F(TFrameLoopTest, ShortBriefingsEndWithTheirLastLine) {
    StartBriefing({"Only line"});
    Frames(41 + 200 + 199);
    EXPECT_EQ(Game.Phase, 2);
    Frames(1);
    EXPECT_EQ(Game.PreGameTexts[0].Alpha, 200);
    EXPECT_EQ(Game.Phase, 3);
    Frm.reset();
    ResetGlobals();

    StartBriefing({});
    Frames(41 + 200 + 1);
    EXPECT_EQ(Game.Phase, 3);
}

TEST_F(TFrameLoopTest, ExitKeyDuringTheStartCaptionUnpauses) {
    StartPlay();
    Frames(10);
    EXPECT_TRUE(Game.Paused);
    Press(TKeyCodes::Escape);
    Frames(1);
    EXPECT_FALSE(Game.Paused);
    EXPECT_EQ(Game.Phase, 0); // the caption goes on fading
    // 2 s after the start the caption fades one step a frame, then play begins for real.
    Frames(200);
    EXPECT_LT(Game.CaptionAlpha, 200);
    Frames(200);
    EXPECT_EQ(Game.Phase, 2);
    EXPECT_FALSE(Game.Paused);
}

// F1 shows the help and pauses; F1 or Esc closes it and play resumes; Esc with no help open asks to
// leave, and Esc again resumes. Walked from flight through every pair, the help and the pause never part.
TEST_F(TFrameLoopTest, F1AndEscOpenAndCloseTheHelpAndTheExitQuestion) {
    StartPlay();
    Frames(500);
    ASSERT_EQ(Game.Phase, 2);
    ASSERT_FALSE(Game.Paused);
    const struct {
        int Key;
        bool Help, Paused;
    } Steps[] = {{TKeyCodes::F1, true, true},       {TKeyCodes::Escape, false, false},
                 {TKeyCodes::F1, true, true},       {TKeyCodes::F1, false, false},
                 {TKeyCodes::Escape, false, true},  {TKeyCodes::F1, true, true},
                 {TKeyCodes::Escape, false, false}, {TKeyCodes::Escape, false, true},
                 {TKeyCodes::Escape, false, false}};
    for (const auto& Step : Steps) {
        Press(Step.Key);
        Frames(1);
        EXPECT_EQ(Game.HelpShown, Step.Help) << &Step - Steps;
        EXPECT_EQ(Game.Paused, Step.Paused) << &Step - Steps;
    }
}

// The help opened during the start caption is shown, and stays until the player closes it.
TEST_F(TFrameLoopTest, F1DuringTheStartCaptionShowsTheHelpUntilClosed) {
    StartPlay();
    Press(TKeyCodes::F1);
    Frames(500); // the caption has faded
    ASSERT_EQ(Game.Phase, 2);
    EXPECT_TRUE(Game.HelpShown);
    EXPECT_TRUE(Game.Paused);
    Press(TKeyCodes::F1);
    Frames(1);
    EXPECT_FALSE(Game.HelpShown);
    EXPECT_FALSE(Game.Paused);
}

TEST_F(TFrameLoopTest, PausesStopTheMissionClock) {
    StartPlay();
    Frames(500);
    const uint32_t Base = Game.WaveStamp;
    Press(TKeyCodes::Escape);
    Frames(50);
    EXPECT_TRUE(Game.Paused);
    Press(TKeyCodes::Escape);
    Frames(2);
    EXPECT_FALSE(Game.Paused);
    EXPECT_NEAR(static_cast<double>(Game.WaveStamp - Base), 510, 20);
}

TEST_F(TFrameLoopTest, DebugOverlayIsDrawnInEveryState) {
    Start();
    auto Green = [](uint32_t Pixel) { return (Pixel & 0xFFFFFF) == 0x00FF00; };
    for (uint8_t State : {gsIntro, gsMenu, gsLoading, gsBriefing, gsPlaying}) {
        GameState = State;
        ShowDebugInfo = false;
        EXPECT_EQ(CountPixels(DrawnScreen(), 0, 0, 200, 90, Green), 0) << int(State);
        ShowDebugInfo = true;
        const TPicture Frame = DrawnScreen();
        for (int Line = 0; Line < 5; ++Line) {
            const int Top = Line == 0 ? 0 : 5 + 15 * Line;
            EXPECT_GT(CountPixels(Frame, 10, Top, 200, Top + 14, Green), 20)
                << int(State) << " line " << Line;
        }
        EXPECT_EQ(CountPixels(Frame, 0, 0, 9, 90, Green), 0);
    }
}

// Not while a name is being typed: there the key is a letter.
TEST_F(TFrameLoopTest, DebugKeyOfTheProfileTogglesTheOverlayInTheMenuButNotInANameBox) {
    StartInMenu();
    ASSERT_EQ(GameMenu->Screen, msFirstUser); // its name box has the keyboard
    Press(Profile.BindFPS);
    Frames(1);
    EXPECT_FALSE(ShowDebugInfo);
    GameMenu->Screen = msCredits;
    Frames(2);
    Press(Profile.BindFPS);
    Frames(1);
    EXPECT_TRUE(ShowDebugInfo);
}

// At 50 displayed frames a second each displayed frame runs two game frames and shows the second; a
// screenshot asked for the first is drawn all the same, and it shows the intro a frame further on.
TEST_F(TFrameLoopTest, ASlowerDisplayShowsItsLastGameFrameAndAScreenshotCanTakeAnyOther) {
    StepMs = 20;
    Start();
    Frames(298); // the studio's name fading in
    TPicture Before = DrawnScreen();
    for (uint32_t& Pixel : Before.Pixels)
        Pixel |= 0xFF000000u;
    const int Unshown = Frm->GameFrames() + 1;
    Frm->Options.Screenshots.push_back({Unshown, Dir / "unshown.png"});
    Frm->DrawFrames = true;
    Frm->RunOnce();
    ASSERT_EQ(Frm->GameFrames(), Unshown + 1);
    TPicture Shot;
    ASSERT_TRUE(TPictureFile::Load(Dir / "unshown.png", Shot));
    auto Lit = [](uint32_t Pixel) { return (Pixel & 0xFFFFFF) != 0; };
    EXPECT_GT(CountPixels(Shot, 0, 0, 1024, 768, Lit), 1000);
    EXPECT_NE(Shot.Pixels, Before.Pixels);
}

} // namespace
