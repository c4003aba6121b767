#include "engine/TEngineCheckBox.h"

#include "engine/TEngine.h"
#include "engine/TWidgetInput.h"
#include "render/TVelaCanvas.h"
#include "render/TVelaMouse.h"

TEngineCheckBox::TEngineCheckBox(TEngine& Engine, const std::string& Action, int X, int Y,
                                 const std::string& Caption, bool CaptionLeft, uint32_t TextColour,
                                 uint32_t HoverColour, uint32_t FillColour, uint32_t BorderColour,
                                 uint32_t MarkColour, int Font)
    : TextColour(TextColour), HoverColour(HoverColour), FillColour(FillColour), MarkColour(MarkColour),
      BorderColour(BorderColour), Engine(Engine), FAction(Action), Font(Font), FCaption(Caption),
      CaptionLeft(CaptionLeft), X(X), Y(Y) {
    const int W = TWidgetInput::TextWidth(Engine, Font, Caption);
    CaptionHeight = TWidgetInput::TextHeight(Engine, Font, Caption);
    const int H = CaptionHeight;
    // Tall enough for both the box and the caption, centred on the box.
    HitRect.Left = X;
    HitRect.Top = Y + 10 - H / 2 < Y ? Y + 10 - H / 2 : Y;
    HitRect.Right = X + 30 + W;
    HitRect.Bottom = Y + 10 + H / 2 > Y + 20 ? Y + 10 + H / 2 : Y + 20;
    BoxRect.Left = CaptionLeft ? X + W + 10 : X;
    BoxRect.Top = Y;
    BoxRect.Right = BoxRect.Left + 20;
    BoxRect.Bottom = Y + 20;
    MarkRect =
        CaptionLeft ? TRect{X + W + 14, Y + 4, X + W + 26, Y + 16} : TRect{X + 4, Y + 4, X + 16, Y + 16};
}

void TEngineCheckBox::Run() {
    uint32_t Fill = FillColour, Text = TextColour, Hover = HoverColour, Border = BorderColour,
             Mark = MarkColour;
    if (!Enabled) {
        Fill = 0x64646464u;
        Text = Hover = Border = 0xFF646464u;
        Mark = 0xFF909090u;
    }
    TVelaCanvas& Canvas = Engine.Canvas;
    Canvas.FillRect(BoxRect, Fill, EffectBlend);
    const uint32_t Frame[4] = {Border, Border, Border, Border};
    Canvas.FrameRect(BoxRect, Frame, EffectBlend);
    Canvas.PutPixel(static_cast<float>(BoxRect.Left), static_cast<float>(BoxRect.Top), Border, EffectBlend);

    const bool Inside = TWidgetInput::CursorInside(Engine, HitRect);
    const int CaptionY = HitRect.Top + (HitRect.Bottom - HitRect.Top) / 2 - CaptionHeight / 2 - 4;
    Canvas.Flush();
    Engine.DrawText(FCaption, CaptionLeft ? X : X + 30, CaptionY, 0, 0, Inside ? Hover : Text, Font);
    if (Ticked)
        Canvas.FillRect(MarkRect, Mark, EffectBlend);

    if (Enabled && Inside && Engine.Mouse.ButtonDown(0)) {
        if (Latched)
            return;
        Ticked = !Ticked;
        Latched = true;
        TWidgetInput::PlayClickSound();
        TWidgetInput::Report(Engine, FAction);
        return;
    }
    Latched = false;
}
