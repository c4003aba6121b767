#pragma once

#include "runtime/TClock.h"

// A clock that only moves when told to, for tests and deterministic headless runs. Its performance
// counter runs at 1 MHz; sleeping takes no time and is only counted.
class TFakeClock : public TClock {
  public:
    static constexpr int64_t Frequency = 1000000;

    // StartTick lets tests begin just before the 32-bit tick counter wraps.
    explicit TFakeClock(uint32_t StartTick = 0) : Ticks(StartTick) {}

    void Advance(uint32_t Milliseconds) {
        Ticks += Milliseconds; // wraps like the system tick counter
        Counter += static_cast<int64_t>(Milliseconds) * (Frequency / 1000);
    }
    void SetTickCount(uint32_t Tick) { Ticks = Tick; }

    uint32_t TickCount() override { return Ticks; }
    int64_t PerformanceCounter() override { return Counter; }
    int64_t PerformanceFrequency() override { return Frequency; }
    void Sleep(uint32_t Milliseconds) override { SleptMilliseconds += Milliseconds; }

    uint64_t SleptMilliseconds = 0;

  private:
    uint32_t Ticks;
    int64_t Counter = 0;
};
