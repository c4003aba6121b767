#include "engine/TSoundEngine.h"
#include "TTempDir.h"
#include "runtime/TMessageBox.h"
#include "runtime/TSdlBlockPool.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

class TSoundEngineTest : public testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(TFileSystem::Native(Dir + "Sound"));
        TMessageBox::Hook = [this](const std::string&, const std::string& Text, bool) {
            Boxes.push_back(Text);
        };
    }
    void TearDown() override { TMessageBox::Hook = nullptr; }

    // A 16-bit 44.1 kHz mono WAV of a quiet tone.
    void WriteWav(const std::string& Name, int Milliseconds) {
        const uint32_t Count = 44100u * static_cast<uint32_t>(Milliseconds) / 1000u;
        std::string Data;
        auto Put = [&Data](uint32_t Value, int Bytes) {
            for (int I = 0; I < Bytes; ++I) {
                Data.push_back(static_cast<char>((Value >> (8 * I)) & 0xFF));
            }
        };
        Data += "RIFF";
        Put(36 + Count * 2, 4);
        Data += "WAVEfmt ";
        for (uint32_t Field : {16u, 1u | (1u << 16), 44100u, 88200u, 2u | (16u << 16)}) {
            Put(Field, 4); // chunk size; PCM, mono; rate; bytes per second; block align, bits
        }
        Data += "data";
        Put(Count * 2, 4);
        for (uint32_t I = 0; I < Count; ++I) {
            Put(static_cast<uint16_t>(static_cast<int16_t>(3000 * std::sin(I * 0.06))), 2);
        }
        std::ofstream(Dir + "Sound/" + Name, std::ios::binary) << Data;
    }

    void WriteList(const std::string& Text) { std::ofstream(Dir + "Sound/Sounds.ini") << Text; }

    static std::string Entry(int N, const std::string& Name, const std::string& File, bool Loop,
                             int Volume = 100) {
        return "[Sample" + std::to_string(N) + "]\nName=" + Name + "\nSample=" + File +
               "\nVolume=" + std::to_string(Volume) + "\nLoop=" + (Loop ? "1" : "0") + "\n";
    }

    std::unique_ptr<TSoundEngine> Make(bool Silent = false) {
        return std::make_unique<TSoundEngine>(Dir, Dir + "Sound/Sounds.ini", Silent);
    }

    // Voices of a chunk as the mixer itself sees them, independent of the engine's bookkeeping.
    static int Voices(const Mix_Chunk* Chunk) {
        int Count = 0;
        for (int Channel = 0; Channel < Mix_AllocateChannels(-1); ++Channel) {
            Count += Mix_Playing(Channel) != 0 && Mix_GetChunk(Channel) == Chunk ? 1 : 0;
        }
        return Count;
    }

    // The dummy driver consumes audio at real time, so endings take real (short) waits.
    static bool WaitFor(const std::function<bool()>& Done, int Milliseconds = 2000) {
        for (int Waited = 0; Waited < Milliseconds; Waited += 10) {
            if (Done()) {
                return true;
            }
            SDL_Delay(10);
        }
        return Done();
    }

    TTempDir Temp;
    const std::string Dir = Temp.Dir();
    std::vector<std::string> Boxes;
};

