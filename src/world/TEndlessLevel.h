#pragma once

#include <string>

// The endless mode's mission file: texts and crate settings; its waves are made as it goes.
struct TEndlessLevel {
    std::string Name;
    int CaptionIndex = 0;
    int TextIndex = 0;
    int FirstLineIndex = 0;
    int SecondLineIndex = 0;
    int CrateLifetime = 0;
    int CrateIntervalMin = 0;
    int CrateIntervalMax = 0;
};
