#include "TWaveNeed.h"

#include "app/Globals.h"

namespace {

// The wave's own fight is over; no rocket re-enters and the wave waits for those still in play.
constexpr int WaitingForStragglers = 1;

} // namespace

bool TWaveNeed::KillsWanted() {
    if (Game.WaveState == WaitingForStragglers)
        return true;
    if (Game.WaveState != 0)
        return false;
    if (Game.Mode != "C")
        return true;
    const auto& Waves = Game.Campaign.Waves;
    return Game.Wave >= 0 && Game.Wave < static_cast<int>(Waves.size()) &&
           Waves[Game.Wave].Kind == wkKillTarget;
}
