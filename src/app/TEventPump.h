#pragma once

#include <SDL.h>

#include <vector>

class TVelaDevice;
class TInputState;

// Drains the window's pending events into the input state: keys as DirectInput codes, mouse motion
// (relative while captured, the pointer's place on the picture otherwise) and buttons, typed text,
// gamepads, focus and minimising, window moves and renderer resets.
class TEventPump {
  public:
    TEventPump(TVelaDevice& Device, TInputState& Input);
    ~TEventPump();
    TEventPump(const TEventPump&) = delete;
    TEventPump& operator=(const TEventPump&) = delete;

    // False once the player has asked to close the window.
    bool Pump();
    // A captured mouse is held by the window and reports relative motion; a free one reports where the
    // pointer is. Either way the game draws its own cursor, so the system one is hidden over the window.
    void CaptureMouse(bool Capture);
    bool MouseCaptured() const { return Captured; }
    // Opens every gamepad plugged in now, and later ones as they arrive.
    void StartPads();

    // Set for deterministic runs: focus and minimising come from the input script only.
    bool WindowEventsScripted = false;

  private:
    TVelaDevice& Device;
    TInputState& Input;
    void WindowEvent(const SDL_WindowEvent& Event);
    void PadAdded(int DeviceIndex);
    void PadRemoved(SDL_JoystickID Instance);

    bool Captured = false;
    bool CursorHidden = false;
    bool PadsStarted = false;
    std::vector<SDL_GameController*> Pads;
};