TEST_F(TSoundEngineTest, FirstEntryOfANameIsPlayedAndStoppedAndNamesMatchWithCase) {
    WriteWav("a.wav", 50);
    WriteWav("b.wav", 50);
    WriteList("[Samples]\nCount=2\n" + Entry(0, "twin", "Sound\\a.wav", true) +
              Entry(1, "twin", "Sound\\b.wav", true));
    auto Sound = Make();
    ASSERT_FALSE(Sound->TerminateRequested());
    ASSERT_TRUE(Sound->DeviceOpen());
    ASSERT_EQ(Sound->SampleCount(), 2);
    const Mix_Chunk* First = Sound->Sample(0)->Chunk;
    const Mix_Chunk* Second = Sound->Sample(1)->Chunk;
    ASSERT_NE(First, nullptr);
    ASSERT_NE(Second, nullptr);
    EXPECT_EQ(Sound->Sample(2), nullptr);

    Sound->PlaySample("twin");
    EXPECT_EQ(Voices(First), 1);
    EXPECT_EQ(Voices(Second), 0);
    EXPECT_EQ(Sound->Playing("twin"), 1);

    Sound->PlaySample("TWIN");
    Sound->PlaySample("nothing");
    Sound->StopSample("nothing");
    EXPECT_EQ(Voices(First) + Voices(Second), 1);

    Sound->StopSample("twin");
    EXPECT_EQ(Voices(First), 0);
    EXPECT_EQ(Sound->Playing("twin"), 0);
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(TSoundEngineTest, AtMostThreePlaybacksOfASampleAndAFourthPlayIsIgnoredQuietly) {
    WriteWav("hum.wav", 50);
    WriteList("[Samples]\nCount=2\n" + Entry(0, "engine", "Sound\\hum.wav", true, 50) +
              Entry(1, "other", "Sound\\hum.wav", true));
    auto Sound = Make();
    std::vector<int> Ranges;
    Sound->RandomRange = [&Ranges](int Range) {
        Ranges.push_back(Range);
        return 100;
    };
    for (int I = 0; I < 4; ++I) {
        Sound->PlaySample("engine");
    }
    EXPECT_EQ(Sound->Playing("engine"), 3);
    EXPECT_EQ(Voices(Sound->Sample(0)->Chunk), 3);
    EXPECT_EQ(Ranges, std::vector<int>(3, 101)); // a pan in 0 .. 100 per real playback only
    EXPECT_TRUE(Boxes.empty());

    // The limit is per sample.
    Sound->PlaySample("other");
    EXPECT_EQ(Sound->Playing("other"), 1);

    // Volume 50 of 100 reaches the mixer as half its scale.
    for (int Channel = 0; Channel < Mix_AllocateChannels(-1); ++Channel) {
        if (Mix_Playing(Channel) != 0 && Mix_GetChunk(Channel) == Sound->Sample(0)->Chunk) {
            EXPECT_EQ(Mix_Volume(Channel, -1), 50 * MIX_MAX_VOLUME / 100);
        }
    }

    Sound->StopSample("engine");
    EXPECT_EQ(Sound->Playing("engine"), 0);
    EXPECT_EQ(Sound->Playing("other"), 1);
}

TEST_F(TSoundEngineTest, ManySamplesAtOnceGetMoreChannels) {
    WriteWav("hum.wav", 50);
    std::string List = "[Samples]\nCount=30\n";
    for (int N = 0; N < 30; ++N) {
        List += Entry(N, "s" + std::to_string(N), "Sound\\hum.wav", true);
    }
    WriteList(List);
    auto Sound = Make();
    for (int N = 0; N < 90; ++N) { // more voices than the mixer starts with
        Sound->PlaySample("s" + std::to_string(N % 30));
    }
    for (int N = 0; N < 30; ++N) {
        EXPECT_EQ(Sound->Playing("s" + std::to_string(N)), 3) << N;
    }
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(TSoundEngineTest, LoopedSamplePlaysUntilStoppedAndOneShotEndsByItself) {
    WriteWav("hum.wav", 50);
    WriteWav("blip.wav", 50);
    WriteList("[Samples]\nCount=2\n" + Entry(0, "hum", "Sound\\hum.wav", true) +
              Entry(1, "blip", "Sound\\blip.wav", false));
    auto Sound = Make();
    Sound->PlaySample("hum");
    for (int I = 0; I < 3; ++I) {
        Sound->PlaySample("blip");
    }
    EXPECT_EQ(Sound->Playing("blip"), 3);
    ASSERT_TRUE(WaitFor([&] { return Sound->Playing("blip") == 0; }));
    EXPECT_EQ(Sound->Playing("hum"), 1);
    SDL_Delay(150); // three times the hum's length
    EXPECT_EQ(Sound->Playing("hum"), 1);

    // Finished playbacks free their places under the limit.
    Sound->PlaySample("blip");
    EXPECT_EQ(Sound->Playing("blip"), 1);

    Sound->StopSample("hum");
    EXPECT_EQ(Sound->Playing("hum"), 0);
    EXPECT_EQ(Voices(Sound->Sample(0)->Chunk), 0);
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(TSoundEngineTest, APanIsKeptInPoolBlocksWhileItsPlaybackLastsAndTheEndGivesThemBack) {
    WriteWav("hum.wav", 50);
    WriteList("[Samples]\nCount=1\n" + Entry(0, "hum", "Sound\\hum.wav", true));
    const size_t Before = TSdlBlockPool::BlocksInUse();
    {
        auto Sound = Make();
        Sound->RandomRange = [](int) { return 50; }; // off centre: the mixer keeps a pan
        Sound->PlaySample("hum");
        Sound->PlaySample("hum");
        // Its settings and its place among the channel's effects, for each playback.
        EXPECT_GE(TSdlBlockPool::BlocksInUse(), Before + 4);
        Sound->StopSample("hum");
    }
    EXPECT_EQ(TSdlBlockPool::BlocksInUse(), Before);
}

// A game that plays silent says why, once.
TEST_F(TSoundEngineTest, EmptyOrMissingListLoadsNothingAndSaysSo) {
    WriteList("[Samples]\nCount=0\n[Sample0]\nName=engine\nSample=Sound\\hum.wav\n");
    {
        auto Sound = Make();
        EXPECT_EQ(Sound->SampleCount(), 0);
        Sound->PlaySample("engine");
        Sound->StopSample("engine");
        EXPECT_EQ(Sound->Playing("engine"), 0);
    }
    std::filesystem::remove(Dir + "Sound/Sounds.ini");
    auto Sound = Make();
    EXPECT_EQ(Sound->SampleCount(), 0);
    ASSERT_EQ(Boxes.size(), 2u);
    for (const std::string& Box : Boxes)
        EXPECT_NE(Box.find("Sounds.ini"), std::string::npos) << Box;
}

TEST_F(TSoundEngineTest, ListCountingMoreThanTenThousandEntriesIsRefusedWithOneBox) {
    WriteWav("ok.wav", 50);
    WriteList("[Samples]\nCount=10001\n" + Entry(0, "ok", "Sound\\ok.wav", false));
    auto Sound = Make();
    EXPECT_EQ(Sound->SampleCount(), 0);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_NE(Boxes[0].find("Sounds.ini"), std::string::npos) << Boxes[0];
}

TEST_F(TSoundEngineTest, MissingSampleFileShowsOneBoxAndTheRestPlays) {
    WriteWav("ok.wav", 50);
    // The list was written on a system that ignores case.
    WriteList("[Samples]\nCount=2\n" + Entry(0, "gone", "Sound\\gone.wav", false) +
              Entry(1, "ok", "SOUND\\OK.WAV", false, 70));
    auto Sound = Make();
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].rfind("Can't load sample\r\n(error code: ", 0), 0u) << Boxes[0];
    EXPECT_EQ(Boxes[0].back(), ')');
    ASSERT_EQ(Sound->SampleCount(), 2);
    EXPECT_EQ(Sound->Sample(0)->Chunk, nullptr);
    EXPECT_EQ(Sound->Sample(0)->Name, "gone");
    EXPECT_NE(Sound->Sample(1)->Chunk, nullptr);
    EXPECT_EQ(Sound->Sample(1)->Volume, 70);
    EXPECT_FALSE(Sound->Sample(1)->Loop);

    for (int I = 0; I < 5; ++I) {
        Sound->PlaySample("gone"); // the game asks every frame: no box each time
    }
    Sound->StopSample("gone");
    EXPECT_EQ(Boxes.size(), 1u);
    Sound->PlaySample("ok");
    EXPECT_EQ(Sound->Playing("ok"), 1);
}

TEST_F(TSoundEngineTest, ManyMissingSamplesShowOneBoxAndOneLine) {
    std::string List = "[Samples]\nCount=12\n";
    for (int N = 0; N < 12; ++N)
        List += Entry(N, "s" + std::to_string(N), "Sound\\gone" + std::to_string(N) + ".wav", false);
    WriteList(List);
    testing::internal::CaptureStderr();
    auto Sound = Make();
    const std::string Lines = testing::internal::GetCapturedStderr();
    EXPECT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(std::count(Lines.begin(), Lines.end(), '\n'), 1) << Lines;
    EXPECT_NE(Lines.find("gone9.wav"), std::string::npos) << Lines;
    EXPECT_NE(Lines.find("and 2 more"), std::string::npos) << Lines;
    EXPECT_EQ(Sound->SampleCount(), 12);
}

TEST_F(TSoundEngineTest, SilentRunShowsNoBoxesButStillLoadsAndTracks) {
    WriteWav("ok.wav", 50);
    WriteList("[Samples]\nCount=2\n" + Entry(0, "gone", "Sound\\gone.wav", false) +
              Entry(1, "ok", "Sound\\ok.wav", true));
    auto Sound = Make(true);
    EXPECT_TRUE(Boxes.empty());
    EXPECT_NE(Sound->Sample(1)->Chunk, nullptr);
    Sound->PlaySample("gone");
    Sound->PlaySample("ok");
    EXPECT_EQ(Sound->Playing("ok"), 1);
    Sound->StopSample("ok");
    EXPECT_EQ(Sound->Playing("ok"), 0);
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(TSoundEngineTest, NoAudioDeviceShowsOneBoxThenTheGameRunsSilent) {
    if (SDL_WasInit(SDL_INIT_AUDIO) != 0) {
        GTEST_SKIP() << "audio already started in this process";
    }
    WriteWav("ok.wav", 50);
    WriteList("[Samples]\nCount=2\n" + Entry(0, "engine", "Sound\\ok.wav", true) +
              Entry(1, "gone", "Sound\\gone.wav", false));
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "zerathon-no-such-driver", SDL_HINT_OVERRIDE);
    auto Sound = Make();
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    EXPECT_FALSE(Sound->DeviceOpen());
    EXPECT_FALSE(Sound->TerminateRequested());
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].rfind("Can't initialize digital sound system\r\n(error code: ", 0), 0u) << Boxes[0];
    ASSERT_EQ(Sound->SampleCount(), 2);
    EXPECT_EQ(Sound->Sample(0)->Chunk, nullptr);
    Sound->PlaySample("engine");
    Sound->PlaySample("gone");
    Sound->StopSample("engine");
    EXPECT_EQ(Sound->Playing("engine"), 0);
    EXPECT_EQ(Boxes.size(), 1u);
}

} // namespace
