// libFuzzer harness: PNG decoding, and re-encoding whatever decodes.
#include <zlib.h>

#include "FuzzSupport.h"
#include "runtime/TPngDecoder.h"
#include "runtime/TPngEncoder.h"

namespace {

// Mutated chunks almost never keep a valid CRC and libpng stops at the first bad one, so the fuzzer
// would hardly get past the header. Give every complete chunk its right CRC; the decoder's own CRC
// handling is still reached through chunks cut short.
void FixCrcs(std::vector<uint8_t>& File) {
    size_t Pos = 8;
    while (File.size() >= Pos + 12) {
        const uint32_t Length =
            static_cast<uint32_t>(File[Pos]) << 24 | File[Pos + 1] << 16 | File[Pos + 2] << 8 | File[Pos + 3];
        if (Length > File.size() - Pos - 12) {
            break;
        }
        const uint32_t Crc = static_cast<uint32_t>(crc32(0, File.data() + Pos + 4, Length + 4));
        uint8_t* Target = File.data() + Pos + 8 + Length;
        Target[0] = static_cast<uint8_t>(Crc >> 24);
        Target[1] = static_cast<uint8_t>(Crc >> 16);
        Target[2] = static_cast<uint8_t>(Crc >> 8);
        Target[3] = static_cast<uint8_t>(Crc);
        Pos += 12 + Length;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    std::vector<uint8_t> File = AsBytes(Data, Size);
    if (Size % 8 != 0) {
        // Some inputs keep whatever CRCs they came with.
        FixCrcs(File);
    }
    TPicture Picture;
    std::string Error;
    if (!TPngDecoder::Decode(File.data(), File.size(), Picture, &Error)) {
        Check(Picture.Pixels.empty());
        return 0;
    }
    Check(Picture.Pixels.size() == static_cast<size_t>(Picture.Width) * Picture.Height);
    // What we decode must survive our own encoder unchanged.
    std::vector<uint8_t> Encoded;
    TPicture Again;
    Check(TPngEncoder::Encode(Picture, Encoded) &&
          TPngDecoder::Decode(Encoded.data(), Encoded.size(), Again) && Again.Pixels == Picture.Pixels);
    return 0;
}
