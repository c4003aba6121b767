#include <gtest/gtest.h>

#include <vector>

#include "render/TVelaTimer.h"

namespace {

// A clock that moves only when told; sleeping is recorded and, when asked, takes time like a real sleep.
class TTestClock : public TClock {
  public:
    explicit TTestClock(int64_t Frequency = 1000000) : Frequency(Frequency) {}
    uint32_t TickCount() override { return static_cast<uint32_t>(Micros / 1000); }
    int64_t PerformanceCounter() override {
        return static_cast<int64_t>(static_cast<__int128>(Micros) * Frequency / 1000000);
    }
    int64_t PerformanceFrequency() override { return Frequency; }
    void Sleep(uint32_t Milliseconds) override {
        Sleeps.push_back(Milliseconds);
        if (SleepTakesTime)
            Advance(Milliseconds + Oversleep);
    }
    void Advance(int64_t Milliseconds) { Micros += Milliseconds * 1000; }

    int64_t Frequency;
    int64_t Micros = 0;
    bool SleepTakesTime = false;
    // How much longer than asked a sleep takes.
    uint32_t Oversleep = 0;
    std::vector<uint32_t> Sleeps;
};

constexpr int64_t Ms = TVelaTimer::UnitsPerMs;

// A timer wired like the game's loop: each displayed frame runs its game frames, and each game frame
// processes the steps that have built up.
struct TTimerRig {
    TTestClock Clock;
    TVelaTimer Timer{Clock};
    int Steps = 0;
    int Frames = 0;
    int GameFrames = 0;

    explicit TTimerRig(int64_t Frequency = 1000000) : Clock(Frequency) {
        Timer.OnProcess = [this] { ++Steps; };
        Timer.OnTimer = [this] {
            ++Frames;
            for (int Frame = 0; Frame < Timer.GameFrames(); ++Frame) {
                ++GameFrames;
                Timer.Process();
            }
        };
        Timer.Enabled = true;
    }
    // Runs one displayed frame that took Milliseconds; answers how many steps it ran.
    int Frame(int64_t Milliseconds) {
        Clock.Advance(Milliseconds);
        int Before = Steps;
        Timer.Idle();
        return Steps - Before;
    }
    // Runs one displayed frame that took Milliseconds; answers how many game frames it ran.
    int GameFramesOf(int64_t Milliseconds) {
        int Before = GameFrames;
        Frame(Milliseconds);
        return GameFrames - Before;
    }
};

TEST(TVelaTimerTest, DefaultsAndLimits) {
    TTestClock Clock;
    TVelaTimer Timer(Clock);
    EXPECT_FALSE(Timer.Enabled);
    EXPECT_EQ(Timer.SpeedLatency(), 17476267); // 1 048 576 000 / 60 = 17 476 266.67, rounded
    EXPECT_EQ(Timer.MaxLatency(), 10 * Ms);
    Timer.SetSpeed(0.25);
    EXPECT_EQ(Timer.SpeedLatency(), 1000 * Ms);
    Timer.SetMaxFPS(0);
    EXPECT_EQ(Timer.MaxLatency(), 1000 * Ms);
    Timer.SetMaxFPS(3);
    EXPECT_EQ(Timer.MaxLatency(), 349525333); // 349 525 333.33 rounded down
}

TEST(TVelaTimerTest, TenMillisecondFramesRunSixStepsInTen) {
    TTimerRig Rig;
    Rig.Frame(10);
    int Idle = 0, Single = 0;
    for (int I = 0; I < 1000; ++I) {
        int Steps = Rig.Frame(10);
        Idle += Steps == 0;
        Single += Steps == 1;
    }
    EXPECT_EQ(Idle + Single, 1000);
    EXPECT_NEAR(Single, 600, 2);
    EXPECT_EQ(Rig.Steps, Single);
    EXPECT_EQ(Rig.Frames, 1001);
}

TEST(TVelaTimerTest, EveryDisplayRateRunsOneHundredGameFramesASecond) {
    // Displayed frame length, game frames run by the first ten frames after the first.
    const struct {
        int64_t Milliseconds;
        std::vector<int> GameFrames;
    } Rates[] = {
        {10, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}}, {20, {2, 2, 2, 2, 2, 2, 2, 2, 2, 2}},
        {17, {1, 2, 2, 1, 2, 2, 1, 2, 2, 2}}, {33, {3, 3, 3, 4, 3, 3, 4, 3, 3, 4}},
        {5, {0, 1, 0, 1, 0, 1, 0, 1, 0, 1}},  {4, {0, 0, 1, 0, 1, 0, 0, 1, 0, 1}},
    };
    for (const auto& Rate : Rates) {
        TTimerRig Rig;
        EXPECT_EQ(Rig.GameFramesOf(Rate.Milliseconds), 1) << "the first frame runs one";
        std::vector<int> Run;
        for (size_t Frame = 0; Frame < Rate.GameFrames.size(); ++Frame)
            Run.push_back(Rig.GameFramesOf(Rate.Milliseconds));
        EXPECT_EQ(Run, Rate.GameFrames) << Rate.Milliseconds << " ms";
        // A second of display is a second of game, to the game frame, at any rate.
        const int Before = Rig.GameFrames;
        const int64_t Frames = 1000 / Rate.Milliseconds;
        for (int64_t Frame = 0; Frame < Frames; ++Frame)
            Rig.Frame(Rate.Milliseconds);
        EXPECT_NEAR(Rig.GameFrames - Before, Frames * Rate.Milliseconds / 10, 1)
            << Rate.Milliseconds << " ms";
    }
}

