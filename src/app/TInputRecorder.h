#pragma once

#include "render/TInputState.h"

#include <cstdint>
#include <cstdio>
#include <string>

// Writes a session's input as an input script (--record FILE): every event that comes into the game at
// the game frame it arrived before, the game frames' length and the seed, so the file given to --input
// plays the session again exactly, at any display rate.
// Lines wait in memory and go out every so many frames, so recording never holds play up; a file that
// cannot be written is reported once, and play goes on without it.
class TInputRecorder {
  public:
    static constexpr int FramesPerWrite = 100;

    TInputRecorder() = default;
    ~TInputRecorder() { Finish(); }
    TInputRecorder(const TInputRecorder&) = delete;
    TInputRecorder& operator=(const TInputRecorder&) = delete;

    // Header: comment lines saying what else the replay needs (the options it was recorded with).
    void Start(const std::string& Path, const std::string& Header, uint32_t Seed);
    bool Recording() const { return File != nullptr; }
    void Event(int Frame, const TInputEvent& Event);
    // Game frame Frame has run, the game's clock having moved on by Milliseconds.
    void FrameDone(int Frame, uint32_t Milliseconds);
    // Writes what is left and closes the file. A session that did not end with the window closing gets
    // a close after its last frame, so the replay ends where it did.
    void Finish();

  private:
    void Add(const std::string& Line);
    void WriteOut();
    void Fail(const char* What);

    std::FILE* File = nullptr;
    std::string Path;
    std::string Pending;
    int LastFrame = 0;
    bool Stepped = false;
    uint32_t LastStep = 0;
    bool Closed = false;
};
