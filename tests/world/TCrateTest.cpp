#include "TShipFixture.h"

#include "particles/TMessage.h"
#include "world/TCrate.h"

#include <gtest/gtest.h>

namespace {

using W = TShip::TWeapon;

// A crate cycle over the fixture's ship, with the frames of play run by hand.
class TCrateTest : public TShipFixture {
  protected:
    void SetUp() override {
        TShipFixture::SetUp();
        Launch();
        Ship->X = 100; // far from any crate place
        Ship->Y = 100;
        Ship->UpdateHitPoints();
        GameText.gi_health = "Health";
        GameText.gi_points = "Points";
        GameText.wpnLongBomb = "Bomb";
        Crate = std::make_unique<TCrate>(10000, 2000, 3000, 3, *Engine);
    }
    void TearDown() override {
        Crate.reset();
        TShipFixture::TearDown();
    }
    void Run(int Count, uint32_t Milliseconds = 10) {
        for (int Frame = 0; Frame < Count; ++Frame) {
            FakeClock.Advance(Milliseconds);
            Crate->Run(*Ship, Messages, Score);
        }
    }

    std::unique_ptr<TCrate> Crate;
    TMessage Messages;
    int Score = 0;
};

TEST_F(TCrateTest, ACrateWaitsFadesInCountsDownAndBlowsUpInsideItsArea) {
    Run(200); // 2000 ms: not more than the first delay yet
    EXPECT_EQ(Crate->State, TCrate::csWaiting);
    Run(1);
    ASSERT_EQ(Crate->State, TCrate::csFadingIn);
    EXPECT_TRUE(Crate->X >= 150 && Crate->X <= 873 && Crate->Y >= 150 && Crate->Y <= 617);
    Run(254); // one alpha step per frame at most
    EXPECT_EQ(Crate->Alpha, 254);
    Run(1);
    ASSERT_EQ(Crate->State, TCrate::csCountingDown);
    Run(1000);
    EXPECT_EQ(Crate->State, TCrate::csCountingDown);
    Run(1); // more than 10000 ms
    EXPECT_EQ(Crate->State, TCrate::csExploding);
    Run(1);
    EXPECT_EQ(Crate->State, TCrate::csWaiting);
    EXPECT_TRUE(Explosion->Explode1.Running());
    EXPECT_TRUE(Crate->WaitDelay >= 2000 && Crate->WaitDelay < 3000);
}

TEST_F(TCrateTest, FlyingOverTheCrateCollectsItWhileFadingInOnlyOnce) {
    Run(201);
    ASSERT_EQ(Crate->State, TCrate::csFadingIn);
    Ship->X = Crate->X - 20; // the nose probes over it
    Ship->Y = Crate->Y;
    Ship->Angle = 360;
    Ship->UpdateHitPoints();
    EXPECT_TRUE(Crate->PickedUp(*Ship));
    Crate->Alpha = 254; // would start the countdown in this very frame
    Run(1);
    EXPECT_EQ(Crate->State, TCrate::csCollected);
    Run(1);
    EXPECT_EQ(Crate->State, TCrate::csWaiting);
    Ship->X = Crate->X + 64; // only the tail over it
    Ship->UpdateHitPoints();
    EXPECT_FALSE(Crate->PickedUp(*Ship));
}

TEST_F(TCrateTest, RewardsChargeTheFirstFreeWeaponOrFallBackAndCapEnergy) {
    Ship->Owned[W::wpPhazer] = Ship->Charged[W::wpPhazer] = true;
    Ship->Owned[W::wpLongBomb] = true;
    Crate->GiveContents(0, *Ship, Messages, Score);
    EXPECT_TRUE(Ship->Charged[W::wpLongBomb]);
    EXPECT_EQ(Messages.NoticeLine1, " +Bomb");
    EXPECT_EQ(Score, 0);
    Ship->Energy = 50;
    Crate->GiveContents(1, *Ship, Messages, Score); // nothing left to charge
    EXPECT_EQ(Score, 300);
    EXPECT_EQ(Ship->Energy, 70);
    EXPECT_EQ(Messages.NoticeLine2, "Points +300");
    EXPECT_EQ(Messages.Main.Text, "Health +20, Points +300");
    Ship->Energy = 95;
    Crate->GiveContents(7, *Ship, Messages, Score);
    EXPECT_EQ(Ship->Energy, 100);
    Ship->Owned[W::wpSniper] = true; // as every mission starts it
    const int Ammo = Ship->SniperAmmo;
    Crate->GiveContents(3, *Ship, Messages, Score);
    EXPECT_EQ(Ship->SniperAmmo, Ammo + 3);
    EXPECT_TRUE(Ship->Charged[W::wpSniper]);
    Ship->MinesLeft = 0;
    Ship->ArmMines();
    Crate->GiveContents(6, *Ship, Messages, Score);
    EXPECT_EQ(Ship->MinesLeft, 1);
    EXPECT_EQ(Ship->Mines.size(), 1u);
    Score = 0;
    Crate->GiveContents(9, *Ship, Messages, Score);
    EXPECT_TRUE(Score >= 40 && Score <= 400 && Score % 40 == 0);
}

} // namespace
