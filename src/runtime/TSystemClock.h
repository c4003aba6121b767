#pragma once

#include "runtime/TClock.h"

// The real clock: SDL's millisecond ticks, performance counter and sleep.
class TSystemClock : public TClock {
  public:
    uint32_t TickCount() override;
    int64_t PerformanceCounter() override;
    int64_t PerformanceFrequency() override;
    void Sleep(uint32_t Milliseconds) override;
};
