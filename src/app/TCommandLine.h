#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TScreenshotRequest {
    int Frame = 0;
    std::string FileName;
};

// The options a test, benchmark or screenshot run gives the game; a player gives none.
class TCommandLine {
  public:
    std::string DataDir;
    bool Headless = false;
    bool NoRaster = false; // headless only: draw calls run, no pixel is written
    int Frames = 0;        // game frames; 0 = run until the window closes
    int StepMs = 0;        // 0 = real time; else every displayed frame takes StepMs ms
    int MaxFps = 100;      // displayed frames a second at most; the game keeps its speed below it
    bool HasSeed = false;
    uint32_t Seed = 0;
    std::string InputFile;
    std::vector<TScreenshotRequest> Screenshots;
    std::string Level;
    std::string RecordFile; // every input event at its game frame, as an input script
    int StateHashEvery = 0; // 0 = no state hashes
    bool ShowVersion = false;
    bool ShowHelp = false;

    // False with a message naming the offending option.
    bool Parse(const std::vector<std::string>& Arguments, std::string& Error);
    static std::string HelpText();
    static std::string VersionText();
};
