// SoundSynth: synthesises every sample of the game and writes them with the sample list.
//
//   SoundSynth DATA_DIR          writes DATA_DIR/Sound/<name>.wav and DATA_DIR/Sound/Sounds.ini
//   SoundSynth --check DATA_DIR  reads them back and reports loudness, peaks, clicks and loop seams
//
// Every sample is made from oscillators, noise, filters, envelopes and delays with fixed seeds, so the
// output is the same, byte for byte, on every run.
#include "Check.h"
#include "Loudness.h"
#include "Samples.h"
#include "Wave.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace Synth {

const std::vector<TSampleEntry>& SampleList() {
    // The mix, as loudness heard in play: explosions and the long bomb on top, the weapons a few LU under
    // them, pick-ups and cues under those, the button and the engine bed at the bottom. Every file peaks
    // just under -1 dBTP; its Volume in Sounds.ini, worked out from its measured loudness, takes it down
    // to its place here.
    // clang-format off
    static const std::vector<TSampleEntry> List = {
        {"engine",    -27, true,  MakeEngine},    // a bed under everything; the game stacks up to three
        {"explode1",  -15, false, MakeExplode1},  // the loudest moments of play
        {"explode2",  -15, false, MakeExplode2},
        {"emp",       -17, false, MakeEmp},
        {"phazer",    -19, false, MakePhazer},    // dense and sustained: a little lower
        {"longbomb",  -15, false, MakeLongBomb},
        {"shield",    -19, false, MakeShield},
        {"sniper",    -19, false, MakeSniper},    // the main gun: cuts through the engine, fired all the time
        {"plant",     -21, false, MakePlant},
        {"crate",     -19, false, MakeCrate},
        {"countdown", -22, false, MakeCountdown}, // repeats every second: present, not nagging
        {"button",    -24, false, MakeButton},    // short and soft, still heard over the theme
        {"vorlen",    -17, false, MakeVorlen},
        {"run",       -20, false, MakeRun},       // stacked: every runner starts it
        {"scream",    -18, false, MakeScream},
    };
    // clang-format on
    return List;
}

const TSampleEntry* FindSample(const std::string& Name) {
    for (const TSampleEntry& Entry : SampleList())
        if (Name == Entry.Name)
            return &Entry;
    return nullptr;
}

int VolumeFor(double TargetLufs, double SampleLufs) {
    const double Volume = 100 * DbToGain(TargetLufs - SampleLufs);
    return static_cast<int>(std::lround(Clamp(Volume, 1, 100)));
}

double HeardLoudness(double SampleLufs, int Volume) {
    return SampleLufs + 20 * std::log10(std::max(Volume, 1) / 100.0);
}

} // namespace Synth

namespace {

int Usage() {
    std::fprintf(stderr, "usage: SoundSynth DATA_DIR\n       SoundSynth --check DATA_DIR\n");
    return 2;
}

int Write(const std::string& DataDir) {
    using namespace Synth;
    const std::filesystem::path SoundDir = std::filesystem::path(DataDir) / "Sound";
    std::error_code Error;
    std::filesystem::create_directories(SoundDir, Error);
    if (Error) {
        std::fprintf(stderr, "SoundSynth: cannot create %s: %s\n", SoundDir.string().c_str(),
                     Error.message().c_str());
        return 1;
    }
    std::string List = "[Samples]\nCount=" + std::to_string(SampleList().size()) + "\n";
    int Index = 0;
    for (const TSampleEntry& Entry : SampleList()) {
        const std::vector<int16_t> Samples = Quantise(Entry.Make());
        const std::string Path = (SoundDir / (std::string(Entry.Name) + ".wav")).string();
        if (!WriteWav(Path, Samples)) {
            std::fprintf(stderr, "SoundSynth: cannot write %s\n", Path.c_str());
            return 1;
        }
        // Measured as written, so the check reads the same loudness back.
        const int Volume = VolumeFor(Entry.Loudness, IntegratedLoudness(ToBuffer(Samples), Entry.Loop));
        std::printf("%-10s %6.3f s  Volume %3d  %s\n", Entry.Name, static_cast<double>(Samples.size()) / Rate,
                    Volume, Path.c_str());
        List += "\n[Sample" + std::to_string(Index++) + "]\n";
        List += "Name=" + std::string(Entry.Name) + "\n";
        List += "Sample=Sound\\" + std::string(Entry.Name) + ".wav\n";
        List += "Volume=" + std::to_string(Volume) + "\n";
        List += std::string("Loop=") + (Entry.Loop ? "1" : "0") + "\n";
    }
    const std::string ListPath = (SoundDir / "Sounds.ini").string();
    std::ofstream File(ListPath, std::ios::binary | std::ios::trunc);
    File << List;
    if (!File) {
        std::fprintf(stderr, "SoundSynth: cannot write %s\n", ListPath.c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int Argc, char** Argv) {
    if (Argc == 2 && std::string(Argv[1]) != "--check" && Argv[1][0] != '-')
        return Write(Argv[1]);
    if (Argc == 3 && std::string(Argv[1]) == "--check")
        return Synth::CheckSamples(Argv[2]) == 0 ? 0 : 1;
    return Usage();
}
