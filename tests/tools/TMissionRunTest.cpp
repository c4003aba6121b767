#include "Autopilot/TMissionRun.h"

#include "THeadlessDevice.h"

#include "app/Globals.h"
#include "world/TShip.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// Where a flight ended: the ship's place and state and the mission's score.
struct TFlightEnd {
    double X = 0, Y = 0;
    int Angle = 0, Energy = 0, Score = 0, Kills = 0;

    static TFlightEnd Now() {
        TFlightEnd End;
        if (Game.Ship) {
            End.X = Game.Ship->X;
            End.Y = Game.Ship->Y;
            End.Angle = Game.Ship->Angle;
            End.Energy = Game.Ship->Energy;
        }
        End.Score = Game.Score;
        End.Kills = Game.TotalKills;
        return End;
    }
    bool operator==(const TFlightEnd&) const = default;
};

} // namespace

// A seed's flight must go the same after any other flight in the process: tuning compares missions
// flown one after another, and a campaign run must give the same table every time.
TEST(TMissionRunTest, AFlightGoesTheSameAfterAnother) {
    TTempDir Dir;
    Dir.CopyIn(ZERATHON_SOURCE_DIR "/data");
    TCommandLine Game;
    Game.DataDir = Dir.Dir();
    Game.Headless = true;
    Game.NoRaster = true;
    Game.StepMs = 10;
    // Ten seconds of play each: long enough for particles, crates and rockets to come into it.
    TMissionRun Runner(Game, 10000);
    const TMissionResult First = Runner.Play("level02", 1, TProfile());
    const TFlightEnd FirstEnd = TFlightEnd::Now();
    const TMissionResult Again = Runner.Play("level02", 1, TProfile());
    const TFlightEnd AgainEnd = TFlightEnd::Now();
    EXPECT_TRUE(FirstEnd == AgainEnd)
        << "ship at " << FirstEnd.X << "," << FirstEnd.Y << " then " << AgainEnd.X << "," << AgainEnd.Y;
    EXPECT_EQ(First.PlayMs, Again.PlayMs);
    EXPECT_EQ(First.Score, Again.Score);
    EXPECT_EQ(First.EnergyLeft, Again.EnergyLeft);
}
