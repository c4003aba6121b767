#pragma once

#include <cstdint>

// Smooth value noise and its fractal sums; the same seed always gives the same field.
class TNoise {
  public:
    static double Hash(int X, int Y, uint32_t Seed);
    static double Value(double X, double Y, uint32_t Seed);
    // Sum of Octaves layers, each twice the frequency and half the weight; result about 0 .. 1.
    static double Fractal(double X, double Y, int Octaves, uint32_t Seed);
    // 1 - |noise| ridges: thin bright filaments for nebulae.
    static double Ridged(double X, double Y, int Octaves, uint32_t Seed);
};
