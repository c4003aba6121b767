// Start-up of the whole game, headless with the full data: from starting SDL (the first thing main does,
// just before the main window object is made) to the first presented frame, and the peak resident memory
// at that point. Each start runs in a fresh child process, so no start finds another's pictures, fonts or
// sounds already loaded.
#include "app/TCommandLine.h"
#include "app/TmainFrm.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct TStartup {
    double FirstFrameMs = 0;
    double PeakRssMb = 0;
};

// The process's high-water mark of resident memory, from the kernel.
double PeakRssMb() {
    std::ifstream Status("/proc/self/status");
    std::string Line;
    while (std::getline(Status, Line))
        if (Line.rfind("VmHWM:", 0) == 0)
            return std::atof(Line.c_str() + 6) / 1024;
    return 0;
}

// Runs in the child: starts the game and stops at its first frame.
TStartup StartOnce() {
    TCommandLine Options;
    std::string Error;
    Options.Parse({"--data", ZERATHON_GAME_DIR, "--headless", "--step-ms", "10"}, Error);
    TStartup Result;
    const auto Start = std::chrono::steady_clock::now();
    if (SDL_Init(SDL_INIT_TIMER) != 0)
        return Result;
    {
        TmainFrm MainForm(Options);
        if (MainForm.FormCreate())
            while (MainForm.GameFrames() < 1 && !MainForm.Closed())
                MainForm.RunOnce();
        Result.FirstFrameMs =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - Start).count();
        Result.PeakRssMb = PeakRssMb();
    }
    SDL_Quit();
    return Result;
}

// One start in a child process; false when the child failed.
bool StartInChild(TStartup& Result) {
    int Pipe[2];
    if (pipe(Pipe) != 0)
        return false;
    const pid_t Child = fork();
    if (Child == 0) {
        close(Pipe[0]);
        const TStartup Measured = StartOnce();
        const bool Written = write(Pipe[1], &Measured, sizeof Measured) == sizeof Measured;
        _exit(Written ? 0 : 1);
    }
    close(Pipe[1]);
    const bool Read = Child > 0 && read(Pipe[0], &Result, sizeof Result) == sizeof Result;
    close(Pipe[0]);
    int Status = 0;
    if (Child > 0)
        waitpid(Child, &Status, 0);
    return Read && Result.FirstFrameMs > 0;
}

void FirstFrame(benchmark::State& State) {
    std::vector<double> Times;
    double PeakRss = 0;
    for (auto _ : State) {
        TStartup Result;
        if (!StartInChild(Result)) {
            State.SkipWithError("the game did not start with the data in " ZERATHON_GAME_DIR);
            return;
        }
        State.SetIterationTime(Result.FirstFrameMs / 1000);
        Times.push_back(Result.FirstFrameMs);
        PeakRss = std::max(PeakRss, Result.PeakRssMb);
    }
    std::sort(Times.begin(), Times.end());
    State.counters["first_frame_ms"] = Times[Times.size() / 2];
    State.counters["rss_mb"] = PeakRss;
}

BENCHMARK(FirstFrame)->UseManualTime()->Iterations(9)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
