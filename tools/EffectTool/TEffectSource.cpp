#include "EffectTool/TEffectSource.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numbers>
#include <sstream>

namespace {

enum class TKind { Int, Effect, Float, Degrees, Flag, Colour };

struct TField {
    const char* Name;
    TKind Kind;
    const char* Note;
};

// In the block's order.
const std::array<TField, 30> Fields = {{
    {"FirstPattern", TKind::Int, "pattern of the particle sheet at birth"},
    {"LastPattern", TKind::Int, "pattern at death; -1 or = FirstPattern: no change"},
    {"Effect", TKind::Effect, "add (additive), blend (alpha) or a drawing effect code"},
    {"EmissionRate", TKind::Int, "particles per second"},
    {"Duration", TKind::Int, "ms of emission; -1 = until stopped"},
    {"LifeMin", TKind::Int, "ms"},
    {"LifeMax", TKind::Int, "ms"},
    {"Direction", TKind::Degrees, "degrees, 0 = along the emitter's angle - 90"},
    {"Spread", TKind::Degrees, "degrees, full width of the cone"},
    {"RelativeToMotion", TKind::Flag, "1 = turn the cone with the emitter's motion"},
    {"SpeedMin", TKind::Float, "pixels per second"},
    {"SpeedMax", TKind::Float, ""},
    {"GravityMin", TKind::Float, "pixels per second squared, downwards"},
    {"GravityMax", TKind::Float, ""},
    {"RadialMin", TKind::Float, "velocity change per ms away from the birth point"},
    {"RadialMax", TKind::Float, ""},
    {"TangentialMin", TKind::Float, "velocity change per ms around the birth point"},
    {"TangentialMax", TKind::Float, ""},
    {"ScaleStart", TKind::Float, "1 = 64 pixels"},
    {"ScaleEnd", TKind::Float, ""},
    {"ScaleVariation", TKind::Float, "0..1"},
    {"AngleStart", TKind::Degrees, "sprite rotation, degrees"},
    {"AngleEnd", TKind::Degrees, ""},
    {"AngleVariation", TKind::Float, "0..1"},
    {"Colour1", TKind::Colour, "r g b a at birth"},
    {"Colour2", TKind::Colour, "at the middle point"},
    {"Colour3", TKind::Colour, "at death"},
    {"ColourVariation", TKind::Float, "0..1"},
    {"AlphaVariation", TKind::Float, "0..1"},
    {"MiddlePoint", TKind::Float, "fraction of the life"},
}};

// Where each field lives in the record; the order matches Fields.
struct TSlots {
    int32_t* Ints[7];
    float* Floats[30];
    uint8_t* Flag;
    TParticleParams::TColour* Colours[3];
};

TSlots SlotsOf(TParticleParams& P) {
    TSlots S{};
    int32_t* Ints[] = {&P.FirstPattern, &P.LastPattern, nullptr,   &P.EmissionRate,
                       &P.Duration,     &P.LifeMin,     &P.LifeMax};
    std::copy(std::begin(Ints), std::end(Ints), S.Ints);
    float* Floats[] = {&P.Direction,       &P.Spread,         nullptr,          &P.SpeedMin,
                       &P.SpeedMax,        &P.GravityMin,     &P.GravityMax,    &P.RadialMin,
                       &P.RadialMax,       &P.TangentialMin,  &P.TangentialMax, &P.ScaleStart,
                       &P.ScaleEnd,        &P.ScaleVariation, &P.AngleStart,    &P.AngleEnd,
                       &P.AngleVariation,  nullptr,           nullptr,          nullptr,
                       &P.ColourVariation, &P.AlphaVariation, &P.MiddlePoint};
    // Floats is indexed by field number minus 7 (the first float field).
    std::copy(std::begin(Floats), std::end(Floats), S.Floats);
    S.Flag = &P.RelativeToMotion;
    S.Colours[0] = &P.Colour1;
    S.Colours[1] = &P.Colour2;
    S.Colours[2] = &P.Colour3;
    return S;
}

float* FloatSlot(TSlots& S, size_t Field) {
    return S.Floats[Field - 7];
}

float ToRadians(double Degrees) {
    return static_cast<float>(Degrees * std::numbers::pi / 180.0);
}

bool ParseDouble(const std::string& Text, double& Value) {
    if (Text.empty())
        return false;
    char* End = nullptr;
    Value = std::strtod(Text.c_str(), &End);
    return End == Text.c_str() + Text.size() && std::isfinite(Value);
}

bool ParseInt(const std::string& Text, int64_t& Value) {
    const char* End = Text.data() + Text.size();
    int Base = 10;
    const char* Start = Text.data();
    if (Text.size() > 2 && Text[0] == '0' && (Text[1] == 'x' || Text[1] == 'X')) {
        Base = 16;
        Start += 2;
    }
    const auto [Stop, Code] = std::from_chars(Start, End, Value, Base);
    return Code == std::errc() && Stop == End && !Text.empty();
}

// The shortest text that gives back exactly Value through Convert.
template <typename TConvert> std::string Shortest(double Shown, float Value, TConvert Convert) {
    char Buffer[64];
    for (int Digits = 1; Digits <= 17; ++Digits) {
        std::snprintf(Buffer, sizeof Buffer, "%.*g", Digits, Shown);
        double Back = 0;
        ParseDouble(Buffer, Back);
        const float Again = Convert(Back);
        if (std::memcmp(&Again, &Value, sizeof Value) == 0)
            return Buffer;
    }
    return Buffer;
}

std::string Trim(const std::string& Text) {
    const size_t First = Text.find_first_not_of(" \t\r");
    if (First == std::string::npos)
        return "";
    return Text.substr(First, Text.find_last_not_of(" \t\r") - First + 1);
}

int FindField(const std::string& Name) {
    for (size_t I = 0; I < Fields.size(); ++I)
        if (Name == Fields[I].Name)
            return static_cast<int>(I);
    return -1;
}

std::string SetField(TParticleParams& P, size_t Index, const std::string& Value) {
    TSlots S = SlotsOf(P);
    const TField& F = Fields[Index];
    int64_t Whole = 0;
    double Real = 0;
    switch (F.Kind) {
    case TKind::Int:
        if (!ParseInt(Value, Whole) || Whole < INT32_MIN || Whole > INT32_MAX)
            return "is not a 32-bit whole number";
        *S.Ints[Index] = static_cast<int32_t>(Whole);
        return "";
    case TKind::Effect:
        if (Value == "add" || Value == "blend") {
            P.Effect = Value == "add" ? 0x104 : 0x504;
            return "";
        }
        if (!ParseInt(Value, Whole) || Whole < 0 || Whole > UINT32_MAX)
            return "is not add, blend or a 32-bit effect code";
        P.Effect = static_cast<uint32_t>(Whole);
        return "";
    case TKind::Flag:
        if (Value != "0" && Value != "1")
            return "is not 0 or 1";
        *S.Flag = Value == "1";
        return "";
    case TKind::Float:
    case TKind::Degrees:
        if (!ParseDouble(Value, Real))
            return "is not a number";
        *FloatSlot(S, Index) = F.Kind == TKind::Degrees ? ToRadians(Real) : static_cast<float>(Real);
        return "";
    case TKind::Colour: {
        std::istringstream Parts(Value);
        int64_t C[4];
        std::string Part;
        for (int I = 0; I < 4; ++I)
            if (!(Parts >> Part) || !ParseInt(Part, C[I]) || C[I] < 0 || C[I] > 255)
                return "is not four numbers 0..255 (r g b a)";
        if (Parts >> Part)
            return "has more than four numbers";
        *S.Colours[Index - 24] = {uint8_t(C[0]), uint8_t(C[1]), uint8_t(C[2]), uint8_t(C[3])};
        return "";
    }
    }
    return "cannot be set";
}

std::string FieldText(TParticleParams& P, size_t Index) {
    TSlots S = SlotsOf(P);
    const TField& F = Fields[Index];
    char Buffer[64];
    switch (F.Kind) {
    case TKind::Int:
        return std::to_string(*S.Ints[Index]);
    case TKind::Effect:
        if (P.Effect == 0x104 || P.Effect == 0x504)
            return P.Effect == 0x104 ? "add" : "blend";
        std::snprintf(Buffer, sizeof Buffer, "0x%X", P.Effect);
        return Buffer;
    case TKind::Flag:
        return *S.Flag ? "1" : "0";
    case TKind::Float: {
        const float V = *FloatSlot(S, Index);
        return Shortest(V, V, [](double D) { return static_cast<float>(D); });
    }
    case TKind::Degrees: {
        const float V = *FloatSlot(S, Index);
        return Shortest(V * 180.0 / std::numbers::pi, V, ToRadians);
    }
    case TKind::Colour: {
        const TParticleParams::TColour& C = *S.Colours[Index - 24];
        std::snprintf(Buffer, sizeof Buffer, "%d %d %d %d", C.R, C.G, C.B, C.A);
        return Buffer;
    }
    }
    return "";
}

} // namespace

