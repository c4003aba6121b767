#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "render/TInputState.h"

// The keyboard, polled once per frame: the current and the previous key states (bit 7 = down), indexed
// by DirectInput key code, so presses and releases show as edges between two updates.
class TVelaKeyboard {
  public:
    explicit TVelaKeyboard(TInputState& State) : State(State) {}

    // False when already initialised.
    bool Initialize();
    // False when the keys cannot be read (no focus with Foreground set); both arrays then stay as they were.
    bool Update();
    void Finalize() { InitializedFlag = false; }
    bool Initialized() const { return InitializedFlag; }

    bool KeyDown(int Key) const;
    // True in exactly one update per press.
    bool KeyPressed(int Key) const;
    bool KeyReleased(int Key) const;
    // UTF-8 text typed since the previous update, as the system composed it from the keys.
    const std::string& TypedText() const { return Typed; }

    // Read the keys only while the window has the focus.
    bool Foreground = true;

  private:
    TInputState& State;
    bool InitializedFlag = false;
    std::array<uint8_t, 256> Current{};
    std::array<uint8_t, 256> Previous{};
    std::string Typed;
};
