#include "app/TFrameClock.h"

uint32_t TFrameClock::RealPassed() {
    const uint32_t Ticks = Real.TickCount();
    const uint32_t Passed = Ticks - LastReal; // wraps like the tick counter
    LastReal = Ticks;
    return Passed;
}

void TFrameClock::NextFrame(std::optional<uint32_t> Fixed) {
    // Read even for a fixed step, so a later real-time frame counts only its own time.
    const uint32_t Passed = RealPassed();
    RealTime = !Fixed.has_value();
    Advance(Fixed.value_or(Passed));
}

void TFrameClock::Sleep(uint32_t Milliseconds) {
    if (!RealTime) {
        TFakeClock::Sleep(Milliseconds);
        return;
    }
    Real.Sleep(Milliseconds);
    Advance(RealPassed());
}
