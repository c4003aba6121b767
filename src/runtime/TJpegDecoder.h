#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "runtime/TPicture.h"

// JPEG pictures (greyscale, colour, CMYK) decoded to RGBA with alpha 255.
class TJpegDecoder {
  public:
    static bool Decode(const uint8_t* Data, size_t Size, TPicture& Out, std::string* Error = nullptr);
};
