#pragma once

#include "engine/TEditText.h"
#include "render/TRect.h"

#include <cstdint>
#include <string>

class TEngine;

// A one-line text entry. A click inside gives it the keyboard and places the caret; a click anywhere
// else takes the keyboard away. The text is in the game's single-byte encoding.
class TEngineEdit {
  public:
    TEngineEdit(TEngine& Engine, int Left, int Top, int Height, int Width, int Font);

    // Takes the typing, draws and handles the mouse; once per frame.
    void Run();

    void SetMaxLength(int Length) { Entry.SetMaxLength(Length); }
    void Clear() { Entry.Clear(); }
    const std::string& Text() const { return Entry.Text(); }
    void SetText(const std::string& Text) { Entry.SetText(Text); }
    int CaretPosition() const { return Entry.Caret(); }
    void SetCaretPosition(int Position) { Entry.SetCaret(Position); }
    bool Focused() const { return HasFocus; }
    void SetFocused(bool Focus) { HasFocus = Focus; }
    bool CaretShown() const { return CaretVisible; }
    const TRect& Rect() const { return FRect; }

    bool NoBackground = false;
    // A disabled box is drawn as it is but takes neither keys nor clicks.
    bool Enabled = true;
    uint32_t BackgroundColour = 0x800000u;
    uint32_t BorderColour = 0xFFFFFFu;
    uint32_t TextColour = 0xFFFFu;
    // Kept with the others; nothing is drawn in it.
    uint32_t HighlightColour = 0xFF0000u;

    // The caret flips at most this often.
    static constexpr int BlinkPeriod = 500;
    // A held editing key acts again after the first delay, then at every interval.
    static constexpr int RepeatDelay = 500;
    static constexpr int RepeatInterval = 50;

  private:
    void ReadKeyboard();
    void EditKey(int Key);
    void PlaceCaret(int CursorX);

    int Font;
    TEngine& Engine;
    TEditText Entry;
    uint32_t BlinkTime = 0;
    bool CaretVisible = false;
    bool HasFocus = false;
    int Height, Width;
    TRect FRect;
    int RepeatKey = 0;
    uint32_t RepeatTime = 0;
    int RepeatWait = 0;
};
