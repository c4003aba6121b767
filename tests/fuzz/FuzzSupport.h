#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "runtime/TIniFile.h"
#include "runtime/TZlibStream.h"

// What the fuzz harnesses share.

// A broken promise stops the run, so the fuzzer keeps the input.
inline void Check(bool Condition) {
    if (!Condition)
        std::abort();
}

inline std::string AsText(const uint8_t* Data, size_t Size) {
    return std::string(reinterpret_cast<const char*>(Data), Size);
}

inline std::vector<uint8_t> AsBytes(const uint8_t* Data, size_t Size) {
    return std::vector<uint8_t>(Data, Data + Size);
}

// Save files and missions are zlib streams: the bytes are tried as they are, and what they inflate to
// (up to a megabyte), so the fuzzer reaches the decoder both with and without getting the stream right.
template <typename TFunction> void ForEachReading(const uint8_t* Data, size_t Size, TFunction Try) {
    Try(AsBytes(Data, Size));
    std::vector<uint8_t> Inflated;
    if (TZlibStream::Decompress(Data, Size, Inflated, 1u << 20))
        Try(Inflated);
}

// The texture and sample lists: entries past the first few are more of the same and only cost time, so
// a list counting more is skipped. A count above the game's limit is still tried: it is refused before
// any entry is read.
inline bool ListWorthTrying(const TIniFile& List, const std::string& Section) {
    const int Count = List.ReadInteger(Section, "Count", 0);
    return Count <= 64 || Count > 10000;
}
