#include "THeadlessEngine.h"

#include "app/Globals.h"
#include "engine/TEngine.h"
#include "particles/TMessage.h"
#include "render/TInputState.h"
#include "render/TVelaCanvas.h"
#include "render/TVelaFontsAlt.h"
#include "render/TVelaKeyboard.h"
#include "render/TVelaMouse.h"
#include "render/TVelaTimer.h"
#include "runtime/TFakeClock.h"
#include "runtime/TPngEncoder.h"
#include "world/TCollisions.h"
#include "world/TRocket.h"
#include "world/TShip.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

// A ship at (500, 500) heading along +x: probes at x 495, 513, 531, 544 (front), 470, 490 (rear) and
// 436 (tail), all on y = 500.
class TCollisionsTest : public THeadlessEngine {
  protected:
    void SetUp() override {
        THeadlessEngine::SetUp();
        TestClock.SetTickCount(5000);
        GameText.gi_points = "Points";
        GameText.gi_boost = "Boost";
        Ship = std::make_unique<TShip>(*TestEngine);
        Ship->X = Ship->Y = 500;
        Ship->Angle = 360;
        Ship->UpdateHitPoints();
    }

    TRocket& AddRocket(int Kind, double X, double Y, int Angle) {
        Rockets.push_back(std::make_unique<TRocket>(*TestEngine));
        TRocket& Rocket = *Rockets.back();
        Rocket.Kind = Kind;
        Rocket.X = X;
        Rocket.Y = Y;
        Rocket.Angle = Angle;
        Rocket.Index = static_cast<int>(Rockets.size()) - 1;
        Rocket.UpdateCircles();
        return Rocket;
    }

    std::unique_ptr<TShip> Ship;
    TRockets Rockets;
    TMessage Messages;
};

TEST_F(TCollisionsTest, RamHitsAtTheFrontThresholdMissesJustPastAndTheTailVetoesRearHits) {
    // Noses pointing back at probe 3 (544, 500); kind 4 is shaped like kind 1.
    for (const auto& [Kind, Nose, Threshold] :
         {std::tuple{1, 19, 25}, {2, 33, 27}, {3, 23, 25}, {4, 19, 25}}) {
        EXPECT_EQ(TCollisions::RamProbe(Ship->HitPoints, AddRocket(Kind, 544 + Threshold + Nose, 500, 180)),
                  3);
        EXPECT_FALSE(
            TCollisions::RamHits(Ship->HitPoints, AddRocket(Kind, 544.5 + Threshold + Nose, 500, 180)));
    }
    // Right behind: circle 0 is 30 px from rear probe 4 but only 4 px from the tail.
    EXPECT_FALSE(TCollisions::RamHits(Ship->HitPoints, AddRocket(1, 421, 500, 360)));
    // Below rear probe 4, nose 26 px from it and clear of the tail.
    EXPECT_EQ(TCollisions::RamProbe(Ship->HitPoints, AddRocket(1, 470, 545, 270)), 4);
    EXPECT_FALSE(TCollisions::RamHits(Ship->HitPoints, AddRocket(1, 470, 560.5, 270))); // 41.5
}

TEST_F(TCollisionsTest, HyperShieldCoversTheFlanksBelowLevelThree) {
    const TRocket& Ahead = AddRocket(1, 609, 500, 180);   // nose 90 px ahead
    const TRocket& Flank = AddRocket(1, 500, 619, 270);   // nose 100 px below
    const TRocket& Past = AddRocket(1, 500, 622.5, 270);  // 103.5
    const TRocket& KindTwo = AddRocket(2, 500, 638, 270); // 105
    for (const int Level : {1, 2}) {
        EXPECT_FALSE(TCollisions::ShieldHitsRocket(500, 500, 360, Level, Ahead));
        EXPECT_TRUE(TCollisions::ShieldHitsRocket(500, 500, 360, Level, Flank));
    }
    EXPECT_TRUE(TCollisions::ShieldHitsRocket(500, 500, 360, 3, Ahead));
    EXPECT_FALSE(TCollisions::ShieldHitsRocket(500, 500, 360, 3, Past));
    EXPECT_TRUE(TCollisions::ShieldHitsRocket(500, 500, 360, 3, KindTwo));
    EXPECT_EQ(TCollisions::ShieldProbes(500.5, 500, 360, 2)[1][0], 420);
    EXPECT_TRUE(TCollisions::ShieldHitsPiece(500, 500, 360, 1, 500, 626, 26));
    EXPECT_FALSE(TCollisions::ShieldHitsPiece(500, 500, 360, 1, 500, 626.5, 26));
    EXPECT_TRUE(TCollisions::ShieldHitsPiece(500, 500, 360, 2, 500, 550, 16));
    EXPECT_FALSE(TCollisions::ShieldHitsPiece(500, 500, 360, 2, 560, 500, 16)); // 20 from the front end
    EXPECT_TRUE(TCollisions::ShieldHitsPiece(500, 500, 360, 3, 616, 500, 16));
}

