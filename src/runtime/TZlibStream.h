#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Single zlib-format streams, as used by the mission, profile and high-score files.
class TZlibStream {
  public:
    static std::vector<uint8_t> Compress(const void* Data, size_t Size, int Level);
    // False for a corrupt or truncated stream, trailing bytes after the stream's end, or output that
    // would grow beyond MaxSize.
    static bool Decompress(const void* Data, size_t Size, std::vector<uint8_t>& Out,
                           size_t MaxSize = 64u << 20);
    static bool ReadFile(const std::string& Path, std::vector<uint8_t>& Out);
    // Compresses and writes atomically (the old file survives any failure).
    static bool WriteFile(const std::string& Path, const void* Data, size_t Size, int Level,
                          std::string* Error = nullptr);
};
