// Renders a test scene through the drawing layer into a PNG: every primitive kind, the three blend
// codes, patterns rotated, scaled and tinted, and text in several fonts. For checking the drawing
// layer by eye after a change. Usage: RenderScene DATA_DIR OUT.png
#include "engine/TEngine.h"
#include "render/TInputState.h"
#include "render/TVelaCanvas.h"
#include "render/TVelaDevice.h"
#include "render/TVelaFontsAlt.h"
#include "render/TVelaImage.h"
#include "render/TVelaKeyboard.h"
#include "render/TVelaMouse.h"
#include "render/TVelaTimer.h"
#include "runtime/TFakeClock.h"
#include "runtime/TPath.h"
#include "runtime/TPngEncoder.h"
#include "runtime/TWin1250.h"

#include <cstdio>

#include <cmath>
#include <string>

namespace {

// A frame that exercises every drawing primitive, the three blend codes, patterns rotated, scaled and
// tinted, and text in several fonts; shown until the game's own screens take over.
class TTestScene {
  public:
    TTestScene(TEngine& Engine, TVelaCanvas& Canvas) : Engine(Engine), Canvas(Canvas) {}
    void Draw(int Frame, int FrameRate);

  private:
    void DrawBackdrop(int Frame);
    void DrawSprites(int Frame);
    void DrawPanels();
    void DrawTexts(int FrameRate);

