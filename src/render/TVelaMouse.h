#pragma once

#include <array>

#include "render/TInputState.h"

// The mouse, polled once per frame: relative motion since the last update and, per button 0..7, whether
// it is down and whether it has been released. Without ClearOnUpdate both states persist until the next
// event for that button, which is what the widgets' click detection relies on.
class TVelaMouse {
  public:
    explicit TVelaMouse(TInputState& State) : State(State) {}

    // False when already initialised. Sizes the input buffer to BufferSize and clears both button arrays.
    bool Initialize();
    // False when the mouse cannot be read (no focus with Foreground set); the deltas are then 0, the
    // buttons keep their states and the buffered events wait for the focus to return.
    bool Update();
    void Finalize() { InitializedFlag = false; }
    bool Initialized() const { return InitializedFlag; }

    int DeltaX() const { return DeltaXValue; }
    int DeltaY() const { return DeltaYValue; }
    // Wheel notches since the last update, positive away from the player.
    int WheelDelta() const { return WheelValue; }
    // Both false for buttons outside 0..7.
    bool ButtonDown(int Button) const;
    bool ButtonReleased(int Button) const;
    // The press now holding Button down no longer shows: ButtonDown stays false for it until the button
    // has been let go. Nothing changes for a button that is up.
    void WaitForRelease(int Button);

    bool Foreground = true;
    // Kept for the settings; relative mouse mode belongs to the window.
    bool Exclusive = true;
    int BufferSize = 256;
    bool ClearOnUpdate = false;

  private:
    void SetButton(int Button, bool IsDown);

    TInputState& State;
    bool InitializedFlag = false;
    int DeltaXValue = 0;
    int DeltaYValue = 0;
    int WheelValue = 0;
    std::array<int, 8> Down{};
    std::array<int, 8> Released{};
    // Buttons pressed and let go between two updates: seen down for one update, released at the next.
    std::array<bool, 8> ReleaseNext{};
    // Presses hidden by WaitForRelease until they end.
    std::array<bool, 8> Waiting{};
};
