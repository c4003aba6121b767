#pragma once

#include <string>
#include <vector>

#include "render/TInputState.h"

// Scripted input for tests and recordings (--input FILE). One event per line:
//   F key down CODE | F key up CODE | F mouse move DX DY | F mouse down B | F mouse up B | F text TEXT
//   F mouse wheel N (notches, positive away from the player)
//   F window focus-lost | F window focus-gained | F window minimised | F window restored
//   F pad down BUTTON | F pad up BUTTON | F pad axis AXIS VALUE
// F is the frame the event arrives before, CODE a DirectInput key code 0..255, B a mouse button 0..7.
// BUTTON and AXIS are SDL's game-controller names (a, b, x, y, back, start, leftshoulder, rightshoulder,
// dpup, dpdown, dpleft, dpright ...; leftx, lefty, rightx, righty, lefttrigger, righttrigger), VALUE
// an axis position -32768..32767.
// A "#" at the start of a line or after a blank starts a comment, except in a text event, whose text is
// everything after "text " up to the end of the line, taken literally.
class TInputScript {
  public:
    struct TEvent {
        enum class TKind {
            KeyDown,
            KeyUp,
            MouseMove,
            MouseDown,
            MouseUp,
            MouseWheel,
            Text,
            Window,
            PadDown,
            PadUp,
            PadAxis
        } Kind = TKind::KeyDown;
        int Frame = 0;
        int A = 0; // key code, mouse button, DX, wheel notches, window event, pad button or pad axis
        int B = 0; // DY or axis position
        std::string Text;
    };

    // Replaces the script. On failure the script is empty and Error names the line and what is wrong.
    bool Load(const std::string& Text, std::string& Error);
    bool LoadFile(const std::string& Path, std::string& Error);

    // Delivers, in file order, every event for frames up to Frame not delivered yet.
    void Feed(int Frame, TInputState& State);
    bool Finished() const { return Next >= Events.size(); }
    // Sorted by frame; events of one frame keep their file order.
    const std::vector<TEvent>& ScriptEvents() const { return Events; }

  private:
    std::vector<TEvent> Events;
    size_t Next = 0;
};
