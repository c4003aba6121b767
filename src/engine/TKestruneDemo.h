#pragma once

#include "engine/TRunner.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TEngine;
class TSoundEngine;

// The studio intro: a knight chased across the screen by a horde of orcs, then the studio's pictures,
// the presenting line and the title fading in and out. Esc, Enter, Space or a click ends it at any time.
class TKestruneDemo {
  public:
    TKestruneDemo(TEngine& Engine, TSoundEngine* SoundEngine);
    // Draws and advances one frame.
    void Run();

    int HoldTime = 500;
    int Alpha = 0;
    int AlphaStep = 2;
    int StepDelay = 10;
    uint32_t Stamp = 0;
    int Stage = -1;
    int OrcCount = 95;
    TRunner Knight;
    std::vector<TRunner> Orcs;

  private:
    void ShowPicture(const std::string& Texture, int FirstStage);
    bool FadeStep(int Direction);
    void DrawCentred(const std::string& Texture, int PictureAlpha);
    void NextStage(int Stage);

    TEngine& Engine;
    TSoundEngine* SoundEngine;
};

extern std::unique_ptr<TKestruneDemo> Intro;
extern bool IntroFinished;
