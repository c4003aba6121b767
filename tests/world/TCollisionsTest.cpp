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

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

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

    // Rocket becomes one of Kind whose circles all lie far off, but Circle, which sits at (X, Y).
    static const TRocket& Lone(TRocket& Rocket, int Kind, int Circle, double X, double Y) {
        Rocket.Kind = Kind;
        Rocket.Circles.fill({20000, 20000});
        Rocket.Circles[Circle] = {X, Y};
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

// Each attack against each circle of each kind on its own: a hit at the circle's threshold, a miss
// just past it. Kind 4 is shaped like kind 1.
TEST_F(TCollisionsTest, EveryCircleOfEveryKindMeetsEachAttackAtItsOwnThreshold) {
    using TRow = std::vector<int>;
    const TRow Front[3] = {
        {25, 27, 27, 27, 32}, {27, 27, 27, 27, 32, 27, 27, 27, 30}, {25, 27, 27, 27, 27, 27}};
    const TRow Rear[3] = {
        {41, 41, 41, 41, 41}, {41, 41, 41, 41, 41, 41, 41, 41, 44}, {39, 41, 41, 41, 41, 41}};
    const TRow Phazer[3] = {{3, 5, 5, 5, 5}, {5, 5, 5, 5, 5, 5, 0, 5, 8}, {3, 5, 5, 5, 5, 5}};
    const TRow Bullet[3] = {{5, 7, 7, 7, 12}, {7, 7, 7, 7, 7, 7, 7, 7, 10}, {5, 7, 7, 7, 7, 7}};
    const TRow Mine[3] = {
        {19, 21, 21, 21, 26}, {21, 21, 21, 21, 26, 21, 21, 21, 24}, {19, 21, 21, 21, 21, 21}};
    const TRow Radius[3] = {{3, 5, 5, 5, 10}, {5, 5, 5, 5, 10, 5, 5, 5, 8}, {3, 5, 5, 5, 5, 5}};
    const TRow Margin[3] = {{3, 5, 5, 5, 5}, {5, 5, 5, 5, 5, 5, 5, 5, 8}, {3, 5, 5, 5, 5, 5}};
    const int OwnRadius[4] = {4, 6, 5, 4};
    TProbes Far;
    Far.fill({-20000, -20000});
    TRocket Target(*TestEngine);
    TRocket First(*TestEngine);
    for (int Kind = 1; Kind <= 4; ++Kind) {
        const int Shape = Kind == 4 ? 0 : Kind - 1;
        ASSERT_EQ(TCollisions::CircleCount(Kind), static_cast<int>(Front[Shape].size()));
        for (int Circle = 0; Circle < TCollisions::CircleCount(Kind); ++Circle) {
            SCOPED_TRACE("kind " + std::to_string(Kind) + " circle " + std::to_string(Circle));
            TProbes FrontProbe = Far, RearProbe = Far;
            FrontProbe[Circle % 4] = {0, 0};
            RearProbe[4 + Circle % 2] = {0, 0};
            TBeamPoints Beam;
            Beam.fill({-20000, -20000});
            Beam[Circle % 5] = {0, 0};
            const std::pair<std::function<bool(const TRocket&)>, int> Attacks[] = {
                {[&](const TRocket& R) { return TCollisions::RamHits(FrontProbe, R); }, Front[Shape][Circle]},
                {[&](const TRocket& R) { return TCollisions::RamHits(RearProbe, R); }, Rear[Shape][Circle]},
                {[&](const TRocket& R) { return TCollisions::PhazerHitsRocket(Beam, R); },
                 24 + Phazer[Shape][Circle]},
                {[](const TRocket& R) {
                     return TCollisions::BulletHitsRocket({0, 0}, R);
                 },
                 Bullet[Shape][Circle]},
                {[](const TRocket& R) { return TCollisions::MineHitsRocket(0, 0, R); }, Mine[Shape][Circle]},
                {[](const TRocket& R) { return TCollisions::PieceHitsRocket(0, 0, 16, R); },
                 16 + Radius[Shape][Circle]},
                {[](const TRocket& R) { return TCollisions::LongBombHitsRocket(0, 0, 25, R); }, 25 + 3}};
            for (const auto& [Hits, Threshold] : Attacks) {
                EXPECT_TRUE(Hits(Lone(Target, Kind, Circle, Threshold, 0))) << Threshold;
                EXPECT_FALSE(Hits(Lone(Target, Kind, Circle, Threshold + 0.5, 0))) << Threshold;
            }
            // Another rocket's nose: nose to nose may just touch, a body circle must overlap.
            for (int FirstKind = 1; FirstKind <= 4; ++FirstKind) {
                const int Reach = OwnRadius[FirstKind - 1] + Margin[Shape][Circle];
                const double Touch = Circle == 0 ? Reach : Reach - 0.5;
                Lone(First, FirstKind, 0, 0, 0);
                EXPECT_TRUE(TCollisions::RocketHitsRocket(First, Lone(Target, Kind, Circle, Touch, 0)))
                    << FirstKind;
                EXPECT_FALSE(TCollisions::RocketHitsRocket(First, Lone(Target, Kind, Circle, Touch + 0.5, 0)))
                    << FirstKind;
            }
        }
        // The EMP wave and the full shield reach only for the nose.
        const int NoseMargin = Kind == 2 ? 5 : 3;
        EXPECT_TRUE(TCollisions::EmpHitsRocket(0, 0, 100, Lone(Target, Kind, 0, 100 + NoseMargin, 0)));
        EXPECT_FALSE(TCollisions::EmpHitsRocket(0, 0, 100, Lone(Target, Kind, 0, 100.5 + NoseMargin, 0)));
        EXPECT_FALSE(TCollisions::EmpHitsRocket(0, 0, 100, Lone(Target, Kind, 1, 50, 0)));
        EXPECT_TRUE(TCollisions::ShieldHitsRocket(0, 0, 360, 3, Lone(Target, Kind, 0, 100 + NoseMargin, 0)));
        EXPECT_FALSE(
            TCollisions::ShieldHitsRocket(0, 0, 360, 3, Lone(Target, Kind, 0, 100.5 + NoseMargin, 0)));
        EXPECT_FALSE(TCollisions::ShieldHitsRocket(0, 0, 360, 3, Lone(Target, Kind, 1, 50, 0)));
    }
}

// Below level 3 the shield leaves gaps ahead of and behind the ship: the nose (or a piece) must be
// within reach of the ship's centre and at least the gap from the front and back points, which lie
// 100 (level 1) or 80 (level 2) px along the axis.
TEST_F(TCollisionsTest, HyperShieldFlanksReachAndGapsByLevelAndKind) {
    struct TLevel {
        int Level, Length, Reach[4], Gap[4], PieceGap;
    };
    const TLevel Levels[] = {{1, 100, {103, 105, 103, 103}, {103, 105, 105, 103}, 100},
                             {2, 80, {103, 105, 103, 103}, {53, 55, 55, 53}, 50}};
    const double Cos60 = 0.5, Sin60 = std::sqrt(3.0) / 2;
    TRocket Target(*TestEngine);
    for (const TLevel& L : Levels)
        for (int Kind = 1; Kind <= 4; ++Kind) {
            SCOPED_TRACE("level " + std::to_string(L.Level) + " kind " + std::to_string(Kind));
            const auto Shields = [&](double X, double Y) {
                return TCollisions::ShieldHitsRocket(0, 0, 360, L.Level, Lone(Target, Kind, 0, X, Y));
            };
            const int R = L.Reach[Kind - 1];
            EXPECT_TRUE(Shields(0, R));
            EXPECT_FALSE(Shields(0, R + 0.5));
            // Just clear of the front point (L, 0), then just inside its gap; the same behind.
            for (const double Side : {1.0, -1.0})
                for (const auto& [Gap, Clear] :
                     {std::pair{L.Gap[Kind - 1] + 0.25, true}, {L.Gap[Kind - 1] - 0.25, false}})
                    EXPECT_EQ(Shields(Side * (L.Length - Gap * Cos60), Gap * Sin60), Clear)
                        << Side << " " << Gap;
        }
    for (const TLevel& L : Levels)
        for (const double Side : {1.0, -1.0})
            for (const auto& [Gap, Clear] : {std::pair{L.PieceGap + 0.25, true}, {L.PieceGap - 0.25, false}})
                EXPECT_EQ(TCollisions::ShieldHitsPiece(0, 0, 360, L.Level, Side * (L.Length - Gap * Cos60),
                                                       Gap * Sin60, 16),
                          Clear)
                    << L.Level << " " << Side << " " << Gap;
}

TEST_F(TCollisionsTest, ThePhazerBeamIsItsTipAndTwoPairsBesideTheAxisInWholePixels) {
    using TBeam = std::array<std::array<int, 2>, 5>;
    // The side points are put in whole pixels beside the ship before they are carried ahead: at 30
    // degrees that makes (607, 344) of what would otherwise be (607, 345).
    EXPECT_EQ(TCollisions::PhazerBeam(500.7, 300.6, 30),
              (TBeam{{{569, 340}, {607, 344}, {592, 370}, {618, 345}, {598, 379}}}));
    EXPECT_EQ(TCollisions::PhazerBeam(512.5, 384.5, 180),
              (TBeam{{{432, 384}, {397, 399}, {397, 369}, {387, 404}, {387, 364}}}));
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
