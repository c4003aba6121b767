#include "TShipFixture.h"

#include "world/TAsteroid.h"
#include "world/TCollisions.h"
#include "world/TRocket.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>
#include <tuple>

namespace {

using W = TShip::TWeapon;

// The ship armed as a mission starts it, heading right from the centre, with rockets placed by hand.
class TShipWeaponsTest : public TShipFixture {
  protected:
    void SetUp() override {
        TShipFixture::SetUp();
        Launch();
        Ship->Angle = 360;
        Ship->Speed = 0.0; // the ship holds still
        Ship->SpeedLevel = 1.0;
        Ship->Owned.fill(true);
        Ship->Charged.fill(true);
        Ship->MinesLeft = 2;
        Ship->ArmMines();
        Ship->SelectedWeapon = W::wpSniper;
        Ship->NextWeapon();
    }
    void TearDown() override {
        Game.Rockets.clear();
        Game.Asteroids.reset();
        TShipFixture::TearDown();
    }

    // A rocket heading Angle whose nose, circle 0, sits exactly at (NoseX, NoseY).
    TRocket& AddRocketWithNoseAt(double NoseX, double NoseY, int Angle) {
        TRocket& Rocket = AddRocket(NoseX, NoseY);
        Rocket.Angle = Angle;
        Rocket.UpdateCircles();
        Rocket.X += NoseX - Rocket.Circles[0].X;
        Rocket.Y += NoseY - Rocket.Circles[0].Y;
        Rocket.UpdateCircles();
        return Rocket;
    }
    TRocket& AddRocket(double X, double Y, int Kind = 1) {
        Game.Rockets.push_back(std::make_unique<TRocket>(*Engine));
        TRocket& Rocket = *Game.Rockets.back();
        Rocket.Index = static_cast<int>(Game.Rockets.size()) - 1;
        Rocket.Kind = Kind;
        Rocket.X = X;
        Rocket.Y = Y;
        Rocket.Angle = 180; // nose toward the ship
        Rocket.UpdateCircles();
        return Rocket;
    }
    // Down for one frame, up for the next.
    void Press(int Key) {
        Hold(Key);
        Frames(1);
        Release(Key);
        Frames(1);
    }
    void Fire() { Press(FireKey); }
    void Select(int Weapon) {
        while (Ship->SelectedWeapon != Weapon)
            Ship->NextWeapon();
    }
};

TEST_F(TShipWeaponsTest, SelectionCyclesThroughChargedWeaponsAndLightsTheirGlow) {
    EXPECT_EQ(Ship->SelectedWeapon, W::wpEmp);
    EXPECT_TRUE(Explosion->EmpIcon.Running());
    Ship->Charged[W::wpPhazer] = false;
    Ship->Owned[W::wpLongBomb] = false; // not owned: its charge does not count
    Press(WeaponUpKey);
    EXPECT_EQ(Ship->SelectedWeapon, W::wpHyperShield);
    EXPECT_FALSE(Ship->Charged[W::wpLongBomb]);
    EXPECT_TRUE(Explosion->ShieldIcon.Running() && !Explosion->EmpIcon.Running());
    Press(WeaponUpKey);
    EXPECT_EQ(Ship->SelectedWeapon, W::wpSniper);
    EXPECT_FALSE(Explosion->ShieldIcon.Running());
    Press(WeaponUpKey);
    EXPECT_EQ(Ship->SelectedWeapon, W::wpEmp);
    Press(WeaponDownKey);
    EXPECT_EQ(Ship->SelectedWeapon, W::wpSniper);
    Ship->Charged = {};
    Ship->NextWeapon();
    EXPECT_EQ(Ship->SelectedWeapon, W::wpNone);
    Ship->Charged[W::wpPhazer] = true; // a crate recharged it
    Ship->PreviousWeapon();
    EXPECT_EQ(Ship->SelectedWeapon, W::wpPhazer);
    EXPECT_EQ(Ship->GetWeaponInfo().Name, GameText.wpnPhazer);
}

TEST_F(TShipWeaponsTest, TheSniperGunFiresFiveReloadingBetweenAndThenDischarges) {
    Ship->Charged = {false, false, false, false, false, true};
    Ship->NextWeapon();
    ASSERT_EQ(Ship->SelectedWeapon, W::wpSniper);
    Press(WeaponUpKey);
    Press(WeaponDownKey);
    EXPECT_EQ(Ship->SelectedWeapon, W::wpSniper);
    Fire();
    ASSERT_TRUE(Ship->Bullets[1].Active);
    EXPECT_NEAR(Ship->Bullets[1].X, 512 + 40 + 2 * 2, 1e-9); // laid 40 ahead, then 2 px a frame
    EXPECT_EQ(Ship->SniperAmmo, 4);
    for (int Shot = 2; Shot <= 5; ++Shot) {
        Fire(); // a press first ends the reload, at the earliest 1500 ms after the last one ended
        Frames(160);
        Fire();
        Frames(1);
        EXPECT_EQ(Ship->SniperAmmo, 5 - Shot) << Shot;
    }
    Frames(200);
    Fire();
    EXPECT_FALSE(Ship->Charged[W::wpSniper]);
    EXPECT_EQ(Ship->SelectedWeapon, W::wpNone);
    EXPECT_EQ(Ship->GetWeaponInfo().Name, "N/A");
}

TEST_F(TShipWeaponsTest, BulletsFlyTwoPixelsAFrameKillOneRocketAndLeaveAtTheEdge) {
    Select(W::wpSniper);
    TRocket& Near = AddRocket(600, 384);
    TRocket& Behind = AddRocket(640, 384);
    Fire();
    for (int Frame = 0; Frame < 40 && Ship->Bullets[1].Active; ++Frame)
        Frames(1);
    EXPECT_FALSE(Ship->Bullets[1].Active);
    EXPECT_TRUE(Near.Destroyed);
    EXPECT_FALSE(Behind.Destroyed); // one kill per bullet
    EXPECT_EQ(Game.Score, 50);
    TBullet& Bullet = Ship->Bullets[2];
    // One frame's 2 px from each start: x 1033.9 flies on, 1034 is off the field; likewise -10 and
    // -10.1, y 777.9 and 778, y -10 and -10.1.
    const std::tuple<double, double, double, bool> Edges[] = {
        {1031.9, 100, 0, true}, {1032, 100, 0, false}, {-8, 100, 180, true}, {-8.1, 100, 180, false},
        {100, 775.9, 90, true}, {100, 776, 90, false}, {100, -8, 270, true}, {100, -8.1, 270, false}};
    for (const auto& [X, Y, Angle, Stays] : Edges) {
        Bullet = {true, X, Y, Angle};
        Frames(1);
        EXPECT_EQ(Bullet.Active, Stays) << Bullet.X << ", " << Bullet.Y;
    }
    Game.Paused = true;
    Bullet = {true, 100, 100, 0};
    Frames(5);
    EXPECT_EQ(Bullet.X, 100);
}

TEST_F(TShipWeaponsTest, TheEmpWaveGrowsKillsWithinReachAndEndsAfterItsTime) {
    TRocket& Inside = AddRocketWithNoseAt(512 + 100 + 3, 384, 180);
    TRocket& Outside = AddRocketWithNoseAt(512 - 100 - 4, 384, 360);
    Fire(); // fired, then in the next frame the wave goes out
    EXPECT_TRUE(Ship->EmpActive && Ship->WeaponBusy);
    EXPECT_EQ(Ship->SelectedWeapon, W::wpPhazer); // the selection moves on at once
    EXPECT_FALSE(Ship->Charged[W::wpEmp]);
    EXPECT_TRUE(Explosion->Emp.Running());
    const uint32_t WentOut = Ship->FireTime;
    Frames(1);
    EXPECT_TRUE(Inside.Destroyed);
    EXPECT_FALSE(Outside.Destroyed);
    Fire(); // busy: nothing else fires
    EXPECT_FALSE(Ship->PhazerActive);
    EXPECT_EQ(TShip::EmpRadius(499), 100);
    EXPECT_EQ(TShip::EmpRadius(1299), 150);
    EXPECT_EQ(TShip::EmpRadius(1300), 180);
    while (Ship->EmpPhase != 2 && SinceTick(WentOut) < 5000)
        Frames(1);
    EXPECT_EQ(SinceTick(WentOut), 2310); // the first frame more than 2300 ms after the wave went out
    EXPECT_TRUE(Ship->EmpActive);
    Frames(1); // and one frame to end
    EXPECT_FALSE(Ship->EmpActive || Ship->WeaponBusy);
}

TEST_F(TShipWeaponsTest, ThePhazerBeamCutsAheadForFifteenSecondsAndThenGoesOut) {
    Select(W::wpPhazer);
    TRocket& Ahead = AddRocket(512 + 130, 384 + 10);
    TRocket& Aside = AddRocket(512, 384 + 150);
    Fire();
    Frames(2);
    EXPECT_TRUE(Ahead.Destroyed);
    EXPECT_FALSE(Aside.Destroyed);
    EXPECT_EQ(Ship->BeamPoints[0][0], 592);
    EXPECT_TRUE(Explosion->Phazer.Running());
    Game.Paused = true; // the timer runs on while paused
    Frames(1500);
    EXPECT_TRUE(Ship->PhazerActive);
    Game.Paused = false;
    Frames(1);
    EXPECT_FALSE(Ship->PhazerActive || Ship->WeaponBusy);
    EXPECT_FALSE(Explosion->Phazer.Running());
}

TEST_F(TShipWeaponsTest, TheLongBombFliesWhileFireIsHeldAndBlastsWhereItIs) {
    Select(W::wpLongBomb);
    Hold(FireKey);
    Frames(1);
    EXPECT_TRUE(Ship->LongBombActive);
    EXPECT_NEAR(Ship->LongBombX, 512 + 50, 1e-9);
    Frames(10); // 20 ms steps of 3 px at speed level 1
    EXPECT_NEAR(Ship->LongBombX, 512 + 50 + 3 * 5, 1e-9);
    TRocket& Target = AddRocket(Ship->LongBombX + 30 + 20, 384);
    Release(FireKey);
    Frames(1);
    ASSERT_TRUE(Ship->LongBombDetonated);
    EXPECT_TRUE(Explosion->LongBomb.Running());
    Frames(1);
    EXPECT_FALSE(Target.Destroyed); // 20 from the nose: the blast is still 25 + 3... wide
    Frames(40);
    EXPECT_TRUE(Target.Destroyed); // ... and grows
    EXPECT_EQ(TShip::LongBombRadius(899), 47);
    Frames(120);
    EXPECT_FALSE(Ship->LongBombActive || Ship->WeaponBusy);
}

// Fired over an edge, the bomb comes in at the opposite one, and blasts there.
TEST_F(TShipWeaponsTest, TheLongBombJumpsToTheOppositeEdgeAndBlastsThere) {
    const struct {
        double X, Y;
        int Angle;
        double BombX, BombY;
    } Edges[] = {{1000, 384, 360, 0, 384},
                 {20, 384, 180, 1024, 384},
                 {512, 750, 90, 512, 0},
                 {512, 10, 270, 512, 768}};
    for (const auto& Edge : Edges) {
        SCOPED_TRACE(Edge.Angle);
        Ship->X = Edge.X;
        Ship->Y = Edge.Y;
        Ship->Angle = Edge.Angle;
        Ship->Owned[W::wpLongBomb] = Ship->Charged[W::wpLongBomb] = true; // a charge for each edge
        Select(W::wpLongBomb);
        Hold(FireKey);
        Frames(1);
        ASSERT_TRUE(Ship->LongBombActive);
        EXPECT_NEAR(Ship->LongBombX, Edge.BombX, 1e-9);
        EXPECT_NEAR(Ship->LongBombY, Edge.BombY, 1e-9);
        TRocket& Target =
            AddRocket(std::clamp(Edge.BombX, 20.0, 1004.0), std::clamp(Edge.BombY, 20.0, 748.0));
        Release(FireKey);
        Frames(60);
        EXPECT_TRUE(Target.Destroyed);
        Frames(120);
        ASSERT_FALSE(Ship->LongBombActive);
    }
}

TEST_F(TShipWeaponsTest, TheHyperShieldCountsDownEvenWhilePausedAndFades) {
    Select(W::wpHyperShield);
    Hold(FireKey);
    Frames(1);
    EXPECT_TRUE(Ship->ShieldUp && Ship->WeaponBusy);
    Game.Paused = true;
    Frames(1);
    EXPECT_TRUE(Explosion->Shield1A.Running() && Explosion->Shield1B.Running());
    const uint32_t CameUp = Ship->FireTime;
    Frames(500);
    EXPECT_EQ(Ship->ShieldCountdown, 10);
    while (Ship->HyperShieldPhase != 2 && SinceTick(CameUp) < 20000)
        Frames(1);
    EXPECT_EQ(Now() - CameUp, 15010u); // the first frame more than 15000 ms after it came up
    EXPECT_TRUE(Ship->ShieldUp);
    Frames(1);
    EXPECT_FALSE(Ship->ShieldUp || Ship->HyperShieldActive || Ship->WeaponBusy);
    EXPECT_FALSE(Explosion->Shield1A.Running()); // the shimmer fades instead of hanging on
}

TEST_F(TShipWeaponsTest, AWeaponFiredAsTheShipIsDestroyedGoesOutWithIt) {
    for (const auto& [Weapon, Effect] : {std::pair{W::wpEmp, &Explosion->Emp},
                                         {W::wpPhazer, &Explosion->Phazer},
                                         {W::wpHyperShield, &Explosion->Shield1A}}) {
        SCOPED_TRACE(int(Weapon));
        Ship = std::make_unique<TShip>(*Engine);
        Ship->Owned.fill(true);
        Ship->Charged.fill(true);
        Select(Weapon);
        Ship->Energy = 0; // the hull gives out in the frame the weapon is fired
        Hold(FireKey);
        Frames(1);
        Release(FireKey);
        ASSERT_TRUE(Ship->Destroyed);
        EXPECT_FALSE(Ship->WeaponBusy || Ship->ShieldUp);
        for (int Step = 0; Step < 125; ++Step) // 2 s of particle steps
            Explosion->Update(16);
        EXPECT_FALSE(Effect->Running());
        EXPECT_EQ(Effect->Count(), 0);
    }
}

// Each weapon, the hyper shield and a mine break the large asteroid where their reach touches it, and
// spray its fragments around the direction of the blow (none for the shield and mines).
TEST_F(TShipWeaponsTest, WeaponsShieldAndMinesBreakTheAsteroidAtTheEdgeOfTheirReach) {
    Game.Asteroids = std::make_unique<TAsteroid>(*Engine);
    TAsteroid& Field = *Game.Asteroids;
    // The sweeps run once per living rocket: one far out of everything's way.
    AddRocket(60, 60);
    struct TCase {
        const char* Name;
        std::function<void()> Attack; // ends with the reach out and about to be tested
        double HitX, HitY, MissX, MissY;
        std::optional<double> Base;
    };
    const auto FireAndStep = [this](int Weapon) {
        Select(Weapon);
        Fire(); // fired, and the next frame goes out
    };
    // Ship at (512.5, 384.5) heading 180; the large asteroid's radius is 26.
    const TCase Cases[] = {
        {"EMP: 100 + 26 from the ship", [&] { FireAndStep(W::wpEmp); }, 386.5, 384.5, 386, 384.5, 180.0},
        {"phazer: 24 + 26 from its side point (387, 364)", [&] { FireAndStep(W::wpPhazer); }, 387, 314, 387,
         313, 180.0},
        {"long bomb: 25 + 26 from the bomb at (462.5, 384.5), along the heading it was fired on",
         [&] {
             Select(W::wpLongBomb);
             Fire(); // flies one frame and goes off where it was laid
             Ship->Angle = 90;
         },
         411.5, 384.5, 411, 384.5, 180.0},
        {"hyper shield: 100 + 26 all round at level 3", [&] { Select(W::wpHyperShield); }, 386.5, 384.5, 386,
         384.5, std::nullopt},
        {"mine: 16 + 26",
         [&] {
             Ship->Mines[0] = {true, 100, 600, 0, Now()};
         },
         142, 600, 142.5, 600, std::nullopt},
        {"bullet: its nose 9 px ahead, then 26",
         [&] {
             Ship->Bullets[1] = {true, 100, 600, 0};
         },
         137, 600, 137.5, 600, 0.0}};
    for (const bool Reached : {true, false})
        for (const TCase& Case : Cases) {
            SCOPED_TRACE(std::string(Case.Name) + (Reached ? " (hit)" : " (miss)"));
            Ship = std::make_unique<TShip>(*Engine);
            Ship->X = 512.5;
            Ship->Y = 384.5;
            Ship->Angle = 180;
            Ship->ShieldLevel = 3;
            Ship->Owned.fill(true);
            Ship->Charged.fill(true);
            Ship->MinesLeft = 1;
            Ship->ArmMines();
            Ship->CheckCollisions = [](TShip& Flying) {
                TCollisions::CheckRocketCollisions(Flying, Game.Rockets, Game.Messages);
            };
            Field.Reset();
            Field.Active = true;
            std::tie(Field.X, Field.Y) =
                Reached ? std::pair{Case.HitX, Case.HitY} : std::pair{Case.MissX, Case.MissY};
            Game.Score = 0;
            Keyboard.Update(); // the fire key of the case before is up
            Case.Attack();
            if (Field.State == 0) {
                Hold(FireKey); // the shield comes up as it is fired; the others are already out
                Frames(1);
                Release(FireKey);
            }
            ASSERT_EQ(Field.State, Reached ? 1 : 0);
            if (!Reached)
                continue;
            EXPECT_EQ(Game.Score, 70);
            const double F0 = Field.Fragments[0].Angle, F1 = Field.Fragments[1].Angle;
            const double F2 = Field.Fragments[2].Angle, F3 = Field.Fragments[3].Angle;
            if (Case.Base) {
                const double B = *Case.Base;
                EXPECT_TRUE(F0 - B >= 0 && F0 - B < 20 && B - F1 >= 0 && B - F1 < 20) << F0 << " " << F1;
                EXPECT_TRUE(F2 - B >= 20 && F2 - B < 70 && B - F3 >= 20 && B - F3 < 70) << F2 << " " << F3;
            } else {
                EXPECT_TRUE(F0 < 180 && F1 >= 180 && F2 >= 180 && F3 < 180)
                    << F0 << " " << F1 << " " << F2 << " " << F3;
            }
        }
}

TEST_F(TShipWeaponsTest, MinesAreLaidBehindBlowUpOnRocketsAndRunOut) {
    Press(PlantKey);
    ASSERT_TRUE(Ship->Mines[0].Active);
    EXPECT_NEAR(Ship->Mines[0].X, 512 - 60, 1e-9);
    EXPECT_EQ(Ship->MinesLeft, 1);
    Frames(20);
    EXPECT_TRUE(Ship->Mines[0].Active); // the ship flying on does not set it off
    TRocket& Rocket = AddRocket(512 - 60 + 20, 384);
    Frames(1);
    EXPECT_FALSE(Ship->Mines[0].Active);
    EXPECT_TRUE(Rocket.Destroyed);
    EXPECT_EQ(Explosion->MineEffects.Count(), 1);
    Ship->Mines[0].Active = true;
    Ship->Mines[1].Active = true;
    Press(PlantKey); // every record out: the mine is used up without being laid
    EXPECT_EQ(Ship->MinesLeft, 0);
    Press(PlantKey);
    EXPECT_EQ(Ship->MinesLeft, 0);
}

TEST_F(TShipWeaponsTest, AMineUnderTheHullHurtsTheShipAndAWreckRunsNoWeapons) {
    Ship->MinesLeft = 1;
    Ship->ArmMines();
    Ship->Mines[0] = {true, 512 + 20, 384, 0, 1000};
    Frames(1);
    EXPECT_FALSE(Ship->Mines[0].Active);
    EXPECT_EQ(Ship->Energy, 70);
    Ship->Energy = -1;
    Frames(1);
    ASSERT_TRUE(Ship->Destroyed);
    Ship->Mines[0] = {true, 512 + 20, 384, 0, 1000};
    Frames(5); // a wreck's mines are neither run nor tested
    EXPECT_TRUE(Ship->Mines[0].Active);
}

} // namespace
