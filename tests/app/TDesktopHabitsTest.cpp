// What a desktop player expects of the window, the pads and F12, through the real frame loop, headless.
#include "TGameHarness.h"
#include "missions/TMissionWriter.h"

#include "engine/TEngine.h"
#include "missions/TLoading.h"
#include "render/TKeyCodes.h"
#include "world/TShip.h"

#include <SDL_mixer.h>

#include <filesystem>

namespace {

class TDesktopHabitsTest : public TGameHarness {
  protected:
    // A mission of one long timed wave, in flight.
    void Fly() {
        ASSERT_TRUE(TMissionWriter::WriteCampaign(Dir.Dir(), "level01",
                                                  {TMissionWriter::Wave(0, wkTimed, 60000, 500, 1),
                                                   TMissionWriter::Wave(0, wkEndOfMission, 0, 0, 1)}));
        Start();
        LevelName = "level01";
        CampaignMission = 1;
        Loading->Visible = true;
        GameState = gsLoading;
        Frames(2);
        Press(TKeyCodes::Enter);
        Frames(1);
        Press(TKeyCodes::Space);
        Frames(2);
        Game.CaptionAlpha = 0; // the start caption gone at once
        Frames(3);
        ASSERT_EQ(GameState, gsPlaying);
        ASSERT_FALSE(Game.Paused);
        ASSERT_GT(Game.Phase, 1);
    }

    int64_t MissionClock() const { return SinceTick(Game.WaveStamp); }

