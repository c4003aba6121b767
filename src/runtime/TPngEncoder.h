#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/TPicture.h"

// Writes 8-bit RGBA PNG files (screenshots, the content tools). The same picture always gives the
// same bytes: no time stamp, fixed compression settings.
class TPngEncoder {
  public:
    static bool Encode(const TPicture& Picture, std::vector<uint8_t>& Out);
    // Encodes and writes atomically.
    static bool Save(const std::string& Path, const TPicture& Picture, std::string* Error = nullptr);
};
