#include "Loudness.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace Synth {

namespace {

constexpr double Silent = -999.0;
constexpr int OverSampling = 4;
constexpr int TapsPerPhase = 48;

double PowerToLufs(double MeanSquare) {
    return MeanSquare > 0 ? -0.691 + 10 * std::log10(MeanSquare) : Silent;
}

// The two stages of the K-weighting filter, from their analogue prototypes so any rate gets the curve
// the 48 kHz reference coefficients describe: a +4 dB shelf over 1.7 kHz (the head), and a high-pass at
// 38 Hz (the revised low-frequency weighting).
TBiquad HeadShelf() {
    const double F0 = 1681.974450955533, GainDb = 3.999843853973347, Q = 0.7071752369554196;
    const double K = std::tan(Pi * F0 / Rate);
    const double Vh = std::pow(10.0, GainDb / 20), Vb = std::pow(Vh, 0.4996667741545416);
    const double A0 = 1 + K / Q + K * K;
    return TBiquad::Coefficients((Vh + Vb * K / Q + K * K) / A0, 2 * (K * K - Vh) / A0,
                                 (Vh - Vb * K / Q + K * K) / A0, 2 * (K * K - 1) / A0,
                                 (1 - K / Q + K * K) / A0);
}

TBiquad LowCut() {
    const double F0 = 38.13547087602444, Q = 0.5003270373238773;
    const double K = std::tan(Pi * F0 / Rate);
    const double A0 = 1 + K / Q + K * K;
    return TBiquad::Coefficients(1, -2, 1, 2 * (K * K - 1) / A0, (1 - K / Q + K * K) / A0);
}

// The squared K-weighted signal.
TBuffer WeightedPower(const TBuffer& Buffer) {
    TBiquad Shelf = HeadShelf(), Cut = LowCut();
    TBuffer Power(Buffer.size());
    for (size_t I = 0; I < Buffer.size(); ++I) {
        const double Y = Cut.Process(Shelf.Process(Buffer[I]));
        Power[I] = Y * Y;
    }
    return Power;
}

// Power from From on, in 400 ms blocks every 100 ms (silence after the end completes a block), gated.
double GatedLoudness(const TBuffer& Power, size_t From) {
    const size_t Block = static_cast<size_t>(SamplesOf(0.4)), Step = Block / 4;
    std::vector<double> Blocks;
    const size_t Length = std::max(Power.size(), From + Block);
    for (size_t Start = From; Start + Block <= Length; Start += Step) {
        double Sum = 0;
        for (size_t I = Start; I < std::min(Start + Block, Power.size()); ++I)
            Sum += Power[I];
        Blocks.push_back(Sum / static_cast<double>(Block));
    }
    auto MeanAbove = [&](double GateLufs) {
        double Sum = 0;
        int Count = 0;
        for (double B : Blocks)
            if (PowerToLufs(B) > GateLufs) {
                Sum += B;
                ++Count;
            }
        return Count > 0 ? Sum / Count : 0.0;
    };
    const double Absolute = MeanAbove(-70);
    if (Absolute <= 0)
        return Silent;
    return PowerToLufs(MeanAbove(PowerToLufs(Absolute) - 10));
}

// One phase of the interpolation filter: a Blackman-windowed sinc with its cut at the original Nyquist.
std::array<double, TapsPerPhase> Phase(int P) {
    std::array<double, TapsPerPhase> Taps{};
    const double Centre = (TapsPerPhase * OverSampling - 1) / 2.0;
    const double Span = TapsPerPhase * OverSampling - 1;
    for (int T = 0; T < TapsPerPhase; ++T) {
        const int N = T * OverSampling + P;
        const double X = (N - Centre) / OverSampling;
        const double Sinc = std::fabs(X) < 1e-12 ? 1.0 : std::sin(Pi * X) / (Pi * X);
        const double W = 0.42 - 0.5 * std::cos(TwoPi * N / Span) + 0.08 * std::cos(2 * TwoPi * N / Span);
        Taps[static_cast<size_t>(T)] = Sinc * W;
    }
    return Taps;
}

} // namespace

double IntegratedLoudness(const TBuffer& Buffer, bool Loop) {
    if (!Loop)
        return GatedLoudness(WeightedPower(Buffer), 0);
    TBuffer Played;
    for (int Round = 0; Round < 3; ++Round)
        Played.insert(Played.end(), Buffer.begin(), Buffer.end());
    // The first round lets the filters settle; the other two are measured.
    return GatedLoudness(WeightedPower(Played), Buffer.size());
}

double TruePeakDb(const TBuffer& Buffer, bool Loop) {
    if (Buffer.empty())
        return Silent;
    // The signal with what lies beyond its ends: silence, or the loop coming round again.
    const size_t Size = Buffer.size(), Pad = TapsPerPhase;
    TBuffer Padded(Size + 2 * Pad, 0.0);
    for (size_t I = 0; I < Padded.size(); ++I)
        if (Loop)
            Padded[I] = Buffer[(I + Size * Pad - Pad) % Size];
        else if (I >= Pad && I < Pad + Size)
            Padded[I] = Buffer[I - Pad];
    double Highest = Peak(Buffer); // the samples themselves: no phase of the filter lands on them
    for (int P = 0; P < OverSampling; ++P) {
        const std::array<double, TapsPerPhase> Taps = Phase(P);
        for (size_t I = Pad; I < Padded.size(); ++I) {
            double Sum = 0;
            for (size_t T = 0; T < Taps.size(); ++T)
                Sum += Taps[T] * Padded[I - T];
            Highest = std::max(Highest, std::fabs(Sum));
        }
    }
    return Highest > 0 ? 20 * std::log10(Highest) : Silent;
}

} // namespace Synth
