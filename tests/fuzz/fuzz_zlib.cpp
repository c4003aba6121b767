// libFuzzer harness: zlib stream decoding (profiles, high scores and missions are zlib streams).
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    std::vector<uint8_t> Out;
    if (!TZlibStream::Decompress(Data, Size, Out, 1u << 20)) {
        Check(Out.empty());
        return 0;
    }
    const std::vector<uint8_t> Packed = TZlibStream::Compress(Out.data(), Out.size(), 9);
    std::vector<uint8_t> Again;
    Check(TZlibStream::Decompress(Packed.data(), Packed.size(), Again) && Again == Out);
    return 0;
}
