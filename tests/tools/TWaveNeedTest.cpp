#include "Autopilot/TWaveNeed.h"

#include "app/Globals.h"

#include <gtest/gtest.h>

// A pilot that only dodges never ends a kill-target wave, nor any wave whose last rockets are still in
// play: the rule must ask for kills exactly there.
TEST(TWaveNeedTest, AsksForKillsWhereOnlyKillsEndTheWave) {
    struct TRow {
        const char* Mode;
        uint8_t Kind;
        int State;
        bool Kills;
    };
    const TRow Rows[] = {
        {"C", wkTimed, 0, false},        {"C", wkKillTarget, 0, true}, {"C", wkTimed, 1, true},
        {"C", wkKillTarget, 1, true},    {"C", wkTimed, 2, false},     {"C", wkKillTarget, 2, false},
        {"C", wkEndOfMission, 0, false}, {"T", wkTimed, 0, true},      {"T", wkTimed, 2, false},
    };
    for (const TRow& Row : Rows) {
        Game.Mode = Row.Mode;
        Game.Campaign.Waves.assign(1, TWave{});
        Game.Campaign.Waves[0].Kind = Row.Kind;
        Game.Wave = 0;
        Game.WaveState = Row.State;
        EXPECT_EQ(TWaveNeed::KillsWanted(), Row.Kills)
            << Row.Mode << " kind " << int(Row.Kind) << " state " << Row.State;
    }
    Game.Wave = 5;
    Game.WaveState = 0;
    Game.Mode = "C";
    EXPECT_FALSE(TWaveNeed::KillsWanted()) << "past the last wave";
    Game.Campaign.Waves.clear();
    Game.Wave = 0;
}
