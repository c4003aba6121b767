#pragma once

#include "world/TWave.h"

#include <string>
#include <vector>

// A campaign mission as its file describes it.
struct TCampaignLevel {
    std::string Name;
    int CaptionIndex = 0;
    int TextIndex = 0;
    int FirstLineIndex = 0;
    int SecondLineIndex = 0;
    int WaveCount = 0;
    std::vector<TWave> Waves;
    int CrateLifetime = 0;
    int CrateIntervalMin = 0;
    int CrateIntervalMax = 0;
};
