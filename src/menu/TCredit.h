#pragma once

#include <string>

// One line of the scrolling credits. Kind is "H" heading, "N" name, "W" maker line, "S" spacer, "img"
// picture (Text is then the texture's name), or empty for a line that is neither drawn nor given space.
struct TCredit {
    std::string Text;
    int StartY = 0;
    int Y = 0;
    std::string Kind;
};
