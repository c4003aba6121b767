#pragma once

#include "world/TCampaignLevel.h"
#include "world/TEndlessLevel.h"

#include <cstdint>
#include <string>
#include <vector>

// The mission file: a zlib stream holding the mode ("C" campaign, "T" endless), the texts and crate
// settings and, for a campaign mission, its waves. Integers are 32-bit little-endian; short strings are
// a length byte followed by their full capacity.
//
// Reading checks every value the game relies on, so a broken file fails its load with one message
// instead of misbehaving later. A message about a header field begins with the field's name
// ("CaptionIndex 25 is not 0..19"), one about a wave with "wave N:" (counted from 1), so the mission
// tools can point at the source line.
class TLevelFile {
  public:
    static constexpr int ModeCapacity = 1;
    static constexpr int NameCapacity = 30;
    static constexpr int HeaderSize = 2 + NameCapacity + 1 + 4 * 4;
    static constexpr int CampaignHeaderSize = HeaderSize + 4 * 4;
    static constexpr int EndlessSize = HeaderSize + 3 * 4;
    static constexpr int WaveSize = 29;
    static constexpr int TextCount = 20;
    // Each rocket's index is also its floating-message slot, 0..100.
    static constexpr int MaxRocketCount = 101;

    // Fills Mode and, by it, Campaign (its WaveCount equals its number of Waves) or Endless. On failure
    // nothing is changed and Error says what is wrong. Bytes after the fields are ignored.
    static bool Read(const std::vector<uint8_t>& Decompressed, std::string& Mode, TCampaignLevel& Campaign,
                     TEndlessLevel& Endless, std::string& Error);
    // Decompresses the file and reads it; the message names the file.
    static bool ReadFile(const std::string& Path, std::string& Mode, TCampaignLevel& Campaign,
                         TEndlessLevel& Endless, std::string& Error);
    // The decompressed bytes: Campaign for "C", Endless for "T", only the mode for anything else. Strings
    // longer than their capacity are cut; the wave count written is the number of Waves.
    static std::vector<uint8_t> Write(const std::string& Mode, const TCampaignLevel& Campaign,
                                      const TEndlessLevel& Endless);
};
