#pragma once

#include "missions/TLevelFile.h"
#include "runtime/TZlibStream.h"

#include <string>
#include <vector>

// Campaign mission files made for a test, written the way the mission tools write them.
struct TMissionWriter {
    // A wave of Rockets rockets, all of Type.
    static TWave Wave(int Rockets, uint8_t Kind, int Goal, int Pause, int Type) {
        TWave Result;
        Result.RocketCount = Rockets;
        Result.Kind = Kind;
        Result.Goal = Goal;
        Result.Pause = Pause;
        Result.TypeA = Type;
        Result.TypeB = Type;
        return Result;
    }

    // Levels/NAME.lvl under ProgramDir (which ends in a separator).
    static bool WriteCampaign(const std::string& ProgramDir, const std::string& Name,
                              const std::vector<TWave>& Waves, int CaptionIndex = 0) {
        TCampaignLevel Campaign;
        Campaign.Name = Name;
        Campaign.CaptionIndex = CaptionIndex;
        Campaign.WaveCount = static_cast<int>(Waves.size());
        Campaign.Waves = Waves;
        Campaign.CrateLifetime = 10000;
        Campaign.CrateIntervalMin = 5000;
        Campaign.CrateIntervalMax = 9000;
        const std::vector<uint8_t> Bytes = TLevelFile::Write("C", Campaign, TEndlessLevel());
        return TZlibStream::WriteFile(ProgramDir + "Levels/" + Name + ".lvl", Bytes.data(), Bytes.size(), 9);
    }
};
