// Frames of play through the real frame loop, headless: a wave of 100 rockets, and the endless mode's
// thirtieth wave with every weapon and effect going. Rasterise off measures what the game itself costs
// (a graphics card does the pixel work); the software-renderer cases add SDL's software renderer, drawn
// through our span renderer and, for the ratio, through SDL's own triangles.
#include "TAllocationCounter.h"

#include "app/Globals.h"
#include "app/TmainFrm.h"
#include "engine/TEngine.h"
#include "missions/TEndlessProgress.h"
#include "missions/TLevelFile.h"
#include "particles/TExplosion.h"
#include "render/TVelaCanvas.h"
#include "render/TVelaDevice.h"
#include "runtime/TZlibStream.h"
#include "world/TAsteroid.h"
#include "world/TCrate.h"
#include "world/TRocket.h"
#include "world/TShip.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <functional>
#include <vector>

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
        Rocket.Respawn(51 + 102 * (I % 10), 38 + 77 * (I / 10 % 10));
        Rocket.Angle = Rocket.TargetAngle =
            TRocket::AimAngle(Game.Ship->X - Rocket.X, Game.Ship->Y - Rocket.Y, Rocket.Angle);
    }
}

// Long play has drawn every digit in every size of text; a warm-up of a few frames has not.
void WarmTextCaches() {
    for (int Index = 0; Index < Engine->Fonts.Count(); ++Index)
        for (uint32_t Colour : {0xFFFFFFFFu, 0x80FFFFFFu, 0xFF00FF00u, 0x8000FF00u})
            Engine->Fonts.Font(Index)->TextOut("+0 +1-2.3:456789", 0, 0, Colour);
}

// The game started headless on the given mission, two displayed frames in and playing. StepMs: the
// displayed frame's length; each runs the game frames of 10 ms it holds.
std::unique_ptr<TmainFrm> StartPlay(const std::string& Level, bool Rasterise, bool Spans, int StepMs = 10) {
    TCommandLine Options;
    Options.DataDir = MakeGameFolder();
    Options.Headless = true;
    Options.StepMs = StepMs;
    Options.HasSeed = true;
    Options.Level = Level;
    auto Frame = std::make_unique<TmainFrm>(Options);
    Frame->FormCreate();
    Frame->RunOnce();
    Frame->RunOnce();
    Frame->DrawFrames = Rasterise;
    Engine->Canvas.SpanRendering = Spans;
    Game.Phase = 2;
    Game.Paused = false;
    GameState = gsPlaying;
    Game.Ship->Energy = 1000000;
    WarmTextCaches();
    return Frame;
}

void StopPlay(std::unique_ptr<TmainFrm>& Frame) {
    Frame.reset();
    ResetGlobals();
}

// Displayed frames played after WarmUp more: Prepare(the number of the first game frame it runs, from 0)
// runs untimed before each. Counters: heap allocations per displayed frame, and the median and 99th
// percentile of the displayed frames' times.
void PlayFrames(benchmark::State& State, TmainFrm& Frame, int WarmUp,
                const std::function<void(int)>& Prepare) {
    const int First = Frame.GameFrames();
    for (int Number = 0; Number < WarmUp; ++Number) {
        Prepare(Frame.GameFrames() - First);
        Frame.RunOnce();
    }
    std::vector<double> Times;
    Times.reserve(static_cast<size_t>(State.max_iterations));
    // Counted between frames too: the audio thread mixes on its own schedule.
    const int64_t Before = TAllocationCounter::Count();
    for (auto _ : State) {
        State.PauseTiming();
        Prepare(Frame.GameFrames() - First);
        State.ResumeTiming();
        const auto Start = std::chrono::steady_clock::now();
        Frame.RunOnce();
        const auto End = std::chrono::steady_clock::now();
        Times.push_back(std::chrono::duration<double, std::micro>(End - Start).count());
    }
    const int64_t Allocations = TAllocationCounter::Count() - Before;
    std::sort(Times.begin(), Times.end());
    State.counters["allocs_per_frame"] = static_cast<double>(Allocations) / static_cast<double>(Times.size());
    State.counters["median_us"] = Times[Times.size() / 2];
    State.counters["p99_us"] = Times[Times.size() * 99 / 100];
    // The counters restart with every frame: these are the last frame's.
    State.counters["draw_calls"] = Engine->Canvas.DrawCalls();
}

// The wave of 100 rockets, put back on its grid every PlaceEvery frames.
void PlayRockets(benchmark::State& State, bool Rasterise, bool Spans, int PlaceEvery, int WarmUp) {
    auto Frame = StartPlay("level01", Rasterise, Spans);
    int64_t Alive = 0;
    int64_t Particles = 0;
    int Frames = 0;
    PlayFrames(State, *Frame, WarmUp, [&](int Number) {
        // What the last frame left, before the wave is put back.
        for (const auto& Rocket : Game.Rockets) {
            Alive += !Rocket->Destroyed;
            Particles += Rocket->FlameEmitter.Count() + Rocket->ExplosionEmitter.Count();
        }
        ++Frames;
        if (Number % PlaceEvery == 0)
            PlaceRockets();
    });
    State.counters["rockets_alive_avg"] = static_cast<double>(Alive) / Frames;
    State.counters["rocket_particles_avg"] = static_cast<double>(Particles) / Frames;
    StopPlay(Frame);
}

// Warm when every picture still loading has been made a texture (one a frame); drawn frames take long,
// so fewer of them.
constexpr int WarmUpFrames = 300;
constexpr int DrawnWarmUpFrames = 100;

