#include "app/Globals.h"
#include "app/TmainFrm.h"

#include <gtest/gtest.h>

namespace {

TEST(THud, ClockTextAndGauges) {
    EXPECT_EQ(TmainFrm::GetFormatTime(0), "00:00:000");
    EXPECT_EQ(TmainFrm::GetFormatTime(59999), "00:59:999");
    EXPECT_EQ(TmainFrm::GetFormatTime(75250), "01:15:250");
    EXPECT_EQ(TmainFrm::GetFormatTime(3600000), "60:00:000");
    EXPECT_EQ(TmainFrm::GetFormatTime(6000000), "100:00:000"); // never cut
    for (const auto& [Energy, Segments] :
         {std::pair{100, 13}, {101, 0}, {97, 13}, {96, 12}, {8, 1}, {9, 2}, {25, 4}, {0, 0}, {-5, 0}})
        EXPECT_EQ(TmainFrm::EnergySegments(Energy), Segments) << Energy;
    for (const auto& [Boost, Segments] : {std::pair{92, 8}, {91, 7}, {79, 7}, {78, 6}, {1, 1}, {0, 0}})
        EXPECT_EQ(TmainFrm::BoostSegments(Boost), Segments) << Boost;
}

TEST(THud, WeaponStatusByOwnedAndCharged) {
    GameText.wpnPhazer = "Phazer";
    GameText.statusNA = "n/a";
    GameText.statusDisCharge = "empty";
    GameText.statusFullActive = "ready";
    Profile.Owned[1] = 1;
    EXPECT_EQ(TmainFrm::GetWeaponStatus(1).Text, "Phazer - empty");
    EXPECT_EQ(TmainFrm::GetWeaponStatus(1).Color, 0xFF64B1FFu);
    Profile.Charged[1] = 1;
    EXPECT_EQ(TmainFrm::GetWeaponStatus(1).Color, 0xFF00FF00u);
    EXPECT_EQ(TmainFrm::GetWeaponStatus(0).Color, 0xFF0000FFu);
    EXPECT_EQ(TmainFrm::GetWeaponStatus(4).Text, "");
    ResetGlobals();
}

} // namespace
