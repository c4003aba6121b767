#pragma once

#include <cstdint>

// The game's one source of time. The real clock reads SDL; tests and headless runs use TFakeClock,
// which only moves when told to.
class TClock {
  public:
    virtual ~TClock() = default;
    // Milliseconds since start, 32 bits, wrapping like the system tick counter.
    virtual uint32_t TickCount() = 0;
    virtual int64_t PerformanceCounter() = 0;
    // Counts per second; 0 means there is no performance counter.
    virtual int64_t PerformanceFrequency() = 0;
    virtual void Sleep(uint32_t Milliseconds) = 0;
};
