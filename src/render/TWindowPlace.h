#pragma once

#include <SDL.h>

#include <vector>

// Where the game's window sits on the desktop and the size of its inside, kept between runs.
struct TWindowPlace {
    static constexpr int MinWidth = 320;
    static constexpr int MinHeight = 240;
    static constexpr int MaxSide = 16384;
    // The part of the window's top-left corner that must be on a display, so the title bar can be grabbed.
    static constexpr int GripWidth = 64;
    static constexpr int GripHeight = 32;

    int X = -1;
    int Y = -1;
    int Width = 1024;
    int Height = 768;

    // A size a window can have, and a corner that lies on one of Displays. A place saved on a display
    // that has since gone, or edited by hand into nonsense, does not fit.
    bool Fits(const std::vector<SDL_Rect>& Displays) const;
};
