#include "engine/TWidgetInput.h"

#include "engine/TEngine.h"
#include "engine/TSoundEngine.h"
#include "render/TVelaFontsAlt.h"
#include "render/TVelaMouse.h"

bool TWidgetInput::Inside(const TRect& Rect, int X, int Y) {
    return X >= Rect.Left && X < Rect.Right && Y >= Rect.Top && Y < Rect.Bottom;
}

bool TWidgetInput::CursorInside(const TEngine& Engine, const TRect& Rect) {
    return Inside(Rect, Engine.CursorX, Engine.CursorY);
}

TRect TWidgetInput::Aligned(int X, int Y, int Width, int Height, int Alignment) {
    if (Alignment == 1)
        return {X - Width / 2, Y, X + Width / 2, Y + Height};
    if (Alignment == 2)
        return {X - Width, Y, X, Y + Height};
    return {X, Y, X + Width, Y + Height};
}

bool TWidgetInput::Clicked(TEngine& Engine, const TRect& Rect, bool Enabled) {
    if (Engine.Mouse.ButtonReleased(0))
        Engine.ClickReady = true;
    if (!Enabled || !Engine.ClickReady || !Engine.Mouse.ButtonDown(0) || !CursorInside(Engine, Rect))
        return false;
    Engine.ClickReady = false;
    return true;
}

void TWidgetInput::Report(TEngine& Engine, const std::string& Action) {
    // A copy: the handler may rebuild the screen that owns the widget holding the name.
    const std::string Name = Action;
    if (Engine.OnWidgetClick)
        Engine.OnWidgetClick(Name);
}

void TWidgetInput::PlayClickSound() {
    if (SoundEngine)
        SoundEngine->PlaySample("button");
}

int TWidgetInput::TextWidth(const TEngine& Engine, int Font, const std::string& Text) {
    TVelaFontAlt* Entry = Engine.Fonts.Font(Font);
    return Entry != nullptr ? Entry->TextWidth(Text) : 0;
}

int TWidgetInput::TextHeight(const TEngine& Engine, int Font, const std::string& Text) {
    TVelaFontAlt* Entry = Engine.Fonts.Font(Font);
    return Entry != nullptr ? Entry->TextHeight(Text) : 0;
}
