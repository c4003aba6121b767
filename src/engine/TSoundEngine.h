#pragma once

#include "engine/TEngineSample.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The game's sound effects: loads the sample list once and plays or stops samples by name. Sound
// problems never stop the game: without an audio device it shows one message and runs silent.
class TSoundEngine {
  public:
    // A sample never has more than this many playbacks at once; further plays are ignored. The game
    // asks for the looped engine hum every frame and relies on this to keep it to a few voices.
    static constexpr int MaxPlaybacks = 3;

    // ListPath: full path of Sound/Sounds.ini; ProgramDir: the folder the list's "Sample" paths are
    // relative to (with its trailing '/'). Silent: no sound reaches a real device and no message box
    // is shown (headless runs, tests); the mixer runs on SDL's dummy driver, so samples still load
    // and playbacks are still tracked.
    TSoundEngine(const std::string& ProgramDir, const std::string& ListPath, bool Silent);
    ~TSoundEngine();
    TSoundEngine(const TSoundEngine&) = delete;
    TSoundEngine& operator=(const TSoundEngine&) = delete;

    void PlaySample(const std::string& Name);
    void StopSample(const std::string& Name);

    int SampleCount() const { return static_cast<int>(Samples.size()); }
    const TEngineSample* Sample(int Index) const;
    // Playbacks of that sample running now.
    int Playing(const std::string& Name) const;
    bool DeviceOpen() const { return Open; }
    // The linked mixer is not the one the game was built for: the program should end.
    bool TerminateRequested() const { return Terminate; }

    // A whole number in 0 .. Range - 1; picks each playback's pan. Replaceable so runs can share the
    // game's seeded generator.
    std::function<int(int)> RandomRange;

  private:
    void StartAudio();
    void StopAudio();
    void LoadList();
    TEngineSample* Find(const std::string& Name);
    const TEngineSample* Find(const std::string& Name) const;
    // Drops the channels that no longer play this sample.
    static void Prune(TEngineSample& Entry);
    static bool PlaysOn(const TEngineSample& Entry, int Channel);
    // A free mixer channel, allocating more when all are busy; -1 when none can be had.
    static int FreeChannel();
    // The error box (none when silent) and a line with the details on standard error.
    void Error(const std::string& Message, int Code, const std::string& Detail) const;

    std::string ProgramDir;
    std::string ListPath;
    bool Silent;
    bool Terminate = false;
    bool AudioStarted = false; // we hold a reference on SDL's audio subsystem
    bool Open = false;         // the mixer is open for us
    uint32_t PanState = 1;
    std::vector<TEngineSample> Samples;
};

extern std::unique_ptr<TSoundEngine> SoundEngine;
// A sample of the sound engine by name; nothing without a sound engine (tests often run with none).
void PlaySound(const std::string& Name);
void StopSound(const std::string& Name);
