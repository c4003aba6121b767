#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "runtime/TPicture.h"

// PNG pictures of every colour type and bit depth (palette, transparency chunk, interlacing) decoded to
// 8-bit RGBA.
class TPngDecoder {
  public:
    static bool Decode(const uint8_t* Data, size_t Size, TPicture& Out, std::string* Error = nullptr);
};
