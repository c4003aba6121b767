// One frame of play with a full wave of 100 rockets in flight, through the real frame loop, headless.
#include "app/Globals.h"
#include "app/TmainFrm.h"
#include "engine/TEngine.h"
#include "missions/TLevelFile.h"
#include "missions/TLoading.h"
#include "render/TVelaCanvas.h"
#include "render/TVelaDevice.h"
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

// Every rocket in flight, spread over the field on a 10 x 10 grid and heading for the ship.
void PlaceRockets() {
    for (size_t I = 0; I < Game.Rockets.size(); ++I) {
        TRocket& Rocket = *Game.Rockets[I];
        Rocket.Destroyed = false;
        Rocket.Gone = false;
        Rocket.X = 51 + 102 * (I % 10);
        Rocket.Y = 38 + 77 * (I / 10 % 10);
        Rocket.Angle = Rocket.TargetAngle =
            TRocket::AimAngle(Game.Ship->X - Rocket.X, Game.Ship->Y - Rocket.Y, Rocket.Angle);
    }
}

// One play frame through the real frame loop, the wave put back on its ring every PlaceEvery frames
// (untimed). Rasterise false leaves out the pixel work, which a graphics card does, and measures what
// the game itself costs; true adds SDL's software renderer.
void PlayFrame(benchmark::State& State, bool Rasterise, int PlaceEvery, bool Spans = true) {
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
    Engine->Device.Rasterise = Rasterise;
    Engine->Canvas.SpanRendering = Spans;
    Game.Phase = 2;
    Game.Paused = false;
    GameState = gsPlaying;
    Game.Ship->Energy = 1000000;
    int64_t AliveTotal = 0;
    int64_t ParticleTotal = 0;
    int Frames = 0;
    for (auto _ : State) {
        if (Frames++ % PlaceEvery == 0) {
            State.PauseTiming();
            PlaceRockets();
            State.ResumeTiming();
        }
        Frame->RunOnce();
        State.PauseTiming();
        for (const auto& Rocket : Game.Rockets) {
            AliveTotal += !Rocket->Destroyed;
            ParticleTotal += Rocket->FlameEmitter.Count() + Rocket->ExplosionEmitter.Count();
        }
        State.ResumeTiming();
    }
    State.counters["rockets_alive_avg"] = static_cast<double>(AliveTotal) / Frames;
    State.counters["rocket_particles_avg"] = static_cast<double>(ParticleTotal) / Frames;
    // The counters restart with every frame: these are the last frame's.
    State.counters["draw_calls"] = Engine->Canvas.DrawCalls();
    Frame.reset();
    ResetGlobals();
}

// The wave in flight: all 100 rockets alive with their flames burning.
void PlayFrameWith100Rockets(benchmark::State& State) {
    PlayFrame(State, false, 1);
}

void PlayFrameWith100RocketsSoftwareRenderer(benchmark::State& State) {
    PlayFrame(State, true, 1);
}

void PlayFrameWith100RocketsSoftwareBaseline(benchmark::State& State) {
    PlayFrame(State, true, 1, false);
}

// The wave closing in: the rockets destroy each other and the ship in dozens of explosions at once.
void PlayFrameRocketSwarm(benchmark::State& State) {
    PlayFrame(State, false, 60);
}

BENCHMARK(PlayFrameWith100Rockets)->Unit(benchmark::kMicrosecond)->Iterations(1000);
BENCHMARK(PlayFrameWith100RocketsSoftwareRenderer)->Unit(benchmark::kMicrosecond)->Iterations(200);
BENCHMARK(PlayFrameWith100RocketsSoftwareBaseline)->Unit(benchmark::kMicrosecond)->Iterations(200);
BENCHMARK(PlayFrameRocketSwarm)->Unit(benchmark::kMicrosecond)->Iterations(1200);

} // namespace

BENCHMARK_MAIN();
