#include "engine/TEngineAnimButtonEx.h"

#include "engine/TEngine.h"
#include "engine/TWidgetInput.h"
#include "render/TVelaCanvas.h"

#include <algorithm>

TEngineAnimButtonEx::TEngineAnimButtonEx(TEngine& Engine, const std::string& Action,
                                         const std::string& Caption, int X, int Y, uint32_t CaptionColour,
                                         uint32_t CaptionHoverColour, int Alignment, int CaptionAlignment,
                                         const std::string& TextureName, int CaptionOffsetX,
                                         int CaptionOffsetY, int Font, int HoverFont, int ImageOffsetX,
                                         int ImageOffsetY, int Width, int Height)
    : CaptionColour(CaptionColour), CaptionHoverColour(CaptionHoverColour), ImageOffsetX(ImageOffsetX),
      ImageOffsetY(ImageOffsetY), Width(Width), Height(Height), Engine(Engine), Caption(Caption), X(X), Y(Y),
      CaptionOffsetX(CaptionOffsetX), CaptionOffsetY(CaptionOffsetY), Alignment(Alignment),
      CaptionAlignment(CaptionAlignment), TextureName(TextureName), FAction(Action), Font(Font),
      HoverFont(HoverFont) {
    // Measured once, in the normal font, so the hover font does not shift the caption.
    CaptionWidth = TWidgetInput::TextWidth(Engine, Font, Caption);
    CaptionHeight = TWidgetInput::TextHeight(Engine, Font, Caption);
    Place();
}

void TEngineAnimButtonEx::Place() {
    HitRect = TWidgetInput::Aligned(X, Y, Width, Height, Alignment);
    CaptionX = HitRect.Left + CaptionOffsetX;
    CaptionY = HitRect.Top + CaptionOffsetY;
    if (CaptionAlignment == 1) {
        CaptionX -= CaptionWidth / 2;
        CaptionY -= CaptionHeight / 2;
    } else if (CaptionAlignment == 2) {
        CaptionX -= CaptionWidth;
    }
}

void TEngineAnimButtonEx::MoveTo(int NewX, int NewY) {
    X = NewX;
    Y = NewY;
    Place();
}

void TEngineAnimButtonEx::MoveBy(int DX, int DY) {
    MoveTo(X + DX, Y + DY);
}

void TEngineAnimButtonEx::Run() {
    const bool Hover = TWidgetInput::CursorInside(Engine, HitRect);
    TVelaImage* Image = Engine.GetTexture(TextureName);
    const int Left = HitRect.Left - ImageOffsetX;
    const int Top = HitRect.Top - ImageOffsetY;
    if (FadeMode) {
        Engine.DrawTexturePattern(Image, Left, Top, 0, 0, FadeAlpha, 0);
    } else {
        Engine.DrawTexturePattern(Image, Left, Top, 0, 0, 255, 0);
        Engine.DrawTexturePattern(Image, Left, Top, 0, 0, Glow, 1);
    }

    if (Hover)
        Glow = std::min(Glow + 4, 254);
    else if (Glow > 0)
        Glow = std::max(Glow - 2, 0);

    if (TWidgetInput::Clicked(Engine, HitRect, Enabled)) {
        TWidgetInput::PlayClickSound();
        TWidgetInput::Report(Engine, FAction);
    }

    Engine.Canvas.Flush();
    if (CaptionVisible)
        Engine.DrawText(Caption, CaptionX, CaptionY, 0, 0, Hover ? CaptionHoverColour : CaptionColour,
                        Hover ? HoverFont : Font);
}