// The wave in flight: all 100 rockets alive with their flames burning.
void PlayFrameWith100Rockets(benchmark::State& State) {
    PlayRockets(State, false, true, 1, WarmUpFrames);
}

void PlayFrameWith100RocketsSoftwareRenderer(benchmark::State& State) {
    PlayRockets(State, true, true, 1, DrawnWarmUpFrames);
}

void PlayFrameWith100RocketsSoftwareBaseline(benchmark::State& State) {
    PlayRockets(State, true, false, 1, DrawnWarmUpFrames);
}

// The wave closing in: the rockets destroy each other and the ship in dozens of explosions at once.
// Warm when explosions have met explosions still burning often enough for their effects to have grown
// to what such bursts keep alive.
void PlayFrameRocketSwarm(benchmark::State& State) {
    PlayRockets(State, false, true, 60, 6000);
}

// The key bound to a control (Game.Keys order) pressed every Every game frames, for one displayed frame
// of Span game frames.
void PressFor(TmainFrm& Frame, int Control, int Number, int Every, int Span) {
    if (Number % Every < Span)
        Frame.Input.KeyEvent(Game.Keys[Control], true);
    else if (Number % Every < 2 * Span)
        Frame.Input.KeyEvent(Game.Keys[Control], false);
}

// Everything at once, as the endless rules make wave 30: its rockets back on the field every
// two seconds, EMP and phazer fired in turn, a mine planted every half second, a crate always out and
// the asteroid back as soon as it is gone. StepMs: the displayed frame's length.
void PlayEndlessWave30(benchmark::State& State, int StepMs) {
    auto Frame = StartPlay("ttd", false, true, StepMs);
    const int Span = StepMs / 10;
    for (int Wave = 1; Wave <= 30; ++Wave) {
        Game.Wave = Wave;
        TEndlessProgress::StartEndlessWave();
    }
    TShip& Ship = *Game.Ship;
    Ship.MinesLeft = 20;
    Ship.ArmMines();
    // Mines blast together as often as the rockets sweep over them: as many blasts at once as the
    // effects can hold, off the field, so that no later cluster is the largest yet.
    for (int Blast = 0; Blast < TXParticleManager::MaxSystems; ++Blast)
        Explosion->SpawnMine(-1000, -1000);
    constexpr int Fire = 7, PlantMine = 8;
    int64_t Alive = 0, Emp = 0, Phazer = 0;
    int Frames = 0;
    PlayFrames(State, *Frame, 1000 / Span, [&](int Number) {
        Emp += Ship.EmpActive;
        Phazer += Ship.PhazerActive;
        if (Number % 200 < Span)
            PlaceRockets();
        Ship.Energy = 1000000;
        Ship.MinesLeft = 20;
        if (!Ship.WeaponBusy) {
            Ship.SelectedWeapon = Ship.SelectedWeapon == TShip::wpEmp ? TShip::wpPhazer : TShip::wpEmp;
            Ship.Owned[Ship.SelectedWeapon] = Ship.Charged[Ship.SelectedWeapon] = true;
        }
        PressFor(*Frame, Fire, Number, 20, Span);
        PressFor(*Frame, PlantMine, Number, 50, Span);
        if (Game.Crates->State == TCrate::csWaiting)
            Game.Crates->WaitDelay = 0;
        if (Game.Asteroids->State == 2)
            Game.Asteroids->RespawnTime = Now() - TAsteroid::RespawnDelay;
        for (const auto& Rocket : Game.Rockets)
            Alive += !Rocket->Destroyed;
        ++Frames;
    });
    State.counters["rockets"] = static_cast<double>(Game.Rockets.size());
    State.counters["rockets_alive_avg"] = static_cast<double>(Alive) / Frames;
    State.counters["kind_a"] = Game.EndlessTypeA;
    State.counters["kind_b"] = Game.EndlessTypeB;
    State.counters["kind_b_rockets"] = Game.EndlessTypeBCount;
    // Shares of the frames with each weapon running.
    State.counters["emp"] = static_cast<double>(Emp) / Frames;
    State.counters["phazer"] = static_cast<double>(Phazer) / Frames;
    State.counters["game_frames_per_frame"] = static_cast<double>(Frame->GameFrames()) / (Frames + 2);
    StopPlay(Frame);
}

void PlayFrameEndlessWave30(benchmark::State& State) {
    PlayEndlessWave30(State, 10);
}

// A 60 Hz display, or any between 50 and 100 Hz at its worst: two game frames a displayed frame, the
// second one drawn.
void PlayFrameEndlessWave30At60Hz(benchmark::State& State) {
    PlayEndlessWave30(State, 20);
}

BENCHMARK(PlayFrameWith100Rockets)->Unit(benchmark::kMicrosecond)->Iterations(1000);
BENCHMARK(PlayFrameEndlessWave30)->Unit(benchmark::kMicrosecond)->Iterations(2000);
BENCHMARK(PlayFrameEndlessWave30At60Hz)->Unit(benchmark::kMicrosecond)->Iterations(1000);
BENCHMARK(PlayFrameWith100RocketsSoftwareRenderer)->Unit(benchmark::kMicrosecond)->Iterations(200);
BENCHMARK(PlayFrameWith100RocketsSoftwareBaseline)->Unit(benchmark::kMicrosecond)->Iterations(200);
BENCHMARK(PlayFrameRocketSwarm)->Unit(benchmark::kMicrosecond)->Iterations(1200);

} // namespace

BENCHMARK_MAIN();
