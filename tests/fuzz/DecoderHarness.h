#pragma once

#include "FuzzSupport.h"
#include "runtime/TPicture.h"

// What every picture decoder promises, whatever the bytes: a whole picture, or a rejection that says
// why and leaves no half picture behind.
template <typename TDecoder> int CheckDecoder(const uint8_t* Data, size_t Size) {
    TPicture Picture;
    std::string Error;
    if (TDecoder::Decode(Data, Size, Picture, &Error))
        Check(Picture.Width > 0 && Picture.Height > 0 &&
              Picture.Pixels.size() == static_cast<size_t>(Picture.Width) * Picture.Height);
    else
        Check(!Error.empty() && Picture.Pixels.empty());
    return 0;
}
