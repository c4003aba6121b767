#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A decoded picture: 32-bit pixels, row by row from the top, in the game's colour convention
// (alpha in the top byte, then blue, green, red in the lowest byte).
struct TPicture {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;

    uint32_t& At(int X, int Y) { return Pixels[static_cast<size_t>(Y) * Width + X]; }
    uint32_t At(int X, int Y) const { return Pixels[static_cast<size_t>(Y) * Width + X]; }
};
