#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// The look of one particle effect: the 124-byte block of an effect file (".pss"), little-endian, no
// header. Pairs of bounds are ranges in either order. Angles are in radians.
struct TParticleParams {
    struct TColour {
        uint8_t R = 0, G = 0, B = 0, A = 0;
    };

    static constexpr size_t Size = 124;

    int32_t FirstPattern = 0;
    // Negative or equal to FirstPattern: the pattern does not change over a particle's life.
    int32_t LastPattern = 0;
    // Drawing effect code, e.g. 0x504 alpha blending, 0x104 additive.
    uint32_t Effect = 0;
    int32_t EmissionRate = 0; // particles per second
    int32_t Duration = 0;     // ms; -1 or less runs until stopped
    int32_t LifeMin = 0;      // ms
    int32_t LifeMax = 0;
    float Direction = 0;
    float Spread = 0; // full width of the emission cone
    uint8_t RelativeToMotion = 0;
    float SpeedMin = 0, SpeedMax = 0;           // pixels per second
    float GravityMin = 0, GravityMax = 0;       // pixels per second², along +Y
    float RadialMin = 0, RadialMax = 0;         // velocity change per ms, away from the birth point
    float TangentialMin = 0, TangentialMax = 0; // velocity change per ms, across it
    float ScaleStart = 0, ScaleEnd = 0, ScaleVariation = 0;
    float AngleStart = 0, AngleEnd = 0, AngleVariation = 0;
    TColour Colour1, Colour2, Colour3; // at birth, at the middle point, at death
    float ColourVariation = 0, AlphaVariation = 0;
    float MiddlePoint = 0; // fraction of the life at which Colour2 is reached

    // Reads up to Size bytes as the game loads an effect file: missing bytes leave their fields zero.
    // True when at least one byte was there.
    static bool Read(const uint8_t* Data, size_t Length, TParticleParams& Params);
    // False, with the first field out of its range named in Why, for a block whose particles would
    // never end or could not be drawn: numbers that are not finite, lifetimes, rates, speeds and sizes
    // far beyond any effect, fractions outside 0..1, patterns below 0.
    bool Playable(std::string& Why) const;
    // The block, with the reserved word and the padding zero.
    std::array<uint8_t, Size> Write() const;

  private:
    bool CoverageFits(std::string& Why) const;
};
