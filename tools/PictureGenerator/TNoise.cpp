#include "TNoise.h"

#include <cmath>

double TNoise::Hash(int X, int Y, uint32_t Seed) {
    uint32_t H =
        static_cast<uint32_t>(X) * 374761393u + static_cast<uint32_t>(Y) * 668265263u + Seed * 2246822519u;
    H = (H ^ (H >> 13)) * 1274126177u;
    H ^= H >> 16;
    return H / 4294967295.0;
}

double TNoise::Value(double X, double Y, uint32_t Seed) {
    const double FX = std::floor(X), FY = std::floor(Y);
    const int IX = static_cast<int>(FX), IY = static_cast<int>(FY);
    double TX = X - FX, TY = Y - FY;
    TX = TX * TX * TX * (TX * (TX * 6 - 15) + 10);
    TY = TY * TY * TY * (TY * (TY * 6 - 15) + 10);
    const double A = Hash(IX, IY, Seed), B = Hash(IX + 1, IY, Seed);
    const double C = Hash(IX, IY + 1, Seed), D = Hash(IX + 1, IY + 1, Seed);
    return (A + (B - A) * TX) + ((C + (D - C) * TX) - (A + (B - A) * TX)) * TY;
}

double TNoise::Fractal(double X, double Y, int Octaves, uint32_t Seed) {
    double Sum = 0, Weight = 0.5, Total = 0;
    for (int O = 0; O < Octaves; ++O) {
        Sum += Value(X, Y, Seed + O * 101u) * Weight;
        Total += Weight;
        X = X * 2.03 + 17.1;
        Y = Y * 2.03 - 9.7;
        Weight *= 0.5;
    }
    return Sum / Total;
}

double TNoise::Ridged(double X, double Y, int Octaves, uint32_t Seed) {
    double Sum = 0, Weight = 0.5, Total = 0;
    for (int O = 0; O < Octaves; ++O) {
        const double V = 1 - std::fabs(Value(X, Y, Seed + O * 131u) * 2 - 1);
        Sum += V * V * Weight;
        Total += Weight;
        X = X * 2.01 + 5.3;
        Y = Y * 2.01 + 11.9;
        Weight *= 0.5;
    }
    return Sum / Total;
}
