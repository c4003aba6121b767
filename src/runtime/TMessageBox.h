#pragma once

#include <functional>
#include <string>

// The game's message boxes. Headless runs, and machines with no display, get the message as one line
// on standard error and carry on.
class TMessageBox {
  public:
    static bool Headless;
    // When set, receives every message instead of any output (tests watch messages through it).
    static std::function<void(const std::string& Title, const std::string& Text, bool IsError)> Hook;
    // Messages shown so far (counted whichever way they went out).
    static int ShownCount;

    // Title and Text are Windows-1250, like all the game's text.
    static void Show(const std::string& Title, const std::string& Text, bool IsError);
};
