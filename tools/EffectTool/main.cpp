// Effect-file tool: readable particle-effect sources (data-src/effects/*.txt) to the game's 124-byte
// effect files (data/Graphic/*.pss) and back, and a preview to judge an effect by eye.
#include "EffectTool/TEffectPreview.h"
#include "EffectTool/TEffectSource.h"
#include "Shared/TSourceFolder.h"

#include "runtime/TFile.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

int Usage() {
    std::fputs("usage: EffectTool compile SRC.txt OUT.pss\n"
               "       EffectTool decompile IN.pss OUT.txt\n"
               "       EffectTool build SRC_DIR OUT_DIR     (every SRC_DIR/*.txt to OUT_DIR/*.pss)\n"
               "       EffectTool preview IN.pss OUT.png MS [ANGLE_DEGREES [RADIUS...]]\n",
               stderr);
    return 2;
}

bool Load(const std::string& Path, TParticleParams& Params) {
    std::vector<uint8_t> Bytes;
    if (!TFile::ReadAll(Path, Bytes)) {
        std::fprintf(stderr, "%s: cannot read the file\n", Path.c_str());
        return false;
    }
    if (Bytes.size() < TParticleParams::Size) {
        std::fprintf(stderr, "%s: %zu bytes, an effect file has %zu\n", Path.c_str(), Bytes.size(),
                     TParticleParams::Size);
        return false;
    }
    return TParticleParams::Read(Bytes.data(), Bytes.size(), Params);
}

bool Compile(const std::string& Source, const std::string& Target) {
    std::string Text, Error;
    if (!TFile::ReadText(Source, Text)) {
        std::fprintf(stderr, "%s: cannot read the file\n", Source.c_str());
        return false;
    }
    TParticleParams Params;
    if (!TEffectSource::Compile(Text, Source, Params, Error)) {
        std::fprintf(stderr, "%s\n", Error.c_str());
        return false;
    }
    const std::array<uint8_t, TParticleParams::Size> Block = Params.Write();
    return TSourceFolder::WriteFile(Target, Block.data(), Block.size());
}

bool Decompile(const std::string& Source, const std::string& Target) {
    TParticleParams Params;
    if (!Load(Source, Params))
        return false;
    const std::string Text = TEffectSource::Decompile(Params);
    return TSourceFolder::WriteFile(Target, Text.data(), Text.size());
}

bool Build(const std::string& SourceDir, const std::string& TargetDir) {
    return TSourceFolder::Build(SourceDir, TargetDir, ".pss", "effect files", Compile);
}

bool Preview(int Count, char** Args) {
    TParticleParams Params;
    if (!Load(Args[0], Params))
        return false;
    const int Milliseconds = std::atoi(Args[2]);
    const float Angle = Count > 3 ? static_cast<float>(std::atof(Args[3])) : 0.0f;
    std::vector<float> Radii;
    for (int I = 4; I < Count; ++I)
        Radii.push_back(static_cast<float>(std::atof(Args[I])));
    std::string Report;
    if (!TEffectPreview::Render(Params, Milliseconds, Angle, Radii, Args[1], Report)) {
        std::fprintf(stderr, "%s: cannot write the picture\n", Args[1]);
        return false;
    }
    std::fputs(Report.c_str(), stdout);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4)
        return Usage();
    const std::string Command = argv[1];
    if (Command == "preview")
        return Preview(argc - 2, argv + 2) ? 0 : 1;
    if (argc != 4)
        return Usage();
    if (Command == "compile")
        return Compile(argv[2], argv[3]) ? 0 : 1;
    if (Command == "decompile")
        return Decompile(argv[2], argv[3]) ? 0 : 1;
    if (Command == "build")
        return Build(argv[2], argv[3]) ? 0 : 1;
    return Usage();
}