TEST(TVelaTimerTest, ParticleStepsFollowGameFramesNotDisplayedFrames) {
    // Six steps in ten game frames, whether the display shows every game frame or every other one.
    for (int64_t Milliseconds : {10, 20, 33}) {
        TTimerRig Rig;
        Rig.Frame(Milliseconds);
        while (Rig.GameFrames < 1001)
            Rig.Frame(Milliseconds);
        EXPECT_NEAR(Rig.Steps, 600, 3) << Milliseconds << " ms";
    }
}

TEST(TVelaTimerTest, DisabledTimerOnlySleepsAndFirstEnabledFrameRunsOneGameFrameAndNoStep) {
    TTimerRig Rig;
    Rig.Timer.Enabled = false;
    Rig.Frame(10);
    Rig.Frame(500);
    EXPECT_EQ(Rig.Clock.Sleeps, (std::vector<uint32_t>{5, 5}));
    EXPECT_EQ(Rig.Frames, 0);
    Rig.Timer.Enabled = true;
    // The time spent before the game began is not the game's to catch up on.
    EXPECT_EQ(Rig.Frame(101), 0);
    EXPECT_EQ(Rig.GameFrames, 1);
    EXPECT_EQ(Rig.Frame(20), 1); // two game frames: 0.6 + 0.6 steps
    EXPECT_EQ(Rig.GameFrames, 3);
}

TEST(TVelaTimerTest, ASlowMachineRunsAtMostFiveGameFramesAFrameAndSlowsDown) {
    TTimerRig Rig;
    Rig.Frame(10);
    EXPECT_EQ(Rig.GameFramesOf(2000), TVelaTimer::MaxGameFrames);
    EXPECT_EQ(Rig.Timer.Delta(), 32 * TVelaTimer::OneStep);
    // What was not run is let go: the next frame does not try to catch up.
    EXPECT_EQ(Rig.GameFramesOf(10), 1);
    // What is short of a game frame is kept.
    EXPECT_EQ(Rig.GameFramesOf(57), 5);
    EXPECT_EQ(Rig.GameFramesOf(3), 1);
}

