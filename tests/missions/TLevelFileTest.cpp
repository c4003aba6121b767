#include <gtest/gtest.h>

#include "missions/TLevelFile.h"
#include "runtime/TZlibStream.h"

#include <cstdio>
#include <filesystem>

namespace {

TCampaignLevel SampleCampaign() {
    TCampaignLevel Level;
    Level.Name = "level07";
    Level.CaptionIndex = 6;
    Level.TextIndex = 6;
    Level.FirstLineIndex = 6;
    Level.SecondLineIndex = 6;
    Level.CrateLifetime = 12000;
    Level.CrateIntervalMin = 9000;
    Level.CrateIntervalMax = 16000;
    TWave Timed;
    Timed.RocketCount = 6;
    Timed.Kind = wkTimed;
    Timed.Goal = 40000;
    Timed.Pause = 4000;
    Timed.TypeA = 1;
    Timed.TypeB = 2;
    Timed.TypeBCount = 2;
    TWave Kill = Timed;
    Kill.Kind = wkKillTarget;
    Kill.Goal = 15;
    Kill.RocketCount = 101;
    Kill.Reserved = -7;
    TWave End;
    End.Kind = wkEndOfMission;
    Level.Waves = {Timed, Kill, End};
    Level.WaveCount = 3;
    return Level;
}

TEndlessLevel SampleEndless() {
    TEndlessLevel Level;
    Level.Name = "ttd";
    Level.CaptionIndex = 19;
    Level.TextIndex = 19;
    Level.FirstLineIndex = 19;
    Level.SecondLineIndex = 19;
    Level.CrateLifetime = 1;
    Level.CrateIntervalMin = 0;
    Level.CrateIntervalMax = 1;
    return Level;
}

void PutInt(std::vector<uint8_t>& Bytes, size_t Offset, int Value) {
    for (int I = 0; I < 4; ++I)
        Bytes[Offset + I] = static_cast<uint8_t>(static_cast<uint32_t>(Value) >> (8 * I));
}

struct TResult {
    bool Ok = false;
    std::string Mode;
    TCampaignLevel Campaign;
    TEndlessLevel Endless;
    std::string Error;
};

TResult ReadBytes(const std::vector<uint8_t>& Bytes) {
    TResult R;
    R.Ok = TLevelFile::Read(Bytes, R.Mode, R.Campaign, R.Endless, R.Error);
    return R;
}

bool SameWave(const TWave& A, const TWave& B) {
    return A.Reserved == B.Reserved && A.RocketCount == B.RocketCount && A.Kind == B.Kind &&
           A.Goal == B.Goal && A.Pause == B.Pause && A.TypeA == B.TypeA && A.TypeB == B.TypeB &&
           A.TypeBCount == B.TypeBCount;
}

// Offsets of the campaign layout.
constexpr size_t CaptionAt = 33, WaveCountAt = 49, LifetimeAt = 53, MinAt = 57, MaxAt = 61, WavesAt = 65;
// Offsets inside one 29-byte wave.
constexpr size_t WaveSize = 29, CountAt = 4, KindAt = 8, GoalAt = 9, PauseAt = 13, TypeAAt = 17, TypeBAt = 21,
                 TypeBCountAt = 25;

std::vector<uint8_t> CampaignBytes() {
    return TLevelFile::Write("C", SampleCampaign(), TEndlessLevel());
}

} // namespace

TEST(TLevelFile, CampaignLayoutIsExact) {
    const std::vector<uint8_t> Bytes = CampaignBytes();
    ASSERT_EQ(Bytes.size(), 65u + 3 * 29);
    EXPECT_EQ(Bytes[0], 1);
    EXPECT_EQ(Bytes[1], 'C');
    EXPECT_EQ(Bytes[2], 7);
    EXPECT_EQ(std::string(Bytes.begin() + 3, Bytes.begin() + 10), "level07");
    for (size_t I = 10; I < 33; ++I)
        EXPECT_EQ(Bytes[I], 0) << I;
    EXPECT_EQ(Bytes[CaptionAt], 6);
    EXPECT_EQ(Bytes[WaveCountAt], 3);
    EXPECT_EQ(Bytes[LifetimeAt], 12000 & 0xFF);
    EXPECT_EQ(Bytes[LifetimeAt + 1], 12000 >> 8);
    const size_t Second = WavesAt + 29;
    EXPECT_EQ(Bytes[Second], 0xF9); // reserved -7, little-endian two's complement
    EXPECT_EQ(Bytes[Second + 3], 0xFF);
    EXPECT_EQ(Bytes[Second + CountAt], 101);
    EXPECT_EQ(Bytes[Second + KindAt], wkKillTarget);
    EXPECT_EQ(Bytes[Second + 9], 15);
    EXPECT_EQ(Bytes[Second + TypeBAt], 2);
    EXPECT_EQ(Bytes[Second + 25], 2);
}

