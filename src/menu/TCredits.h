#pragma once

#include "menu/TCredit.h"

#include <cstdint>
#include <string>
#include <vector>

class TEngine;

// The CREDITS screen: the lines of Text\credits.txt scrolling up from below the screen, over and over.
class TCredits {
  public:
    // Where the first line starts: just below the 768-pixel screen.
    static constexpr int FirstY = 810;
    // Once the last line is this far above the screen, the list starts again from below.
    static constexpr int LoopY = -150;
    // The list moves one pixel up when more than this many milliseconds have passed.
    static constexpr int StepPeriod = 10;

    explicit TCredits(TEngine& Engine);

    // Builds Items from the credits file; a missing file leaves the screen empty.
    void LoadCredits();
    // Builds Items from the file's text, already in the game's encoding.
    void ParseCredits(const std::string& Text);
    // The CREDITS screen; once per frame.
    void Run();

    static std::string FilePath();

    uint32_t LastStep = 0;
    std::vector<TCredit> Items;

  private:
    TEngine& Engine;
};
