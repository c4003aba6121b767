#include "THeadlessEngine.h"

#include "missions/TCampaignProgress.h"
#include "world/TCollisions.h"
#include "world/TRocket.h"
#include "world/TShip.h"

namespace {

class TCampaignProgressTest : public THeadlessEngine {
  protected:
    void SetUp() override {
        THeadlessEngine::SetUp();
        Engine = std::move(TestEngine);
        TestClock.SetTickCount(100000);
        Game.Mode = "C";
        Game.Ship = std::make_unique<TShip>(*Engine);
        Game.Ship->X = 512;
        Game.Ship->Y = 384;
        const int Places[14][2] = {{-50, 200}, {-50, 400}, {-50, 600},  {200, 830},  {400, 830},
                                   {600, 830}, {800, 830}, {1070, 600}, {1070, 400}, {1070, 200},
                                   {800, -50}, {600, -50}, {400, -50},  {200, -50}};
        for (int Point = 0; Point < 14; ++Point)
            Game.RespawnPoints[Point] = {Places[Point][0], Places[Point][1], false, 0};
        Game.WaveStamp = Now();
    }

    void TearDown() override {
        Game = TGame();
        THeadlessEngine::TearDown();
    }

    static TWave Wave(int Rockets, uint8_t Kind, int Goal, int Pause) {
        TWave Result;
        Result.RocketCount = Rockets;
        Result.Kind = Kind;
        Result.Goal = Goal;
        Result.Pause = Pause;
        return Result;
    }

    void Step(uint32_t Milliseconds = 10) {
        TestClock.Advance(Milliseconds);
        TCampaignProgress::ProgressCampaignLevel();
    }

    int InPlay() const {
        int Count = 0;
        for (const auto& Rocket : Game.Rockets)
            Count += !Rocket->Gone;
        return Count;
    }

