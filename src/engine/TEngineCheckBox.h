#pragma once

#include "render/TRect.h"

#include <cstdint>
#include <string>

class TEngine;

// A 20 x 20 box with a caption beside it; a click anywhere on the two toggles the tick.
class TEngineCheckBox {
  public:
    // The box's top-left is (X, Y), or the caption comes first with CaptionLeft.
    TEngineCheckBox(TEngine& Engine, const std::string& Action, int X, int Y, const std::string& Caption,
                    bool CaptionLeft, uint32_t TextColour, uint32_t HoverColour, uint32_t FillColour,
                    uint32_t BorderColour, uint32_t MarkColour, int Font);

    // Draws the box and handles the click; once per frame.
    void Run();

    const std::string& Action() const { return FAction; }
    const std::string& Caption() const { return FCaption; }
    const TRect& Rect() const { return HitRect; }
    const TRect& Box() const { return BoxRect; }
    const TRect& Mark() const { return MarkRect; }

    bool Enabled = true;
    bool Ticked = false;
    uint32_t TextColour;
    uint32_t HoverColour;
    uint32_t FillColour;
    uint32_t MarkColour;
    uint32_t BorderColour;

  private:
    TEngine& Engine;
    std::string FAction;
    int Font;
    std::string FCaption;
    bool CaptionLeft;
    TRect HitRect;
    TRect BoxRect;
    TRect MarkRect;
    int X, Y;
    int CaptionHeight;
    // Its own latch, not the buttons' one: set while a press holds it, so it toggles once per press.
    bool Latched = false;
};
