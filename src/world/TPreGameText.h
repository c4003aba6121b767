#pragma once

#include <string>

// One line of a mission briefing and how far it has faded in (0..200).
struct TPreGameText {
    std::string Text;
    int Alpha = 0;
};
