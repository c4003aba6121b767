#pragma once

#include <array>

class TInputState;

// The keyboard as the autopilot's fingers: every frame it says which keys are held and which are
// tapped, and Send passes the changes to the game's input as key events. A tapped key goes down for
// one frame and is kept up the next, so two taps in a row are two presses.
class TKeyPad {
  public:
    // The game whose input the keys go to: each flight is a game of its own. Every key starts up.
    void Attach(TInputState& Game);

    void Hold(int Key);
    void Tap(int Key);
    // The key can be tapped this frame: it was not tapped in the previous one.
    bool CanTap(int Key) const;
    // Sends this frame's keys and starts the next frame with nothing held.
    void Send();
    // Every key up, as between missions.
    void ReleaseAll();

  private:
    static bool Valid(int Key) { return Key >= 0 && Key < 256; }
    void Press(int Key, bool Down);

    TInputState* Input = nullptr;
    std::array<bool, 256> Wanted{};
    std::array<bool, 256> Down{};
    std::array<bool, 256> TappedNow{};
    std::array<bool, 256> TappedBefore{};
};
