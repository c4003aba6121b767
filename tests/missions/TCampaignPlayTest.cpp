// Whole missions played through the real frame loop, headless, with scripted keys.
#include "TGameHarness.h"
#include "TMissionWriter.h"

#include "engine/TEngine.h"
#include "engine/TSoundEngine.h"
#include "menu/TGameMenu.h"
#include "missions/TCampaignProgress.h"
#include "missions/TLoading.h"
#include "particles/TExplosion.h"
#include "render/TKeyCodes.h"
#include "render/TVelaFontsAlt.h"
#include "runtime/TFakeClock.h"
#include "world/TCrate.h"
#include "world/TRocket.h"
#include "world/TShip.h"

namespace {

TWave MakeWave(int Rockets, uint8_t Kind, int Goal, int Pause, int Type) {
    return TMissionWriter::Wave(Rockets, Kind, Goal, Pause, Type);
}

class TCampaignPlayTest : public TGameHarness {
  protected:
    void WriteMission(const std::vector<TWave>& Waves) {
        ASSERT_TRUE(TMissionWriter::WriteCampaign(Dir.Dir(), "level01", Waves));
    }

    // As the campaign screen's next-mission button does it, then through the briefing into play.
    void LoadMission(const std::string& Name, int Mission) {
        LevelName = Name;
        CampaignMission = Mission;
        Loading->Visible = true;
        GameState = gsLoading;
        Frames(2);
        ASSERT_EQ(GameState, gsBriefing);
        Frames(10);
        Press(TKeyCodes::Space); // too early for the prompt: ignored
        Press(TKeyCodes::Enter); // the whole briefing at once, then the prompt
        Frames(1);
        Press(TKeyCodes::Space);
        Frames(2);
        ASSERT_EQ(GameState, gsPlaying);
    }

    void PlayFirstMission() {
        Start();
        LoadMission("level01", 1);
    }

    // The exit key during the start caption: play begins at once.
    void SkipCaption() {
        ASSERT_TRUE(Game.Paused);
        Press(TKeyCodes::Escape);
        Frames(1);
        ASSERT_FALSE(Game.Paused);
    }

    void FlyPastTheCaption() {
        for (int Frame = 0; Frame < 1000 && Game.Phase != 2; ++Frame)
            Frames(1);
        ASSERT_FALSE(Game.Paused);
    }

