// The synthesiser's building blocks: a seeded random generator, oscillators, filters, envelopes, delays
// and a reverb. Everything works on double-precision mono buffers at 44100 Hz and is deterministic.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Synth {

constexpr int Rate = 44100;
constexpr double Pi = 3.14159265358979323846;
constexpr double TwoPi = 2 * Pi;

using TBuffer = std::vector<double>;

// Number of samples in a span of seconds (rounded to the nearest sample).
int SamplesOf(double Seconds);
// A silent buffer of the given length in seconds.
TBuffer Silence(double Seconds);
// Frequency of a MIDI note number (A4 = 69 = 440 Hz).
double NoteHz(double Note);
double DbToGain(double Db);
double Clamp(double Value, double Low, double High);
double Lerp(double A, double B, double T);
// Exponential glide from A to B as T goes 0..1 (both positive).
double ExpLerp(double A, double B, double T);
// Smooth 0..1 ramp (raised cosine) of T in 0..1; 0 below, 1 above.
double SmoothStep(double T);

// SplitMix64: small, fast and the same on every platform.
class TRandom {
  public:
    explicit TRandom(uint64_t Seed) : State(Seed) {}
    uint64_t Next();
    double Uniform();                      // [0, 1)
    double Signed();                       // [-1, 1)
    double Range(double Low, double High); // [Low, High)
    double Gauss();                        // approx. normal, mean 0, deviation 1 (sum of uniforms)

  private:
    uint64_t State;
};

// Pink noise (Paul Kellet's refined filter) driven by a TRandom.
class TPinkNoise {
  public:
    explicit TPinkNoise(uint64_t Seed) : Random(Seed) {}
    double Next();

  private:
    TRandom Random;
    double B0 = 0, B1 = 0, B2 = 0, B3 = 0, B4 = 0, B5 = 0, B6 = 0;
};

// Phase-accumulating oscillator; the frequency may change every sample. Saw and pulse are band-limited
// with polyBLEP corrections.
class TOscillator {
  public:
    explicit TOscillator(double StartPhase = 0) : Phase(StartPhase) {}
    double Sine(double Hz);
    double Saw(double Hz);
    double Pulse(double Hz, double Width = 0.5);
    double Triangle(double Hz);
    double Phase; // 0..1

  private:
    double Advance(double Hz);
    double TriangleState = 0;
};

// Topology-preserving state-variable filter (Zavalishin); stable under fast cutoff modulation.
class TSvf {
  public:
    struct TOut {
        double Low, Band, High, Notch;
        double BandNorm; // band-pass with unity gain at the centre
    };
    TOut Process(double In, double CutoffHz, double Q);
    double LowPass(double In, double CutoffHz, double Q = 0.7071) { return Process(In, CutoffHz, Q).Low; }
    double HighPass(double In, double CutoffHz, double Q = 0.7071) { return Process(In, CutoffHz, Q).High; }
    double BandPass(double In, double CutoffHz, double Q) { return Process(In, CutoffHz, Q).BandNorm; }
    void Reset() { Ic1 = Ic2 = 0; }

  private:
    double Ic1 = 0, Ic2 = 0;
};

// Fixed biquad (RBJ cookbook forms).
class TBiquad {
  public:
    static TBiquad LowPass(double Hz, double Q);
    static TBiquad HighPass(double Hz, double Q);
    static TBiquad BandPass(double Hz, double Q); // unity gain at the centre
    static TBiquad Peak(double Hz, double Q, double GainDb);
    static TBiquad LowShelf(double Hz, double GainDb);
    static TBiquad HighShelf(double Hz, double GainDb);
    // Given coefficients, normalised so that a0 = 1.
    static TBiquad Coefficients(double B0, double B1, double B2, double A1, double A2);
    double Process(double In);

  private:
    double B0 = 1, B1 = 0, B2 = 0, A1 = 0, A2 = 0;
    double X1 = 0, X2 = 0, Y1 = 0, Y2 = 0;
};

// One-pole low-pass / high-pass for smoothing and gentle tilt.
class TOnePole {
  public:
    double LowPass(double In, double CutoffHz);
    double HighPass(double In, double CutoffHz);
    double State = 0;
};

// Klatt's digital resonator: unity gain at 0 Hz, a peak at the formant; retuned every sample.
class TResonator {
  public:
    double Process(double In, double Hz, double BandwidthHz);

  private:
    double Y1 = 0, Y2 = 0;
};

// Delay line with fractional (linear) read.
class TDelayLine {
  public:
    explicit TDelayLine(double MaxSeconds);
    void Write(double Value);
    double Read(double DelaySamples) const; // delay of 1 = the previous written sample
    double ReadSeconds(double Seconds) const { return Read(Seconds * Rate); }

  private:
    std::vector<double> Data;
    size_t Head = 0;
};

// Envelopes as functions of time (seconds).
double Adsr(double T, double Attack, double Decay, double Sustain, double GateLength, double Release);
double AttackDecay(double T, double Attack, double DecayTau);
double ExpDecay(double T, double Tau);

// Waveshapers.
double SoftClip(double X, double Drive);

// Buffer helpers.
void Mix(TBuffer& Into, const TBuffer& From, double Gain = 1, size_t Offset = 0);
void Scale(TBuffer& Buffer, double Gain);
double Peak(const TBuffer& Buffer);
// Feedback echo: adds repeats of the signal DelaySeconds apart, each Feedback times the last, through a
// gentle low-pass so repeats darken.
void Echo(TBuffer& Buffer, double DelaySeconds, double Feedback, double Wet, double DampHz = 5000);
// Schroeder/Moorer reverb (eight damped combs, four all-passes). Size 0..1 sets the decay, Damp 0..1 the
// darkening, Wet the level of the reverberant signal added to the dry one.
void Reverb(TBuffer& Buffer, double Size, double Damp, double Wet, double PreDelaySeconds = 0.0);

} // namespace Synth
