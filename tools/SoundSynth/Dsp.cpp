#include "Dsp.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace Synth {

int SamplesOf(double Seconds) {
    return static_cast<int>(std::lround(Seconds * Rate));
}

TBuffer Silence(double Seconds) {
    return TBuffer(static_cast<size_t>(SamplesOf(Seconds)), 0.0);
}

double NoteHz(double Note) {
    return 440.0 * std::pow(2.0, (Note - 69.0) / 12.0);
}

double DbToGain(double Db) {
    return std::pow(10.0, Db / 20.0);
}

double Clamp(double Value, double Low, double High) {
    return std::min(std::max(Value, Low), High);
}

double Lerp(double A, double B, double T) {
    return A + (B - A) * T;
}

double ExpLerp(double A, double B, double T) {
    return A * std::pow(B / A, Clamp(T, 0, 1));
}

double SmoothStep(double T) {
    if (T <= 0)
        return 0;
    if (T >= 1)
        return 1;
    return 0.5 - 0.5 * std::cos(Pi * T);
}

// --- TRandom -------------------------------------------------------------------------------------------

uint64_t TRandom::Next() {
    uint64_t Z = (State += 0x9E3779B97F4A7C15ull);
    Z = (Z ^ (Z >> 30)) * 0xBF58476D1CE4E5B9ull;
    Z = (Z ^ (Z >> 27)) * 0x94D049BB133111EBull;
    return Z ^ (Z >> 31);
}

double TRandom::Uniform() {
    return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0);
}

double TRandom::Signed() {
    return Uniform() * 2 - 1;
}

double TRandom::Range(double Low, double High) {
    return Low + (High - Low) * Uniform();
}

double TRandom::Gauss() {
    double Sum = 0;
    for (int I = 0; I < 6; ++I)
        Sum += Uniform();
    return (Sum - 3.0) * std::sqrt(2.0); // variance of 6 uniforms is 0.5
}

double TPinkNoise::Next() {
    const double White = Random.Signed() * 0.5;
    B0 = 0.99886 * B0 + White * 0.0555179;
    B1 = 0.99332 * B1 + White * 0.0750759;
    B2 = 0.96900 * B2 + White * 0.1538520;
    B3 = 0.86650 * B3 + White * 0.3104856;
    B4 = 0.55000 * B4 + White * 0.5329522;
    B5 = -0.7616 * B5 - White * 0.0168980;
    const double Out = B0 + B1 + B2 + B3 + B4 + B5 + B6 + White * 0.5362;
    B6 = White * 0.115926;
    return Out * 0.25;
}

// --- TOscillator ---------------------------------------------------------------------------------------

namespace {
// The polyBLEP residual for a discontinuity at phase 0, T = phase, Dt = phase increment.
double PolyBlep(double T, double Dt) {
    if (Dt <= 0)
        return 0;
    if (T < Dt) {
        const double X = T / Dt;
        return X + X - X * X - 1;
    }
    if (T > 1 - Dt) {
        const double X = (T - 1) / Dt;
        return X * X + X + X + 1;
    }
    return 0;
}
} // namespace

double TOscillator::Advance(double Hz) {
    const double Dt = Hz / Rate;
    Phase += Dt;
    Phase -= std::floor(Phase);
    return Dt;
}

double TOscillator::Sine(double Hz) {
    const double Out = std::sin(TwoPi * Phase);
    Advance(Hz);
    return Out;
}

double TOscillator::Saw(double Hz) {
    const double Dt = std::min(Hz / Rate, 0.5);
    const double Out = 2 * Phase - 1 - PolyBlep(Phase, Dt);
    Advance(Hz);
    return Out;
}

double TOscillator::Pulse(double Hz, double Width) {
    const double Dt = std::min(Hz / Rate, 0.5);
    double Out = Phase < Width ? 1.0 : -1.0;
    Out += PolyBlep(Phase, Dt);
    double Shifted = Phase - Width;
    Shifted -= std::floor(Shifted);
    Out -= PolyBlep(Shifted, Dt);
    Advance(Hz);
    return Out;
}

