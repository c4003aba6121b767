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
            Advance(Milliseconds);
    }
    void Advance(int64_t Milliseconds) { Micros += Milliseconds * 1000; }

    int64_t Frequency;
    int64_t Micros = 0;
    bool SleepTakesTime = false;
    std::vector<uint32_t> Sleeps;
};

constexpr int64_t Ms = TVelaTimer::UnitsPerMs;

// A timer wired like the game's loop: each frame processes the steps that have built up.
struct TTimerRig {
    TTestClock Clock;
    TVelaTimer Timer{Clock};
    int Steps = 0;
    int Frames = 0;

    explicit TTimerRig(int64_t Frequency = 1000000) : Clock(Frequency) {
        Timer.OnProcess = [this] { ++Steps; };
        Timer.OnTimer = [this] {
            ++Frames;
            Timer.Process();
        };
        Timer.Enabled = true;
    }
    // Runs one frame that took Milliseconds; answers how many steps it ran.
    int Frame(int64_t Milliseconds) {
        Clock.Advance(Milliseconds);
        int Before = Steps;
        Timer.Idle();
        return Steps - Before;
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

TEST(TVelaTimerTest, DisabledTimerOnlySleepsAndFirstEnabledFrameRunsNoStep) {
    TTimerRig Rig;
    Rig.Timer.Enabled = false;
    Rig.Frame(10);
    Rig.Frame(500);
    EXPECT_EQ(Rig.Clock.Sleeps, (std::vector<uint32_t>{5, 5}));
    EXPECT_EQ(Rig.Frames, 0);
    Rig.Timer.Enabled = true;
    EXPECT_EQ(Rig.Frame(101), 0);
    EXPECT_EQ(Rig.Frame(101), 6);
}

TEST(TVelaTimerTest, LongFrameAddsAtMostThirtyTwoSteps) {
    TTimerRig Rig;
    Rig.Frame(10);
    EXPECT_EQ(Rig.Frame(2000), 32);
    EXPECT_EQ(Rig.Timer.Delta(), 32 * TVelaTimer::OneStep);
    EXPECT_EQ(Rig.Frame(10), 0);
}

TEST(TVelaTimerTest, ShortFramesSleepUpToTheCapEveryTime) {
    TTimerRig Rig;
    Rig.Clock.SleepTakesTime = true;
    Rig.Frame(4);
    ASSERT_EQ(Rig.Clock.Sleeps, std::vector<uint32_t>{6});
    // The frame lasts until its sleep is over, so it counts 10 ms of game time and the next one, again
    // 4 ms of work, sleeps again instead of running at once.
    EXPECT_EQ(Rig.Timer.Latency(), 10 * Ms);
    EXPECT_EQ(Rig.Timer.Delta(), 10 * Ms * TVelaTimer::OneStep / Rig.Timer.SpeedLatency());
    Rig.Frame(4);
    EXPECT_EQ(Rig.Clock.Sleeps, (std::vector<uint32_t>{6, 6}));
    EXPECT_EQ(Rig.Timer.Latency(), 10 * Ms);
}

TEST(TVelaTimerTest, FrameRateOfASteadyRhythm) {
    TTimerRig Rig;
    for (int I = 0; I < 200; ++I)
        Rig.Frame(10);
    EXPECT_EQ(Rig.Timer.FrameRate(), 100);
    // Quick frames are held to the cap: 4 ms of work and 6 ms of sleep is 100 frames a second.
    TTimerRig Capped;
    Capped.Clock.SleepTakesTime = true;
    for (int I = 0; I < 600; ++I)
        Capped.Frame(4);
    EXPECT_EQ(Capped.Timer.FrameRate(), 100);
    for (int I = 0; I < 100; ++I)
        Rig.Frame(20);
    EXPECT_EQ(Rig.Timer.FrameRate(), 50);
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
    EXPECT_EQ(Rig.Frame(101), 6);
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
