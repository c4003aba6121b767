#pragma once

#include "runtime/TFakeClock.h"

#include <cstdint>
#include <optional>

// The game's clock. It stands still while a frame is worked out and drawn, and moves on between frames:
// by a step the caller fixes (a fixed-step run, a recording's clock line) or by the whole milliseconds
// that really passed. So every frame sees one time, and the steps alone replay any session exactly.
class TFrameClock : public TFakeClock {
  public:
    explicit TFrameClock(TClock& Real) : Real(Real), LastReal(Real.TickCount()) {}

    // Moves on to the next frame by Fixed, or without it by the real time since the last move.
    void NextFrame(std::optional<uint32_t> Fixed);
    // A frame on real time really sleeps, and the time slept is part of the frame; a fixed step
    // only counts the sleep.
    void Sleep(uint32_t Milliseconds) override;

  private:
    // Real milliseconds since the last call.
    uint32_t RealPassed();

    TClock& Real;
    uint32_t LastReal;
    bool RealTime = false;
};
