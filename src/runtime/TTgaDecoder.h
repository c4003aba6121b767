#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "runtime/TPicture.h"

// Targa pictures: uncompressed and run-length true colour (15/16, 24, 32 bits) and greyscale (8 bits,
// or 16 with alpha), stored either way up or mirrored. Colour-mapped pictures are not used by the game.
class TTgaDecoder {
  public:
    static bool Decode(const uint8_t* Data, size_t Size, TPicture& Out, std::string* Error = nullptr);
};