    TEngine& Engine;
    TVelaCanvas& Canvas;
};

void TTestScene::Draw(int Frame, int FrameRate) {
    DrawBackdrop(Frame);
    DrawPanels();
    DrawSprites(Frame);
    DrawTexts(FrameRate);
}

void TTestScene::DrawBackdrop(int Frame) {
    const SDL_FPoint Screen[4] = {{0, 0}, {1024, 0}, {1024, 768}, {0, 768}};
    const uint32_t Sky[4] = {0xFF401008u, 0xFF300A10u, 0xFF100404u, 0xFF180808u};
    Canvas.FillQuad(Screen, Sky, EffectOpaque);
    // A fixed star field from a small hash, twinkling with the frame count.
    for (int Star = 0; Star < 400; ++Star) {
        const unsigned Hash = static_cast<unsigned>(Star) * 2654435761u;
        const float X = static_cast<float>(Hash % 1024);
        const float Y = static_cast<float>((Hash >> 10) % 768);
        const unsigned Light = 90 + (Hash >> 20) % 140 + ((Star + Frame / 4) % 7 == 0 ? 30 : 0);
        Canvas.PutPixel(X, Y, 0xFF000000u | Light << 16 | Light << 8 | Light, EffectBlend);
    }
}

void TTestScene::DrawPanels() {
    Canvas.FillRect({40, 120, 500, 380}, 0x80402010u, EffectBlend);
    const uint32_t Frame[4] = {0xFFFFC040u, 0xFF40C0FFu, 0xFFFF40C0u, 0xFF40FF80u};
    Canvas.FrameRect({40, 120, 500, 380}, Frame, EffectBlend);
    for (int Line = 0; Line < 12; ++Line) {
        const float Angle = Line * 3.14159265f / 12;
        const SDL_FPoint Centre = {760, 250};
        const SDL_FPoint End = {Centre.x + 110 * std::cos(Angle), Centre.y + 110 * std::sin(Angle)};
        const SDL_FPoint Start = {2 * Centre.x - End.x, 2 * Centre.y - End.y};
        Canvas.DrawLine(Start, End, 0xFF0080FFu, 0x40FFFF00u, EffectAdd);
    }
}

void TTestScene::DrawSprites(int Frame) {
    TVelaImage* Rocket = Engine.GetTexture("rocket1");
    TVelaImage* Glow = Engine.GetTexture("particles");
    TVelaImage* Button = Engine.GetTexture("button");
    // Every animation pattern in a row, plain.
    for (int Pattern = 0; Pattern < 9; ++Pattern)
        Canvas.Draw(Rocket, 60.0f + Pattern * 48, 140, Pattern, EffectBlend);
    // Rotated and tinted around a circle, turning with the frames.
    for (int I = 0; I < 12; ++I) {
        const float Angle = I * 3.14159265f / 6 + Frame * 0.02f;
        const uint32_t Tint = 0xFF000000u | (I * 20u) << 16 | (255u - I * 20u) << 8 | 255u;
        Canvas.DrawRotated(Rocket, 270 + 90 * std::cos(Angle), 280 + 90 * std::sin(Angle),
                           Angle + 3.14159265f / 2, 1.0f, Tint, (Frame + I) % 9, EffectBlend);
    }
    // Additive glow: soft particles in a ring.
    for (int I = 0; I < 24; ++I) {
        const float Angle = I * 3.14159265f / 12 - Frame * 0.01f;
        const uint32_t Colour = 0xC0000000u | (64u + I * 8u) << 8 | (255u - I * 6u);
        Canvas.DrawRotated(Glow, 760 + 140 * std::cos(Angle), 250 + 140 * std::sin(Angle), Angle, 0.8f,
                           Colour, I % 4, EffectAdd);
    }
    // Scaled, and opaque.
    Canvas.DrawScaled(Rocket, 560, 440, 2.5f, 4, 0xFFFFFFFFu, EffectBlend);
    Canvas.DrawScaled(Glow, 900, 420, 1.5f, 0, 0xFF40FFFFu, EffectOpaque);
    // Mirrored and flipped quads of one pattern.
    for (int Corner = 0; Corner < 4; ++Corner) {
        const float X = 560.0f + Corner * 100;
        const SDL_FPoint Points[4] = {{X, 640}, {X + 64, 640}, {X + 64, 672}, {X, 672}};
        const uint32_t White[4] = {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};
        Canvas.DrawQuad(Rocket, Points, White, 0, EffectBlend, nullptr, Corner & 1, Corner & 2);
    }
    // The registry's aligned drawing with alpha.
    Engine.DrawTexturePattern(Button, 270, 420, 1, 0, 255, 0);
    Engine.DrawTexturePattern(Button, 270, 480, 1, 0, 160, 1);
}

void TTestScene::DrawTexts(int FrameRate) {
    Engine.DrawText("ZERATHON", 512, 20, 1, 0, 0xFF40D0FFu, 4);
    Engine.DrawText("Font 0 (16) with shadow", 60, 200, 0, 0, 0xFFFFFFFFu, 0);
    Engine.DrawText("Font 1 (16) without shadow", 60, 222, 0, 0, 0xFFFFFFFFu, 1);
    Engine.DrawText("Font 2 (22)", 60, 246, 0, 0, 0xFF80FF80u, 2);
    Engine.DrawText("Font 3 (30) right", 480, 300, 2, 0, 0xFF80C0FFu, 3);
    Engine.DrawText(TWin1250::FromUtf8("Příliš žluťoučký kůň úpěl ďábelské ódy"), 512, 730, 1, 1, 0xFFFFFFFFu,
                    10);
    for (int Index = 5; Index <= 25; Index += 5)
        Engine.DrawText("Size " + std::to_string(14 + 2 * (Index - 5)), 40, 400 + (Index - 5) * 12.0, 0, 0,
                        0xA0FFFFFFu, Index);
    Engine.DrawText("Frames per second: " + std::to_string(FrameRate), 1010, 740, 2, 2, 0xFF00FF00u, 0);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: RenderScene DATA_DIR OUT.png\n");
        return 2;
    }
    const std::string DataDir = std::string(argv[1]) + "/";
    TVelaDevice Device;
    Device.Headless = true;
    Device.SetSize(1024, 768);
    TVelaCanvas Canvas(Device);
    Canvas.SetVertexCache(1024);
    TFakeClock Clock;
    TInputState Input;
    TVelaTimer Timer(Clock);
    TVelaMouse Mouse(Input);
    TVelaKeyboard Keyboard(Input);
    TVelaFontsAlt Fonts(Device);
    Fonts.RegisterFontFile("BEWARE", TPath::Join(DataDir, "Text\\BEWARE__.ttf"));
    const int Heights[5] = {16, 16, 22, 30, 40};
    for (int Index = 0; Index < 26; ++Index) {
        TVelaFontAlt& Font = Fonts.Add();
        Font.Name = "BEWARE";
        Font.Style = Index == 1 ? feBold : (feBold | feShadow);
        Font.Size = Index < 5 ? Heights[Index] : 2 * (Index - 4) + 12;
    }
    TEngine* Shared = nullptr;
    Device.OnRender = [&](TVelaDevice&) {
        TTestScene(*Shared, Canvas).Draw(1, 100);
        Shared->UpdateCursor();
    };
    if (!Device.Initialize())
        return 1;
    Fonts.InitializeAll();
    TEngine Engine(DataDir, TPath::Join(DataDir, "Graphic\\Textures.ini"), Timer, Canvas, Device, Mouse,
                   Keyboard, Fonts);
    Shared = &Engine;
    Device.Render(0, true);
    TPicture Frame;
    std::string Error;
    if (!Device.ReadPixels(Frame) || !TPngEncoder::Save(argv[2], Frame, &Error)) {
        std::fprintf(stderr, "RenderScene: %s\n", Error.c_str());
        return 1;
    }
    return 0;
}
