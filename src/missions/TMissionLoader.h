#pragma once

#include <string>

// Starting a mission: reading its file into the game record, wrapping its briefing, creating the
// mission's objects and the first wave, and handing over to the briefing.
class TMissionLoader {
  public:
    // Reads the mission file into Game; false with a message naming the file and the fault.
    static bool ReadLevelFile(const std::string& Path, std::string& Error);
    // The briefing as lines of a little over 30 characters, words never split.
    static void WrapBriefing(const std::string& Text);
    // Loads Levels/NAME.lvl and starts it; a file that cannot be used is reported and the game goes
    // back to the menu instead, so the caller has nothing left to do either way.
    static void LoadLevel(const std::string& Name);
};
