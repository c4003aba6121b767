#pragma once

#include <cstdint>
#include <functional>

#include "runtime/TClock.h"

// Turns idle time into frames and into a fixed number of logic steps per second. Times are fixed point,
// 2^20 units per millisecond, so a step length at any speed keeps its fraction.
class TVelaTimer {
  public:
    enum TPrecision { ppLow, ppHigh };

    static constexpr int64_t UnitsPerMs = int64_t(1) << 20;
    // One logic step in Delta and the step accumulator.
    static constexpr int64_t OneStep = int64_t(1) << 20;
    // A stalled frame never queues more than this many steps.
    static constexpr int64_t MaxSteps = 32;

    explicit TVelaTimer(TClock& Clock);

    // The idle handler: measures the frame, caps the frame rate by sleeping, and calls OnTimer.
    void Idle();
    // Runs OnProcess once for every whole step that has built up, keeping the fraction.
    void Process();

    double Speed() const { return SpeedValue; }
    void SetSpeed(double Value);
    int MaxFPS() const { return MaxFPSValue; }
    void SetMaxFPS(int Value);

    int FrameRate() const { return FrameRateValue; }
    // Last frame in logic steps, fixed point (OneStep = one step).
    int64_t Delta() const { return DeltaValue; }
    // Last frame's length in fixed-point units.
    int64_t Latency() const { return LatencyValue; }
    int64_t SpeedLatency() const { return SpeedLatencyValue; }
    int64_t MaxLatency() const { return MaxLatencyValue; }

    bool Enabled = false;
    // Kept for the settings; both precisions measure the same way.
    TPrecision Precision = ppHigh;
    std::function<void()> OnTimer;
    std::function<void()> OnProcess;

  private:
    // Fixed-point time elapsed since the previous reading; stores the new reading.
    int64_t Elapsed();

    TClock& Clock;
    bool HighResolution = false;
    int64_t Frequency = 0;
    int64_t LastCounter = 0;
    uint32_t LastTicks = 0;

    double SpeedValue = 60.0;
    int MaxFPSValue = 100;
    int64_t SpeedLatencyValue = 0;
    int64_t MaxLatencyValue = 0;

    int64_t LatencyValue = 0;
    int64_t DeltaValue = 0;
    int FrameRateValue = 0;

    int64_t Accumulator = 0;
    int64_t FrameTime = 0;
    int64_t FrameCount = 0;
    bool Processed = false;
};