double TOscillator::Triangle(double Hz) {
    // Leaky integration of a band-limited square.
    const double Square = Pulse(Hz, 0.5);
    const double Dt = Hz / Rate;
    TriangleState = (1 - 0.0005) * TriangleState + 4 * Dt * Square;
    return TriangleState;
}

// --- Filters -------------------------------------------------------------------------------------------

TSvf::TOut TSvf::Process(double In, double CutoffHz, double Q) {
    const double Fc = Clamp(CutoffHz, 5.0, Rate * 0.49);
    const double G = std::tan(Pi * Fc / Rate);
    const double K = 1.0 / std::max(Q, 0.05);
    const double A1 = 1.0 / (1.0 + G * (G + K));
    const double A2 = G * A1;
    const double A3 = G * A2;
    const double V3 = In - Ic2;
    const double V1 = A1 * Ic1 + A2 * V3;
    const double V2 = Ic2 + A2 * Ic1 + A3 * V3;
    Ic1 = 2 * V1 - Ic1;
    Ic2 = 2 * V2 - Ic2;
    TOut Out;
    Out.Low = V2;
    Out.Band = V1;
    Out.High = In - K * V1 - V2;
    Out.Notch = Out.Low + Out.High;
    Out.BandNorm = K * V1;
    return Out;
}

namespace {
struct TRbj {
    double Cos, Alpha;
};
TRbj RbjOf(double Hz, double Q) {
    const double W = TwoPi * Clamp(Hz, 5.0, Rate * 0.49) / Rate;
    return {std::cos(W), std::sin(W) / (2 * Q)};
}
} // namespace

TBiquad TBiquad::LowPass(double Hz, double Q) {
    const TRbj R = RbjOf(Hz, Q);
    const double A0 = 1 + R.Alpha;
    TBiquad F;
    F.B0 = (1 - R.Cos) / 2 / A0;
    F.B1 = (1 - R.Cos) / A0;
    F.B2 = F.B0;
    F.A1 = -2 * R.Cos / A0;
    F.A2 = (1 - R.Alpha) / A0;
    return F;
}

TBiquad TBiquad::HighPass(double Hz, double Q) {
    const TRbj R = RbjOf(Hz, Q);
    const double A0 = 1 + R.Alpha;
    TBiquad F;
    F.B0 = (1 + R.Cos) / 2 / A0;
    F.B1 = -(1 + R.Cos) / A0;
    F.B2 = F.B0;
    F.A1 = -2 * R.Cos / A0;
    F.A2 = (1 - R.Alpha) / A0;
    return F;
}

TBiquad TBiquad::BandPass(double Hz, double Q) {
    const TRbj R = RbjOf(Hz, Q);
    const double A0 = 1 + R.Alpha;
    TBiquad F;
    F.B0 = R.Alpha / A0;
    F.B1 = 0;
    F.B2 = -R.Alpha / A0;
    F.A1 = -2 * R.Cos / A0;
    F.A2 = (1 - R.Alpha) / A0;
    return F;
}

TBiquad TBiquad::Peak(double Hz, double Q, double GainDb) {
    const TRbj R = RbjOf(Hz, Q);
    const double A = std::pow(10.0, GainDb / 40);
    const double A0 = 1 + R.Alpha / A;
    TBiquad F;
    F.B0 = (1 + R.Alpha * A) / A0;
    F.B1 = -2 * R.Cos / A0;
    F.B2 = (1 - R.Alpha * A) / A0;
    F.A1 = -2 * R.Cos / A0;
    F.A2 = (1 - R.Alpha / A) / A0;
    return F;
}

