// libFuzzer harness: BMP decoding.
#include "DecoderHarness.h"
#include "runtime/TBmpDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    return CheckDecoder<TBmpDecoder>(Data, Size);
}
