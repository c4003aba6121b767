#include "app/TFrameClock.h"

#include <gtest/gtest.h>

namespace {

// A real clock whose sleep takes time.
class TSleepingClock : public TFakeClock {
  public:
    void Sleep(uint32_t Milliseconds) override { Advance(Milliseconds); }
};

TEST(TFrameClockTest, StandsStillWithinAFrameAndMovesByRealTimeOrAFixedStep) {
    TSleepingClock Real;
    Real.Advance(500);
    TFrameClock Clock(Real);
    Real.Advance(7);
    EXPECT_EQ(Clock.TickCount(), 0u); // a frame sees one time
    Clock.NextFrame(std::nullopt);
    EXPECT_EQ(Clock.TickCount(), 7u);
    EXPECT_EQ(Clock.PerformanceCounter(), 7 * TFakeClock::Frequency / 1000);
    // The frame-rate cap's sleep belongs to the frame it ends.
    Clock.Sleep(3);
    EXPECT_EQ(Clock.TickCount(), 10u);
    EXPECT_EQ(Real.TickCount(), 510u);
    // A fixed step only counts its sleep.
    Real.Advance(40);
    Clock.NextFrame(16u);
    EXPECT_EQ(Clock.TickCount(), 26u);
    Clock.Sleep(4);
    EXPECT_EQ(Clock.TickCount(), 26u);
    EXPECT_EQ(Clock.SleptMilliseconds, 4u);
    EXPECT_EQ(Real.TickCount(), 550u);
    // Real time again: only what passed since the last frame.
    Real.Advance(5);
    Clock.NextFrame(std::nullopt);
    EXPECT_EQ(Clock.TickCount(), 31u);
}

} // namespace
