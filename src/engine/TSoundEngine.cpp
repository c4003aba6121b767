#include "engine/TSoundEngine.h"

#include "runtime/TFile.h"
#include "runtime/TIniFile.h"
#include "runtime/TLoadFailures.h"
#include "runtime/TMessageBox.h"
#include "runtime/TPath.h"
#include "runtime/TSdlBlockPool.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// Our own error codes for the boxes (the mixer only reports text, which goes to standard error), so a
// player's report still says which step failed.
constexpr int ErrorVersion = 1;
constexpr int ErrorAudio = 2;
constexpr int ErrorMixer = 3;
constexpr int ErrorLoad = 4;
constexpr int ErrorPlay = 5;
constexpr int ErrorList = 6;

constexpr int Frequency = 44100;
constexpr int ChunkSize = 1024;
// Enough for every sample's three voices in a busy fight; more are added when they run out.
constexpr int FirstChannels = 64;
constexpr int ChannelStep = 32;
// A damaged list must not make us walk billions of empty sections.
constexpr int MaxEntries = 10000;

// Runs on the mixer's thread after every mix: from then on the buffers it allocates for panned sounds
// come from the pool.
void TakeMixerBuffersFromPool(void*, Uint8*, int) {
    TSdlBlockPool::UseOnThisThread(true);
}

std::string MixerError() {
    const char* Text = Mix_GetError();
    return Text != nullptr && Text[0] != '\0' ? Text : "no details";
}

} // namespace

TSoundEngine::TSoundEngine(const std::string& ProgramDir, const std::string& ListPath, bool Silent)
    : ProgramDir(ProgramDir), ListPath(ListPath), Silent(Silent) {
    // Pans come from a generator of their own: whether a sound plays depends on the audio device, and a
    // window session must draw the same random numbers as its headless replay.
    RandomRange = [this](int Range) {
        PanState = PanState * 134775813u + 1u;
        return Range > 0
                   ? static_cast<int>((static_cast<uint64_t>(PanState) * static_cast<uint32_t>(Range)) >> 32)
                   : 0;
    };
    StartAudio();
    if (!Terminate) {
        LoadList();
    }
}

TSoundEngine::~TSoundEngine() {
    for (TEngineSample& Entry : Samples) {
        if (Open) {
            Prune(Entry);
            for (int Channel : Entry.Channels) {
                Mix_HaltChannel(Channel);
            }
            Entry.Channels.clear();
        }
        if (Entry.Chunk != nullptr) {
            Mix_FreeChunk(Entry.Chunk);
            Entry.Chunk = nullptr;
        }
    }
    StopAudio();
}

void TSoundEngine::StartAudio() {
    const SDL_version* Linked = Mix_Linked_Version();
    if (Linked == nullptr || Linked->major != SDL_MIXER_MAJOR_VERSION) {
        Error("Mixer version " + std::to_string(SDL_MIXER_MAJOR_VERSION) + " was not loaded", ErrorVersion,
              "linked SDL_mixer major version " + std::to_string(Linked != nullptr ? Linked->major : 0));
        Terminate = true;
        return;
    }

    TSdlBlockPool::Install();
    if (Silent) {
        // SDL's dummy driver mixes into nothing at real time, so a silent run loads and tracks its
        // samples exactly like a loud one.
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    }
    const bool Started = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    if (Silent) {
        SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    }
    if (!Started) {
        Error("Can't initialize digital sound system", ErrorAudio, SDL_GetError());
        return;
    }
    AudioStarted = true;

    if (Silent) {
        // Someone else already runs SDL audio on a real driver: stay closed rather than make a sound.
        const char* Driver = SDL_GetCurrentAudioDriver();
        if (Driver == nullptr || std::strcmp(Driver, "dummy") != 0) {
            Error("Can't initialize digital sound system", ErrorAudio,
                  std::string("audio already runs on driver ") + (Driver != nullptr ? Driver : "(none)"));
            StopAudio();
            return;
        }
    }

    if (Mix_OpenAudio(Frequency, MIX_DEFAULT_FORMAT, 2, ChunkSize) != 0) {
        Error("Can't initialize digital sound system", ErrorMixer, MixerError());
        StopAudio();
        return;
    }
    Open = true;
    Mix_SetPostMix(TakeMixerBuffersFromPool, nullptr);
    if (Mix_AllocateChannels(-1) < FirstChannels) {
        Mix_AllocateChannels(FirstChannels);
    }
}

void TSoundEngine::StopAudio() {
    if (Open) {
        Mix_CloseAudio();
        Open = false;
    }
    if (AudioStarted) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        AudioStarted = false;
    }
}

