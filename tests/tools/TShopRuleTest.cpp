#include "Autopilot/TShopRule.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct TCase {
    const char* What;
    std::function<void(TProfile&)> Set;
    const char* Expected; // the button pressed; empty for none
};

void OwnAll(TProfile& Player) {
    Player.Owned = {1, 1, 1, 1};
    Player.Charged = {1, 1, 1, 1};
}

} // namespace

// The cheapest useful item the credits exceed, walked through a campaign's typical profiles.
TEST(TShopRuleTest, BuysTheCheapestUsefulItemItCanAfford) {
    const TCase Cases[] = {
        {"a new profile", [](TProfile&) {}, ""},
        {"exactly the long bomb's price", [](TProfile& P) { P.Credits = 3000; }, ""},
        {"one credit more", [](TProfile& P) { P.Credits = 3001; }, "msNEWGAME_C_Buy3"},
        {"an empty long bomb",
         [](TProfile& P) {
             P.Owned[2] = 1;
             P.Credits = 200;
         },
         "msNEWGAME_C_Bul3"},
        {"the first upgrade is the shield",
         [](TProfile& P) {
             P.Owned[2] = P.Charged[2] = 1;
             P.Credits = 8500;
         },
         "msNEWGAME_C_UpgShield"},
        {"then speed, cheaper than the phazer",
         [](TProfile& P) {
             P.Owned[2] = P.Charged[2] = 1;
             P.ShieldLevel = 2;
             P.Credits = 8500;
         },
         "msNEWGAME_C_UpgSpeed"},
        {"level 3 only after every level 2",
         [](TProfile& P) {
             OwnAll(P);
             P.ShieldLevel = P.SpeedLevel = 2;
             P.Credits = 20000;
         },
         "msNEWGAME_C_UpgSteer"},
        {"the shield to level 3 first",
         [](TProfile& P) {
             OwnAll(P);
             P.ShieldLevel = P.SpeedLevel = P.SteerLevel = 2;
             P.Credits = 10001;
         },
         "msNEWGAME_C_UpgShield"},
        {"sold out",
         [](TProfile& P) {
             OwnAll(P);
             P.ShieldLevel = P.SpeedLevel = P.SteerLevel = 3;
             P.Credits = 100000;
         },
         ""},
    };
    for (const TCase& Case : Cases) {
        TProfile Player;
        Case.Set(Player);
        const auto Item = TShopRule::Next(Player);
        EXPECT_EQ(Item ? Item->Action : "", Case.Expected) << Case.What;
    }
}

TEST(TShopRuleTest, SoldOutOnlyWithEveryWeaponAndUpgrade) {
    TProfile Player;
    OwnAll(Player);
    Player.ShieldLevel = Player.SpeedLevel = Player.SteerLevel = 3;
    EXPECT_TRUE(TShopRule::SoldOut(Player));
    Player.SteerLevel = 2;
    EXPECT_FALSE(TShopRule::SoldOut(Player));
}