TEST(TLevelFile, EndlessLayoutIsExact) {
    const std::vector<uint8_t> Bytes = TLevelFile::Write("T", TCampaignLevel(), SampleEndless());
    ASSERT_EQ(Bytes.size(), 61u);
    EXPECT_EQ(Bytes[1], 'T');
    EXPECT_EQ(Bytes[2], 3);
    EXPECT_EQ(Bytes[33], 19);
    EXPECT_EQ(Bytes[49], 1); // lifetime
    EXPECT_EQ(Bytes[53], 0); // interval min
    EXPECT_EQ(Bytes[57], 1); // interval max
}

TEST(TLevelFile, CampaignRoundTrips) {
    const TResult R = ReadBytes(CampaignBytes());
    ASSERT_TRUE(R.Ok) << R.Error;
    EXPECT_EQ(R.Mode, "C");
    const TCampaignLevel Want = SampleCampaign();
    EXPECT_EQ(R.Campaign.Name, Want.Name);
    EXPECT_EQ(R.Campaign.CaptionIndex, 6);
    EXPECT_EQ(R.Campaign.WaveCount, 3);
    EXPECT_EQ(R.Campaign.CrateLifetime, 12000);
    EXPECT_EQ(R.Campaign.CrateIntervalMin, 9000);
    EXPECT_EQ(R.Campaign.CrateIntervalMax, 16000);
    ASSERT_EQ(R.Campaign.Waves.size(), 3u);
    for (size_t I = 0; I < 3; ++I)
        EXPECT_TRUE(SameWave(R.Campaign.Waves[I], Want.Waves[I])) << I;
    EXPECT_EQ(TLevelFile::Write(R.Mode, R.Campaign, R.Endless), CampaignBytes());
}

TEST(TLevelFile, EndlessRoundTripsAndLeavesCampaignAlone) {
    TResult R;
    R.Campaign.Name = "level05";
    R.Ok = TLevelFile::Read(TLevelFile::Write("T", TCampaignLevel(), SampleEndless()), R.Mode, R.Campaign,
                            R.Endless, R.Error);
    ASSERT_TRUE(R.Ok) << R.Error;
    EXPECT_EQ(R.Mode, "T");
    EXPECT_EQ(R.Endless.Name, "ttd");
    EXPECT_EQ(R.Endless.SecondLineIndex, 19);
    EXPECT_EQ(R.Endless.CrateIntervalMax, 1);
    EXPECT_EQ(R.Campaign.Name, "level05");
}

TEST(TLevelFile, TrailingBytesAreIgnored) {
    std::vector<uint8_t> Bytes = CampaignBytes();
    Bytes.insert(Bytes.end(), {1, 2, 3});
    EXPECT_TRUE(ReadBytes(Bytes).Ok);
}

TEST(TLevelFile, EmptyNameIsAccepted) {
    TCampaignLevel Level = SampleCampaign();
    Level.Name.clear();
    const TResult R = ReadBytes(TLevelFile::Write("C", Level, TEndlessLevel()));
    ASSERT_TRUE(R.Ok) << R.Error;
    EXPECT_TRUE(R.Campaign.Name.empty());
}

TEST(TLevelFile, LongNameIsCutToThirtyCharacters) {
    TCampaignLevel Level = SampleCampaign();
    Level.Name = std::string(40, 'x');
    const TResult R = ReadBytes(TLevelFile::Write("C", Level, TEndlessLevel()));
    ASSERT_TRUE(R.Ok);
    EXPECT_EQ(R.Campaign.Name, std::string(30, 'x'));
}