    std::vector<std::string> Screenshots() const {
        std::vector<std::string> Names;
        std::error_code Error;
        for (const auto& Entry : std::filesystem::directory_iterator(Dir / "Screenshots", Error))
            Names.push_back(Entry.path().filename().string());
        return Names;
    }
};

TEST_F(TDesktopHabitsTest, LosingTheFocusInFlightPausesTheMissionAndItsSoundUntilThePlayerResumes) {
    Fly();
    const int64_t Before = MissionClock();
    Frm->Input.WindowChanged(TWindowEvent::FocusLost);
    Frames(1);
    EXPECT_TRUE(Game.Paused);
    EXPECT_GT(Mix_Paused(-1), 0);
    Frames(60);
    Frm->Input.WindowChanged(TWindowEvent::FocusGained);
    Frames(20);
    EXPECT_TRUE(Game.Paused); // back in the window, the exit dialog is still up
    EXPECT_TRUE(Engine->CursorVisible);
    EXPECT_GT(Mix_Paused(-1), 0);
    Press(Game.Keys[TGame::KeyExit]);
    Frames(2);
    EXPECT_FALSE(Game.Paused);
    EXPECT_EQ(Mix_Paused(-1), 0);
    // Most of a second without the window, and the mission's clock moved a few frames.
    EXPECT_LT(MissionClock() - Before, 60);
}

TEST_F(TDesktopHabitsTest, MinimisingInFlightPausesToo) {
    Fly();
    // Minimised and back within one frame still counts.
    Frm->Input.WindowChanged(TWindowEvent::Minimised);
    Frm->Input.WindowChanged(TWindowEvent::Restored);
    Frames(1);
    EXPECT_TRUE(Game.Paused);
}

TEST_F(TDesktopHabitsTest, InMenusTheSoundWaitsOnlyWhileTheWindowIsAway) {
    Start();
    PlaySound("run");
    Frm->Input.WindowChanged(TWindowEvent::FocusLost);
    Frames(1);
    EXPECT_GT(Mix_Paused(-1), 0);
    Frm->Input.WindowChanged(TWindowEvent::FocusGained);
    Frames(1);
    EXPECT_EQ(Mix_Paused(-1), 0);
}

TEST_F(TDesktopHabitsTest, PadStartOpensTheExitDialogAndBClosesIt) {
    Fly();
    Frm->Input.PadEvent({TPadEvent::TKind::Button, SDL_CONTROLLER_BUTTON_START, 1});
    Frames(2);
    EXPECT_TRUE(Game.Paused);
    Frames(5); // Start still held: it does not answer the dialog it opened
    EXPECT_TRUE(Game.Paused);
    Frm->Input.PadEvent({TPadEvent::TKind::Button, SDL_CONTROLLER_BUTTON_START, 0});
    Frm->Input.PadEvent({TPadEvent::TKind::Button, SDL_CONTROLLER_BUTTON_B, 1});
    Frames(2);
    EXPECT_FALSE(Game.Paused);
}

TEST_F(TDesktopHabitsTest, AltEnterSwitchesFullScreenAndKeepsTheChoiceWithoutPressingEnter) {
    Start();
    ASSERT_FALSE(Settings.Windowed);
    Frm->Input.KeyEvent(TKeyCodes::LeftAlt, true);
    Frm->Input.KeyEvent(TKeyCodes::Enter, true);
    Frames(1);
    EXPECT_TRUE(Settings.Windowed);
    EXPECT_TRUE(Frm->VelaDevice.Windowed());
    EXPECT_NE(Read("Settings.ini").find("Windowed=1"), std::string::npos);
    EXPECT_EQ(Frm->Input.KeyState(TKeyCodes::Enter), 0);
    Frm->Input.KeyEvent(TKeyCodes::Enter, false);
    Frm->Input.KeyEvent(TKeyCodes::Enter, true);
    Frames(1);
    EXPECT_FALSE(Settings.Windowed);
}

// Alt with another modifier is no chord; in flight an Alt bound to a control (here boost) leaves Enter the
// mine key it is.
TEST_F(TDesktopHabitsTest, OnlyAltAloneAndNotAsAControlMakesEnterSwitchTheScreen) {
    Start();
    Frm->Input.KeyEvent(TKeyCodes::LeftControl, true);
    Frm->Input.KeyEvent(TKeyCodes::LeftAlt, true);
    Frm->Input.KeyEvent(TKeyCodes::Enter, true);
    Frames(1);
    EXPECT_FALSE(Settings.Windowed);
    Frm.reset();
    ResetGlobals();
    Profile.BindBoost = TKeyCodes::RightAlt;
    Profile.Mines = 3;
    Fly();
    const int Mines = Game.Ship->MinesLeft;
    ASSERT_GT(Mines, 0);
    Frm->Input.KeyEvent(TKeyCodes::RightAlt, true);
    Frm->Input.KeyEvent(TKeyCodes::Enter, true);
    Frames(2);
    EXPECT_FALSE(Settings.Windowed);
    EXPECT_EQ(Game.Ship->MinesLeft, Mines - 1);
}

TEST_F(TDesktopHabitsTest, F12SavesEachFrameAsANewPictureAndSaysWhere) {
    Start();
    Press(TKeyCodes::F12);
    Frames(1);
    ASSERT_EQ(Screenshots().size(), 1u);
    EXPECT_EQ(Frm->Notices.NoticeLine1, GameText.gi_ScreenshotSaved);
    EXPECT_EQ(Frm->Notices.NoticeLine2, Dir / ("Screenshots/" + Screenshots()[0]));
    EXPECT_TRUE(Frm->Notices.NoticeShown);
    Press(TKeyCodes::F12);
    Frames(1);
    EXPECT_EQ(Screenshots().size(), 2u); // within the same second too
    EXPECT_EQ(Read("Screenshots/" + Screenshots()[1]).substr(0, 4), "\x89PNG");
}

TEST_F(TDesktopHabitsTest, AScreenshotThatCannotBeSavedIsSaidOnceAndTheGameRunsOn) {
    Start();
    Write("Screenshots", "a file where the folder would go");
    Press(TKeyCodes::F12);
    Frames(1);
    EXPECT_EQ(Frm->Notices.NoticeLine1, GameText.gi_ScreenshotFailed);
    EXPECT_NE(Frm->Notices.NoticeLine2.find("Screenshots"), std::string::npos);
    const int Drawn = Frm->GameFrames();
    Frames(10);
    EXPECT_EQ(Frm->GameFrames(), Drawn + 10);
}

} // namespace
