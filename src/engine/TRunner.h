#pragma once

#include <cstdint>
#include <string>

class TEngine;
class TSoundEngine;

// One running figure of the studio intro: animates through its eight patterns while moving right.
class TRunner {
  public:
    TRunner(TEngine& Engine, TSoundEngine* SoundEngine, int X, int Y, const std::string& TextureName);
    void Run();

    int X;
    int Y;
    bool RunSoundPlayed = false;
    bool Screamed = false;
    std::string TextureName;
    uint32_t MoveStamp;
    int MoveDelay = 1;
    uint32_t FrameStamp;
    int FrameDelay = 70;
    int Frame;

  private:
    TEngine& Engine;
    TSoundEngine* SoundEngine;
};
