// libFuzzer harness: JPEG decoding.
#include "DecoderHarness.h"
#include "runtime/TJpegDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    return CheckDecoder<TJpegDecoder>(Data, Size);
}
