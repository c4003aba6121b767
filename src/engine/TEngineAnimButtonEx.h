#pragma once

#include "render/TRect.h"

#include <SDL.h>

#include <cstdint>
#include <string>

class TEngine;

// A picture button: pattern 0 of its texture, with pattern 1 glowing in while the cursor is over it, and
// a caption. The main menu slides these in and fades them out.
class TEngineAnimButtonEx {
  public:
    // Alignment places the Width x Height hit rectangle as for text buttons; the picture's top-left lies
    // ImageOffset above and left of it. CaptionAlignment anchors the caption at CaptionOffset from the
    // rectangle's top-left: left (0), centre in both directions (1) or right (2).
    TEngineAnimButtonEx(TEngine& Engine, const std::string& Action, const std::string& Caption, int X, int Y,
                        uint32_t CaptionColour, uint32_t CaptionHoverColour, int Alignment,
                        int CaptionAlignment, const std::string& TextureName, int CaptionOffsetX,
                        int CaptionOffsetY, int Font, int HoverFont, int ImageOffsetX, int ImageOffsetY,
                        int Width, int Height);

    // Draws, animates the glow and handles the click; once per frame.
    void Run();

    void MoveTo(int NewX, int NewY);
    void MoveBy(int DX, int DY);
    SDL_Point GetPosition() const { return {X, Y}; }
    void SetCaptionVisible(bool Visible) { CaptionVisible = Visible; }
    bool GetCaptionVisible() const { return CaptionVisible; }
    // In fade mode only the picture is drawn, at the fade alpha, without the glow.
    void SetFadeMode(bool Fade) { FadeMode = Fade; }
    bool GetFadeMode() const { return FadeMode; }
    void SetFadeAlpha(int Alpha) { FadeAlpha = Alpha; }
    int GetFadeAlpha() const { return FadeAlpha; }

    const std::string& Action() const { return FAction; }
    const TRect& Rect() const { return HitRect; }
    SDL_Point CaptionPosition() const { return {CaptionX, CaptionY}; }

    bool Enabled = true;
    // 0..254: rises by 4 per frame under the cursor, falls by 2 away from it.
    int Glow = 0;
    uint32_t CaptionColour;
    uint32_t CaptionHoverColour;

  private:
    void Place();

    int ImageOffsetX, ImageOffsetY;
    int Width, Height;
    bool FadeMode = false;
    int FadeAlpha = 0;
    TEngine& Engine;
    std::string Caption;
    int X, Y;
    int CaptionOffsetX, CaptionOffsetY;
    int Alignment;
    int CaptionAlignment;
    std::string TextureName;
    bool CaptionVisible = true;
    TRect HitRect;
    int CaptionX = 0, CaptionY = 0;
    int CaptionHeight, CaptionWidth;
    std::string FAction;
    int Font, HoverFont;
};
