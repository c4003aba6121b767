#include "EffectTool/TEffectPreview.h"

#include <algorithm>
#include <cairo.h>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>

namespace {

constexpr float HalfPi = 1.57079632f;
constexpr int Panel = 400;

struct TParticle {
    float Pattern, PatternSpeed, X, Y, OriginX, OriginY, VX, VY, Gravity, Radial, Tangential;
    float Angle, AngleSpeed, Scale, ScaleSpeed, Colour[4], ColourSpeed[4], Age, Middle, Life;
};

// The particle code's own generator: 32-bit LCG from 0.
struct TLcg {
    uint32_t State = 0;
    float Random(float A, float B) {
        State = State * 214013u + 2531011u;
        const float R = static_cast<float>(State >> 16) / 65535.0f;
        const float Lo = std::min(A, B), Hi = std::max(A, B);
        return Lo + (Hi - Lo) * R;
    }
};

struct TSystem {
    TParticleParams P;
    TLcg Rng;
    std::vector<TParticle> Parts;
    float X = Panel / 2.0f, Y = Panel / 2.0f, Angle = 0, Time = 0, Remainder = 0;

    void Clamp(TParticle& Q) {
        for (int I = 0; I < 3; ++I)
            Q.Colour[I] = std::clamp(Q.Colour[I], 0.0f, 255.0f);
        Q.Colour[3] = Q.Colour[3] < 0 ? 0 : Q.Colour[3] > 255 ? 254 : Q.Colour[3];
    }

    void Spawn() {
        TParticle Q{};
        Q.Life = Rng.Random(float(P.LifeMin), float(P.LifeMax));
        Q.Middle = Q.Life * P.MiddlePoint;
        Rng.Random(1, 0); // the path position: the preview emitter does not move
        Q.X = X + Rng.Random(1, -1);
        Q.Y = Y + Rng.Random(1, -1);
        Q.OriginX = X - Q.X;
        Q.OriginY = Y - Q.Y;
        const float A = Rng.Random(P.Spread, 0) + P.Direction + Angle - HalfPi - P.Spread / 2;
        const float Speed = Rng.Random(P.SpeedMin, P.SpeedMax);
        Q.VX = std::cos(A) * Speed;
        Q.VY = std::sin(A) * Speed;
        Q.Gravity = Rng.Random(P.GravityMin, P.GravityMax);
        Q.Radial = Rng.Random(P.RadialMin, P.RadialMax);
        Q.Tangential = Rng.Random(P.TangentialMin, P.TangentialMax);
        Q.Scale = Rng.Random(P.ScaleStart, P.ScaleStart + (P.ScaleEnd - P.ScaleStart) * P.ScaleVariation);
        Q.ScaleSpeed = (P.ScaleEnd - Q.Scale) / Q.Life;
        Q.Angle = Rng.Random(P.AngleStart, P.AngleStart + (P.AngleEnd - P.AngleStart) * P.AngleVariation);
        Q.AngleSpeed = (P.AngleEnd - Q.Angle) / Q.Life;
        Q.Pattern = float(P.FirstPattern);
        Q.PatternSpeed = P.LastPattern >= 0 && P.LastPattern != P.FirstPattern
                             ? float(P.LastPattern - P.FirstPattern) / Q.Life
                             : 0;
        const uint8_t C1[4] = {P.Colour1.R, P.Colour1.G, P.Colour1.B, P.Colour1.A};
        const uint8_t C2[4] = {P.Colour2.R, P.Colour2.G, P.Colour2.B, P.Colour2.A};
        for (int I = 0; I < 4; ++I) {
            const float Variation = I < 3 ? P.ColourVariation : P.AlphaVariation;
            Q.Colour[I] = Rng.Random(C1[I], C1[I] + (C2[I] - C1[I]) * Variation);
        }
        Clamp(Q);
        for (int I = 0; I < 4; ++I)
            Q.ColourSpeed[I] = (C2[I] - Q.Colour[I]) / Q.Middle;
        Parts.push_back(Q);
    }

