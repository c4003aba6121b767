#pragma once

#include "runtime/TPicture.h"

#include <cstdlib>
#include <string>

// What every picture decoder promises, whatever the bytes: a whole picture, or a rejection that says
// why and leaves no half picture behind.
template <typename TDecoder> int CheckDecoder(const uint8_t* Data, size_t Size) {
    TPicture Picture;
    std::string Error;
    if (TDecoder::Decode(Data, Size, Picture, &Error)) {
        if (Picture.Width <= 0 || Picture.Height <= 0 ||
            Picture.Pixels.size() != static_cast<size_t>(Picture.Width) * Picture.Height)
            std::abort();
    } else if (Error.empty() || !Picture.Pixels.empty()) {
        std::abort();
    }
    return 0;
}
