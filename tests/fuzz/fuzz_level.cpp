// libFuzzer harness: mission files, read both as the decompressed bytes and as a zlib stream. A file
// the reader accepts must write back to bytes it accepts again, unchanged.
#include <cstdlib>

#include "missions/TLevelFile.h"
#include "runtime/TZlibStream.h"

// The fuzz harnesses link the runtime library only, so the reader is compiled in here.
#include "../../src/missions/TLevelFile.cpp"

namespace {

void Check(const std::vector<uint8_t>& Bytes) {
    std::string Mode, Error;
    TCampaignLevel Campaign;
    TEndlessLevel Endless;
    if (!TLevelFile::Read(Bytes, Mode, Campaign, Endless, Error)) {
        if (Error.empty())
            std::abort();
        return;
    }
    if (Mode == "C" && Campaign.WaveCount != static_cast<int>(Campaign.Waves.size()))
        std::abort();
    const std::vector<uint8_t> Written = TLevelFile::Write(Mode, Campaign, Endless);
    std::string Mode2, Error2;
    TCampaignLevel Campaign2;
    TEndlessLevel Endless2;
    if (!TLevelFile::Read(Written, Mode2, Campaign2, Endless2, Error2) ||
        TLevelFile::Write(Mode2, Campaign2, Endless2) != Written)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    Check(std::vector<uint8_t>(Data, Data + Size));
    std::vector<uint8_t> Out;
    if (TZlibStream::Decompress(Data, Size, Out, 1u << 20))
        Check(Out);
    return 0;
}