    void DestroyAll() {
        for (const auto& Rocket : Game.Rockets) {
            Rocket->Destroyed = true;
            Rocket->Gone = true;
            Rocket->RespawnStamp = Now();
        }
    }
};

TEST_F(TCampaignProgressTest, TheLastTypeBCountRocketsAreOfTypeB) {
    TWave Mixed = Wave(5, wkTimed, 1000, 0);
    Mixed.TypeA = 1;
    Mixed.TypeB = 3;
    Mixed.TypeBCount = 2;
    Game.Campaign.Waves = {Mixed};
    TCampaignProgress::StartCampaignWave();
    ASSERT_EQ(Game.Rockets.size(), 5u);
    for (int I = 0; I < 5; ++I) {
        EXPECT_EQ(Game.Rockets[I]->Kind, I < 3 ? 1 : 3);
        EXPECT_EQ(Game.Rockets[I]->Index, I);
        EXPECT_TRUE(Game.Rockets[I]->Destroyed && Game.Rockets[I]->Gone);
    }
}

TEST_F(TCampaignProgressTest, TimedWaveFightsThenWaitsForItsRocketsThenPauses) {
    Game.Campaign.Waves = {Wave(3, wkTimed, 30000, 5000), Wave(2, wkTimed, 1000, 0),
                           Wave(0, wkEndOfMission, 0, 0)};
    TCampaignProgress::StartCampaignWave();
    Step();
    EXPECT_GT(InPlay(), 0); // new rockets try at once
    while (SinceTick(Game.WaveStamp) <= 30000)
        Step(100);
    Step();
    EXPECT_EQ(Game.WaveState, 1);
    Step(5000);
    EXPECT_EQ(Game.WaveState, 1); // rockets still in play hold the wave open
    DestroyAll();
    Step(4000);
    EXPECT_EQ(Game.WaveState, 2);
    EXPECT_EQ(InPlay(), 0); // no more re-entries
    Step(5000);
    EXPECT_EQ(Game.Wave, 0);
    Step(1);
    EXPECT_EQ(Game.Wave, 1);
    EXPECT_EQ(Game.Rockets.size(), 2u);
}

TEST_F(TCampaignProgressTest, KillTargetWaveStopsReEntriesAtItsGoal) {
    Game.Campaign.Waves = {Wave(4, wkKillTarget, 10, 0), Wave(0, wkEndOfMission, 0, 0)};
    TCampaignProgress::StartCampaignWave();
    Step();
    Game.WaveKills = 9;
    Step();
    EXPECT_EQ(Game.WaveState, 0);
    Game.WaveKills = 10;
    Step();
    EXPECT_EQ(Game.WaveState, 1);
    DestroyAll();
    Step(4000);
    EXPECT_EQ(InPlay(), 0); // no rocket comes back once the goal is reached
    EXPECT_EQ(Game.WaveState, 2);
}

TEST_F(TCampaignProgressTest, RespawnPointsQualifyAwayFromTheShipAndRestForThreeSeconds) {
    Game.Campaign.Waves = {Wave(30, wkTimed, 100000, 0)};
    TCampaignProgress::StartCampaignWave();
    // In the top-left corner no point is 80 px behind the ship on either axis.
    Game.Ship->X = 20;
    Game.Ship->Y = 20;
    for (int Try = 0; Try < 50; ++Try)
        TCampaignProgress::RespawnIt(0);
    EXPECT_TRUE(Game.Rockets[0]->Gone);
    Game.Ship->X = 512;
    Game.Ship->Y = 384;
    Step();
    // Each point takes one rocket and rests 3 s.
    const uint32_t Taken = Now();
    int Busy = 0;
    for (const TRespawnPoint& Point : Game.RespawnPoints)
        Busy += Point.Busy && Point.BusySince == Taken;
    EXPECT_EQ(Busy, InPlay());
    EXPECT_GT(Busy, 0);
    Step(3000);
    int StillBusy = 0;
    for (const TRespawnPoint& Point : Game.RespawnPoints)
        StillBusy += Point.Busy && Point.BusySince == Taken;
    EXPECT_EQ(StillBusy, Busy);
    Step(1);
    for (const TRespawnPoint& Point : Game.RespawnPoints)
        EXPECT_FALSE(Point.Busy && Point.BusySince == Taken);
}

TEST_F(TCampaignProgressTest, ARocketComesBackWithItsCirclesSoNoEarlierRocketMeetsItsOldOnes) {
    Game.Campaign.Waves = {Wave(2, wkTimed, 100000, 0)};
    TCampaignProgress::StartCampaignWave();
    TRocket& Flying = *Game.Rockets[0];
    TRocket& Back = *Game.Rockets[1];
    Flying.Angle = 360;
    Flying.Respawn(500, 300);
    // The second one died nose to nose with the first and left its circles there.
    Back.X = 526;
    Back.Angle = 180;
    Back.Y = 300;
    Back.UpdateCircles();
    while (Back.Gone)
        TCampaignProgress::RespawnIt(1);
    EXPECT_NEAR(TCollisions::Distance(Back.X, Back.Y, Back.Circles[0].X, Back.Circles[0].Y), 19, 1e-9);
    Flying.Run(*Game.Ship, Game.Rockets, Game.Messages);
    EXPECT_FALSE(Flying.Destroyed || Back.Destroyed);
    EXPECT_EQ(Game.Score, 0);
    EXPECT_EQ(Game.WaveKills, 0);
}

TEST_F(TCampaignProgressTest, WavesThatRunOutEndTheMissionAsWon) {
    Game.Campaign.Waves = {Wave(0, wkTimed, 100, 0)};
    CampaignMission = 7;
    TCampaignProgress::StartCampaignWave();
    GameState = gsPlaying;
    for (int Frame = 0; Frame < 400 && GameState == gsPlaying; ++Frame)
        Step(10);
    EXPECT_EQ(GameState, gsMenu);
    EXPECT_EQ(Profile.MissionDone[7], 1);
}

TEST(TCampaignProgressRules, ProgressIsWholePercentOfNineteen) {
    Profile = TProfile();
    EXPECT_EQ(TCampaignProgress::GetCampaignProgress(), "0 %");
    Profile.MissionDone[1] = 1;
    EXPECT_EQ(TCampaignProgress::GetCampaignProgress(), "5 %");
    for (int Mission = 1; Mission <= 19; ++Mission)
        Profile.MissionDone[Mission] = 1;
    Profile.MissionDone[20] = 1; // stored but never counted
    EXPECT_EQ(TCampaignProgress::GetCampaignProgress(), "100 %");
    Profile = TProfile();
}

} // namespace
