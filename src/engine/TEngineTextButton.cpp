#include "engine/TEngineTextButton.h"

#include "engine/TEngine.h"
#include "engine/TWidgetInput.h"

TEngineTextButton::TEngineTextButton(TEngine& Engine, int Font, const std::string& Caption, int X, int Y,
                                     uint32_t Colour, uint32_t HoverColour, int Alignment,
                                     const std::string& Action)
    : Colour(Colour), HoverColour(HoverColour), Engine(Engine), Font(Font), FCaption(Caption), X(X), Y(Y),
      Alignment(Alignment), FAction(Action) {
    CaptionWidth = TWidgetInput::TextWidth(Engine, Font, Caption);
    CaptionHeight = TWidgetInput::TextHeight(Engine, Font, Caption);
    HitRect = TWidgetInput::Aligned(X, Y, CaptionWidth, CaptionHeight, Alignment);
}

void TEngineTextButton::Run() {
    const bool Hover = TWidgetInput::CursorInside(Engine, HitRect);
    Engine.DrawText(FCaption, HitRect.Left, HitRect.Top, 0, 0, Hover ? HoverColour : Colour, Font);
    if (TWidgetInput::Clicked(Engine, HitRect, Enabled))
        TWidgetInput::Report(Engine, FAction);
}