TBiquad TBiquad::LowShelf(double Hz, double GainDb) {
    const double A = std::pow(10.0, GainDb / 40);
    const TRbj R = RbjOf(Hz, 0.7071);
    const double S = 2 * std::sqrt(A) * R.Alpha;
    const double A0 = (A + 1) + (A - 1) * R.Cos + S;
    TBiquad F;
    F.B0 = A * ((A + 1) - (A - 1) * R.Cos + S) / A0;
    F.B1 = 2 * A * ((A - 1) - (A + 1) * R.Cos) / A0;
    F.B2 = A * ((A + 1) - (A - 1) * R.Cos - S) / A0;
    F.A1 = -2 * ((A - 1) + (A + 1) * R.Cos) / A0;
    F.A2 = ((A + 1) + (A - 1) * R.Cos - S) / A0;
    return F;
}

TBiquad TBiquad::HighShelf(double Hz, double GainDb) {
    const double A = std::pow(10.0, GainDb / 40);
    const TRbj R = RbjOf(Hz, 0.7071);
    const double S = 2 * std::sqrt(A) * R.Alpha;
    const double A0 = (A + 1) - (A - 1) * R.Cos + S;
    TBiquad F;
    F.B0 = A * ((A + 1) + (A - 1) * R.Cos + S) / A0;
    F.B1 = -2 * A * ((A - 1) + (A + 1) * R.Cos) / A0;
    F.B2 = A * ((A + 1) + (A - 1) * R.Cos - S) / A0;
    F.A1 = 2 * ((A - 1) - (A + 1) * R.Cos) / A0;
    F.A2 = ((A + 1) - (A - 1) * R.Cos - S) / A0;
    return F;
}

TBiquad TBiquad::Coefficients(double B0, double B1, double B2, double A1, double A2) {
    TBiquad F;
    F.B0 = B0;
    F.B1 = B1;
    F.B2 = B2;
    F.A1 = A1;
    F.A2 = A2;
    return F;
}

double TBiquad::Process(double In) {
    const double Out = B0 * In + B1 * X1 + B2 * X2 - A1 * Y1 - A2 * Y2;
    X2 = X1;
    X1 = In;
    Y2 = Y1;
    Y1 = Out;
    return Out;
}

double TOnePole::LowPass(double In, double CutoffHz) {
    const double A = std::exp(-TwoPi * Clamp(CutoffHz, 1.0, Rate * 0.49) / Rate);
    State = In + A * (State - In);
    return State;
}

double TOnePole::HighPass(double In, double CutoffHz) {
    return In - LowPass(In, CutoffHz);
}

double TResonator::Process(double In, double Hz, double BandwidthHz) {
    const double T = 1.0 / Rate;
    const double C = -std::exp(-TwoPi * BandwidthHz * T);
    const double B = 2 * std::exp(-Pi * BandwidthHz * T) * std::cos(TwoPi * Hz * T);
    const double A = 1 - B - C;
    const double Out = A * In + B * Y1 + C * Y2;
    Y2 = Y1;
    Y1 = Out;
    return Out;
}

// --- Delay ---------------------------------------------------------------------------------------------

TDelayLine::TDelayLine(double MaxSeconds) : Data(static_cast<size_t>(SamplesOf(MaxSeconds)) + 4, 0.0) {}

void TDelayLine::Write(double Value) {
    Data[Head] = Value;
    Head = (Head + 1) % Data.size();
}

double TDelayLine::Read(double DelaySamples) const {
    const double D = Clamp(DelaySamples, 1.0, static_cast<double>(Data.size() - 2));
    const size_t Whole = static_cast<size_t>(D);
    const double Frac = D - static_cast<double>(Whole);
    const size_t Size = Data.size();
    const size_t I0 = (Head + Size - Whole) % Size;
    const size_t I1 = (Head + Size - Whole - 1) % Size;
    return Data[I0] * (1 - Frac) + Data[I1] * Frac;
}

// --- Envelopes and shapers -----------------------------------------------------------------------------

double Adsr(double T, double Attack, double Decay, double Sustain, double GateLength, double Release) {
    auto Gated = [&](double U) {
        if (U < 0)
            return 0.0;
        if (U < Attack)
            return U / Attack;
        if (U < Attack + Decay)
            return 1 - (1 - Sustain) * (U - Attack) / Decay;
        return Sustain;
    };
    if (T < GateLength)
        return Gated(T);
    const double Level = Gated(GateLength);
    const double U = T - GateLength;
    if (U >= Release)
        return 0;
    const double X = 1 - U / Release;
    return Level * X * X;
}

