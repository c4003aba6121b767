#pragma once

#include "render/TKeyCodes.h"
#include "render/TVelaKeyboard.h"

// The keys every screen answers the way desktop programs do, as DirectInput key codes: Esc goes back or
// cancels, either Enter presses the default button. Both are fresh presses, seen in one frame only, so a
// key that closes one screen never reaches the next. Alt+Enter belongs to the window, not to a screen.
class TMenuKeys {
  public:
    static bool Back(const TVelaKeyboard& Keyboard) { return Keyboard.KeyPressed(TKeyCodes::Escape); }
    static bool Confirm(const TVelaKeyboard& Keyboard) {
        const bool Alt = Keyboard.KeyDown(TKeyCodes::LeftAlt) || Keyboard.KeyDown(TKeyCodes::RightAlt);
        return !Alt && (Keyboard.KeyPressed(TKeyCodes::Enter) || Keyboard.KeyPressed(TKeyCodes::KeypadEnter));
    }
};
