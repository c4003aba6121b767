#pragma once

#include "world/TCampaignLevel.h"
#include "world/TEndlessLevel.h"

#include <cstdint>
#include <string>
#include <vector>

// The readable source of a mission file: "Key: value" header lines, one "wave key=value ..." line per
// wave, "#" comments. Compiling refuses whatever the game's loader would refuse, naming the line.
class TLevelSource {
  public:
    // Text → the mission file's decompressed bytes. Errors read "FILE:LINE: what is wrong".
    static bool Compile(const std::string& Text, const std::string& FileName, std::vector<uint8_t>& Bytes,
                        std::string& Error);
    // A loaded mission → source text that compiles back to the same bytes.
    static std::string Decompile(const std::string& Mode, const TCampaignLevel& Campaign,
                                 const TEndlessLevel& Endless);
};
