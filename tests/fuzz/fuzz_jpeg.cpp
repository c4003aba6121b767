// libFuzzer harness: JPEG decoding.
#include <cstdlib>

#include "runtime/TJpegDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    TPicture Picture;
    std::string Error;
    if (TJpegDecoder::Decode(Data, Size, Picture, &Error)) {
        if (Picture.Width <= 0 || Picture.Height <= 0 ||
            Picture.Pixels.size() != static_cast<size_t>(Picture.Width) * Picture.Height) {
            std::abort();
        }
    } else if (Error.empty() || !Picture.Pixels.empty()) {
        // A rejection always says why and leaves no half picture behind.
        std::abort();
    }
    return 0;
}
