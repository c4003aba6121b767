// A frame of N rotated, tinted sprites of one image: through the batching canvas, and each sprite with
// its own SDL_RenderCopyEx. Both on the software renderer into an offscreen target.
#include "render/TVelaCanvas.h"
#include "render/TVelaDevice.h"
#include "render/TVelaImage.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>

namespace {

constexpr int SpriteSize = 32;

struct TScene {
    TVelaDevice Device;
    std::unique_ptr<TVelaCanvas> Canvas;
    std::unique_ptr<TVelaImage> Image;

    TScene() {
        Device.Headless = true;
        Device.SetSize(1024, 768);
        Device.OnRender = [](TVelaDevice&) {};
        if (!Device.Initialize())
            std::abort();
        Canvas = std::make_unique<TVelaCanvas>(Device);
        Canvas->SetVertexCache(1024);
        TPicture Picture;
        Picture.Width = Picture.Height = SpriteSize;
        Picture.Pixels.resize(SpriteSize * SpriteSize);
        for (int Y = 0; Y < SpriteSize; ++Y)
            for (int X = 0; X < SpriteSize; ++X) {
                const double R = std::hypot(X - 15.5, Y - 15.5) / 16;
                const uint32_t Alpha = R < 1 ? static_cast<uint32_t>(255 * (1 - R)) : 0;
                Picture.Pixels[Y * SpriteSize + X] = Alpha << 24 | 0xFFFFFF;
            }
        Image = std::make_unique<TVelaImage>(Device);
        Image->SetTextureSize(SpriteSize, SpriteSize);
        Image->LoadFromPicture(Picture, false, 0, 0);
    }
};

struct TSprite {
    float X, Y, Angle;
    uint32_t Colour;
};

TSprite SpriteAt(int I) {
    const uint32_t Hash = static_cast<uint32_t>(I) * 2654435761u;
    return {static_cast<float>(Hash % 1000 + 12), static_cast<float>((Hash >> 10) % 740 + 14),
            static_cast<float>(I) * 0.37f, 0xFF000000u | (Hash & 0xFFFFFF)};
}

std::map<int, double> CanvasMicroseconds, CopyMicroseconds;
std::map<int, int> CanvasSubmissions;

void CanvasFrame(benchmark::State& State) {
    TScene Scene;
    const int Count = static_cast<int>(State.range(0));
    auto Start = std::chrono::steady_clock::now();
    for (auto _ : State) {
        Scene.Canvas->ResetCounters();
        for (int I = 0; I < Count; ++I) {
            const TSprite Sprite = SpriteAt(I);
            Scene.Canvas->DrawRotated(Scene.Image.get(), Sprite.X, Sprite.Y, Sprite.Angle, 1.0f,
                                      Sprite.Colour, 0, EffectBlend);
        }
        Scene.Canvas->Flush();
    }
    const double Elapsed =
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - Start).count();
    CanvasMicroseconds[Count] = Elapsed / State.iterations();
    CanvasSubmissions[Count] = Scene.Canvas->DrawCalls();
    State.counters["sprites_per_ms"] = Count / (CanvasMicroseconds[Count] / 1000);
    State.counters["submissions"] = Scene.Canvas->DrawCalls();
}

void CopyExFrame(benchmark::State& State) {
    TScene Scene;
    const int Count = static_cast<int>(State.range(0));
    SDL_Renderer* Renderer = Scene.Device.Renderer();
    SDL_Texture* Texture = Scene.Image->Texture(0);
    SDL_SetTextureBlendMode(Texture, SDL_BLENDMODE_BLEND);
    auto Start = std::chrono::steady_clock::now();
    for (auto _ : State) {
        for (int I = 0; I < Count; ++I) {
            const TSprite Sprite = SpriteAt(I);
            SDL_SetTextureColorMod(Texture, Sprite.Colour & 0xFF, (Sprite.Colour >> 8) & 0xFF,
                                   (Sprite.Colour >> 16) & 0xFF);
            const SDL_FRect Target = {Sprite.X - SpriteSize / 2.0f, Sprite.Y - SpriteSize / 2.0f, SpriteSize,
                                      SpriteSize};
            SDL_RenderCopyExF(Renderer, Texture, nullptr, &Target, Sprite.Angle * 180 / M_PI, nullptr,
                              SDL_FLIP_NONE);
        }
        SDL_RenderFlush(Renderer);
    }
    const double Elapsed =
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - Start).count();
    CopyMicroseconds[Count] = Elapsed / State.iterations();
    State.counters["sprites_per_ms"] = Count / (CopyMicroseconds[Count] / 1000);
    State.counters["submissions"] = Count;
}

BENCHMARK(CanvasFrame)->Arg(100)->Arg(500)->Arg(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK(CopyExFrame)->Arg(100)->Arg(500)->Arg(2000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("\n%8s %18s %18s %8s %22s\n", "sprites", "canvas sprites/ms", "CopyEx sprites/ms", "ratio",
                "canvas submissions");
    for (const auto& [Count, Canvas] : CanvasMicroseconds) {
        if (!CopyMicroseconds.count(Count))
            continue;
        const double Copy = CopyMicroseconds[Count];
        std::printf("%8d %18.1f %18.1f %7.2fx %22d\n", Count, Count / (Canvas / 1000), Count / (Copy / 1000),
                    Copy / Canvas, CanvasSubmissions[Count]);
    }
    return 0;
}
