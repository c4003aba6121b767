// Whole missions played through the real frame loop, headless, with scripted keys.
#include "TGameHarness.h"

#include "engine/TEngine.h"
#include "missions/TCampaignProgress.h"
#include "missions/TLevelFile.h"
#include "missions/TLoading.h"
#include "particles/TExplosion.h"
#include "runtime/TZlibStream.h"
#include "world/TRocket.h"
#include "world/TShip.h"

namespace {

constexpr int KeyEnter = 28;
constexpr int KeySpace = 57;

TWave MakeWave(int Rockets, uint8_t Kind, int Goal, int Pause, int Type) {
    TWave Wave;
    Wave.RocketCount = Rockets;
    Wave.Kind = Kind;
    Wave.Goal = Goal;
    Wave.Pause = Pause;
    Wave.TypeA = Type;
    Wave.TypeB = Type;
    return Wave;
}

class TCampaignPlayTest : public TGameHarness {
  protected:
    void WriteMission(const std::vector<TWave>& Waves) {
        TCampaignLevel Campaign;
        Campaign.Name = "level01";
        Campaign.WaveCount = static_cast<int>(Waves.size());
        Campaign.Waves = Waves;
        Campaign.CrateLifetime = 10000;
        Campaign.CrateIntervalMin = 5000;
        Campaign.CrateIntervalMax = 9000;
        const std::vector<uint8_t> Bytes = TLevelFile::Write("C", Campaign, TEndlessLevel());
        ASSERT_TRUE(TZlibStream::WriteFile(Dir / "Levels/level01.lvl", Bytes.data(), Bytes.size(), 9));
    }

    // As the campaign screen's next-mission button does it.
    void PlayFirstMission() {
        Start();
        LevelName = "level01";
        CampaignMission = 1;
        Loading->Visible = true;
        GameState = gsLoading;
        Frames(2);
        ASSERT_EQ(GameState, gsBriefing);
        Frames(10);
        Press(KeySpace); // too early for the prompt: ignored
        Press(KeyEnter); // the whole briefing at once, then the prompt
        Frames(1);
        Press(KeySpace);
        Frames(2);
        ASSERT_EQ(GameState, gsPlaying);
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
    for (int Frame = 0; Frame < 1000 && GameState == gsPlaying; ++Frame)
        Frames(1);
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
}

} // namespace
