#include "missions/TEndlessProgress.h"

#include "engine/TEngine.h"
#include "missions/TCampaignProgress.h"
#include "runtime/TClock.h"
#include "text/TText.h"
#include "world/TGame.h"
#include "world/TShip.h"

#include <algorithm>

namespace {

constexpr int StagePauseMs = 2000;
constexpr int StrongestKind = 4;

void DrawStage() {
    if (Engine != nullptr)
        Engine->DrawText(GameText.stage + " " + std::to_string(Game.Wave + 2), 512, 384, 1, 1, 0xFF32FBFFu,
                         3);
}

} // namespace

int TEndlessProgress::KillTarget(int FinishedWaves) {
    return FinishedWaves + 15;
}

void TEndlessProgress::StartEndlessWave() {
    Game.WaveKills = 0;
    ++Game.EndlessWaveCounter;
    for (TRespawnPoint& Point : Game.RespawnPoints)
        Point.Busy = false;
    // Every third wave one more rocket of the stronger kind; every tenth both kinds grow stronger.
    const int Counter = Game.EndlessWaveCounter;
    if (Counter > 0 && Counter % 3 == 0) {
        ++Game.EndlessTypeBCount;
    } else if (Counter >= 10) {
        Game.EndlessTypeA = std::min(Game.EndlessTypeA + 1, StrongestKind);
        Game.EndlessTypeB = std::min(Game.EndlessTypeB + 1, StrongestKind);
        Game.EndlessWaveCounter = 0;
    }
    TCampaignProgress::CreateWaveRockets(Game.Wave + 6, Game.EndlessTypeA, Game.EndlessTypeB,
                                         Game.EndlessTypeBCount);
}

void TEndlessProgress::ProgressTTDLevel() {
    // The clock stops with the ship, also while the game-over dialog is open.
    if (Game.Ship != nullptr && !Game.Ship->Destroyed)
        Game.SurvivalTime = static_cast<int>(SinceTick(Game.EndlessTimeBase));
    switch (Game.WaveState) {
    case 0:
        TCampaignProgress::ReEntryStep();
        if (Game.WaveKills >= KillTarget(Game.Wave))
            Game.WaveState = 1;
        break;
    case 1:
        if (TCampaignProgress::AllRocketsGone()) {
            Game.WaveStamp = Now();
            Game.WaveState = 2;
        }
        break;
    case 2:
        DrawStage();
        if (SinceTick(Game.WaveStamp) > StagePauseMs) {
            ++Game.Wave;
            Game.WaveState = 0;
            Game.TotalKills += Game.WaveKills;
            StartEndlessWave();
        }
        break;
    default:
        break;
    }
}