TEST_F(TCollisionsTest, WeaponsMinesAndPiecesReachTheirThresholds) {
    const TRocket& One = AddRocket(1, 100, 100, 360); // circles at x 119 (nose) .. 77
    const TRocket& Two = AddRocket(2, 100, 300, 360); // nose at 133, last circle at 55
    EXPECT_TRUE(TCollisions::EmpHitsRocket(169, 100, 47, One));
    EXPECT_FALSE(TCollisions::EmpHitsRocket(169.5, 100, 47, One));
    EXPECT_TRUE(TCollisions::EmpHitsRocket(183, 300, 45, Two));
    TBeamPoints Beam{};
    Beam[4] = {55 - 32, 300};
    EXPECT_TRUE(TCollisions::PhazerHitsRocket(Beam, Two));
    EXPECT_TRUE(TCollisions::PhazerHitsPiece(Beam, 23, 340, 16));
    Beam[4] = {55 - 33, 300};
    EXPECT_FALSE(TCollisions::PhazerHitsRocket(Beam, Two));
    EXPECT_TRUE(TCollisions::LongBombHitsRocket(64, 100, 10, One));
    EXPECT_FALSE(TCollisions::LongBombHitsRocket(63.5, 100, 10, One));
    EXPECT_DOUBLE_EQ(TCollisions::BulletNose(110.7, 100.2, 360).X, 119);
    EXPECT_TRUE(TCollisions::BulletHitsRocket({65, 100}, One)); // the tail circle reaches 12
    EXPECT_FALSE(TCollisions::BulletHitsRocket({119, 106}, One));
    EXPECT_TRUE(TCollisions::MineHitsShip(Ship->HitPoints, 582, 500));
    EXPECT_FALSE(TCollisions::MineHitsShip(Ship->HitPoints, 582.5, 500));
    EXPECT_TRUE(TCollisions::MineHitsShip(Ship->HitPoints, 470, 552));  // rear probe
    EXPECT_FALSE(TCollisions::MineHitsShip(Ship->HitPoints, 436, 530)); // by the tail
    EXPECT_TRUE(TCollisions::MineHitsRocket(138, 100, One));
    EXPECT_FALSE(TCollisions::MineHitsRocket(138.5, 100, One));
    EXPECT_TRUE(TCollisions::PieceHitsShip(Ship->HitPoints, 582, 500, 16));
    EXPECT_FALSE(TCollisions::PieceHitsShip(Ship->HitPoints, 436, 521, 16)); // 21 px from the tail
    EXPECT_TRUE(TCollisions::PieceHitsRocket(148, 100, 26, One));
    EXPECT_FALSE(TCollisions::PieceHitsRocket(148.5, 100, 26, One));
    EXPECT_TRUE(TCollisions::MineHitsPiece(0, 0, 42, 0, 26) &&
                TCollisions::EmpHitsPiece(0, 0, 30, 46, 0, 16));
    EXPECT_TRUE(TCollisions::LongBombHitsPiece(0, 0, 10.5, 26.5, 0, 16) &&
                TCollisions::BulletHitsPiece({0, 16}, 0, 0, 16));
}

TEST_F(TCollisionsTest, RocketsFiveHundredPixelsAwayCollideForSeventyAndTwoKills) {
    Ship->X = 100;
    Ship->Y = 384;
    Ship->Boost = 50;
    TRocket& First = AddRocket(1, 581, 384, 360);  // nose at (600, 384)
    AddRocket(1, 609, 384, 90);                    // its middle circle just 4 + 5 away: bodies must overlap
    TRocket& Second = AddRocket(1, 626, 384, 180); // nose to nose at 4 + 3
    TCollisions::CheckRocketAgainstRockets(First, *Ship, Rockets, Messages);
    EXPECT_TRUE(First.Destroyed && Second.Destroyed);
    EXPECT_FALSE(Rockets[1]->Destroyed);
    EXPECT_EQ(First.RespawnStamp, 5000u);
    EXPECT_EQ(Game.Score, 70);
    EXPECT_EQ(Game.WaveKills, 2);
    EXPECT_DOUBLE_EQ(Ship->Boost, 56);
    EXPECT_EQ(Messages.Slots[2].Text, " +70");
    EXPECT_FALSE(Messages.Slots[0].Active);
    EXPECT_EQ(Messages.NoticeLine1, "Points +70");
    EXPECT_EQ(Messages.NoticeLine2, "Boost +6");
    Rockets[1]->X = 608.9;
    Rockets[1]->UpdateCircles();
    EXPECT_TRUE(TCollisions::RocketHitsRocket(First, *Rockets[1]));
    // The wreck still takes the boost, but neither points nor kills.
    Ship->Destroyed = true;
    TCollisions::RocketsCollide(*Ship, First, *Rockets[1], Messages);
    EXPECT_EQ(Game.Score, 70);
    EXPECT_EQ(Game.WaveKills, 2);
    EXPECT_DOUBLE_EQ(Ship->Boost, 62);
}

