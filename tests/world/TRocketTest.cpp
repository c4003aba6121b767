#include "THeadlessEngine.h"

#include "app/Globals.h"
#include "engine/TEngine.h"
#include "particles/TMessage.h"
#include "particles/TXParticleSystem.h"
#include "render/TInputState.h"
#include "render/TVelaCanvas.h"
#include "render/TVelaFontsAlt.h"
#include "render/TVelaKeyboard.h"
#include "render/TVelaMouse.h"
#include "render/TVelaTimer.h"
#include "runtime/TFakeClock.h"
#include "runtime/TPngEncoder.h"
#include "world/TRocket.h"
#include "world/TShip.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

namespace {

double Cos(int Degrees) {
    return std::cos(Degrees * std::acos(-1.0) / 180);
}

TEST(TRocketRules, AimQuadrantsTurnTableAndWrap) {
    EXPECT_EQ(TRocket::AimAngle(0, -50, 7), 270); // ship straight above
    EXPECT_EQ(TRocket::AimAngle(0, 50, 7), 90);
    EXPECT_EQ(TRocket::AimAngle(50, 0, 7), 360);
    EXPECT_EQ(TRocket::AimAngle(-50, 0, 7), 180);
    EXPECT_EQ(TRocket::AimAngle(10, 10, 7), 45);
    EXPECT_EQ(TRocket::AimAngle(-100, 10, 7), 175); // trunc(5.71)
    EXPECT_EQ(TRocket::AimAngle(-100, -10, 7), 185);
    EXPECT_EQ(TRocket::AimAngle(100, -10, 7), 355);
    EXPECT_EQ(TRocket::AimAngle(0, 0, 7), 7); // on the ship: the target stays
    for (const auto& [Angle, Quadrant] :
         {std::pair{0, 0}, {1, 1}, {90, 1}, {91, 2}, {270, 3}, {360, 4}, {361, 0}})
        EXPECT_EQ(TRocket::Quadrant(Angle), Quadrant) << Angle;
    // Row, heading, target, step -> change: same quadrant, next, opposite (the 180 test), previous.
    const int Rules[][5] = {
        {1, 40, 30, 2, -2},  {1, 40, 100, 2, 2},   {1, 40, 200, 2, 2},   {1, 40, 230, 2, -2},
        {1, 40, 300, 2, -2}, {2, 100, 50, 1, -1},  {2, 100, 279, 1, 1},  {2, 100, 281, 1, -1},
        {3, 200, 19, 3, 3},  {3, 200, 21, 3, -3},  {3, 200, 300, 3, 3},  {4, 300, 10, 3, 3},
        {4, 300, 119, 3, 3}, {4, 300, 121, 3, -3}, {4, 300, 200, 3, -3}, {4, 300, 361, 3, 0}};
    for (const auto& Rule : Rules)
        EXPECT_EQ(TRocket::RuleTurn(Rule[0], Rule[1], Rule[2], Rule[3]), Rule[4])
            << Rule[1] << "->" << Rule[2];
    EXPECT_EQ(TRocket::Turn(88, 200, 3), 94); // crossing into quadrant 2 applies its rule too
    EXPECT_EQ(TRocket::WrapAngle(TRocket::Turn(359, 1, 2)), 1);
    EXPECT_EQ(TRocket::WrapAngle(TRocket::Turn(1, 300, 2)), 359);
    EXPECT_EQ(TRocket::WrapAngle(0), 360);
}

TEST(TRocketRules, KindFourLooksAndBurnsLikeKindOne) {
    EXPECT_EQ(TRocket::SpriteName(2), "rocket2");
    EXPECT_EQ(TRocket::SpriteName(4), "rocket1");
    EXPECT_EQ(TRocket::SpriteTurn(2), 180);
    EXPECT_EQ(TRocket::SpriteTurn(4), 0);
    EXPECT_EQ(TRocket::FlameDistance(2) + TRocket::FlameDistance(3), 85);
    EXPECT_EQ(TRocket::FlameDistance(4), 30);
    EXPECT_EQ(TRocket::ExplosionFile(3), "Graphic\\explode3.pss");
    EXPECT_EQ(TRocket::ExplosionFile(4), "Graphic\\explode1.pss");
}

// Rockets and a ship over a headless engine with no pictures, on a fake clock.
class TRocketTest : public THeadlessEngine {
  protected:
    void SetUp() override {
        THeadlessEngine::SetUp();
        TestClock.SetTickCount(1000);
        Ship = std::make_unique<TShip>(*TestEngine);
        Ship->Angle = 360;
    }