TEST(TVelaTimerTest, ShortFramesSleepUntilTheNextGameFrameIsDue) {
    TTimerRig Rig;
    Rig.Clock.SleepTakesTime = true;
    Rig.Frame(4);
    ASSERT_EQ(Rig.Clock.Sleeps, std::vector<uint32_t>{6});
    // The frame lasts until its sleep is over, so it counts 10 ms of game time and the next one, again
    // 4 ms of work, sleeps again instead of running at once.
    EXPECT_EQ(Rig.Timer.Latency(), 10 * Ms);
    EXPECT_EQ(Rig.Timer.Delta(), 10 * Ms * TVelaTimer::OneStep / Rig.Timer.SpeedLatency());
    EXPECT_EQ(Rig.GameFramesOf(4), 1);
    EXPECT_EQ(Rig.Clock.Sleeps, (std::vector<uint32_t>{6, 6}));
    // A frame that overslept leaves game time over, and the next sleep is that much shorter: the frames
    // keep the game's rhythm, one game frame each, instead of running two every few frames.
    Rig.Clock.Sleeps.clear();
    Rig.Clock.Oversleep = 2;
    for (int Frame = 0; Frame < 5; ++Frame)
        EXPECT_EQ(Rig.GameFramesOf(4), 1);
    EXPECT_EQ(Rig.Clock.Sleeps, (std::vector<uint32_t>{6, 4, 4, 4, 4}));
}

TEST(TVelaTimerTest, ACapBelowTheGameRateShowsFewerFramesAtTheSameGameSpeed) {
    TTimerRig Rig;
    Rig.Clock.SleepTakesTime = true;
    Rig.Timer.SetMaxFPS(30);
    Rig.Frame(4);
    const int64_t Began = Rig.Clock.Micros;
    for (int Frame = 0; Frame < 300; ++Frame)
        Rig.Frame(4);
    EXPECT_EQ(Rig.Timer.FrameRate(), 30);
    // A game frame for every 10 ms that passed.
    EXPECT_NEAR(Rig.GameFrames - 1, (Rig.Clock.Micros - Began) / 10000, 1);
}

TEST(TVelaTimerTest, FrameRateCountsShownFrames) {
    TTimerRig Rig;
    for (int I = 0; I < 200; ++I)
        Rig.Frame(10);
    EXPECT_EQ(Rig.Timer.FrameRate(), 100);
    // Quick frames are held to the game's rate: 4 ms of work and 6 ms of sleep is 100 frames a second.
    TTimerRig Capped;
    Capped.Clock.SleepTakesTime = true;
    for (int I = 0; I < 600; ++I)
        Capped.Frame(4);
    EXPECT_EQ(Capped.Timer.FrameRate(), 100);
    for (int I = 0; I < 100; ++I)
        Rig.Frame(20);
    EXPECT_EQ(Rig.Timer.FrameRate(), 50);
    // A display twice as fast as the game shows a new picture every other frame.
    TTimerRig Fast;
    for (int I = 0; I < 800; ++I)
        Fast.Frame(5);
    EXPECT_EQ(Fast.Timer.FrameRate(), 100);
    // Frames of no measurable length are counted in fours and give no rate rather than a division by 0.
    TTimerRig Instant;
    for (int I = 0; I < 8; ++I)
        Instant.Frame(0);
    EXPECT_EQ(Instant.Timer.FrameRate(), 0);
}

TEST(TVelaTimerTest, TickCountWithoutPerformanceCounter) {
    TTimerRig Rig(0);
    Rig.Frame(10);
    EXPECT_EQ(Rig.Timer.Latency(), 10 * Ms);
    EXPECT_EQ(Rig.GameFramesOf(30), 3);
    // Across the wrap of the 32-bit tick count.
    Rig.Clock.Micros = (int64_t(UINT32_MAX) - 4) * 1000;
    Rig.Frame(0);
    Rig.Frame(10);
    EXPECT_EQ(Rig.Timer.Latency(), 10 * Ms);
}

TEST(TVelaTimerTest, LargeCounterFrequencyDoesNotOverflow) {
    TTimerRig Rig(10000000000); // 10 GHz counter
    Rig.Frame(3600 * 1000);     // an hour
    EXPECT_EQ(Rig.Timer.Latency(), 3600000 * Ms);
    EXPECT_EQ(Rig.Timer.Delta(), 32 * TVelaTimer::OneStep);
}

} // namespace
