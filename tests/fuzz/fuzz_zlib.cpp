// libFuzzer harness: zlib stream decoding (profiles, high scores and missions are zlib streams).
#include <cstdlib>

#include "runtime/TZlibStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    std::vector<uint8_t> Out;
    if (TZlibStream::Decompress(Data, Size, Out, 1u << 20)) {
        std::vector<uint8_t> Packed = TZlibStream::Compress(Out.data(), Out.size(), 9);
        std::vector<uint8_t> Again;
        if (!TZlibStream::Decompress(Packed.data(), Packed.size(), Again) || Again != Out) {
            std::abort();
        }
    } else if (!Out.empty()) {
        std::abort();
    }
    return 0;
}
