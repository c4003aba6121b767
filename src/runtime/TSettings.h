#pragma once

#include <string>

// The machine-wide settings of Settings.ini.
struct TSettings {
    int Space = 0;
    bool Antialias = true;
    bool Windowed = false;
    bool Dithering = false;
    int BitDepth = 0;
    bool VSync = false;
    bool Hardware = true;
    int Buffers = 2;
    bool Music = true;
    std::string Language = "Czech";
    // The window's place on the desktop; values that fit no display give the centred default.
    int WindowX = -1;
    int WindowY = -1;
    int WindowWidth = 1024;
    int WindowHeight = 768;
};

extern TSettings Settings;
// Cheat keys work (a command-line switch for testing).
extern bool CheatsEnabled;
