#include "THeadlessEngine.h"

#include "app/Globals.h"
#include "missions/TInterface.h"
#include "world/TShip.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TInterfaceTest : public THeadlessEngine {
  protected:
    void SetUp() override {
        THeadlessEngine::SetUp();
        Game.Mode = "C";
        Game.Ship = std::make_unique<TShip>(*TestEngine);
        Interface = std::make_unique<TInterface>(*TestEngine);
    }
    void TearDown() override {
        Interface.reset();
        THeadlessEngine::TearDown();
    }

    std::unique_ptr<TInterface> Interface;
};

TEST(TInterfaceSpeed, ThreeCharactersOrFourWhenReversing) {
    EXPECT_EQ(TInterface::SpeedText(1.001), "1.0");
    EXPECT_EQ(TInterface::SpeedText(2.305), "2.3");
    EXPECT_EQ(TInterface::SpeedText(2.0), "2");
    EXPECT_EQ(TInterface::SpeedText(-0.405), "-0.4");
}

TEST_F(TInterfaceTest, TheOverlayFollowsPauseHelpAndWreckAndSetsTheCursor) {
    TestEngine->CursorVisible = true;
    Interface->Run(); // playing: no overlay, no cursor
    EXPECT_FALSE(TestEngine->CursorVisible);
    Game.Paused = true;
    Game.Phase = 1; // still in the start caption: no exit question yet
    Interface->Run();
    EXPECT_FALSE(TestEngine->CursorVisible);
    Game.Phase = 2;
    Interface->Run();
    EXPECT_TRUE(TestEngine->CursorVisible);
    Game.HelpShown = true; // the help page leaves the cursor as it was
    TestEngine->CursorVisible = false;
    Interface->Run();
    EXPECT_FALSE(TestEngine->CursorVisible);
    Game.Paused = false; // help flag without pause, wrecked: game over all the same
    Game.Ship->Destroyed = true;
    Interface->Run();
    EXPECT_TRUE(TestEngine->CursorVisible);
}

TEST_F(TInterfaceTest, LeavingACampaignPaysAFifthOfTheScoreAndResumingUnpauses) {
    GameState = gsPlaying;
    Profile.Credits = 100;
    Game.Score = 14;
    TInterface::LeaveGame();
    EXPECT_EQ(Profile.Credits, 102);
    EXPECT_EQ(GameState, gsMenu);
    Game.Score = -14; // rounds toward zero
    TInterface::LeaveGame();
    EXPECT_EQ(Profile.Credits, 100);
    Game.Mode = "T";
    Game.SurvivalTime = 5000;
    Game.TotalKills = 3;
    Game.WaveKills = 4;
    Profile.BestKills = 9;
    TInterface::LeaveGame();
    EXPECT_EQ(Profile.BestTime, 5000);
    EXPECT_EQ(Profile.BestKills, 9);
    Game.Mode = "X";
    GameState = gsPlaying;
    TInterface::LeaveGame();
    EXPECT_EQ(GameState, gsPlaying);
    Game.Paused = true;
    TestEngine->CursorVisible = true;
    TInterface::ResumeGame();
    EXPECT_FALSE(Game.Paused);
}

// Enter is also the mine key: it answers the exit question only when the player opened it with the exit
// key (not when the window lost the focus), and the game-over dialog only once it has been seen.
TEST_F(TInterfaceTest, EnterAnswersOnlyAQuestionThePlayerHasSeenOrAsked) {
    std::vector<std::string> Clicks;
    TestEngine->OnWidgetClick = [&Clicks](const std::string& Action) { Clicks.push_back(Action); };
    GameState = gsPlaying;
    Game.Phase = 2;
    const auto PressEnter = [this] {
        for (const bool Down : {true, false}) {
            Input.KeyEvent(28, Down);
            Keyboard.Update();
            Interface->Run();
        }
    };
    PressEnter(); // in flight Enter is the player's own key
    Game.Paused = true;
    Game.ExitAsked = false; // the window lost the focus
    PressEnter();
    EXPECT_TRUE(Clicks.empty());
    Game.ExitAsked = true; // the player pressed the exit key
    PressEnter();
    EXPECT_EQ(Clicks, std::vector<std::string>{"interfaceOK"});
    Clicks.clear();
    Game.Paused = false;
    Game.Ship->Destroyed = true;
    PressEnter(); // the mine key, pressed as the ship went down
    TestClock.Advance(TInterface::GameOverKeyDelay - 10);
    PressEnter();
    EXPECT_TRUE(Clicks.empty());
    TestClock.Advance(10);
    PressEnter();
    EXPECT_EQ(Clicks, std::vector<std::string>{"interfaceOK"});
}

} // namespace
