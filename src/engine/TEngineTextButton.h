#pragma once

#include "render/TRect.h"

#include <cstdint>
#include <string>

class TEngine;

// A clickable line of text in the menus; lights up under the cursor and reports its action when clicked.
class TEngineTextButton {
  public:
    // Alignment: X is the text's left edge (0), centre (1) or right edge (2); Y is its top.
    TEngineTextButton(TEngine& Engine, int Font, const std::string& Caption, int X, int Y, uint32_t Colour,
                      uint32_t HoverColour, int Alignment, const std::string& Action);

    // Draws the caption and handles the click; once per frame.
    void Run();

    const std::string& Action() const { return FAction; }
    const std::string& Caption() const { return FCaption; }
    const TRect& Rect() const { return HitRect; }

    bool Enabled = true;
    uint32_t Colour;
    uint32_t HoverColour;

  private:
    TEngine& Engine;
    int Font;
    std::string FCaption;
    int X, Y;
    int Alignment;
    TRect HitRect;
    int CaptionHeight;
    int CaptionWidth;
    std::string FAction;
};
