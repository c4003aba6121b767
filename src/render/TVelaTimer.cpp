#include "render/TVelaTimer.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int64_t UnitsPerSecond = TVelaTimer::UnitsPerMs * 1000;

// A × B ÷ C without overflowing in between: counter differences times 2^20 × 1000 leave 64 bits quickly.
int64_t MulDiv(int64_t A, int64_t B, int64_t C) {
    __int128 Result = static_cast<__int128>(A) * B / C;
    if (Result > INT64_MAX)
        return INT64_MAX;
    return static_cast<int64_t>(Result);
}

} // namespace

TVelaTimer::TVelaTimer(TClock& Clock) : Clock(Clock) {
    SetSpeed(60.0);
    SetMaxFPS(100);
    Frequency = Clock.PerformanceFrequency();
    HighResolution = Frequency > 0;
    if (HighResolution)
        LastCounter = Clock.PerformanceCounter();
    else
        LastTicks = Clock.TickCount();
}

void TVelaTimer::SetSpeed(double Value) {
    if (!(Value >= 1.0))
        Value = 1.0;
    SpeedValue = Value;
    SpeedLatencyValue = std::llround(static_cast<double>(UnitsPerSecond) / Value);
    GameFrameDelta = StepsIn(GameFrameMs * UnitsPerMs);
}

void TVelaTimer::SetMaxFPS(int Value) {
    if (Value < 1)
        Value = 1;
    MaxFPSValue = Value;
    MaxLatencyValue = (UnitsPerSecond + Value / 2) / Value;
}

int64_t TVelaTimer::Elapsed() {
    if (HighResolution) {
        int64_t Counter = Clock.PerformanceCounter();
        int64_t Difference = std::max<int64_t>(Counter - LastCounter, 0);
        LastCounter = Counter;
        return MulDiv(Difference, UnitsPerSecond, Frequency);
    }
    uint32_t Ticks = Clock.TickCount();
    // Unsigned subtraction survives the 49-day wrap of the tick count.
    uint32_t Difference = Ticks - LastTicks;
    LastTicks = Ticks;
    return static_cast<int64_t>(Difference) * UnitsPerMs;
}

int64_t TVelaTimer::StepsIn(int64_t Latency) const {
    return std::min(MulDiv(Latency, OneStep, SpeedLatencyValue), MaxSteps * OneStep);
}

void TVelaTimer::Idle() {
    LatencyValue = Elapsed();

    if (!Enabled) {
        Clock.Sleep(5);
        return;
    }

    // The frame lasts until the sleep is over: measuring up to then keeps the sleep out of the next
    // frame's length, which otherwise would skip its own sleep and let frames alternate short and long,
    // well past the cap.
    const uint32_t Wait = SleepNeeded();
    if (Wait > 0) {
        Clock.Sleep(Wait);
        LatencyValue += Elapsed();
    }

    DeltaValue = StepsIn(LatencyValue);
    ScheduleGameFrames();
    // A frame with no game frame due shows nothing new: the picture on screen stays, as a display faster
    // than the game would show it again.
    CountFrameRate(GameFramesDue > 0);
    if (GameFramesDue > 0 && OnTimer)
        OnTimer();
}

uint32_t TVelaTimer::SleepNeeded() const {
    // Up to the next game frame, rounded up, as a frame short of it would show nothing new; the game time
    // left over from the last frame shortens the wait, so frames keep the game's rhythm whatever a sleep
    // oversleeps.
    const int64_t Due = GameFrameLength - GameTime - LatencyValue;
    int64_t Wait = Due > 0 ? (Due + UnitsPerMs - 1) / UnitsPerMs : 0;
    // A cap below the game's rate holds the display lower still.
    if (MaxLatencyValue > GameFrameLength)
        Wait = std::max(Wait, (MaxLatencyValue - LatencyValue) / UnitsPerMs);
    return static_cast<uint32_t>(Wait);
}

void TVelaTimer::ScheduleGameFrames() {
    // The first frame runs one game frame: the time spent starting up is not the game's.
    GameTime = Started ? GameTime + LatencyValue : GameFrameLength;
    Started = true;
    GameFramesDue = static_cast<int>(std::min<int64_t>(GameTime / GameFrameLength, MaxGameFrames));
    // Beyond the limit the time is let go, so the game slows down instead of trying to catch up.
    GameTime %= GameFrameLength;
}

void TVelaTimer::CountFrameRate(bool Displayed) {
    FrameTime += LatencyValue;
    if (!Displayed)
        return;
    ++FrameCount;
    // Measure over about a second's worth of frames.
    int64_t Frames = LatencyValue > 0 ? UnitsPerSecond / LatencyValue : 4;
    if (FrameCount >= Frames) {
        if (FrameTime > 0)
            FrameRateValue = static_cast<int>(MulDiv(FrameCount, UnitsPerSecond, FrameTime));
        FrameTime = 0;
        FrameCount = 0;
    }
}

void TVelaTimer::Process() {
    // Steps only build up while the game is consuming them, from the second game frame on.
    if (Processed)
        Accumulator += GameFrameDelta;
    Processed = true;
    int64_t Steps = Accumulator / OneStep;
    if (Steps < 1)
        return;
    Accumulator -= Steps * OneStep;
    for (int64_t Step = 0; Step < Steps; ++Step)
        if (OnProcess)
            OnProcess();
}
