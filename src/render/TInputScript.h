#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "render/TInputState.h"

// Scripted input for tests and recordings (--input FILE). One event per line:
//   F key down CODE | F key up CODE | F mouse move DX DY | F mouse down B | F mouse up B | F text TEXT
//   F mouse at X Y (where a free pointer is on the 1024 x 768 picture)
//   F mouse wheel N (notches, positive away from the player)
//   F window focus-lost | F window focus-gained | F window minimised | F window restored | F window close
//   F window quit (the system ends the program: unlike close, it never asks first)
//   F pad down BUTTON | F pad up BUTTON | F pad axis AXIS VALUE
// F is the game frame the event arrives before (100 to the second of game time, whatever the display
// does, so a script plays the same at any frame rate), CODE a DirectInput key code 0..255, B a mouse
// button 0..7.
// BUTTON and AXIS are SDL's game-controller names (a, b, x, y, back, start, leftshoulder, rightshoulder,
// dpup, dpdown, dpleft, dpright ...; leftx, lefty, rightx, righty, lefttrigger, righttrigger), VALUE
// an axis position -32768..32767.
// Two more lines: "F clock MS", the milliseconds every displayed frame takes from the one that runs game
// frame F on, up to the next clock line (unless --step-ms is given), and "0 seed N", the random
// generator's seed (unless --seed is given).
// A "#" at the start of a line or after a blank starts a comment, except in a text event, whose text is
// everything after "text " up to the end of the line, taken literally.
class TInputScript {
  public:
    using TEvent = TInputEvent;

    // Replaces the script. On failure the script is empty and Error names the line and what is wrong.
    bool Load(const std::string& Text, std::string& Error);
    bool LoadFile(const std::string& Path, std::string& Error);

    // Delivers, in file order, every event for frames up to Frame not delivered yet.
    void Feed(int Frame, TInputState& State);
    bool Finished() const { return Next >= Events.size(); }
    // Sorted by frame; events of one frame keep their file order.
    const std::vector<TEvent>& ScriptEvents() const { return Events; }

    // The step the script sets for the displayed frame that runs game frame Frame first: that of the last
    // clock line up to Frame, if any.
    bool ClockStep(int Frame, uint32_t& Milliseconds) const;
    bool SetsClock() const { return !Clocks.empty(); }
    bool SetsSeed() const { return HasSeed; }
    uint32_t Seed() const { return SeedValue; }

    // The line that reads back as Event at Event.Frame; empty for what no line can hold (a text of
    // control characters only, which the game ignores anyway).
    static std::string Line(const TEvent& Event);
    static std::string ClockLine(int Frame, uint32_t Milliseconds);
    static std::string SeedLine(uint32_t Seed);

  private:
    void Clear();

    std::vector<TEvent> Events;
    size_t Next = 0;
    std::map<int, uint32_t> Clocks;
    bool HasSeed = false;
    uint32_t SeedValue = 0;
};
