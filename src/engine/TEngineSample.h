#pragma once

#include <string>
#include <vector>

struct Mix_Chunk;

// One entry of the sample list "Sound\Sounds.ini".
struct TEngineSample {
    // The key the game plays it by; matched exactly, with case.
    std::string Name;
    // Program folder + the list's "Sample" value.
    std::string File;
    // The decoded sound; nullptr when it could not be loaded (or there is no audio device).
    Mix_Chunk* Chunk = nullptr;
    // Playback volume, 0 .. 100.
    int Volume = 100;
    // Plays until stopped by name.
    bool Loop = false;
    // Mixer channels this sample was started on. Some may have finished since: the engine prunes the
    // list before it relies on it.
    std::vector<int> Channels;
};
