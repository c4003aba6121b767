#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Limits every picture decoder enforces before it allocates anything, so a damaged or hostile file is
// rejected instead of exhausting memory; and the one place the game's pixel layout is built.
class TPictureLimits {
  public:
    static constexpr int MaxSide = 8192;
    static constexpr uint64_t MaxPixels = 64ull << 20;

    // True when Width x Height is a picture we are willing to hold; otherwise fills Error.
    static bool Check(uint64_t Width, uint64_t Height, std::string* Error);
    // Alpha in the top byte, then blue, green, red in the lowest byte.
    static uint32_t Pack(uint8_t R, uint8_t G, uint8_t B, uint8_t A) {
        return static_cast<uint32_t>(R) | static_cast<uint32_t>(G) << 8 | static_cast<uint32_t>(B) << 16 |
               static_cast<uint32_t>(A) << 24;
    }
    static void Fail(std::string* Error, const std::string& Message) {
        if (Error) {
            *Error = Message;
        }
    }
};
