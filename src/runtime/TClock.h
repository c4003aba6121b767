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

// The game's clock, shared by all; nullptr before the frame loop has one.
extern TClock* Clock;
// The millisecond tick counter of the game's clock.
uint32_t Now();
// Milliseconds from Stamp to now, as the game measures every interval: a signed 64-bit difference.
int64_t SinceTick(uint32_t Stamp);
