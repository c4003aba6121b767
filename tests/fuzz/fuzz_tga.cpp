// libFuzzer harness: TGA decoding.
#include "DecoderHarness.h"
#include "runtime/TTgaDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    return CheckDecoder<TTgaDecoder>(Data, Size);
}
