#include "Autopilot/TCarry.h"

#include <gtest/gtest.h>

namespace {

TMissionResult Flight(bool Won, int Earned, int Mines, const TProfile& Start) {
    TMissionResult Run;
    Run.Won = Won;
    Run.CreditsEarned = Earned;
    Run.After = Start;
    Run.After.Credits += Earned;
    Run.After.Mines = Mines;
    Run.After.MissionDone[4] = Won;
    return Run;
}

} // namespace

// One lucky seed must not move the campaign: the first win's ship goes on with the credits of a player
// who retries until a win, everything earned over the wins, rounded.
TEST(TCarryTest, CarriesTheFirstWinWithTheCreditsEarnedPerWin) {
    TProfile Start;
    Start.Credits = 100;
    const std::vector<TMissionResult> Runs = {Flight(false, 200, 1, Start), Flight(true, 1000, 7, Start),
                                              Flight(true, 1501, 2, Start)};
    const TProfile After = TCarry::After(Start, Runs, 4);
    EXPECT_EQ(After.Credits, 100 + 1351); // (200 + 1000 + 1501) / 2 = 1350.5
    EXPECT_EQ(After.Mines, 7);
    EXPECT_EQ(After.MissionDone[4], 1);
}

TEST(TCarryTest, NeverWonGoesOnWithEveryFlightsCredits) {
    TProfile Start;
    Start.Mines = 3;
    const TProfile After =
        TCarry::After(Start, {Flight(false, 200, 0, Start), Flight(false, 90, 0, Start)}, 4);
    EXPECT_EQ(After.Credits, Start.Credits + 290);
    EXPECT_EQ(After.Mines, 3);
    EXPECT_EQ(After.MissionDone[4], 1);
}
