#include "runtime/TZlibStream.h"

#include <algorithm>
#include <climits>
#include <zlib.h>

#include "runtime/TFile.h"

namespace {
// zlib takes its input in slices that fit its 32-bit counters.
void FeedInput(z_stream& Stream, const Bytef*& Input, size_t& Left) {
    if (Stream.avail_in != 0 || Left == 0)
        return;
    const uInt Slice = static_cast<uInt>(std::min<size_t>(Left, UINT_MAX / 2));
    Stream.next_in = const_cast<Bytef*>(Input);
    Stream.avail_in = Slice;
    Input += Slice;
    Left -= Slice;
}
} // namespace

std::vector<uint8_t> TZlibStream::Compress(const void* Data, size_t Size, int Level) {
    z_stream Stream{};
    Level = std::clamp(Level, 0, 9);
    std::vector<uint8_t> Out;
    if (deflateInit(&Stream, Level) != Z_OK) {
        return Out;
    }
    // zlib counts in uInt, so very large inputs are fed in slices.
    const Bytef* Input = static_cast<const Bytef*>(Data);
    size_t Left = Size;
    uint8_t Buffer[65536];
    int Result = Z_OK;
    do {
        FeedInput(Stream, Input, Left);
        Stream.next_out = Buffer;
        Stream.avail_out = sizeof Buffer;
        Result = deflate(&Stream, Left == 0 ? Z_FINISH : Z_NO_FLUSH);
        Out.insert(Out.end(), Buffer, Buffer + (sizeof Buffer - Stream.avail_out));
    } while (Result == Z_OK || Result == Z_BUF_ERROR);
    deflateEnd(&Stream);
    if (Result != Z_STREAM_END) {
        Out.clear();
    }
    return Out;
}

bool TZlibStream::Decompress(const void* Data, size_t Size, std::vector<uint8_t>& Out, size_t MaxSize) {
    Out.clear();
    z_stream Stream{};
    if (inflateInit(&Stream) != Z_OK) {
        return false;
    }
    const Bytef* Input = static_cast<const Bytef*>(Data);
    size_t Left = Size;
    uint8_t Buffer[65536];
    int Result = Z_OK;
    for (;;) {
        FeedInput(Stream, Input, Left);
        Stream.next_out = Buffer;
        Stream.avail_out = sizeof Buffer;
        Result = inflate(&Stream, Z_NO_FLUSH);
        size_t Produced = sizeof Buffer - Stream.avail_out;
        if (Produced > MaxSize - Out.size()) {
            Result = Z_MEM_ERROR;
            break;
        }
        Out.insert(Out.end(), Buffer, Buffer + Produced);
        if (Result == Z_STREAM_END) {
            break;
        }
        if (Result != Z_OK && Result != Z_BUF_ERROR) {
            break;
        }
        // No progress possible: the input ran out before the stream's end.
        if (Result == Z_BUF_ERROR || (Stream.avail_in == 0 && Left == 0 && Produced == 0)) {
            Result = Z_DATA_ERROR;
            break;
        }
    }
    bool Whole = Result == Z_STREAM_END && Stream.avail_in == 0 && Left == 0;
    inflateEnd(&Stream);
    if (!Whole) {
        Out.clear();
    }
    return Whole;
}

bool TZlibStream::ReadFile(const std::string& Path, std::vector<uint8_t>& Out) {
    std::vector<uint8_t> Packed;
    if (!TFile::ReadAll(Path, Packed, TFile::SmallLimit)) {
        Out.clear();
        return false;
    }
    return Decompress(Packed.data(), Packed.size(), Out);
}

bool TZlibStream::WriteFile(const std::string& Path, const void* Data, size_t Size, int Level,
                            std::string* Error) {
    std::vector<uint8_t> Packed = Compress(Data, Size, Level);
    if (Packed.empty()) {
        if (Error) {
            *Error = "Cannot compress data for \"" + Path + "\"";
        }
        return false;
    }
    return TFile::WriteAtomic(Path, Packed.data(), Packed.size(), Error);
}
