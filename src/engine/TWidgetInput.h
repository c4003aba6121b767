#pragma once

#include "render/TRect.h"

#include <string>

class TEngine;

// What the menu widgets share: the cursor against their rectangles, the click latch, the click sample
// and the menu's dispatcher.
class TWidgetInput {
  public:
    // Left and top edges belong to the rectangle, right and bottom ones do not.
    static bool Inside(const TRect& Rect, int X, int Y);
    static bool CursorInside(const TEngine& Engine, const TRect& Rect);
    // A Width x Height rectangle whose X is its left edge (alignment 0), centre (1) or right edge (2).
    static TRect Aligned(int X, int Y, int Width, int Height, int Alignment);
    // The buttons' click rule: true when this press fires, which takes the engine's latch; a release
    // anywhere gives it back, so a held button fires once.
    static bool Clicked(TEngine& Engine, const TRect& Rect, bool Enabled);
    // Hands the action to the menu's dispatcher, if there is one.
    static void Report(TEngine& Engine, const std::string& Action);
    // The "button" sample, when the game has sound.
    static void PlayClickSound();
    // Sizes in a font of the engine's list; 0 when there is no such font.
    static int TextWidth(const TEngine& Engine, int Font, const std::string& Text);
    static int TextHeight(const TEngine& Engine, int Font, const std::string& Text);
};
