#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "runtime/TPicture.h"

// Windows bitmaps: the core (OS/2) header and BITMAPINFOHEADER or any larger header; 1, 4 and 8-bit
// palettes, 16, 24 and 32 bits, uncompressed or with bit-field masks, stored either way up. A 32-bit
// picture's alpha is used only when some pixel has a non-zero alpha (most writers leave it all zero).
class TBmpDecoder {
  public:
    static bool Decode(const uint8_t* Data, size_t Size, TPicture& Out, std::string* Error = nullptr);
};
