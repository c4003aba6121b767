#pragma once

class TEngine;
class TVelaCanvas;

// A frame that exercises every drawing primitive, the three blend codes, patterns rotated, scaled and
// tinted, and text in several fonts; shown until the game's own screens take over.
class TTestScene {
  public:
    TTestScene(TEngine& Engine, TVelaCanvas& Canvas) : Engine(Engine), Canvas(Canvas) {}
    void Draw(int Frame, int FrameRate);

  private:
    void DrawBackdrop(int Frame);
    void DrawSprites(int Frame);
    void DrawPanels();
    void DrawTexts(int FrameRate);

    TEngine& Engine;
    TVelaCanvas& Canvas;
};