    void Update(float Dt) {
        if (Time >= 0) {
            Time += Dt;
            if (Time >= float(P.Duration))
                Time = -2;
        }
        const uint8_t C3[4] = {P.Colour3.R, P.Colour3.G, P.Colour3.B, P.Colour3.A};
        for (size_t I = 0; I < Parts.size();) {
            TParticle& Q = Parts[I];
            const bool Crossing = Q.Age <= Q.Middle && Q.Age + Dt >= Q.Middle;
            Q.Age += Dt;
            if (Q.Age >= Q.Life) {
                Q = Parts.back();
                Parts.pop_back();
                continue;
            }
            const float CX = X + Q.OriginX, CY = Y + Q.OriginY;
            float NX = Q.X - CX, NY = Q.Y - CY;
            const float Length = std::hypot(NX, NY);
            NX = Length > 0 ? NX / Length : 0;
            NY = Length > 0 ? NY / Length : 0;
            Q.VX += (NX * Q.Radial - NY * Q.Tangential) * Dt;
            Q.VY += (NY * Q.Radial + NX * Q.Tangential) * Dt;
            Q.VY += Q.Gravity * Dt / 1000;
            Q.X += Q.VX * Dt / 1000;
            Q.Y += Q.VY * Dt / 1000;
            Q.Angle += Q.AngleSpeed * Dt;
            Q.Scale += Q.ScaleSpeed * Dt;
            Q.Pattern += Q.PatternSpeed * Dt;
            if (Crossing)
                for (int K = 0; K < 4; ++K)
                    Q.ColourSpeed[K] = (C3[K] - Q.Colour[K]) / (Q.Life - Q.Middle);
            for (int K = 0; K < 4; ++K)
                Q.Colour[K] += Q.ColourSpeed[K] * Dt;
            Clamp(Q);
            ++I;
        }
        if (Time > -2) {
            const float N = float(P.EmissionRate) * Dt / 1000 + Remainder;
            for (int K = 0; K < int(N) && Parts.size() < 5000; ++K)
                Spawn();
            Remainder = N - std::trunc(N);
        }
    }
};

void DrawParticle(cairo_t* Cr, const TParticle& Q, int Left) {
    const double R = Q.Colour[0] / 255, G = Q.Colour[1] / 255, B = Q.Colour[2] / 255, A = Q.Colour[3] / 255;
    const double Size = 32 * Q.Scale;
    if (Size <= 0.05)
        return;
    cairo_save(Cr);
    cairo_translate(Cr, Left + Q.X, Q.Y);
    cairo_rotate(Cr, Q.Angle);
    switch (std::clamp(int(Q.Pattern), 0, 3)) {
    case 0: {
        cairo_pattern_t* Glow = cairo_pattern_create_radial(0, 0, 0, 0, 0, Size);
        cairo_pattern_add_color_stop_rgba(Glow, 0, R, G, B, A);
        cairo_pattern_add_color_stop_rgba(Glow, 1, R, G, B, 0);
        cairo_set_source(Cr, Glow);
        cairo_arc(Cr, 0, 0, Size, 0, 2 * std::numbers::pi);
        cairo_fill(Cr);
        cairo_pattern_destroy(Glow);
        break;
    }
    case 1:
        cairo_set_source_rgba(Cr, R, G, B, A);
        cairo_set_line_width(Cr, Size * 0.2);
        cairo_arc(Cr, 0, 0, Size * 0.75, 0, 2 * std::numbers::pi);
        cairo_stroke(Cr);
        break;
    case 2:
        cairo_set_source_rgba(Cr, R, G, B, A);
        cairo_set_line_width(Cr, std::max(1.0, Size * 0.12));
        cairo_move_to(Cr, -Size, 0);
        cairo_line_to(Cr, Size, 0);
        cairo_move_to(Cr, 0, -Size);
        cairo_line_to(Cr, 0, Size);
        cairo_stroke(Cr);
        break;
    default:
        cairo_set_source_rgba(Cr, R, G, B, A);
        cairo_set_line_width(Cr, std::max(1.0, Size * 0.15));
        cairo_move_to(Cr, 0, -Size);
        cairo_line_to(Cr, 0, Size);
        cairo_stroke(Cr);
    }
    cairo_restore(Cr);
}

} // namespace

bool TEffectPreview::Render(const TParticleParams& Params, int Milliseconds, float AngleDegrees,
                            const std::vector<float>& Radii, const std::string& PngPath,
                            std::string& Report) {
    cairo_surface_t* Surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, Panel * 4, Panel);
    cairo_t* Cr = cairo_create(Surface);
    cairo_set_source_rgb(Cr, 0, 0, 0);
    cairo_paint(Cr);
    TSystem System;
    System.P = Params;
    System.Angle = AngleDegrees * float(std::numbers::pi) / 180;
    System.Time = Params.Duration <= -1 ? -1 : 0;
    const int Steps = std::max(1, Milliseconds / 16);
    char Line[160];
    int Done = 0;
    for (int Shot = 1; Shot <= 4; ++Shot) {
        const int Until = Steps * Shot / 4;
        for (; Done < Until; ++Done)
            System.Update(16);
        const int Left = (Shot - 1) * Panel;
        cairo_set_operator(Cr, CAIRO_OPERATOR_OVER);
        cairo_set_source_rgb(Cr, 0.3, 0.3, 0.3);
        cairo_set_line_width(Cr, 1);
        for (float Radius : Radii) {
            cairo_new_sub_path(Cr);
            cairo_arc(Cr, Left + Panel / 2.0, Panel / 2.0, Radius, 0, 2 * std::numbers::pi);
        }
        cairo_stroke(Cr);
        cairo_set_operator(Cr, Params.Effect == 0x104 ? CAIRO_OPERATOR_ADD : CAIRO_OPERATOR_OVER);
        float Far = 0;
        for (auto It = System.Parts.rbegin(); It != System.Parts.rend(); ++It) {
            DrawParticle(Cr, *It, Left);
            Far = std::max(Far, std::hypot(It->X - System.X, It->Y - System.Y));
        }
        std::snprintf(Line, sizeof Line, "%5d ms: %4zu particles, farthest %.0f px\n", Done * 16,
                      System.Parts.size(), Far);
        Report += Line;
    }
    cairo_destroy(Cr);
    const bool Ok = cairo_surface_write_to_png(Surface, PngPath.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(Surface);
    return Ok;
}