TEST(TLevelFile, RefusesOtherModes) {
    for (const std::string Mode : {"", "c", "X", "t"}) {
        const TResult R = ReadBytes(TLevelFile::Write(Mode, SampleCampaign(), SampleEndless()));
        EXPECT_FALSE(R.Ok) << Mode;
        EXPECT_NE(R.Error.find("Mode \"" + Mode + "\""), std::string::npos) << R.Error;
    }
    std::vector<uint8_t> Bytes = CampaignBytes();
    Bytes[0] = 2;
    const TResult R = ReadBytes(Bytes);
    EXPECT_FALSE(R.Ok);
    EXPECT_EQ(R.Error, "Mode length 2 is above its capacity 1");
}

TEST(TLevelFile, RefusesNameLongerThanItsCapacity) {
    std::vector<uint8_t> Bytes = CampaignBytes();
    Bytes[2] = 30;
    EXPECT_TRUE(ReadBytes(Bytes).Ok);
    Bytes[2] = 31;
    const TResult R = ReadBytes(Bytes);
    EXPECT_FALSE(R.Ok);
    EXPECT_EQ(R.Error, "Name length 31 is above its capacity 30");
}

TEST(TLevelFile, TextIndicesMustLieInZeroToNineteen) {
    const char* Names[4] = {"CaptionIndex", "TextIndex", "FirstLineIndex", "SecondLineIndex"};
    for (const std::string Mode : {"C", "T"}) {
        const std::vector<uint8_t> Good = TLevelFile::Write(Mode, SampleCampaign(), SampleEndless());
        for (size_t Field = 0; Field < 4; ++Field) {
            for (int Value : {0, 19}) {
                std::vector<uint8_t> Bytes = Good;
                PutInt(Bytes, CaptionAt + 4 * Field, Value);
                EXPECT_TRUE(ReadBytes(Bytes).Ok) << Mode << Field << " " << Value;
            }
            for (int Value : {-1, 20}) {
                std::vector<uint8_t> Bytes = Good;
                PutInt(Bytes, CaptionAt + 4 * Field, Value);
                const TResult R = ReadBytes(Bytes);
                EXPECT_FALSE(R.Ok);
                EXPECT_EQ(R.Error, std::string(Names[Field]) + " " + std::to_string(Value) + " is not 0..19");
            }
        }
    }
}

TEST(TLevelFile, WaveCountMustBeAtLeastOne) {
    std::vector<uint8_t> Bytes = CampaignBytes();
    for (int Count : {-1, 0}) {
        PutInt(Bytes, WaveCountAt, Count);
        const TResult R = ReadBytes(Bytes);
        EXPECT_FALSE(R.Ok);
        EXPECT_EQ(R.Error, "WaveCount " + std::to_string(Count) + " is below 1");
    }
    PutInt(Bytes, WaveCountAt, 1); // the other two waves are trailing bytes
    const TResult R = ReadBytes(Bytes);
    ASSERT_TRUE(R.Ok) << R.Error;
    EXPECT_EQ(R.Campaign.Waves.size(), 1u);
}

TEST(TLevelFile, HugeWaveCountIsATruncatedFile) {
    std::vector<uint8_t> Bytes = CampaignBytes();
    PutInt(Bytes, WaveCountAt, 0x7FFFFFFF);
    const TResult R = ReadBytes(Bytes);
    EXPECT_FALSE(R.Ok);
    EXPECT_NE(R.Error.find("inside wave 4"), std::string::npos) << R.Error;
}

TEST(TLevelFile, CrateLifetimeMustBeAtLeastOne) {
    for (const std::string Mode : {"C", "T"}) {
        std::vector<uint8_t> Bytes = TLevelFile::Write(Mode, SampleCampaign(), SampleEndless());
        const size_t At = Mode == "C" ? LifetimeAt : 49;
        PutInt(Bytes, At, 1);
        EXPECT_TRUE(ReadBytes(Bytes).Ok) << Mode;
        PutInt(Bytes, At, 0);
        const TResult R = ReadBytes(Bytes);
        EXPECT_FALSE(R.Ok) << Mode;
        EXPECT_EQ(R.Error, "CrateLifetime 0 is below 1 ms");
    }
}

