#include <gtest/gtest.h>

#include "particles/TParticleParams.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

TParticleParams Sample() {
    TParticleParams P;
    P.FirstPattern = 1;
    P.LastPattern = -1;
    P.Effect = 0x104;
    P.EmissionRate = 250;
    P.Duration = -1;
    P.LifeMin = 300;
    P.LifeMax = 150;
    P.Direction = 1.5f;
    P.Spread = 0.25f;
    P.RelativeToMotion = 1;
    P.SpeedMin = 10;
    P.SpeedMax = 20;
    P.GravityMin = -3;
    P.GravityMax = 4;
    P.RadialMin = -0.2f;
    P.RadialMax = -0.1f;
    P.TangentialMin = 0.05f;
    P.TangentialMax = 0.06f;
    P.ScaleStart = 0.5f;
    P.ScaleEnd = 0.1f;
    P.ScaleVariation = 0.3f;
    P.AngleStart = 0;
    P.AngleEnd = 6.25f;
    P.AngleVariation = 1;
    P.Colour1 = {255, 200, 100, 250};
    P.Colour2 = {1, 2, 3, 4};
    P.Colour3 = {9, 8, 7, 0};
    P.ColourVariation = 0.1f;
    P.AlphaVariation = 0.2f;
    P.MiddlePoint = 0.4f;
    return P;
}

float FloatAt(const std::array<uint8_t, 124>& Block, size_t At) {
    float Value;
    std::memcpy(&Value, Block.data() + At, 4); // the block is little-endian, as is this machine
    return Value;
}

int32_t IntAt(const std::array<uint8_t, 124>& Block, size_t At) {
    int32_t Value;
    std::memcpy(&Value, Block.data() + At, 4);
    return Value;
}

} // namespace

TEST(TParticleParams, WritesEachFieldAtItsOffset) {
    const std::array<uint8_t, 124> Block = Sample().Write();
    EXPECT_EQ(IntAt(Block, 0), 1);
    EXPECT_EQ(IntAt(Block, 4), -1);
    EXPECT_EQ(IntAt(Block, 8), 0);
    EXPECT_EQ(IntAt(Block, 12), 0x104);
    EXPECT_EQ(IntAt(Block, 16), 250);
    EXPECT_EQ(IntAt(Block, 20), -1);
    EXPECT_EQ(IntAt(Block, 24), 300);
    EXPECT_EQ(IntAt(Block, 28), 150);
    EXPECT_EQ(FloatAt(Block, 32), 1.5f);
    EXPECT_EQ(FloatAt(Block, 36), 0.25f);
    EXPECT_EQ(Block[40], 1);
    EXPECT_EQ(Block[41], 0);
    EXPECT_EQ(Block[42], 0);
    EXPECT_EQ(Block[43], 0);
    const float Floats[] = {10, 20, -3, 4, -0.2f, -0.1f, 0.05f, 0.06f, 0.5f, 0.1f, 0.3f, 0, 6.25f, 1};
    for (size_t I = 0; I < 14; ++I)
        EXPECT_EQ(FloatAt(Block, 44 + 4 * I), Floats[I]) << I;
    const uint8_t Colours[] = {255, 200, 100, 250, 1, 2, 3, 4, 9, 8, 7, 0};
    for (size_t I = 0; I < 12; ++I)
        EXPECT_EQ(Block[100 + I], Colours[I]) << I;
    EXPECT_EQ(FloatAt(Block, 112), 0.1f);
    EXPECT_EQ(FloatAt(Block, 116), 0.2f);
    EXPECT_EQ(FloatAt(Block, 120), 0.4f);
}

TEST(TParticleParams, RoundTrips) {
    const std::array<uint8_t, 124> Block = Sample().Write();
    TParticleParams Back;
    ASSERT_TRUE(TParticleParams::Read(Block.data(), Block.size(), Back));
    EXPECT_EQ(Back.Write(), Block);
    EXPECT_EQ(Back.LifeMin, 300);
    EXPECT_EQ(Back.Colour1.G, 200);
    EXPECT_EQ(Back.MiddlePoint, 0.4f);
}

TEST(TParticleParams, ReadsOnlyTheFirst124BytesAndIgnoresReservedAndPadding) {
    const std::array<uint8_t, 124> Whole = Sample().Write();
    std::vector<uint8_t> File(Whole.begin(), Whole.end());
    File[8] = 0x55;  // reserved
    File[41] = 0x66; // padding
    File.insert(File.end(), 50, 0xAA);
    TParticleParams Back;
    ASSERT_TRUE(TParticleParams::Read(File.data(), File.size(), Back));
    EXPECT_EQ(Back.Write(), Sample().Write());
}

TEST(TParticleParams, ShortFileLeavesTheRestZero) {
    const std::array<uint8_t, 124> Block = Sample().Write();
    TParticleParams Back = Sample();
    ASSERT_TRUE(TParticleParams::Read(Block.data(), 20, Back));
    EXPECT_EQ(Back.EmissionRate, 250);
    EXPECT_EQ(Back.Duration, 0);
    EXPECT_EQ(Back.MiddlePoint, 0.0f);
    EXPECT_EQ(Back.Colour1.R, 0);
    EXPECT_FALSE(TParticleParams::Read(Block.data(), 0, Back));
    EXPECT_EQ(Back.EmissionRate, 0);
}

