// A frame of N rotated, tinted sprites of one image: through the batching canvas, and each sprite with
// its own SDL_RenderCopyEx. On the software renderer into an offscreen target, and on SDL's OpenGL
// renderer in a hidden window (under Xvfb with Mesa's software GL on machines without a display).
#include "render/TVelaCanvas.h"
#include "render/TVelaDevice.h"
#include "render/TVelaImage.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>

namespace {

constexpr int SpriteSize = 32;

struct TScene {
    TVelaDevice Device;
    std::unique_ptr<TVelaCanvas> Canvas;
    std::unique_ptr<TVelaImage> Image;
    bool Started = false;

    explicit TScene(bool OpenGL) {
        Device.Headless = !OpenGL;
        Device.SetSize(1024, 768);
        Device.OnRender = [](TVelaDevice&) {};
        if (OpenGL) {
            SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
            // Naming a driver turns SDL's own batching off; the game never names one.
            SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
        }
        Started = Device.Initialize() && (!OpenGL || IsOpenGL());
        SDL_ResetHint(SDL_HINT_RENDER_DRIVER);
        SDL_ResetHint(SDL_HINT_RENDER_BATCHING);
        if (!Started)
            return;
        if (Device.Window() != nullptr)
            SDL_HideWindow(Device.Window());
        Canvas = std::make_unique<TVelaCanvas>(Device);
        Canvas->SetVertexCache(1024);
        if (getenv("NEAREST"))
            Canvas->SetAntialias(false);
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

    bool IsOpenGL() const {
        SDL_RendererInfo Info;
        return Device.Accelerated() && SDL_GetRendererInfo(Device.Renderer(), &Info) == 0 &&
               std::strcmp(Info.name, "opengl") == 0;
    }

    // Waits until the renderer has drawn everything sent: reading a pixel back makes it finish.
    void Finish() {
        uint32_t Pixel = 0;
        const SDL_Rect One = {0, 0, 1, 1};
        SDL_RenderReadPixels(Device.Renderer(), &One, SDL_PIXELFORMAT_ARGB8888, &Pixel, 4);
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

// Per renderer and sprite count: microseconds a frame, and the canvas's submissions.
std::map<std::string, std::map<int, double>> CanvasMicroseconds, CopyMicroseconds;
std::map<std::string, std::map<int, int>> CanvasSubmissions;

void Report(benchmark::State& State, double Microseconds, int Submissions) {
    const double Count = static_cast<double>(State.range(0));
    State.counters["sprites_per_ms"] = Count / (Microseconds / 1000);
    State.counters["submissions"] = Submissions;
}

// Runs Draw once a frame, finished each time; the mean microseconds a frame.
template <typename TDraw> double TimeFrames(benchmark::State& State, TScene& Scene, TDraw Draw) {
    const auto Start = std::chrono::steady_clock::now();
    for (auto _ : State) {
        Draw();
        Scene.Finish();
    }
    const double Elapsed =
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - Start).count();
    return Elapsed / static_cast<double>(State.iterations());
}

void CanvasFrameOn(benchmark::State& State, bool OpenGL) {
    TScene Scene(OpenGL);
    if (!Scene.Started) {
        State.SkipWithError("no OpenGL renderer could start (no display? run under Xvfb)");
        return;
    }
    const int Count = static_cast<int>(State.range(0));
    const double Microseconds = TimeFrames(State, Scene, [&] {
        Scene.Canvas->ResetCounters();
        for (int I = 0; I < Count; ++I) {
            const TSprite Sprite = SpriteAt(I);
            Scene.Canvas->DrawRotated(Scene.Image.get(), Sprite.X, Sprite.Y, Sprite.Angle, 1.0f,
                                      Sprite.Colour, 0, EffectBlend);
        }
        Scene.Canvas->Flush();
    });
    const std::string Renderer = OpenGL ? "opengl" : "software";
    CanvasMicroseconds[Renderer][Count] = Microseconds;
    CanvasSubmissions[Renderer][Count] = Scene.Canvas->DrawCalls();
    Report(State, Microseconds, Scene.Canvas->DrawCalls());
}

void CopyExFrameOn(benchmark::State& State, bool OpenGL) {
    TScene Scene(OpenGL);
    if (!Scene.Started) {
        State.SkipWithError("no OpenGL renderer could start (no display? run under Xvfb)");
        return;
    }
    const int Count = static_cast<int>(State.range(0));
    SDL_Renderer* Renderer = Scene.Device.Renderer();
    SDL_Texture* Texture = Scene.Image->Texture(0);
    SDL_SetTextureBlendMode(Texture, SDL_BLENDMODE_BLEND);
    const double Microseconds = TimeFrames(State, Scene, [&] {
        for (int I = 0; I < Count; ++I) {
            const TSprite Sprite = SpriteAt(I);
            SDL_SetTextureColorMod(Texture, Sprite.Colour & 0xFF, (Sprite.Colour >> 8) & 0xFF,
                                   (Sprite.Colour >> 16) & 0xFF);
            const SDL_FRect Target = {Sprite.X - SpriteSize / 2.0f, Sprite.Y - SpriteSize / 2.0f, SpriteSize,
                                      SpriteSize};
            SDL_RenderCopyExF(Renderer, Texture, nullptr, &Target, Sprite.Angle * 180 / M_PI, nullptr,
                              SDL_FLIP_NONE);
        }
    });
    CopyMicroseconds[OpenGL ? "opengl" : "software"][Count] = Microseconds;
    Report(State, Microseconds, Count);
}

void CanvasFrame(benchmark::State& State) {
    CanvasFrameOn(State, false);
}

void CopyExFrame(benchmark::State& State) {
    CopyExFrameOn(State, false);
}

void CanvasFrameGL(benchmark::State& State) {
    CanvasFrameOn(State, true);
}

void CopyExFrameGL(benchmark::State& State) {
    CopyExFrameOn(State, true);
}

BENCHMARK(CanvasFrame)->Arg(100)->Arg(500)->Arg(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK(CopyExFrame)->Arg(100)->Arg(500)->Arg(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK(CanvasFrameGL)->Arg(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK(CopyExFrameGL)->Arg(2000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("\n%9s %8s %18s %18s %8s %22s\n", "renderer", "sprites", "canvas sprites/ms",
                "CopyEx sprites/ms", "ratio", "canvas submissions");
    for (const auto& [Renderer, Canvases] : CanvasMicroseconds)
        for (const auto& [Count, Canvas] : Canvases) {
            if (!CopyMicroseconds[Renderer].count(Count))
                continue;
            const double Copy = CopyMicroseconds[Renderer][Count];
            std::printf("%9s %8d %18.1f %18.1f %7.2fx %22d\n", Renderer.c_str(), Count,
                        Count / (Canvas / 1000), Count / (Copy / 1000), Copy / Canvas,
                        CanvasSubmissions[Renderer][Count]);
        }
    return 0;
}
