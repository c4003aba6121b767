#include "TShipFixture.h"

#include "particles/TMessage.h"
#include "world/TCrate.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <tuple>

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

TEST_F(TCrateTest, TheCountdownShowsWholeSecondsInYellowThenInRedFromFive) {
    Run(201);
    Crate->Alpha = 254;
    Run(1);
    ASSERT_EQ(Crate->State, TCrate::csCountingDown);
    const uint32_t Began = Crate->StateTime;
    constexpr uint32_t Yellow = 0x9632FBFFu, Red = 0x960000FFu;
    const std::tuple<uint32_t, int, uint32_t> Walk[] = {
        {0, 10, Yellow}, {999, 10, Yellow}, {1000, 9, Yellow}, {4999, 6, Yellow},
        {5000, 5, Red},  {9999, 1, Red},    {10000, 0, Red}};
    for (const auto& [Since, Seconds, Colour] : Walk) {
        FakeClock.SetTickCount(Began + Since);
        EXPECT_EQ(Crate->SecondsLeft(), Seconds) << Since;
        EXPECT_EQ(TCrate::CountdownColour(Crate->SecondsLeft()), Colour) << Since;
    }
}

TEST_F(TCrateTest, TheFrontProbesReach49TheRearOnes63AndTheTailOverTheCrateTakesNothing) {
    Crate->X = 400;
    Crate->Y = 300;
    std::array<std::array<int, 2>, 7> Far;
    Far.fill({-1000, -1000});
    for (int Probe = 0; Probe < 6; ++Probe) {
        const int Reach = Probe < 4 ? 49 : 63;
        for (const auto& [Distance, Picked] : {std::pair{Reach, true}, {Reach + 1, false}}) {
            Ship->HitPoints = Far;
            Ship->HitPoints[Probe] = {400, 300 - Distance};
            EXPECT_EQ(Crate->PickedUp(*Ship), Picked) << Probe << " at " << Distance;
        }
    }
    Ship->HitPoints = Far;
    Ship->HitPoints[0] = {400, 300};
    Ship->HitPoints[6] = {436, 300};
    EXPECT_FALSE(Crate->PickedUp(*Ship));
    Ship->HitPoints[6] = {437, 300};
    EXPECT_TRUE(Crate->PickedUp(*Ship));
}

// Each weapon reward charges the first weapon of its list that is owned and not charged, one per crate,
// and once none is left gives its points and energy instead.
TEST_F(TCrateTest, WeaponRewardsChargeDownTheirListsThenFallBack) {
    GameText.wpnEMP = "EMP";
    GameText.wpnPhazer = "Phazer";
    GameText.wpnHyperShield = "Shield";
    struct TReward {
        int K;
        std::array<int, 4> Order;
        int Points, Energy;
    };
    const TReward Rewards[] = {{0, {W::wpPhazer, W::wpLongBomb, W::wpHyperShield, W::wpEmp}, 200, 20},
                               {1, {W::wpPhazer, W::wpLongBomb, W::wpEmp, W::wpHyperShield}, 300, 20},
                               {5, {W::wpEmp, W::wpLongBomb, W::wpHyperShield, W::wpPhazer}, 150, 10},
                               {8, {W::wpPhazer, W::wpEmp, W::wpHyperShield, W::wpLongBomb}, 250, 15}};
    const std::map<int, std::string> Names = {
        {W::wpEmp, "EMP"}, {W::wpPhazer, "Phazer"}, {W::wpLongBomb, "Bomb"}, {W::wpHyperShield, "Shield"}};
    for (const TReward& Reward : Rewards) {
        SCOPED_TRACE(Reward.K);
        Ship->Owned.fill(true);
        Ship->Owned[Reward.Order[2]] = false; // not bought: passed over
        Ship->Charged.fill(false);
        Score = 0;
        for (const int Weapon : {Reward.Order[0], Reward.Order[1], Reward.Order[3]}) {
            Crate->GiveContents(Reward.K, *Ship, Messages, Score);
            EXPECT_TRUE(Ship->Charged[Weapon]) << Weapon;
            EXPECT_EQ(Messages.NoticeLine1, " +" + Names.at(Weapon));
        }
        EXPECT_FALSE(Ship->Charged[Reward.Order[2]]);
        EXPECT_EQ(Score, 0);
        Ship->Energy = 50;
        Crate->GiveContents(Reward.K, *Ship, Messages, Score);
        const std::string Health = "Health +" + std::to_string(Reward.Energy);
        const std::string Points = "Points +" + std::to_string(Reward.Points);
        EXPECT_EQ(Score, Reward.Points);
        EXPECT_EQ(Ship->Energy, 50 + Reward.Energy);
        EXPECT_EQ(Messages.NoticeLine1, Health);
        EXPECT_EQ(Messages.NoticeLine2, Points);
        EXPECT_EQ(Messages.Main.Text, Health + ", " + Points);
    }
}

TEST_F(TCrateTest, OtherRewardsHealArmTheSniperAddAMineOrScore) {
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
