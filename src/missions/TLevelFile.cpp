#include "missions/TLevelFile.h"

#include "runtime/TFile.h"
#include "runtime/TZlibStream.h"

#include <algorithm>
#include <climits>

namespace {

// Walks the decompressed bytes; every read first checks that the field is there.
struct TCursor {
    const std::vector<uint8_t>& Bytes;
    size_t Offset = 0;
    std::string& Error;

    bool Need(size_t Size, const std::string& Field) {
        if (Offset <= Bytes.size() && Bytes.size() - Offset >= Size)
            return true;
        Error = "the file ends at byte " + std::to_string(Bytes.size()) + ", inside " + Field + " (bytes " +
                std::to_string(Offset) + ".." + std::to_string(Offset + Size - 1) + ")";
        return false;
    }

    bool Int(int& Value, const std::string& Field) {
        if (!Need(4, Field))
            return false;
        const uint32_t Raw = uint32_t(Bytes[Offset]) | uint32_t(Bytes[Offset + 1]) << 8 |
                             uint32_t(Bytes[Offset + 2]) << 16 | uint32_t(Bytes[Offset + 3]) << 24;
        Value = static_cast<int32_t>(Raw);
        Offset += 4;
        return true;
    }

    bool Byte(uint8_t& Value, const std::string& Field) {
        if (!Need(1, Field))
            return false;
        Value = Bytes[Offset++];
        return true;
    }

    bool ShortString(std::string& Value, int Capacity, const std::string& Field) {
        if (!Need(static_cast<size_t>(Capacity) + 1, Field))
            return false;
        const int Length = Bytes[Offset];
        if (Length > Capacity) {
            Error = Field + " length " + std::to_string(Length) + " is above its capacity " +
                    std::to_string(Capacity);
            return false;
        }
        Value.assign(reinterpret_cast<const char*>(&Bytes[Offset + 1]), static_cast<size_t>(Length));
        Offset += static_cast<size_t>(Capacity) + 1;
        return true;
    }
};

bool InRange(int Value, int Low, int High, const std::string& Field, std::string& Error) {
    if (Value >= Low && Value <= High)
        return true;
    Error = Field + " " + std::to_string(Value) +
            (High == INT_MAX ? " is below " + std::to_string(Low)
                             : " is not " + std::to_string(Low) + ".." + std::to_string(High));
    return false;
}

bool ReadTexts(TCursor& In, std::string& Name, int* Indices) {
    static const char* const IndexNames[4] = {"CaptionIndex", "TextIndex", "FirstLineIndex",
                                              "SecondLineIndex"};
    if (!In.ShortString(Name, TLevelFile::NameCapacity, "Name"))
        return false;
    for (int I = 0; I < 4; ++I)
        if (!In.Int(Indices[I], IndexNames[I]) ||
            !InRange(Indices[I], 0, TLevelFile::TextCount - 1, IndexNames[I], In.Error))
            return false;
    return true;
}

bool ReadCrates(TCursor& In, int& Lifetime, int& Min, int& Max) {
    if (!In.Int(Lifetime, "CrateLifetime") || !In.Int(Min, "CrateIntervalMin") ||
        !In.Int(Max, "CrateIntervalMax"))
        return false;
    if (Lifetime < 1) {
        In.Error = "CrateLifetime " + std::to_string(Lifetime) + " is below 1 ms";
        return false;
    }
    if (Min < 0) {
        In.Error = "CrateIntervalMin " + std::to_string(Min) + " is below 0";
        return false;
    }
    if (Max <= Min) {
        In.Error = "CrateIntervalMax " + std::to_string(Max) + " is not above CrateIntervalMin " +
                   std::to_string(Min);
        return false;
    }
    return true;
}

bool ReadWave(TCursor& In, int Number, TWave& Wave) {
    const std::string Where = "wave " + std::to_string(Number);
    if (!In.Int(Wave.Reserved, Where) || !In.Int(Wave.RocketCount, Where) || !In.Byte(Wave.Kind, Where) ||
        !In.Int(Wave.Goal, Where) || !In.Int(Wave.Pause, Where) || !In.Int(Wave.TypeA, Where) ||
        !In.Int(Wave.TypeB, Where) || !In.Int(Wave.TypeBCount, Where))
        return false;
    // A kind the game does not know would never end its wave; a negative goal, pause or count would
    // make the wave end at once or hand out rockets that do not exist.
    const struct {
        const char* Field;
        int Value, Low, High;
    } Rules[] = {
        {"rocket count", Wave.RocketCount, 0, TLevelFile::MaxRocketCount},
        {"kind", Wave.Kind, wkTimed, wkEndOfMission},
        {"goal", Wave.Goal, 0, INT_MAX},
        {"pause", Wave.Pause, 0, INT_MAX},
        {"rocket type", Wave.TypeA, 1, 4},
        {"rocket type", Wave.TypeB, 1, 4},
        {"type-B count", Wave.TypeBCount, 0, INT_MAX},
    };
    for (const auto& Rule : Rules)
        if (!InRange(Rule.Value, Rule.Low, Rule.High, Where + ": " + Rule.Field, In.Error))
            return false;
    return true;
}

// The name and the four text indices both kinds of mission begin with.
template <typename TLevel> bool ReadHeader(TCursor& In, TLevel& Level) {
    int Indices[4];
    if (!ReadTexts(In, Level.Name, Indices))
        return false;
    Level.CaptionIndex = Indices[0];
    Level.TextIndex = Indices[1];
    Level.FirstLineIndex = Indices[2];
    Level.SecondLineIndex = Indices[3];
    return true;
}

bool ReadCampaign(TCursor& In, TCampaignLevel& Level) {
    if (!ReadHeader(In, Level))
        return false;
    if (!In.Int(Level.WaveCount, "WaveCount"))
        return false;
    // A mission is played wave by wave: one without waves has nothing to start.
    if (Level.WaveCount < 1) {
        In.Error = "WaveCount " + std::to_string(Level.WaveCount) + " is below 1";
        return false;
    }
    if (!ReadCrates(In, Level.CrateLifetime, Level.CrateIntervalMin, Level.CrateIntervalMax))
        return false;
    // Room is reserved only for the waves the bytes can hold, so a huge count in a short file costs
    // nothing before it is refused.
    const size_t Room = (In.Bytes.size() - std::min(In.Offset, In.Bytes.size())) / TLevelFile::WaveSize;
    Level.Waves.reserve(std::min(static_cast<size_t>(Level.WaveCount), Room));
    for (int I = 0; I < Level.WaveCount; ++I) {
        TWave Wave;
        if (!ReadWave(In, I + 1, Wave))
            return false;
        Level.Waves.push_back(Wave);
    }
    return true;
}

bool ReadEndless(TCursor& In, TEndlessLevel& Level) {
    if (!ReadHeader(In, Level))
        return false;
    return ReadCrates(In, Level.CrateLifetime, Level.CrateIntervalMin, Level.CrateIntervalMax);
}

void PutInt(std::vector<uint8_t>& Out, int Value) {
    const uint32_t Raw = static_cast<uint32_t>(Value);
    for (int Shift = 0; Shift < 32; Shift += 8)
        Out.push_back(static_cast<uint8_t>(Raw >> Shift));
}

void PutShortString(std::vector<uint8_t>& Out, const std::string& Value, int Capacity) {
    const size_t Length = std::min(Value.size(), static_cast<size_t>(Capacity));
    Out.push_back(static_cast<uint8_t>(Length));
    Out.insert(Out.end(), Value.begin(), Value.begin() + static_cast<std::ptrdiff_t>(Length));
    Out.insert(Out.end(), static_cast<size_t>(Capacity) - Length, 0);
}

void PutTexts(std::vector<uint8_t>& Out, const std::string& Name, int Caption, int Text, int First,
              int Second) {
    PutShortString(Out, Name, TLevelFile::NameCapacity);
    for (int Value : {Caption, Text, First, Second})
        PutInt(Out, Value);
}

void PutWave(std::vector<uint8_t>& Out, const TWave& Wave) {
    PutInt(Out, Wave.Reserved);
    PutInt(Out, Wave.RocketCount);
    Out.push_back(Wave.Kind);
    for (int Value : {Wave.Goal, Wave.Pause, Wave.TypeA, Wave.TypeB, Wave.TypeBCount})
        PutInt(Out, Value);
}

} // namespace

