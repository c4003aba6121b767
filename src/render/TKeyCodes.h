#pragma once

#include <SDL_scancode.h>

// Translation between SDL's physical key positions and the DirectInput key codes the game stores in
// profiles and indexes its key-state arrays with. Both are positional, so layouts do not matter.
class TKeyCodes {
  public:
    // What FromScancode answers for a key DirectInput has no code for. Not 0: no key has that code.
    static constexpr int NoCode = -1;
    // The keys the program itself answers, whatever the player's bindings.
    static constexpr int Escape = 1;
    static constexpr int Enter = 28;
    static constexpr int LeftControl = 29;
    static constexpr int LeftShift = 42;
    static constexpr int RightShift = 54;
    static constexpr int LeftAlt = 56;
    static constexpr int Space = 57;
    static constexpr int F1 = 59;
    static constexpr int F12 = 88;
    static constexpr int KeypadEnter = 156;
    static constexpr int RightControl = 157;
    static constexpr int RightAlt = 184;
    static constexpr int LeftWindows = 219;
    static constexpr int RightWindows = 220;

    // The DirectInput key code of a scancode, or NoCode.
    static int FromScancode(SDL_Scancode Scancode);
    // The scancode of a DirectInput key code; SDL_SCANCODE_UNKNOWN when there is none.
    static SDL_Scancode ToScancode(int Code);
};
