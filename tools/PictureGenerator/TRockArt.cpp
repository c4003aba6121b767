#include "TRockArt.h"

#include "TArt.h"
#include "TNoise.h"
#include "TPalette.h"

#include <cmath>

namespace {

struct TRock {
    double Radius, Spin;
    uint32_t Seed;

    double Edge(double Angle) const {
        const double N = TNoise::Fractal(std::cos(Angle) * 1.4 + 20, std::sin(Angle) * 1.4 + 20, 3, Seed);
        return Radius * (0.9 + 0.42 * (N - 0.5));
    }
    // Surface height in the rock's own turning frame, with a few craters pressed in.
    double Height(double X, double Y) const {
        double H = TNoise::Fractal(X / 6.5, Y / 6.5, 4, Seed + 5) * 1.2;
        for (int I = 0; I < 5; ++I) {
            const double CX = (TNoise::Hash(I, 1, Seed) - 0.5) * Radius * 1.3;
            const double CY = (TNoise::Hash(I, 2, Seed) - 0.5) * Radius * 1.3;
            const double CR = Radius * (0.14 + 0.16 * TNoise::Hash(I, 3, Seed));
            const double D = std::hypot(X - CX, Y - CY) / CR;
            if (D < 1.3)
                H += D < 1 ? -0.5 * (1 - D * D) : 0.25 * (1.3 - D) / 0.3;
        }
        return H;
    }
};

} // namespace

void TRockArt::Draw(cairo_t* Cr, int Pattern, int Cell, double Radius, uint32_t Seed) {
    const TRock Rock{Radius, Pattern * 2 * M_PI / 25, Seed};
    const double Centre = Cell / 2.0;
    const double LX = -0.55, LY = -0.65, LZ = 0.52;
    TArt::PaintPixels(Cr, Cell, Cell, [&](double PX, double PY, TRgb& Out, double& Alpha) {
        TRgb Sum;
        int Inside = 0;
        for (int SY = 0; SY < 3; ++SY)
            for (int SX = 0; SX < 3; ++SX) {
                const double DX = PX - 0.5 + (SX + 0.5) / 3 - Centre, DY = PY - 0.5 + (SY + 0.5) / 3 - Centre;
                const double Rho = std::hypot(DX, DY);
                const double Theta = std::atan2(DY, DX) - Rock.Spin;
                const double R = Rock.Edge(Theta);
                if (Rho >= R)
                    continue;
                ++Inside;
                // Local (turning) coordinates for the surface; light stays fixed on screen.
                const double C = std::cos(-Rock.Spin), S = std::sin(-Rock.Spin);
                const double X = DX * C - DY * S, Y = DX * S + DY * C;
                const double E = 0.35;
                const double GX = (Rock.Height(X + E, Y) - Rock.Height(X - E, Y)) / (2 * E);
                const double GY = (Rock.Height(X, Y + E) - Rock.Height(X, Y - E)) / (2 * E);
                const double SGX = GX * C + GY * S, SGY = -GX * S + GY * C;
                const double T = Rho / R;
                const double NZ0 = std::sqrt(std::max(0.0, 1 - T * T));
                double NX = DX / R - SGX * 1.6, NY = DY / R - SGY * 1.6, NZ = NZ0 + 0.15;
                const double Len = std::sqrt(NX * NX + NY * NY + NZ * NZ);
                NX /= Len, NY /= Len, NZ /= Len;
                const double Diffuse = std::max(0.0, NX * LX + NY * LY + NZ * LZ);
                const double Tone = TNoise::Fractal(X / 4 + 50, Y / 4, 3, Rock.Seed + 9);
                TRgb Albedo = TArt::Mix(TArt::Hex(0x7a6a62), TArt::Hex(0x4e4a66), Tone);
                Albedo =
                    TArt::Mix(Albedo, TArt::Hex(0x2a2430), TArt::Smooth(0.55, 0.2, Rock.Height(X, Y)) * 0.5);
                TRgb Lit = TArt::Scale(Albedo, 0.12 + 1.25 * Diffuse);
                // Cool rim light from the lower right, the colour of the nebulae.
                const double Rim =
                    TArt::Smooth(0.7, 1.0, T) * std::max(0.0, (DX * 0.7 + DY * 0.7) / (Rho + 1e-6));
                Lit = TArt::Mix(Lit, TArt::Hex(0x7fdcff), Rim * 0.55);
                Sum.R += Lit.R, Sum.G += Lit.G, Sum.B += Lit.B;
            }
        Alpha = Inside / 9.0;
        if (Inside > 0)
            Out = TArt::Scale(Sum, 1.0 / Inside);
    });
}
