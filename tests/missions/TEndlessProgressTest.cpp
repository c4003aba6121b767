#include "THeadlessEngine.h"

#include "app/Globals.h"
#include "missions/TEndlessProgress.h"
#include "world/TRocket.h"
#include "world/TShip.h"

#include <gtest/gtest.h>

namespace {

class TEndlessProgressTest : public THeadlessEngine {
  protected:
    void SetUp() override {
        THeadlessEngine::SetUp();
        TestClock.SetTickCount(1000);
        ::Engine = std::move(TestEngine);
        Game.Mode = "T";
        Game.EndlessTypeA = 1;
        Game.EndlessTypeB = 2;
        Game.Ship = std::make_unique<TShip>(*::Engine);
    }
    void TearDown() override {
        Game = TGame();
        ::Engine.reset();
        THeadlessEngine::TearDown();
    }
    int Kinds(int Kind) const {
        return static_cast<int>(std::count_if(Game.Rockets.begin(), Game.Rockets.end(),
                                              [Kind](const auto& Rocket) { return Rocket->Kind == Kind; }));
    }
    // Plays out wave after wave until Waves have started.
    void StartWaves(int Waves) {
        TEndlessProgress::StartEndlessWave();
        for (int Wave = 1; Wave < Waves; ++Wave) {
            ++Game.Wave;
            TEndlessProgress::StartEndlessWave();
        }
    }
};

TEST_F(TEndlessProgressTest, WavesGrowAndTheirKindsStrengthenUpToFour) {
    StartWaves(1);
    EXPECT_EQ(Game.Rockets.size(), 6u);
    EXPECT_EQ(Kinds(1), 6);
    EXPECT_TRUE(Game.Rockets[0]->Destroyed && Game.Rockets[0]->Gone); // parked until they come in
    Game = TGame();
    Game.EndlessTypeA = 1;
    Game.EndlessTypeB = 2;
    StartWaves(10);
    EXPECT_EQ(Game.Rockets.size(), 15u);
    EXPECT_EQ(Kinds(2), 12);
    EXPECT_EQ(Kinds(3), 3);
    StartWaves(60);
    EXPECT_EQ(Game.EndlessTypeA, 4);
    EXPECT_EQ(Game.EndlessTypeB, 4);
}

TEST_F(TEndlessProgressTest, AWaveEndsAfterItsKillsShowsTheNextStageAndTheClockStopsWithTheShip) {
    StartWaves(1);
    Game.EndlessTimeBase = Now();
    TestClock.Advance(500);
    TEndlessProgress::ProgressTTDLevel();
    EXPECT_EQ(Game.SurvivalTime, 500);
    Game.WaveKills = 15;
    TEndlessProgress::ProgressTTDLevel();
    EXPECT_EQ(Game.WaveState, 1);
    TEndlessProgress::ProgressTTDLevel(); // every rocket is out of play
    EXPECT_EQ(Game.WaveState, 2);
    TestClock.Advance(2000);
    TEndlessProgress::ProgressTTDLevel();
    EXPECT_EQ(Game.WaveState, 2);
    TestClock.Advance(1);
    TEndlessProgress::ProgressTTDLevel();
    EXPECT_EQ(Game.Wave, 1);
    EXPECT_EQ(Game.TotalKills, 15);
    EXPECT_EQ(Game.Rockets.size(), 7u);
    Game.Ship->Destroyed = true;
    const int Survived = Game.SurvivalTime;
    TestClock.Advance(5000);
    TEndlessProgress::ProgressTTDLevel();
    EXPECT_EQ(Game.SurvivalTime, Survived);
}

} // namespace
