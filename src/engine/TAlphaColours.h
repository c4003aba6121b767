#pragma once

#include <cstdint>

// White at 255 levels of alpha, shared by fades: entry i has alpha i up to 237, then i + 1, so that
// entry 254 is opaque white.
struct TAlphaColours {
    static uint32_t Entry(int Index) {
        const int Clamped = Index < 0 ? 0 : (Index > 254 ? 254 : Index);
        const uint32_t Alpha = static_cast<uint32_t>(Clamped <= 237 ? Clamped : Clamped + 1);
        return Alpha << 24 | 0xFFFFFFu;
    }
};
