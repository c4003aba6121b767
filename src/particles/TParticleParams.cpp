#include "particles/TParticleParams.h"

#include "particles/TXParticleSystem.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// Field offsets of the block.
enum : size_t {
    FirstPatternAt = 0,
    LastPatternAt = 4,
    EffectAt = 12,
    RateAt = 16,
    DurationAt = 20,
    LifeAt = 24,
    DirectionAt = 32,
    SpreadAt = 36,
    RelativeAt = 40,
    SpeedAt = 44,
    GravityAt = 52,
    RadialAt = 60,
    TangentialAt = 68,
    ScaleAt = 76,
    AngleAt = 88,
    ColoursAt = 100,
    ColourVariationAt = 112,
    AlphaVariationAt = 116,
    MiddleAt = 120,
};

uint32_t GetWord(const uint8_t* Block, size_t At) {
    return uint32_t(Block[At]) | uint32_t(Block[At + 1]) << 8 | uint32_t(Block[At + 2]) << 16 |
           uint32_t(Block[At + 3]) << 24;
}

int32_t GetInt(const uint8_t* Block, size_t At) {
    return static_cast<int32_t>(GetWord(Block, At));
}

float GetFloat(const uint8_t* Block, size_t At) {
    const uint32_t Word = GetWord(Block, At);
    float Value;
    std::memcpy(&Value, &Word, sizeof Value);
    return Value;
}

TParticleParams::TColour GetColour(const uint8_t* Block, size_t At) {
    return {Block[At], Block[At + 1], Block[At + 2], Block[At + 3]};
}

void PutWord(uint8_t* Block, size_t At, uint32_t Word) {
    for (size_t I = 0; I < 4; ++I)
        Block[At + I] = static_cast<uint8_t>(Word >> (8 * I));
}

void PutFloat(uint8_t* Block, size_t At, float Value) {
    uint32_t Word;
    std::memcpy(&Word, &Value, sizeof Word);
    PutWord(Block, At, Word);
}

void PutColour(uint8_t* Block, size_t At, const TParticleParams::TColour& Colour) {
    Block[At] = Colour.R;
    Block[At + 1] = Colour.G;
    Block[At + 2] = Colour.B;
    Block[At + 3] = Colour.A;
}

} // namespace

bool TParticleParams::Read(const uint8_t* Data, size_t Length, TParticleParams& Params) {
    uint8_t Block[Size] = {};
    if (Data && Length > 0)
        std::memcpy(Block, Data, Length < Size ? Length : Size);
    TParticleParams P;
    P.FirstPattern = GetInt(Block, FirstPatternAt);
    P.LastPattern = GetInt(Block, LastPatternAt);
    P.Effect = GetWord(Block, EffectAt);
    P.EmissionRate = GetInt(Block, RateAt);
    P.Duration = GetInt(Block, DurationAt);
    P.LifeMin = GetInt(Block, LifeAt);
    P.LifeMax = GetInt(Block, LifeAt + 4);
    P.Direction = GetFloat(Block, DirectionAt);
    P.Spread = GetFloat(Block, SpreadAt);
    P.RelativeToMotion = Block[RelativeAt];
    P.SpeedMin = GetFloat(Block, SpeedAt);
    P.SpeedMax = GetFloat(Block, SpeedAt + 4);
    P.GravityMin = GetFloat(Block, GravityAt);
    P.GravityMax = GetFloat(Block, GravityAt + 4);
    P.RadialMin = GetFloat(Block, RadialAt);
    P.RadialMax = GetFloat(Block, RadialAt + 4);
    P.TangentialMin = GetFloat(Block, TangentialAt);
    P.TangentialMax = GetFloat(Block, TangentialAt + 4);
    P.ScaleStart = GetFloat(Block, ScaleAt);
    P.ScaleEnd = GetFloat(Block, ScaleAt + 4);
    P.ScaleVariation = GetFloat(Block, ScaleAt + 8);
    P.AngleStart = GetFloat(Block, AngleAt);
    P.AngleEnd = GetFloat(Block, AngleAt + 4);
    P.AngleVariation = GetFloat(Block, AngleAt + 8);
    P.Colour1 = GetColour(Block, ColoursAt);
    P.Colour2 = GetColour(Block, ColoursAt + 4);
    P.Colour3 = GetColour(Block, ColoursAt + 8);
    P.ColourVariation = GetFloat(Block, ColourVariationAt);
    P.AlphaVariation = GetFloat(Block, AlphaVariationAt);
    P.MiddlePoint = GetFloat(Block, MiddleAt);
    Params = P;
    return Data && Length > 0;
}

