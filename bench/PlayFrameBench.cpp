// One frame of play with a full wave of 100 rockets in flight, through the real frame loop, headless.
#include "app/Globals.h"
#include "app/TmainFrm.h"
#include "missions/TLevelFile.h"
#include "missions/TLoading.h"
#include "runtime/TZlibStream.h"
#include "world/TRocket.h"
#include "world/TShip.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>

namespace {

// A copy of the staged game data with one mission of 100 rockets of mixed kinds.
std::string MakeGameFolder() {
    const std::filesystem::path Folder = std::filesystem::temp_directory_path() / "zerathon-bench";
    std::filesystem::remove_all(Folder);
    std::filesystem::copy(ZERATHON_GAME_DIR, Folder, std::filesystem::copy_options::recursive);
    std::filesystem::remove(Folder / "Settings.ini");
    TCampaignLevel Campaign;
    Campaign.Name = "level01";
    TWave Wave;
    Wave.RocketCount = 100;
    Wave.Kind = wkTimed;
    Wave.Goal = 10000000;
    Wave.TypeA = 1;
    Wave.TypeB = 3;
    Wave.TypeBCount = 40;
    Campaign.Waves = {Wave, TWave{0, 0, wkEndOfMission, 0, 0, 1, 1, 0}};
    Campaign.CrateLifetime = 10000;
    Campaign.CrateIntervalMin = 5000;
    Campaign.CrateIntervalMax = 9000;
    const std::vector<uint8_t> Bytes = TLevelFile::Write("C", Campaign, TEndlessLevel());
    TZlibStream::WriteFile((Folder / "Levels/level01.lvl").string(), Bytes.data(), Bytes.size(), 9);
    return Folder.string();
}

void PlayFrameWith100Rockets(benchmark::State& State) {
    TCommandLine Options;
    Options.DataDir = MakeGameFolder();
    Options.Headless = true;
    Options.StepMs = 10;
    Options.HasSeed = true;
    Options.Level = "level01";
    auto Frame = std::make_unique<TmainFrm>(Options);
    Frame->FormCreate();
    Frame->RunOnce();
    Frame->RunOnce();
    Game.Phase = 2;
    Game.Paused = false;
    GameState = gsPlaying;
    // Every rocket in flight around the ship.
    for (size_t I = 0; I < Game.Rockets.size(); ++I) {
        TRocket& Rocket = *Game.Rockets[I];
        Rocket.Destroyed = false;
        Rocket.Gone = false;
        Rocket.X = 512 + 420 * std::cos(I * 0.0628);
        Rocket.Y = 384 + 330 * std::sin(I * 0.0628);
    }
    Game.Ship->Energy = 1000000;
    for (auto _ : State)
        Frame->RunOnce();
    int Alive = 0;
    for (const auto& Rocket : Game.Rockets)
        Alive += !Rocket->Destroyed;
    State.counters["rockets_alive_at_end"] = Alive;
    Frame.reset();
    ResetGlobals();
}

BENCHMARK(PlayFrameWith100Rockets)->Unit(benchmark::kMicrosecond)->Iterations(300);

} // namespace

BENCHMARK_MAIN();
