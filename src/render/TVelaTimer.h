#pragma once

#include <cstdint>
#include <functional>

#include "runtime/TClock.h"

// Turns idle time into displayed frames, and the time they took into game frames and logic steps at fixed
// rates: 100 game frames and 60 particle steps to the second of game time, whatever the display manages.
// Times are fixed point, 2^20 units per millisecond, so a step length at any speed keeps its fraction.
class TVelaTimer {
  public:
    enum TPrecision { ppLow, ppHigh };

    static constexpr int64_t UnitsPerMs = int64_t(1) << 20;
    // One logic step in Delta and the step accumulator.
    static constexpr int64_t OneStep = int64_t(1) << 20;
    // A stalled frame never queues more than this many steps.
    static constexpr int64_t MaxSteps = 32;
    // The game's own rhythm: every rule is written for frames of this length.
    static constexpr uint32_t GameFrameMs = 10;
    static constexpr int64_t GameFrameLength = GameFrameMs * UnitsPerMs;
    // A machine that cannot keep up runs at most this many game frames a displayed frame, then slows down
    // rather than falling further behind with every frame.
    static constexpr int MaxGameFrames = 5;

    explicit TVelaTimer(TClock& Clock);

    // The idle handler: measures the frame, caps the frame rate by sleeping, works out the game frames
    // that are due and, when there are any, calls OnTimer to run them and show the last.
    void Idle();
    // Once per game frame: adds the game frame's share of a step, then runs OnProcess once for every whole
    // step that has built up, keeping the fraction.
    void Process();

    double Speed() const { return SpeedValue; }
    void SetSpeed(double Value);
    int MaxFPS() const { return MaxFPSValue; }
    void SetMaxFPS(int Value);

    // Displayed frames per second.
    int FrameRate() const { return FrameRateValue; }
    // Last frame in logic steps, fixed point (OneStep = one step).
    int64_t Delta() const { return DeltaValue; }
    // Last frame's length in fixed-point units.
    int64_t Latency() const { return LatencyValue; }
    int64_t SpeedLatency() const { return SpeedLatencyValue; }
    int64_t MaxLatency() const { return MaxLatencyValue; }
    // The game frames the displayed frame now running is to run.
    int GameFrames() const { return GameFramesDue; }

    bool Enabled = false;
    // Kept for the settings; both precisions measure the same way.
    TPrecision Precision = ppHigh;
    std::function<void()> OnTimer;
    std::function<void()> OnProcess;

  private:
    // Fixed-point time elapsed since the previous reading; stores the new reading.
    int64_t Elapsed();
    // A frame of Latency in logic steps, fixed point, capped at MaxSteps.
    int64_t StepsIn(int64_t Latency) const;
    // The milliseconds the frame still has to last: until a game frame is due, and no shorter than
    // the cap.
    uint32_t SleepNeeded() const;
    // Moves the frame's time into game time and takes out the whole game frames it holds.
    void ScheduleGameFrames();
    void CountFrameRate(bool Displayed);

    TClock& Clock;
    bool HighResolution = false;
    int64_t Frequency = 0;
    int64_t LastCounter = 0;
    uint32_t LastTicks = 0;

    double SpeedValue = 60.0;
    int MaxFPSValue = 100;
    int64_t SpeedLatencyValue = 0;
    // One game frame in logic steps, fixed point.
    int64_t GameFrameDelta = 0;
    int64_t MaxLatencyValue = 0;

    int64_t LatencyValue = 0;
    int64_t DeltaValue = 0;
    int FrameRateValue = 0;

    int64_t Accumulator = 0;
    int64_t FrameTime = 0;
    int64_t FrameCount = 0;
    bool Processed = false;

    // Game time not yet run, fixed point.
    int64_t GameTime = 0;
    int GameFramesDue = 0;
    bool Started = false;
};
