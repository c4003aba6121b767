#pragma once

class TVelaDevice;
class TInputState;

// Drains the window's pending events into the input state: keys as DirectInput codes, relative mouse
// motion and buttons, typed text, focus changes and renderer resets.
class TEventPump {
  public:
    TEventPump(TVelaDevice& Device, TInputState& Input) : Device(Device), Input(Input) {}

    // False once the player has asked to close the window.
    bool Pump();
    // The game draws its own cursor, so the system one is hidden and the mouse is held while focused.
    void CaptureMouse(bool Capture);

  private:
    TVelaDevice& Device;
    TInputState& Input;
    bool Captured = false;
};
