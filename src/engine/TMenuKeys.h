#pragma once

#include "render/TVelaKeyboard.h"

// The keys every screen answers the way desktop programs do, as DirectInput key codes: Esc goes back or
// cancels, either Enter presses the default button. Both are fresh presses, seen in one frame only, so a
// key that closes one screen never reaches the next. Alt+Enter belongs to the window, not to a screen.
class TMenuKeys {
  public:
    static constexpr int Escape = 1;
    static constexpr int Enter = 28;
    static constexpr int Space = 57;
    static constexpr int KeypadEnter = 156;
    static constexpr int LeftAlt = 56;
    static constexpr int RightAlt = 184;

    static bool Back(const TVelaKeyboard& Keyboard) { return Keyboard.KeyPressed(Escape); }
    static bool Confirm(const TVelaKeyboard& Keyboard) {
        const bool Alt = Keyboard.KeyDown(LeftAlt) || Keyboard.KeyDown(RightAlt);
        return !Alt && (Keyboard.KeyPressed(Enter) || Keyboard.KeyPressed(KeypadEnter));
    }
};