bool TEffectSource::Compile(const std::string& Text, const std::string& FileName, TParticleParams& Params,
                            std::string& Error) {
    TParticleParams P;
    int Seen[Fields.size()] = {};
    std::istringstream Lines(Text);
    std::string Raw;
    int Line = 0;
    const auto Fail = [&](int At, const std::string& Message) {
        Error = FileName + ":" + std::to_string(At) + ": " + Message;
        return false;
    };
    while (std::getline(Lines, Raw)) {
        ++Line;
        const std::string Content = Trim(Raw.substr(0, Raw.find('#')));
        if (Content.empty())
            continue;
        const size_t Equals = Content.find('=');
        if (Equals == std::string::npos)
            return Fail(Line, "expected \"Field = value\", found \"" + Content + "\"");
        const std::string Name = Trim(Content.substr(0, Equals)), Value = Trim(Content.substr(Equals + 1));
        const int Index = FindField(Name);
        if (Index < 0)
            return Fail(Line, "unknown field \"" + Name + "\"");
        if (Seen[Index])
            return Fail(Line, Name + " given twice (first on line " + std::to_string(Seen[Index]) + ")");
        Seen[Index] = Line;
        const std::string Problem = SetField(P, static_cast<size_t>(Index), Value);
        if (!Problem.empty())
            return Fail(Line, Name + " \"" + Value + "\" " + Problem);
    }
    for (size_t I = 0; I < Fields.size(); ++I)
        if (!Seen[I])
            return Fail(Line, std::string("missing ") + Fields[I].Name);
    Params = P;
    return true;
}

std::string TEffectSource::Decompile(const TParticleParams& Params) {
    TParticleParams P = Params;
    std::string Out = "# Particle effect source; EffectTool compiles it into a 124-byte .pss block.\n";
    for (size_t I = 0; I < Fields.size(); ++I) {
        std::string Line = std::string(Fields[I].Name) + " = " + FieldText(P, I);
        if (*Fields[I].Note)
            Line += std::string(std::max<size_t>(1, 34 - std::min<size_t>(Line.size(), 33)), ' ') + "# " +
                    Fields[I].Note;
        Out += Line + "\n";
    }
    return Out;
}