bool TLevelFile::Read(const std::vector<uint8_t>& Decompressed, std::string& Mode, TCampaignLevel& Campaign,
                      TEndlessLevel& Endless, std::string& Error) {
    std::string Problem;
    TCursor In{Decompressed, 0, Problem};
    std::string NewMode;
    if (!In.ShortString(NewMode, ModeCapacity, "Mode")) {
        Error = Problem;
        return false;
    }
    if (NewMode == "C") {
        TCampaignLevel Level;
        if (!ReadCampaign(In, Level)) {
            Error = Problem;
            return false;
        }
        Campaign = std::move(Level);
    } else if (NewMode == "T") {
        TEndlessLevel Level;
        if (!ReadEndless(In, Level)) {
            Error = Problem;
            return false;
        }
        Endless = std::move(Level);
    } else {
        Error = "Mode \"" + NewMode + "\" is not C (campaign) or T (endless)";
        return false;
    }
    Mode = NewMode;
    return true;
}

bool TLevelFile::ReadFile(const std::string& Path, std::string& Mode, TCampaignLevel& Campaign,
                          TEndlessLevel& Endless, std::string& Error) {
    std::vector<uint8_t> Bytes;
    if (!TZlibStream::ReadFile(Path, Bytes)) {
        Error = TFile::Exists(Path) ? Path + ": not a complete zlib stream" : Path + ": file not found";
        return false;
    }
    std::string Problem;
    if (!Read(Bytes, Mode, Campaign, Endless, Problem)) {
        Error = Path + ": " + Problem;
        return false;
    }
    return true;
}

std::vector<uint8_t> TLevelFile::Write(const std::string& Mode, const TCampaignLevel& Campaign,
                                       const TEndlessLevel& Endless) {
    std::vector<uint8_t> Out;
    PutShortString(Out, Mode, ModeCapacity);
    if (Mode == "C") {
        PutTexts(Out, Campaign.Name, Campaign.CaptionIndex, Campaign.TextIndex, Campaign.FirstLineIndex,
                 Campaign.SecondLineIndex);
        PutInt(Out, static_cast<int>(Campaign.Waves.size()));
        for (int Value : {Campaign.CrateLifetime, Campaign.CrateIntervalMin, Campaign.CrateIntervalMax})
            PutInt(Out, Value);
        for (const TWave& Wave : Campaign.Waves)
            PutWave(Out, Wave);
    } else if (Mode == "T") {
        PutTexts(Out, Endless.Name, Endless.CaptionIndex, Endless.TextIndex, Endless.FirstLineIndex,
                 Endless.SecondLineIndex);
        for (int Value : {Endless.CrateLifetime, Endless.CrateIntervalMin, Endless.CrateIntervalMax})
            PutInt(Out, Value);
    }
    return Out;
}