bool TParticleParams::Playable(std::string& Why) const {
    // Far beyond what any effect needs, and small enough that a particle's numbers stay finite over its
    // whole life and its sprite stays within a few screens.
    constexpr int MaxPattern = 65535, MaxRate = 100000, MaxLife = 600000;
    constexpr float MaxAngle = 1000, MaxSpeed = 100000, MaxAcceleration = 1000, MaxScale = 16;
    const struct {
        const char* Field;
        int Value, Low, High;
    } Whole[] = {
        {"first pattern", FirstPattern, 0, MaxPattern},
        {"last pattern", LastPattern, INT32_MIN, MaxPattern},
        {"emission rate", EmissionRate, 0, MaxRate},
        {"life", LifeMin, 0, MaxLife},
        {"life", LifeMax, 0, MaxLife},
    };
    for (const auto& Rule : Whole)
        if (Rule.Value < Rule.Low || Rule.Value > Rule.High) {
            Why = std::string(Rule.Field) + " " + std::to_string(Rule.Value) +
                  (Rule.Low == INT32_MIN
                       ? " is above " + std::to_string(Rule.High)
                       : " is not " + std::to_string(Rule.Low) + ".." + std::to_string(Rule.High));
            return false;
        }
    const struct {
        const char* Field;
        float Value, Low, High;
    } Real[] = {
        {"direction", Direction, -MaxAngle, MaxAngle},
        {"spread", Spread, -MaxAngle, MaxAngle},
        {"speed", SpeedMin, -MaxSpeed, MaxSpeed},
        {"speed", SpeedMax, -MaxSpeed, MaxSpeed},
        {"gravity", GravityMin, -MaxSpeed, MaxSpeed},
        {"gravity", GravityMax, -MaxSpeed, MaxSpeed},
        {"radial acceleration", RadialMin, -MaxAcceleration, MaxAcceleration},
        {"radial acceleration", RadialMax, -MaxAcceleration, MaxAcceleration},
        {"tangential acceleration", TangentialMin, -MaxAcceleration, MaxAcceleration},
        {"tangential acceleration", TangentialMax, -MaxAcceleration, MaxAcceleration},
        {"scale", ScaleStart, -MaxScale, MaxScale},
        {"scale", ScaleEnd, -MaxScale, MaxScale},
        {"scale variation", ScaleVariation, 0, 1},
        {"angle", AngleStart, -MaxAngle, MaxAngle},
        {"angle", AngleEnd, -MaxAngle, MaxAngle},
        {"angle variation", AngleVariation, 0, 1},
        {"colour variation", ColourVariation, 0, 1},
        {"alpha variation", AlphaVariation, 0, 1},
        {"middle point", MiddlePoint, 0, 1},
    };
    for (const auto& Rule : Real)
        // Written so that NaN fails too.
        if (!(Rule.Value >= Rule.Low && Rule.Value <= Rule.High)) {
            char Text[160];
            std::snprintf(Text, sizeof Text, "%s %g is not %g..%g", Rule.Field, double(Rule.Value),
                          double(Rule.Low), double(Rule.High));
            Why = Text;
            return false;
        }
    return CoverageFits(Why);
}

// Every field may be sane alone while together they fill the screen many times over each frame (thousands
// of particles alive, each a sprite of hundreds of pixels), which no renderer keeps up with. The game's
// largest effect, the ship's wreck, covers about 12 screens at its peak.
bool TParticleParams::CoverageFits(std::string& Why) const {
    constexpr double SpriteSide = 64, ScreenArea = 1024.0 * 768.0, MaxScreens = 40;
    const double Alive = std::min<double>(TXParticleSystem::MaxParticles,
                                          double(EmissionRate) * std::max(LifeMin, LifeMax) / 1000);
    const double Side =
        SpriteSide * std::max(std::fabs(ScaleStart), std::fabs(ScaleEnd)) * (1 + double(ScaleVariation));
    const double Screens = Alive * Side * Side / ScreenArea;
    if (Screens <= MaxScreens)
        return true;
    char Text[160];
    std::snprintf(Text, sizeof Text, "its particles would cover the screen %.0f times over, more than %.0f",
                  Screens, MaxScreens);
    Why = Text;
    return false;
}

std::array<uint8_t, TParticleParams::Size> TParticleParams::Write() const {
    std::array<uint8_t, Size> Out{};
    uint8_t* Block = Out.data();
    PutWord(Block, FirstPatternAt, static_cast<uint32_t>(FirstPattern));
    PutWord(Block, LastPatternAt, static_cast<uint32_t>(LastPattern));
    PutWord(Block, EffectAt, Effect);
    PutWord(Block, RateAt, static_cast<uint32_t>(EmissionRate));
    PutWord(Block, DurationAt, static_cast<uint32_t>(Duration));
    PutWord(Block, LifeAt, static_cast<uint32_t>(LifeMin));
    PutWord(Block, LifeAt + 4, static_cast<uint32_t>(LifeMax));
    PutFloat(Block, DirectionAt, Direction);
    PutFloat(Block, SpreadAt, Spread);
    Block[RelativeAt] = RelativeToMotion;
    PutFloat(Block, SpeedAt, SpeedMin);
    PutFloat(Block, SpeedAt + 4, SpeedMax);
    PutFloat(Block, GravityAt, GravityMin);
    PutFloat(Block, GravityAt + 4, GravityMax);
    PutFloat(Block, RadialAt, RadialMin);
    PutFloat(Block, RadialAt + 4, RadialMax);
    PutFloat(Block, TangentialAt, TangentialMin);
    PutFloat(Block, TangentialAt + 4, TangentialMax);
    PutFloat(Block, ScaleAt, ScaleStart);
    PutFloat(Block, ScaleAt + 4, ScaleEnd);
    PutFloat(Block, ScaleAt + 8, ScaleVariation);
    PutFloat(Block, AngleAt, AngleStart);
    PutFloat(Block, AngleAt + 4, AngleEnd);
    PutFloat(Block, AngleAt + 8, AngleVariation);
    PutColour(Block, ColoursAt, Colour1);
    PutColour(Block, ColoursAt + 4, Colour2);
    PutColour(Block, ColoursAt + 8, Colour3);
    PutFloat(Block, ColourVariationAt, ColourVariation);
    PutFloat(Block, AlphaVariationAt, AlphaVariation);
    PutFloat(Block, MiddleAt, MiddlePoint);
    return Out;
}
