// libFuzzer harness: the sample list (Sound/Sounds.ini). Whatever it holds, the sound engine comes up
// with at most one message and a table it can play from.
#include "FuzzSupport.h"
#include "TFuzzStage.h"
#include "engine/TSoundEngine.h"
#include "runtime/TIniFile.h"

#include <SDL.h>

namespace {

// A sound engine kept open on an empty list for the whole run holds the mixer open, so each input's
// engine finds it ready instead of starting SDL's audio afresh. Sound/beep.wav is there for entries
// to load.
void KeepMixerOpen(TFuzzStage& Stage) {
    static std::unique_ptr<TSoundEngine> Keeper;
    if (Keeper)
        return;
    SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
    Check(TFile::MakeDirectory(Stage.File("Sound")));
    // Eight samples of silence, 8-bit mono at 44.1 kHz.
    const char Header[] = "RIFF\x2C\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x44\xAC\0\0\x44\xAC\0\0\x01\0\x08\0"
                          "data\x08\0\0\0";
    const std::string Wave = std::string(Header, sizeof Header - 1) + std::string(8, '\x80');
    Stage.Put("Sound/beep.wav", Wave);
    Keeper = std::make_unique<TSoundEngine>(Stage.File(""), Stage.Put("Sound/Empty.ini", ""), false);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string Text = AsText(Data, Size);
    const TIniFile List = TIniFile::FromText(Text);
    if (!ListWorthTrying(List, "Samples"))
        return 0;
    TFuzzStage& Stage = TFuzzStage::Get();
    KeepMixerOpen(Stage);
    const int Messages = Stage.Messages;
    TSoundEngine Sounds(Stage.File(""), Stage.Put("Sound/Fuzz.ini", Text), false);
    Check(Stage.Messages - Messages <= 1);
    Check(Sounds.SampleCount() <= 10000);
    for (int N = 0; N < Sounds.SampleCount(); ++N) {
        const TEngineSample& Entry = *Sounds.Sample(N);
        Check(Entry.Volume >= 0 && Entry.Volume <= 100);
        Sounds.PlaySample(Entry.Name);
        Sounds.StopSample(Entry.Name);
    }
    return 0;
}