TEST_F(TCollisionsTest, EachKillPaysAsItsCauseAndTheWreckOnlyWhatIsUnconditional) {
    using TKill = void (*)(TShip&, TRocket&, TMessage&);
    struct TCase {
        TKill Kill;
        int Points, Boost, WreckBoost, WreckKills;
    };
    const TCase Cases[] = {
        {TCollisions::RamKill, 10, 3, 3, 0},         {TCollisions::ShieldKill, 30, 6, 0, 0},
        {TCollisions::EmpKill, 50, 6, 6, 1},         {TCollisions::PhazerKill, 100, 6, 6, 1},
        {TCollisions::LongBombKill, 200, 15, 15, 1}, {TCollisions::BulletKill, 50, 8, 0, 0},
        {TCollisions::MineKill, 50, 10, 0, 0}};
    for (const TCase& Case : Cases)
        for (const bool Wreck : {false, true}) {
            SCOPED_TRACE(std::to_string(Case.Points) + (Wreck ? " wreck" : ""));
            Game = TGame();
            Ship->Destroyed = Wreck;
            Ship->Boost = 50;
            Ship->Energy = 100;
            TRocket& Rocket = AddRocket(2, 300, 200, 90);
            Rocket.Index = 105; // shares slot 4
            Case.Kill(*Ship, Rocket, Messages);
            EXPECT_TRUE(Rocket.Destroyed);
            EXPECT_EQ(Game.Score, Wreck ? 0 : Case.Points);
            EXPECT_DOUBLE_EQ(Ship->Boost, 50 + (Wreck ? Case.WreckBoost : Case.Boost));
            EXPECT_EQ(Game.WaveKills, Wreck ? Case.WreckKills : 1);
            EXPECT_EQ(Messages.Slots[4].Text, "+" + std::to_string(Case.Points));
            EXPECT_EQ(Messages.NoticeLine2, "Boost +" + std::to_string(Case.Boost));
            EXPECT_EQ(Ship->Energy, Case.Kill == TCollisions::RamKill ? 88 : 100);
        }
}

TEST_F(TCollisionsTest, AsteroidHitsPayWithoutCountingKills) {
    TCollisions::PieceRamsShip(*Ship, Messages, true, 300, 200);
    EXPECT_EQ(Ship->Energy, 65);
    EXPECT_EQ(Game.Score, 40);
    EXPECT_DOUBLE_EQ(Ship->Boost, 8);
    EXPECT_EQ(Messages.Main.Text, "+40");
    TCollisions::PieceTakesRocket(*Ship, AddRocket(1, 300, 200, 90), Messages, false, 310, 210);
    EXPECT_TRUE(Rockets[0]->Destroyed);
    EXPECT_EQ(Game.WaveKills, 0);
    EXPECT_EQ(Game.Score, 90);
    EXPECT_DOUBLE_EQ(Messages.Main.X, 310);
    TCollisions::PieceShot(*Ship, Messages, 0, 0);
    EXPECT_DOUBLE_EQ(Ship->Boost, 29);
    Ship->Destroyed = true;
    TCollisions::PieceRamsShip(*Ship, Messages, false, 300, 200);
    EXPECT_EQ(Ship->Energy, 50);
    EXPECT_EQ(Game.Score, 160);
    EXPECT_DOUBLE_EQ(Ship->Boost, 29);
}

TEST_F(TCollisionsTest, ShipStepShieldsOrRamsEachLivingRocketKindFourHittingForTwentyFour) {
    Ship->ShieldLevel = 3;
    AddRocket(4, 588, 500, 180); // nose 25 px from probe 3
    AddRocket(1, 588, 500, 180).Destroyed = true;
    TCollisions::CheckRocketCollisions(*Ship, Rockets, Messages);
    EXPECT_TRUE(Rockets[0]->Destroyed);
    EXPECT_EQ(Ship->Energy, 92); // trunc(24 / 3)
    EXPECT_EQ(Game.Score, 10);
    EXPECT_EQ(Game.WaveKills, 1);
    Ship->ShieldUp = true; // straight ahead is only covered at level 3
    AddRocket(1, 609, 500, 180);
    TCollisions::CheckRocketCollisions(*Ship, Rockets, Messages);
    EXPECT_EQ(Game.Score, 40);
    EXPECT_EQ(Ship->Energy, 92);
    Ship->ShieldLevel = 1;
    AddRocket(4, 588, 500, 180);
    TCollisions::CheckRocketCollisions(*Ship, Rockets, Messages);
    EXPECT_EQ(Game.Score, 50);
    EXPECT_EQ(Ship->Energy, 68);
}

} // namespace
