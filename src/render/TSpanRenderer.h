#pragma once

#include <SDL.h>

#include <cstdint>

struct TPicture;

enum TSpanBlend { sbOpaque, sbBlend, sbAdd };

// Draws the canvas's triangles straight into the 32-bit target of SDL's software renderer, one row span
// at a time: pixel centres inside a triangle by the top-left rule, texels sampled at their centres
// (nearest, or linear when asked), texture colour modulated by the vertex colours, and SDL's own
// blending arithmetic. SDL's triangle path does the same through general blitters, many times slower.
class TSpanRenderer {
  public:
    // Starts drawing on the renderer's target after SDL has carried out what it has queued, so the
    // drawing order holds. False where spans cannot draw there: a target texture, scaling, a viewport or
    // clip rectangle, or pixels other than 32-bit xRGB.
    bool Begin(SDL_Renderer* Renderer, SDL_Surface* Target);
    void End();

    // Three indices per triangle; Texture none for plain colour. Vertex colours use SDL's byte order.
    void DrawTriangles(const SDL_Vertex* Vertices, const int* Indices, int IndexCount,
                       const TPicture* Texture, TSpanBlend Blend, bool Linear);

  private:
    // A triangle, or a parallelogram, corners in order around it.
    void DrawPolygon(const SDL_Vertex** Corners, int Count, const TPicture* Texture, TSpanBlend Blend,
                     bool Linear);

    SDL_Surface* Surface = nullptr;
    bool Locked = false;
};
