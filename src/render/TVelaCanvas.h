#pragma once

#include "render/TRect.h"
#include "render/TVela2D.h"

#include <SDL.h>

class TVelaImage;

// The game's drawing operations. Everything goes through the batch, so sprites of one image and effect
// drawn one after another cost one geometry call.
class TVelaCanvas : public TVela2D {
  public:
    explicit TVelaCanvas(TVelaDevice& Device) : TVela2D(Device) {}

    bool Draw(TVelaImage* Image, float X, float Y, int Pattern, uint32_t Effect);
    bool DrawColored(TVelaImage* Image, float X, float Y, int Pattern, uint32_t Colour, uint32_t Effect);
    bool DrawScaled(TVelaImage* Image, float X, float Y, float Scale, int Pattern, uint32_t Colour,
                    uint32_t Effect);
    bool DrawRotated(TVelaImage* Image, float X, float Y, float Angle, float Scale, uint32_t Colour,
                     int Pattern, uint32_t Effect);
    bool DrawRotatedWhite(TVelaImage* Image, float X, float Y, float Angle, float Scale, int Pattern,
                          uint32_t Effect);
    // Corners top-left, top-right, bottom-right, bottom-left. Source is an optional rectangle (offset
    // and size) inside the pattern's cell; Mirror and Flip turn the picture left-right and upside down.
    bool DrawQuad(TVelaImage* Image, const SDL_FPoint Points[4], const uint32_t Colours[4], int Pattern,
                  uint32_t Effect, const SDL_Rect* Source = nullptr, bool Mirror = false, bool Flip = false);

    void FillQuad(const SDL_FPoint Points[4], const uint32_t Colours[4], uint32_t Effect);
    void FillRect(const TRect& Rect, uint32_t Colour, uint32_t Effect);
    void FrameRect(const TRect& Rect, const uint32_t Colours[4], uint32_t Effect);
    void DrawLine(SDL_FPoint From, SDL_FPoint To, uint32_t ColourFrom, uint32_t ColourTo, uint32_t Effect);
    void PutPixel(float X, float Y, uint32_t Colour, uint32_t Effect);

    static bool AllWhite(const uint32_t Colours[4]);
    // Corners in drawing order along the axes, top-left first.
    static bool IsUprightRect(const SDL_FPoint Points[4]);

  private:
    static constexpr float BandHeight = 256;
    int BandCount(const SDL_FPoint Points[4]) const;
    void QueueTexturedQuad(TVelaImage* Image, int TextureNumber, uint32_t Effect, const SDL_FPoint Points[4],
                           const uint32_t Colours[4], const SDL_FPoint TexCoords[4], bool Upright);
    void AddQuad(const SDL_FPoint Points[4], const uint32_t Colours[4], const SDL_FPoint TexCoords[4]);
};