double AttackDecay(double T, double Attack, double DecayTau) {
    if (T < 0)
        return 0;
    if (T < Attack)
        return SmoothStep(T / Attack);
    return std::exp(-(T - Attack) / DecayTau);
}

double ExpDecay(double T, double Tau) {
    return T < 0 ? 0 : std::exp(-T / Tau);
}

double SoftClip(double X, double Drive) {
    return std::tanh(X * Drive) / std::tanh(Drive);
}

// --- Buffers -------------------------------------------------------------------------------------------

void Mix(TBuffer& Into, const TBuffer& From, double Gain, size_t Offset) {
    if (Into.size() < From.size() + Offset)
        Into.resize(From.size() + Offset, 0.0);
    for (size_t I = 0; I < From.size(); ++I)
        Into[I + Offset] += From[I] * Gain;
}

void Scale(TBuffer& Buffer, double Gain) {
    for (double& V : Buffer)
        V *= Gain;
}

double Peak(const TBuffer& Buffer) {
    double P = 0;
    for (double V : Buffer)
        P = std::max(P, std::fabs(V));
    return P;
}

void Echo(TBuffer& Buffer, double DelaySeconds, double Feedback, double Wet, double DampHz) {
    TDelayLine Line(DelaySeconds + 0.01);
    TOnePole Damp;
    const double Delay = DelaySeconds * Rate;
    for (double& V : Buffer) {
        const double Repeat = Line.Read(Delay);
        Line.Write(V + Damp.LowPass(Repeat, DampHz) * Feedback);
        V += Repeat * Wet;
    }
}

void Reverb(TBuffer& Buffer, double Size, double Damp, double Wet, double PreDelaySeconds) {
    static constexpr std::array<int, 8> CombTunings{1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    static constexpr std::array<int, 4> AllPassTunings{556, 441, 341, 225};
    struct TComb {
        std::vector<double> Data;
        size_t Index = 0;
        double Store = 0;
    };
    struct TAllPass {
        std::vector<double> Data;
        size_t Index = 0;
    };
    std::array<TComb, 8> Combs;
    std::array<TAllPass, 4> AllPasses;
    for (size_t I = 0; I < Combs.size(); ++I)
        Combs[I].Data.assign(static_cast<size_t>(CombTunings[I]), 0.0);
    for (size_t I = 0; I < AllPasses.size(); ++I)
        AllPasses[I].Data.assign(static_cast<size_t>(AllPassTunings[I]), 0.0);
    const double Feedback = 0.7 + 0.28 * Clamp(Size, 0, 1);
    const double Damping = 0.4 * Clamp(Damp, 0, 1);
    TDelayLine Pre(PreDelaySeconds + 0.01);
    const double PreSamples = std::max(1.0, PreDelaySeconds * Rate);
    TOnePole InputHighPass;
    for (double& V : Buffer) {
        Pre.Write(V);
        // The reverb's input: pre-delayed, with the lowest rumble removed so the tail stays clear.
        const double In = InputHighPass.HighPass(Pre.Read(PreSamples), 120) * 0.015;
        double Out = 0;
        for (TComb& C : Combs) {
            const double Y = C.Data[C.Index];
            C.Store = Y * (1 - Damping) + C.Store * Damping;
            C.Data[C.Index] = In + C.Store * Feedback;
            C.Index = (C.Index + 1) % C.Data.size();
            Out += Y;
        }
        for (TAllPass& A : AllPasses) {
            const double Buffered = A.Data[A.Index];
            const double Y = -Out + Buffered;
            A.Data[A.Index] = Out + Buffered * 0.5;
            A.Index = (A.Index + 1) % A.Data.size();
            Out = Y;
        }
        V += Out * Wet * 3.0;
    }
}

} // namespace Synth