// The effect files the game ships are whole blocks whose patterns lie on the particle sheet.
TEST(TParticleParams, ShippedEffectsAreWholeBlocks) {
    const std::string Dir = std::string(ZERATHON_SOURCE_DIR) + "/data/Graphic/";
    for (const char* Name :
         {"phazer", "empicon", "shieldicon", "phazericon", "shield1", "shield2", "engine", "boost", "mine",
          "shield", "longbomb", "EMP", "ship_explode", "explode1", "explode2", "explode3", "flame"}) {
        FILE* File = std::fopen((Dir + Name + ".pss").c_str(), "rb");
        ASSERT_NE(File, nullptr) << Name;
        uint8_t Buffer[200];
        const size_t Got = std::fread(Buffer, 1, sizeof Buffer, File);
        std::fclose(File);
        EXPECT_EQ(Got, 124u) << Name;
        TParticleParams P;
        ASSERT_TRUE(TParticleParams::Read(Buffer, Got, P));
        EXPECT_GE(P.FirstPattern, 0) << Name;
        EXPECT_LE(P.FirstPattern, 3) << Name;
        EXPECT_LE(P.LastPattern, 3) << Name;
        EXPECT_GT(P.EmissionRate, 0) << Name;
        EXPECT_GT(std::min(P.LifeMin, P.LifeMax), 0) << Name;
        EXPECT_TRUE(P.Effect == 0x104 || P.Effect == 0x504) << Name;
        EXPECT_GT(P.MiddlePoint, 0.0f) << Name;
        EXPECT_LT(P.MiddlePoint, 1.0f) << Name;
        std::string Why;
        EXPECT_TRUE(P.Playable(Why)) << Name << ": " << Why;
    }
}

TEST(TParticleParams, BlocksWhoseParticlesWouldNeverEndAreNotPlayable) {
    constexpr float NaN = std::numeric_limits<float>::quiet_NaN();
    constexpr float Infinity = std::numeric_limits<float>::infinity();
    std::string Why;
    ASSERT_TRUE(Sample().Playable(Why)) << Why;
    const std::pair<void (*)(TParticleParams&), const char*> Cases[] = {
        {[](TParticleParams& P) { P.FirstPattern = -1; }, "first pattern -1 is not 0..65535"},
        {[](TParticleParams& P) { P.LastPattern = 70000; }, "last pattern 70000 is above 65535"},
        {[](TParticleParams& P) { P.EmissionRate = -1; }, "emission rate -1 is not 0..100000"},
        {[](TParticleParams& P) { P.EmissionRate = INT32_MAX; }, "emission rate 2147483647 is not 0..100000"},
        {[](TParticleParams& P) { P.LifeMin = -5; }, "life -5 is not 0..600000"},
        {[](TParticleParams& P) { P.LifeMax = 2000000000; }, "life 2000000000 is not 0..600000"},
        {[](TParticleParams& P) { P.Direction = NaN; }, "direction nan is not -1000..1000"},
        {[](TParticleParams& P) { P.Spread = 1e9f; }, "spread 1e+09 is not -1000..1000"},
        {[](TParticleParams& P) { P.SpeedMax = Infinity; }, "speed inf is not -100000..100000"},
        {[](TParticleParams& P) { P.GravityMin = -1e30f; }, "gravity -1e+30 is not -100000..100000"},
        {[](TParticleParams& P) { P.RadialMax = 5000; }, "radial acceleration 5000 is not -1000..1000"},
        {[](TParticleParams& P) { P.TangentialMin = NaN; }, "tangential acceleration nan is not -1000..1000"},
        {[](TParticleParams& P) { P.ScaleEnd = 1e6f; }, "scale 1e+06 is not -16..16"},
        {[](TParticleParams& P) { P.ScaleVariation = -0.5f; }, "scale variation -0.5 is not 0..1"},
        {[](TParticleParams& P) { P.AngleEnd = -Infinity; }, "angle -inf is not -1000..1000"},
        {[](TParticleParams& P) { P.AngleVariation = 2; }, "angle variation 2 is not 0..1"},
        {[](TParticleParams& P) { P.ColourVariation = NaN; }, "colour variation nan is not 0..1"},
        {[](TParticleParams& P) { P.AlphaVariation = 1.5f; }, "alpha variation 1.5 is not 0..1"},
        {[](TParticleParams& P) { P.MiddlePoint = NaN; }, "middle point nan is not 0..1"},
        // Found by fuzzing: every field in range, yet thousands of sprites 765 px wide alive at once.
        {[](TParticleParams& P) {
             P.EmissionRate = 31232;
             P.LifeMin = 0;
             P.LifeMax = 255;
             P.ScaleStart = 0.75f;
             P.ScaleEnd = 11.95f;
             P.ScaleVariation = 0;
         },
         "its particles would cover the screen 3719 times over, more than 40"},
    };
    for (const auto& [Damage, Expected] : Cases) {
        TParticleParams P = Sample();
        Damage(P);
        EXPECT_FALSE(P.Playable(Why)) << Expected;
        EXPECT_EQ(Why, Expected);
    }
}