void TSoundEngine::LoadList() {
    const TIniFile List(ListPath);
    const int Count = std::max(List.ReadInteger("Samples", "Count", 0), 0);
    if (Count == 0) {
        Error("The sample list " + ListPath + " is missing or names no samples", ErrorList,
              "the game runs silent");
        return;
    }
    if (Count > MaxEntries) {
        Error("The sample list " + ListPath + " is damaged: it counts " + std::to_string(Count) +
                  " entries, more than " + std::to_string(MaxEntries),
              ErrorList, "the game runs silent");
        return;
    }
    TLoadFailures Failures;
    Samples.resize(static_cast<size_t>(Count));
    for (int N = 0; N < Count; ++N) {
        const std::string Section = "Sample" + std::to_string(N);
        TEngineSample& Entry = Samples[static_cast<size_t>(N)];
        Entry.Name = List.ReadString(Section, "Name", "");
        Entry.File = TPath::Join(ProgramDir, List.ReadString(Section, "Sample", ""));
        Entry.Volume = std::clamp(List.ReadInteger(Section, "Volume", 100), 0, 100);
        Entry.Loop = List.ReadBool(Section, "Loop", false);
        Entry.Channels.reserve(MaxPlaybacks); // a playback started in play must not allocate
        // Without a device the mixer cannot decode; the one box about the device has been shown and
        // the game runs silent, so the entries simply stay unloaded.
        if (!Open) {
            continue;
        }
        // Read apart from decoding, so a missing file is reported as such, and only a regular file of
        // a sensible size reaches the decoder.
        std::vector<uint8_t> Bytes;
        if (!TFile::ReadAll(Entry.File, Bytes)) {
            Failures.Add(Entry.File + ": " + (TFile::Exists(Entry.File) ? "cannot be read" : "no such file"));
            continue;
        }
        SDL_RWops* Stream = SDL_RWFromConstMem(Bytes.data(), static_cast<int>(Bytes.size()));
        Entry.Chunk = Stream != nullptr ? Mix_LoadWAV_RW(Stream, 1) : nullptr;
        if (Entry.Chunk == nullptr) {
            Failures.Add(Entry.File + ": " + MixerError());
        }
    }
    // One box for the whole list, however many samples fail.
    if (Failures.Count() > 0) {
        Error("Can't load sample", ErrorLoad, Failures.Text("; "));
    }
}

const TEngineSample* TSoundEngine::Sample(int Index) const {
    if (Index < 0 || Index >= SampleCount()) {
        return nullptr;
    }
    return &Samples[static_cast<size_t>(Index)];
}

TEngineSample* TSoundEngine::Find(const std::string& Name) {
    auto It =
        std::find_if(Samples.begin(), Samples.end(), [&](const TEngineSample& E) { return E.Name == Name; });
    return It != Samples.end() ? &*It : nullptr;
}

const TEngineSample* TSoundEngine::Find(const std::string& Name) const {
    return const_cast<TSoundEngine*>(this)->Find(Name);
}

bool TSoundEngine::PlaysOn(const TEngineSample& Entry, int Channel) {
    // A channel that finished may since carry another sample, so the chunk has to match too.
    return Mix_Playing(Channel) != 0 && Mix_GetChunk(Channel) == Entry.Chunk;
}

void TSoundEngine::Prune(TEngineSample& Entry) {
    std::erase_if(Entry.Channels, [&](int Channel) { return !PlaysOn(Entry, Channel); });
}

int TSoundEngine::FreeChannel() {
    int Channel = Mix_GroupAvailable(-1);
    if (Channel < 0) {
        // Every channel is busy: make room rather than drop the sound.
        Mix_AllocateChannels(Mix_AllocateChannels(-1) + ChannelStep);
        Channel = Mix_GroupAvailable(-1);
    }
    return Channel;
}

void TSoundEngine::PlaySample(const std::string& Name) {
    TEngineSample* Entry = Find(Name);
    // A sample that failed to load, or no device at all, already had its one box: stay quiet.
    if (Entry == nullptr || Entry->Chunk == nullptr || !Open) {
        return;
    }
    Prune(*Entry);
    if (static_cast<int>(Entry->Channels.size()) >= MaxPlaybacks) {
        return;
    }
    const int Channel = FreeChannel();
    if (Channel < 0) {
        Error("Can't play sample", ErrorPlay, Entry->Name + ": no free mixer channel: " + MixerError());
        return;
    }
    // Volume and pan go on the idle channel first, so the sound never starts at the wrong place.
    Mix_Volume(Channel, Entry->Volume * MIX_MAX_VOLUME / 100);
    // Every playback gets its own pan between the centre (0) and full right (100).
    const int Pan = std::clamp(RandomRange ? RandomRange(101) : 0, 0, 100);
    // The mixer keeps the pan until the playback ends, in blocks of the pool rather than the heap.
    TSdlBlockPool::UseOnThisThread(true);
    Mix_SetPanning(Channel, static_cast<Uint8>(255 * (100 - Pan) / 100), 255);
    TSdlBlockPool::UseOnThisThread(false);
    if (Mix_PlayChannel(Channel, Entry->Chunk, Entry->Loop ? -1 : 0) < 0) {
        Error("Can't play sample", ErrorPlay, Entry->Name + ": " + MixerError());
        return;
    }
    Entry->Channels.push_back(Channel);
}

void TSoundEngine::StopSample(const std::string& Name) {
    TEngineSample* Entry = Find(Name);
    if (Entry == nullptr || !Open) {
        return;
    }
    Prune(*Entry);
    for (int Channel : Entry->Channels) {
        Mix_HaltChannel(Channel);
    }
    Entry->Channels.clear();
}

int TSoundEngine::Playing(const std::string& Name) const {
    const TEngineSample* Entry = Find(Name);
    if (Entry == nullptr || Entry->Chunk == nullptr || !Open) {
        return 0;
    }
    return static_cast<int>(std::count_if(Entry->Channels.begin(), Entry->Channels.end(),
                                          [&](int C) { return PlaysOn(*Entry, C); }));
}

void TSoundEngine::Error(const std::string& Message, int Code, const std::string& Detail) const {
    std::fprintf(stderr, "Sound: %s (%s)\n", Message.c_str(), Detail.c_str());
    std::fflush(stderr);
    if (!Silent) {
        TMessageBox::Show("Error", Message + "\r\n(error code: " + std::to_string(Code) + ")", true);
    }
}
