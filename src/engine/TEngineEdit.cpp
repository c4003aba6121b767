#include "engine/TEngineEdit.h"

#include "engine/TEngine.h"
#include "engine/TWidgetInput.h"
#include "render/TVelaCanvas.h"
#include "render/TVelaKeyboard.h"
#include "render/TVelaMouse.h"
#include "runtime/TClock.h"
#include "runtime/TWin1250.h"

namespace {

constexpr int BackspaceKey = 14;
constexpr int HomeKey = 199;
constexpr int LeftKey = 203;
constexpr int RightKey = 205;
constexpr int EndKey = 207;
constexpr int DeleteKey = 211;
constexpr int EditKeys[] = {BackspaceKey, DeleteKey, LeftKey, RightKey, HomeKey, EndKey};

} // namespace

TEngineEdit::TEngineEdit(TEngine& Engine, int Left, int Top, int Height, int Width, int Font)
    : Font(Font), Engine(Engine), Height(Height), Width(Width), FRect{Left, Top, Left + Width, Top + Height} {
}

void TEngineEdit::EditKey(int Key) {
    switch (Key) {
    case BackspaceKey:
        Entry.Backspace();
        break;
    case DeleteKey:
        Entry.Delete();
        break;
    case LeftKey:
        Entry.Left();
        break;
    case RightKey:
        Entry.Right();
        break;
    case HomeKey:
        Entry.Home();
        break;
    case EndKey:
        Entry.End();
        break;
    default:
        break;
    }
}

void TEngineEdit::ReadKeyboard() {
    const TVelaKeyboard& Keyboard = Engine.Keyboard;
    Entry.Insert(TWin1250::FromUtf8(Keyboard.TypedText()));
    // The key states only give edges, so a held key repeats here as the system would.
    for (const int Key : EditKeys) {
        if (Keyboard.KeyPressed(Key)) {
            EditKey(Key);
            RepeatKey = Key;
            RepeatTime = Now();
            RepeatWait = RepeatDelay;
        }
    }
    if (RepeatKey == 0)
        return;
    if (!Keyboard.KeyDown(RepeatKey)) {
        RepeatKey = 0;
    } else if (SinceTick(RepeatTime) >= RepeatWait) {
        EditKey(RepeatKey);
        RepeatTime = Now();
        RepeatWait = RepeatInterval;
    }
}

void TEngineEdit::PlaceCaret(int CursorX) {
    const std::string& Text = Entry.Text();
    // A character spans from where the text before it ends to where the text up to it ends. Measured
    // alone, a glyph's width need not add up with its neighbours', which would leave gaps between spans.
    int Start = FRect.Left + 3;
    for (size_t I = 0; I < Text.size(); ++I) {
        const int End = FRect.Left + 3 + TWidgetInput::TextWidth(Engine, Font, Text.substr(0, I + 1));
        if (CursorX >= Start && CursorX < End) {
            Entry.SetCaret(static_cast<int>(I));
            return;
        }
        Start = End;
    }
}

void TEngineEdit::Run() {
    // A box without the keyboard gives the latch back, but never while a press is held: a button held
    // down would otherwise fire again every frame.
    if (!HasFocus && !Engine.Mouse.ButtonDown(0))
        Engine.ClickReady = true;
    else if (HasFocus && Enabled) {
        ReadKeyboard();
        Engine.TextEntryNow = true;
    }

    TVelaCanvas& Canvas = Engine.Canvas;
    if (!NoBackground)
        Canvas.FillRect(FRect, BackgroundColour, EffectBlend);
    const uint32_t Frame[4] = {BorderColour, BorderColour, BorderColour, BorderColour};
    Canvas.FrameRect(FRect, Frame, EffectOpaque);
    Canvas.PutPixel(static_cast<float>(FRect.Left), static_cast<float>(FRect.Top), BorderColour, EffectBlend);

    const std::string& Text = Entry.Text();
    Canvas.Flush();
    const int TextY =
        FRect.Top + (FRect.Bottom - FRect.Top) / 2 - TWidgetInput::TextHeight(Engine, Font, Text) / 2;
    Engine.DrawText(Text, FRect.Left + 3, TextY, 0, 0, TextColour, Font);

    if (HasFocus) {
        if (SinceTick(BlinkTime) > BlinkPeriod) {
            CaretVisible = !CaretVisible;
            BlinkTime = Now();
        }
        if (CaretVisible) {
            const float CaretX = static_cast<float>(
                FRect.Left + 3 + TWidgetInput::TextWidth(Engine, Font, Text.substr(0, Entry.Caret())));
            Canvas.DrawLine({CaretX, static_cast<float>(FRect.Top + 2)},
                            {CaretX, static_cast<float>(FRect.Bottom - 3)}, BorderColour, BorderColour,
                            EffectBlend);
        }
    }

    if (Enabled && Engine.Mouse.ButtonDown(0)) {
        if (TWidgetInput::CursorInside(Engine, FRect)) {
            HasFocus = true;
            PlaceCaret(Engine.CursorX);
            Engine.ClickReady = false;
        } else {
            HasFocus = false;
        }
    }
}
