// One 16 ms logic step of a busy effect (about 2000 living particles, all forces and colour fades in
// use), alone and followed by drawing it into a headless 1024 x 768 canvas.
#include "particles/TParticleRandom.h"
#include "particles/TXParticleSystem.h"
#include "render/TVelaCanvas.h"
#include "render/TVelaDevice.h"
#include "render/TVelaImage.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <memory>

namespace {

constexpr int SpriteSize = 32;
constexpr float Step = 16;

// 2000 particles per second living a second each: about 2000 alive once the effect has settled.
TParticleParams Busy() {
    TParticleParams B;
    B.FirstPattern = 0;
    B.LastPattern = -1;
    B.Effect = EffectAdd;
    B.EmissionRate = 2000;
    B.Duration = -1;
    B.LifeMin = 800;
    B.LifeMax = 1200;
    B.Spread = 6.28f;
    B.SpeedMin = 40;
    B.SpeedMax = 160;
    B.GravityMin = 10;
    B.GravityMax = 30;
    B.RadialMin = -0.01f;
    B.RadialMax = 0.01f;
    B.TangentialMin = 0.02f;
    B.TangentialMax = 0.05f;
    B.ScaleStart = 1;
    B.ScaleEnd = 0.2f;
    B.ScaleVariation = 0.3f;
    B.AngleEnd = 3;
    B.AngleVariation = 0.5f;
    B.Colour1 = {255, 240, 160, 255};
    B.Colour2 = {255, 120, 20, 200};
    B.Colour3 = {80, 0, 0, 0};
    B.ColourVariation = 0.2f;
    B.AlphaVariation = 0.1f;
    B.MiddlePoint = 0.3f;
    return B;
}

void Settle(TXParticleSystem& System) {
    TParticleRandom::Reset();
    System.SetParams(Busy());
    System.Fire(512, 384);
    for (int I = 0; I < 200; ++I)
        System.Update(Step);
}

void ParticleUpdate(benchmark::State& State) {
    TXParticleSystem System;
    Settle(System);
    int64_t Particles = 0;
    for (auto _ : State) {
        System.Update(Step);
        Particles += System.Count();
    }
    State.SetItemsProcessed(Particles);
    State.counters["particles"] = static_cast<double>(Particles) / State.iterations();
}

void ParticleUpdateAndDraw(benchmark::State& State) {
    TVelaDevice Device;
    Device.Headless = true;
    Device.SetSize(1024, 768);
    Device.OnRender = [](TVelaDevice&) {};
    if (!Device.Initialize())
        std::abort();
    TVelaCanvas Canvas(Device);
    TPicture Picture;
    Picture.Width = Picture.Height = SpriteSize;
    Picture.Pixels.resize(SpriteSize * SpriteSize);
    for (int Y = 0; Y < SpriteSize; ++Y)
        for (int X = 0; X < SpriteSize; ++X) {
            const double R = std::hypot(X - 15.5, Y - 15.5) / 16;
            Picture.Pixels[Y * SpriteSize + X] =
                (R < 1 ? static_cast<uint32_t>(255 * (1 - R)) : 0) << 24 | 0xFFFFFF;
        }
    TVelaImage Image(Device);
    Image.SetTextureSize(SpriteSize, SpriteSize);
    if (!Image.LoadFromPicture(Picture, false, 0, 0))
        std::abort();

    TXParticleSystem System;
    System.Image = &Image;
    Settle(System);
    int64_t Particles = 0;
    for (auto _ : State) {
        System.Update(Step);
        System.Draw(Canvas);
        Canvas.Flush();
        Particles += System.Count();
    }
    State.SetItemsProcessed(Particles);
    State.counters["particles"] = static_cast<double>(Particles) / State.iterations();
}

BENCHMARK(ParticleUpdate)->Unit(benchmark::kMicrosecond);
BENCHMARK(ParticleUpdateAndDraw)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