TEST(TLevelFile, CrateIntervalsMustBeOrdered) {
    for (const std::string Mode : {"C", "T"}) {
        const std::vector<uint8_t> Good = TLevelFile::Write(Mode, SampleCampaign(), SampleEndless());
        const size_t Min = Mode == "C" ? MinAt : 53, Max = Mode == "C" ? MaxAt : 57;
        std::vector<uint8_t> Bytes = Good;
        PutInt(Bytes, Min, 0);
        PutInt(Bytes, Max, 1);
        EXPECT_TRUE(ReadBytes(Bytes).Ok);
        PutInt(Bytes, Min, -1);
        TResult R = ReadBytes(Bytes);
        EXPECT_FALSE(R.Ok);
        EXPECT_EQ(R.Error, "CrateIntervalMin -1 is below 0");
        PutInt(Bytes, Min, 5000);
        PutInt(Bytes, Max, 5001);
        EXPECT_TRUE(ReadBytes(Bytes).Ok);
        PutInt(Bytes, Max, 5000);
        R = ReadBytes(Bytes);
        EXPECT_FALSE(R.Ok);
        EXPECT_EQ(R.Error, "CrateIntervalMax 5000 is not above CrateIntervalMin 5000");
    }
}

TEST(TLevelFile, EveryWaveFieldMustLieInItsRange) {
    // Value written into the second wave; no message means the file loads.
    const struct {
        size_t At;
        int Value;
        const char* Message;
    } Cases[] = {
        {CountAt, 0, nullptr},
        {CountAt, 101, nullptr},
        {CountAt, 102, "rocket count 102 is not 0..101"},
        {CountAt, -1, "rocket count -1 is not 0..101"},
        {KindAt, 2, nullptr},
        {KindAt, 3, "kind 3 is not 0..2"},
        {KindAt, 7, "kind 7 is not 0..2"},
        {GoalAt, 0, nullptr},
        {GoalAt, -5, "goal -5 is below 0"},
        {PauseAt, 0, nullptr},
        {PauseAt, -1, "pause -1 is below 0"},
        {TypeAAt, 1, nullptr},
        {TypeAAt, 4, nullptr},
        {TypeAAt, 0, "rocket type 0 is not 1..4"},
        {TypeBAt, 5, "rocket type 5 is not 1..4"},
        {TypeBCountAt, 0, nullptr},
        {TypeBCountAt, -2, "type-B count -2 is below 0"},
    };
    for (const auto& Case : Cases) {
        std::vector<uint8_t> Bytes = CampaignBytes();
        const size_t At = WavesAt + WaveSize + Case.At;
        if (Case.At == KindAt)
            Bytes[At] = static_cast<uint8_t>(Case.Value);
        else
            PutInt(Bytes, At, Case.Value);
        const TResult R = ReadBytes(Bytes);
        EXPECT_EQ(R.Ok, Case.Message == nullptr) << Case.At << " " << Case.Value;
        EXPECT_EQ(R.Error, Case.Message ? std::string("wave 2: ") + Case.Message : "") << Case.At;
    }
}

TEST(TLevelFile, EveryTruncationIsRefused) {
    for (const std::string Mode : {"C", "T"}) {
        const std::vector<uint8_t> Good = TLevelFile::Write(Mode, SampleCampaign(), SampleEndless());
        for (size_t Size = 0; Size < Good.size(); ++Size) {
            const TResult R = ReadBytes(std::vector<uint8_t>(Good.begin(), Good.begin() + Size));
            EXPECT_FALSE(R.Ok) << Mode << " " << Size;
            EXPECT_NE(R.Error.find("the file ends at byte " + std::to_string(Size)), std::string::npos)
                << R.Error;
        }
    }
    const std::vector<uint8_t> Whole = CampaignBytes();
    const TResult R = ReadBytes(std::vector<uint8_t>(Whole.begin(), Whole.begin() + 100));
    EXPECT_EQ(R.Error, "the file ends at byte 100, inside wave 2 (bytes 98..101)");
}

TEST(TLevelFile, FailedReadChangesNothing) {
    std::vector<uint8_t> Bytes = CampaignBytes();
    PutInt(Bytes, WavesAt + TypeAAt, 9);
    std::string Mode = "T";
    TCampaignLevel Campaign;
    Campaign.Name = "before";
    TEndlessLevel Endless;
    std::string Error;
    EXPECT_FALSE(TLevelFile::Read(Bytes, Mode, Campaign, Endless, Error));
    EXPECT_EQ(Mode, "T");
    EXPECT_EQ(Campaign.Name, "before");
    EXPECT_TRUE(Campaign.Waves.empty());
}