    void FramesWhilePlaying(int Limit) {
        for (int Frame = 0; Frame < Limit && GameState == gsPlaying; ++Frame)
            Frames(1);
    }
};

TEST_F(TCampaignPlayTest, AMissionIsFlownAndWonIntoTheProfile) {
    WriteMission({MakeWave(0, wkTimed, 3000, 500, 1), MakeWave(0, wkEndOfMission, 0, 0, 1)});
    Profile.Mines = 4;
    Profile.Owned[2] = Profile.Charged[2] = 1; // a long bomb bought and charged, not fired
    Profile.Charged[1] = 1;                    // a charge for a phazer never bought
    const int Credits = Profile.Credits;
    PlayFirstMission();
    EXPECT_TRUE(Game.Paused); // the start caption holds the world still
    Frames(450);
    ASSERT_FALSE(Game.Paused);
    const double StartX = Game.Ship->X;
    Game.Ship->Angle = 360;
    Frm->Input.KeyEvent(Game.Keys[2], true); // speed up
    Frames(50);
    Frm->Input.KeyEvent(Game.Keys[2], false);
    EXPECT_GT(Game.Ship->Speed, 1.2);
    EXPECT_NE(Game.Ship->X, StartX);
    Game.Score = 120;
    FramesWhilePlaying(1000);
    EXPECT_EQ(GameState, gsMenu);
    EXPECT_EQ(Profile.MissionDone[1], 1);
    EXPECT_EQ(Profile.Credits, Credits + 120);
    EXPECT_EQ(Profile.Mines, 4);
    EXPECT_EQ(Profile.Charged[2], 1); // the charges come back as the ship ends the mission
    EXPECT_EQ(Profile.Charged[1], 0);
    EXPECT_TRUE(Engine->CursorVisible);
    EXPECT_EQ(TCampaignProgress::GetCampaignProgress(), "5 %");
}

TEST_F(TCampaignPlayTest, RocketsDestroyTheShipAndItsWreckScoresNothing) {
    WriteMission({MakeWave(12, wkTimed, 600000, 500, 3), MakeWave(0, wkEndOfMission, 0, 0, 1)});
    PlayFirstMission();
    Frames(450);
    EXPECT_GT(SoundEngine->Playing("engine"), 0);
    Game.Ship->Energy = 10; // a ship near its end: the first hits finish it
    for (int Frame = 0; Frame < 6000 && !Game.Ship->Destroyed; ++Frame)
        Frames(1);
    ASSERT_TRUE(Game.Ship->Destroyed);
    EXPECT_EQ(Game.Ship->Energy, 0);
    const int Score = Game.Score;
    const double X = Game.Ship->X;
    const double Y = Game.Ship->Y;
    Frames(100);
    EXPECT_EQ(Game.Score, Score);
    EXPECT_TRUE(Game.Ship->WreckExploded);
    // Its explosion burns on and rides with it.
    EXPECT_GT(Explosion->ShipExplode.Count(), 0);
    EXPECT_FLOAT_EQ(Explosion->ShipExplode.X, static_cast<float>(Game.Ship->X));
    EXPECT_FALSE(Explosion->EngineA.Running() || Explosion->BoostA.Running());
    // The wreck drifts backwards, 0.3 px a frame.
    EXPECT_NEAR(std::hypot(Game.Ship->X - X, Game.Ship->Y - Y), 30, 1);
    EXPECT_EQ(GameState, gsPlaying);
    EXPECT_EQ(SoundEngine->Playing("engine"), 0); // no hum over the game-over dialog
}

TEST_F(TCampaignPlayTest, TimeSpentBeforeAMissionNeverReachesItsClocks) {
    WriteMission({MakeWave(0, wkTimed, 3000, 500, 1), MakeWave(0, wkEndOfMission, 0, 0, 1)});
    Start();
    Frames(10);
    Frm->FakeClock->Advance(60000); // a minute in the menu
    LoadMission("level01", 1);
    SkipCaption();
    const int Goal = Game.Campaign.Waves[0].Goal;
    EXPECT_LE(Goal - SinceTick(Game.WaveStamp), Goal); // the wave's time left never grows past its goal
    const uint32_t Began = Now();
    for (int Frame = 0; Frame < 1000 && Game.WaveState == 0; ++Frame)
        Frames(1);
    EXPECT_EQ(Game.WaveState, 1);
    EXPECT_LE(SinceTick(Began), Goal + 10);

    Frm->FakeClock->Advance(60000);
    LoadMission("ttd", 0);
    SkipCaption();
    Frames(100);
    EXPECT_LT(Game.SurvivalTime, 2000); // the minute in the menu is not in it
}

// The window's close button (or Alt+F4) in flight asks first, as the exit key does, and closes when asked
// again; in the menus it closes at once, and the system's quit never waits.
TEST_F(TCampaignPlayTest, ClosingTheWindowInFlightAsksFirst) {
    WriteMission({MakeWave(0, wkTimed, 30000, 500, 1), MakeWave(0, wkEndOfMission, 0, 0, 1)});
    const auto Window = [this](TWindowEvent Event) {
        Frm->Input.Apply(TInputEvent::Of(TInputEvent::TKind::Window, static_cast<int>(Event)));
        Frames(1);
    };
    for (const TWindowEvent Second : {TWindowEvent::Close, TWindowEvent::Quit}) {
        PlayFirstMission();
        FlyPastTheCaption();
        Window(TWindowEvent::Close);
        EXPECT_FALSE(Frm->Closed());
        EXPECT_TRUE(Game.Paused);
        EXPECT_TRUE(Game.ExitAsked);
        Window(Second);
        EXPECT_TRUE(Frm->Closed());
        Frm.reset();
        ResetGlobals();
    }
    PlayFirstMission();
    FlyPastTheCaption();
    Window(TWindowEvent::Quit);
    EXPECT_TRUE(Frm->Closed());
    Frm.reset();
    ResetGlobals();
    Start();
    Window(TWindowEvent::Close); // in the intro
    EXPECT_TRUE(Frm->Closed());
}

// The first wave's time runs from the mission's start, through the briefing and the start caption; a key
// that ends the caption early hands back none of the briefing's time.
TEST_F(TCampaignPlayTest, TheFirstWaveCountsTheBriefingWithOrWithoutACaptionKey) {
    WriteMission({MakeWave(0, wkTimed, 30000, 500, 1), MakeWave(0, wkEndOfMission, 0, 0, 1)});
    Start();
    for (const bool CaptionKey : {false, true}) {
        SCOPED_TRACE(CaptionKey ? "Esc during the caption" : "the caption fades by itself");
        LevelName = "level01";
        CampaignMission = 1;
        Loading->Visible = true;
        GameState = gsLoading;
        Frames(2);
        ASSERT_EQ(GameState, gsBriefing);
        const uint32_t Loaded = Now();
        Frm->FakeClock->Advance(8000); // reading the briefing
        Frames(1);
        Press(TKeyCodes::Enter);
        Frames(1);
        Press(TKeyCodes::Space);
        Frames(2);
        ASSERT_EQ(GameState, gsPlaying);
        if (CaptionKey)
            SkipCaption();
        for (int Frame = 0; Frame < 1000 && Game.Phase != 2; ++Frame)
            Frames(1);
        const int64_t Left = Game.Campaign.Waves[0].Goal - SinceTick(Game.WaveStamp);
        EXPECT_NEAR(Left, 30000 - SinceTick(Loaded), 60);
        EXPECT_LT(Left, 30000 - 8000);
    }
}

TEST_F(TCampaignPlayTest, AWonMissionLeadsToTheCampaignPageAndTheLastOneToTheCredits) {
    ASSERT_TRUE(TMissionWriter::WriteCampaign(Dir.Dir(), "level07", {MakeWave(0, wkEndOfMission, 0, 0, 1)}));
    ASSERT_TRUE(TMissionWriter::WriteCampaign(Dir.Dir(), "level19", {MakeWave(0, wkEndOfMission, 0, 0, 1)}));
    Start();
    for (const auto& [Name, Mission, Screen] :
         {std::tuple{"level07", 7, msNewGame}, {"level19", 19, msCredits}}) {
        SCOPED_TRACE(Name);
        GameMenu->Screen = msMain;
        GameMenu->SubScreen = 0;
        LoadMission(Name, Mission);
        SkipCaption();
        FramesWhilePlaying(300);
        EXPECT_EQ(GameState, gsMenu);
        EXPECT_EQ(Profile.MissionDone[Mission], 1);
        EXPECT_EQ(GameMenu->Screen, Screen);
        if (Screen == msNewGame) {
            EXPECT_EQ(GameMenu->SubScreen, 3); // its campaign page
        }
    }
}

TEST_F(TCampaignPlayTest, EveryCrateRewardIsShownFromTextsRenderedAsTheMissionLoaded) {
    Start();
    LoadMission("ttd", 0);
    SkipCaption();
    const size_t Loaded = Engine->Fonts.CachedBytes();
    TShip& Ship = *Game.Ship;
    for (bool AllCharged : {false, true})
        for (int Kind = 0; Kind < 10; ++Kind) {
            Ship.Owned.fill(true);
            Ship.Charged.fill(AllCharged); // a weapon's charge, or what is given instead
            int Score = 0;
            Game.Crates->GiveContents(Kind, Ship, Game.Messages, Score);
            // Grown through every size and shrunk back, with its notice: nothing new is rendered.
            for (int Step = 0; Step <= TRocketMessage::LargestStep + 5; ++Step) {
                Game.Messages.Draw();
                ASSERT_EQ(Engine->Fonts.CachedBytes(), Loaded) << Kind << " " << Step;
            }
        }
}

TEST_F(TCampaignPlayTest, AnEndlessGameEndsOnTheHighScores) {
    Start();
    LoadMission("ttd", 0);
    SkipCaption();
    Frames(100);
    Game.Ship->Energy = 0;
    Frames(2);
    ASSERT_TRUE(Game.Ship->Destroyed);
    EXPECT_TRUE(Engine->CursorVisible); // the game-over dialog
    GameMenu->OnWidgetClick("interfaceOK");
    EXPECT_EQ(GameState, gsMenu);
    EXPECT_EQ(GameMenu->Screen, msHighScore);
}

} // namespace