    TRocket& AddRocket(int Kind, double X, double Y, int Angle) {
        Rockets.push_back(std::make_unique<TRocket>(*TestEngine));
        TRocket& Rocket = *Rockets.back();
        Rocket.Kind = Kind;
        Rocket.X = X;
        Rocket.Y = Y;
        Rocket.Angle = Rocket.TargetAngle = Angle;
        Rocket.Index = static_cast<int>(Rockets.size()) - 1;
        return Rocket;
    }

    void RunAll(uint32_t Milliseconds = 0) {
        TestClock.Advance(Milliseconds);
        for (const auto& Rocket : Rockets)
            Rocket->Run(*Ship, Rockets, Messages);
    }

    std::unique_ptr<TShip> Ship;
    TRockets Rockets;
    TMessage Messages;
};

TEST_F(TRocketTest, MoveAdvancesByKindTurnsAndPlacesTheFlame) {
    TRocket& Three = AddRocket(3, 100, 100, 88);
    Three.TargetAngle = 200;
    Three.Move();
    EXPECT_EQ(Three.Angle, 94);
    EXPECT_NEAR(Three.X, 100 + 3 * Cos(88), 1e-9);
    TRocket& Two = AddRocket(2, 100, 100, 359);
    Two.TargetAngle = 1;
    Two.Move();
    EXPECT_EQ(Two.Angle, 1);
    TRocket& One = AddRocket(1, 100, 100, 45); // on target: straight on
    One.Move();
    One.Move();
    EXPECT_EQ(One.Angle, 45);
    EXPECT_NEAR(One.Y, 100 + 2 * std::sqrt(0.5), 1e-9);
    TRocket& Left = AddRocket(2, 200, 100, 180);
    Left.PlaceFlame();
    EXPECT_NEAR(Left.FlameX, 251, 1e-9);
    EXPECT_NEAR(Left.FlameY, 100, 1e-9);
    EXPECT_FLOAT_EQ(Left.FlameEmitter.Angle, static_cast<float>(90 * 3.1415 / 180));
    EXPECT_FLOAT_EQ(Left.FlameEmitter.X, 251);
}

TEST_F(TRocketTest, RunAimsAndAnimatesEachFrameMovesOncePerMotionPeriodAndFreezesWhenPaused) {
    Ship->X = 100;
    Ship->Y = 50; // straight above
    TRocket& Rocket = AddRocket(1, 100, 300, 90);
    Rocket.FrameTime = 1000;
    Rocket.Frame = 8;
    RunAll(15);
    EXPECT_EQ(Rocket.TargetAngle, 270);
    EXPECT_NEAR(Rocket.Circles[0].Y, 319, 1e-9);
    EXPECT_DOUBLE_EQ(Rocket.Y, 300); // 15 ms are not more than the period
    EXPECT_EQ(Rocket.Frame, 8);
    RunAll(1);
    EXPECT_NEAR(Rocket.Y, 301, 1e-9);
    EXPECT_EQ(Rocket.Angle, 89); // right behind it: the 180 test turns it back through the right
    EXPECT_NEAR(Rocket.FlameX, 100 - 30 * Cos(89), 1e-9);
    RunAll(55);
    EXPECT_EQ(Rocket.Frame, 0); // 71 ms: the ninth pattern wraps to the first
    const double Before = Rocket.Y;
    Game.Paused = true;
    RunAll(100);
    EXPECT_DOUBLE_EQ(Rocket.Y, Before);
    EXPECT_EQ(Rocket.Frame, 1);
}

TEST_F(TRocketTest, KindFourFliesAndTurnsFourPerStep) {
    Ship->X = 100;
    Ship->Y = 1000;
    TRocket& Fast = AddRocket(4, 100, 100, 360);
    RunAll(16);
    EXPECT_NEAR(Fast.X, 104, 1e-9);
    EXPECT_EQ(Fast.Angle, 4);
    EXPECT_NEAR(Fast.FlameX, Fast.X - 30 * Cos(4), 1e-9);
}

TEST_F(TRocketTest, WrecksAndParkedRocketsDriftAgainstTheShipsHeading) {
    TRocket& Wreck = AddRocket(2, 300, 300, 45);
    Wreck.Destroyed = true;
    TRocket& Parked = AddRocket(1, 0, 0, 0);
    Parked.Park(1, 3);
    EXPECT_EQ(Parked.Kind, 3);
    Messages.AddMessage(0, "+10", 0, 0);
    Ship->Angle = 90; // flying down the screen: wrecks drift up
    RunAll();
    EXPECT_TRUE(Wreck.Gone);
    EXPECT_NEAR(Wreck.X, 300, 1e-9);
    EXPECT_NEAR(Wreck.Y, 299.7, 1e-9);
    EXPECT_NEAR(Parked.Y, -150.3, 1e-9);
    EXPECT_DOUBLE_EQ(Messages.Slots[0].Y, Wreck.Y); // its score text follows it
    Ship->Destroyed = true;
    Ship->Angle = 180;
    Game.Paused = true;
    RunAll();
    EXPECT_NEAR(Wreck.X, 300.3, 1e-9);
    EXPECT_NEAR(Parked.X, -149.7, 1e-9);
}

TEST_F(TRocketTest, TheFlameBurnsFromTheStartAndAWreckFiresItsKindsExplosionOnceAtHalfSpeed) {
    ::ProgramDir = ZERATHON_SOURCE_DIR "/data/";
    TickLength = 16;
    RocketParticleStep = 8;
    TRocket& Rocket = AddRocket(1, 300, 300, 360);
    Rocket.Park(0, 3);
    TXParticleSystem Expected;
    ASSERT_TRUE(Expected.LoadFromFile(ZERATHON_SOURCE_DIR "/data/Graphic/explode3.pss"));
    EXPECT_EQ(Rocket.ExplosionEmitter.Params().Write(), Expected.Params().Write());
    EXPECT_TRUE(Rocket.FlameEmitter.Running());
    EXPECT_FALSE(Rocket.ExplosionEmitter.Running());
    Rocket.Destroyed = Rocket.Gone = false;
    Rocket.X = Rocket.Y = 300;
    RunAll(16);
    RunAll(16); // 60 a second: the first particle comes with the second step
    EXPECT_FLOAT_EQ(Rocket.FlameEmitter.X, static_cast<float>(Rocket.FlameX));
    EXPECT_GT(Rocket.FlameEmitter.Count(), 0);
    Rocket.Destroyed = true;
    RunAll(16);
    ASSERT_TRUE(Rocket.ExplosionEmitter.Running());
    EXPECT_EQ(Rocket.ExplosionEmitter.Time(), 0.0f);
    RunAll(16);
    EXPECT_EQ(Rocket.ExplosionEmitter.Time(), 8.0f); // fired once, stepped 8 ms per frame
    EXPECT_FLOAT_EQ(Rocket.ExplosionEmitter.Y, static_cast<float>(Rocket.Y)); // it drifts with the wreck
}

TEST_F(TRocketTest, ACollisionInOneRocketsStepIsSeenByTheLaterOnes) {
    Ship->X = 100;
    Ship->Y = 384;
    TRocket& First = AddRocket(1, 581, 384, 360); // nose 500 px from the ship
    TRocket& Second = AddRocket(1, 626, 384, 180);
    Second.UpdateCircles();
    RunAll();
    EXPECT_TRUE(First.Destroyed && Second.Destroyed);
    EXPECT_FALSE(First.Gone); // a wreck from its next step
    EXPECT_TRUE(Second.Gone);
    EXPECT_EQ(Game.Score, 70);
    EXPECT_EQ(Messages.Slots[1].Text, " +70");
}

} // namespace