TEST(TLevelFile, ReadFileNamesTheFile) {
    const std::string Dir = testing::TempDir() + "level-file-test";
    std::filesystem::create_directories(Dir);
    const std::string Good = Dir + "/good.lvl", Bad = Dir + "/bad.lvl", Raw = Dir + "/raw.lvl";
    const std::vector<uint8_t> Bytes = CampaignBytes();
    ASSERT_TRUE(TZlibStream::WriteFile(Good, Bytes.data(), Bytes.size(), 9));
    std::vector<uint8_t> Broken = Bytes;
    PutInt(Broken, WavesAt + TypeBAt, 7);
    ASSERT_TRUE(TZlibStream::WriteFile(Bad, Broken.data(), Broken.size(), 9));
    FILE* F = std::fopen(Raw.c_str(), "wb");
    ASSERT_NE(F, nullptr);
    std::fwrite(Bytes.data(), 1, Bytes.size(), F);
    std::fclose(F);

    TResult R;
    EXPECT_TRUE(TLevelFile::ReadFile(Good, R.Mode, R.Campaign, R.Endless, R.Error)) << R.Error;
    EXPECT_EQ(R.Campaign.Waves.size(), 3u);
    EXPECT_FALSE(TLevelFile::ReadFile(Bad, R.Mode, R.Campaign, R.Endless, R.Error));
    EXPECT_EQ(R.Error, Bad + ": wave 1: rocket type 7 is not 1..4");
    EXPECT_FALSE(TLevelFile::ReadFile(Raw, R.Mode, R.Campaign, R.Endless, R.Error));
    EXPECT_EQ(R.Error, Raw + ": not a complete zlib stream");
    EXPECT_FALSE(TLevelFile::ReadFile(Dir + "/none.lvl", R.Mode, R.Campaign, R.Endless, R.Error));
    EXPECT_EQ(R.Error, Dir + "/none.lvl: file not found");
    std::filesystem::remove_all(Dir);
}

// The missions the game ships: every one loads, campaign missions end with their end-of-mission wave
// and keep every wave within what the game can show.
TEST(TLevelFile, ShippedMissionsLoad) {
    const std::string Dir = std::string(ZERATHON_SOURCE_DIR) + "/data/Levels/";
    for (int Mission = 1; Mission <= 19; ++Mission) {
        char Name[16];
        std::snprintf(Name, sizeof Name, "level%02d", Mission);
        TResult R;
        ASSERT_TRUE(TLevelFile::ReadFile(Dir + Name + ".lvl", R.Mode, R.Campaign, R.Endless, R.Error))
            << R.Error;
        EXPECT_EQ(R.Mode, "C");
        EXPECT_EQ(R.Campaign.Name, Name);
        EXPECT_EQ(R.Campaign.TextIndex, Mission - 1);
        EXPECT_EQ(R.Campaign.CaptionIndex, Mission - 1);
        ASSERT_FALSE(R.Campaign.Waves.empty());
        EXPECT_EQ(R.Campaign.Waves.back().Kind, wkEndOfMission) << Name;
        for (size_t I = 0; I + 1 < R.Campaign.Waves.size(); ++I) {
            const TWave& Wave = R.Campaign.Waves[I];
            EXPECT_NE(Wave.Kind, wkEndOfMission) << Name << " wave " << I + 1;
            EXPECT_GE(Wave.RocketCount, 1);
            EXPECT_LE(Wave.RocketCount, 100);
            EXPECT_GT(Wave.Goal, 0);
            EXPECT_GT(Wave.Pause, 0);
            EXPECT_LE(Wave.TypeBCount, Wave.RocketCount);
        }
    }
    TResult R;
    ASSERT_TRUE(TLevelFile::ReadFile(Dir + "ttd.lvl", R.Mode, R.Campaign, R.Endless, R.Error)) << R.Error;
    EXPECT_EQ(R.Mode, "T");
    EXPECT_EQ(R.Endless.TextIndex, 19);
}
