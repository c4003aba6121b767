// SoundSynth: synthesises every sample of the game and writes them with the sample list.
//
//   SoundSynth DATA_DIR          writes DATA_DIR/Sound/<name>.wav and DATA_DIR/Sound/Sounds.ini
//   SoundSynth --check DATA_DIR  reads them back and reports peak, DC offset, length and loop seams
//
// Every sample is made from oscillators, noise, filters, envelopes and delays with fixed seeds, so the
// output is the same, byte for byte, on every run.
#include "Check.h"
#include "Samples.h"
#include "Wave.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace Synth {

const std::vector<TSampleEntry>& SampleList() {
    // Volumes set the mix: every file peaks at -1 dBFS, so the list balances them by loudness and role.
    // "engine" plays all through a mission (and the game stacks up to three copies of it): quiet.
    // "run" is stacked too (every runner starts it). Explosions are the loudest; the button is soft.
    // clang-format off
    static const std::vector<TSampleEntry> List = {
        {"engine",     22, true,  MakeEngine},    // a bed ~10 dB under the blasts, 3 copies stacked
        {"explode1",   85, false, MakeExplode1},  // the loudest moments of play
        {"explode2",  100, false, MakeExplode2},
        {"emp",        85, false, MakeEmp},
        {"phazer",     65, false, MakePhazer},    // dense and sustained: a little lower
        {"longbomb",   75, false, MakeLongBomb},
        {"shield",     75, false, MakeShield},
        {"sniper",     80, false, MakeSniper},    // the main gun: must cut through the engine
        {"plant",      60, false, MakePlant},
        {"crate",      70, false, MakeCrate},
        {"countdown",  45, false, MakeCountdown}, // repeats every second: present, not nagging
        {"button",     45, false, MakeButton},    // short and soft, still heard over the theme
        {"vorlen",     80, false, MakeVorlen},
        {"run",        55, false, MakeRun},       // stacked: every runner starts it
        {"scream",     70, false, MakeScream},
    };
    // clang-format on
    return List;
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
        const TBuffer Buffer = Entry.Make();
        const std::string Path = (SoundDir / (std::string(Entry.Name) + ".wav")).string();
        if (!WriteWav(Path, Quantise(Buffer))) {
            std::fprintf(stderr, "SoundSynth: cannot write %s\n", Path.c_str());
            return 1;
        }
        std::printf("%-10s %6.3f s  %s\n", Entry.Name, static_cast<double>(Buffer.size()) / Rate,
                    Path.c_str());
        List += "\n[Sample" + std::to_string(Index++) + "]\n";
        List += "Name=" + std::string(Entry.Name) + "\n";
        List += "Sample=Sound\\" + std::string(Entry.Name) + ".wav\n";
        List += "Volume=" + std::to_string(Entry.Volume) + "\n";
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
