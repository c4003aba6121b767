#pragma once

#include "particles/TParticleParams.h"

#include <string>

// The readable source of an effect file: one "Field = value" line per field of the block, "#"
// comments. Colours are "r g b a" (0..255); Direction, Spread, AngleStart and AngleEnd are in degrees
// here and in radians in the file; Effect is "add", "blend" or a number.
class TEffectSource {
  public:
    // Errors read "FILE:LINE: what is wrong"; every field must be given once.
    static bool Compile(const std::string& Text, const std::string& FileName, TParticleParams& Params,
                        std::string& Error);
    // Source text that compiles back to the same block, bit for bit.
    static std::string Decompile(const TParticleParams& Params);
};
