// Mission compiler and decompiler: readable mission sources (data-src/levels/*.txt) to the game's
// zlib-compressed mission files (data/Levels/*.lvl) and back.
#include "LevelTool/TLevelSource.h"
#include "Shared/TSourceFolder.h"

#include "missions/TLevelFile.h"
#include "runtime/TFile.h"
#include "runtime/TZlibStream.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// Level 9 of one zlib build always gives the same bytes, so the committed files are reproducible.
constexpr int CompressionLevel = 9;

int Usage() {
    std::fputs("usage: LevelTool compile SOURCE.txt OUT.lvl\n"
               "       LevelTool decompile IN.lvl OUT.txt\n"
               "       LevelTool build SRC_DIR OUT_DIR    (every SRC_DIR/*.txt to OUT_DIR/*.lvl)\n",
               stderr);
    return 2;
}

bool Compile(const std::string& Source, const std::string& Target) {
    std::string Text, Error;
    if (!TFile::ReadText(Source, Text)) {
        std::fprintf(stderr, "%s: cannot read the file\n", Source.c_str());
        return false;
    }
    std::vector<uint8_t> Bytes;
    if (!TLevelSource::Compile(Text, Source, Bytes, Error)) {
        std::fprintf(stderr, "%s\n", Error.c_str());
        return false;
    }
    if (!TZlibStream::WriteFile(Target, Bytes.data(), Bytes.size(), CompressionLevel, &Error)) {
        std::fprintf(stderr, "%s: %s\n", Target.c_str(), Error.c_str());
        return false;
    }
    return true;
}

bool Decompile(const std::string& Source, const std::string& Target) {
    std::string Mode, Error;
    TCampaignLevel Campaign;
    TEndlessLevel Endless;
    if (!TLevelFile::ReadFile(Source, Mode, Campaign, Endless, Error)) {
        std::fprintf(stderr, "%s\n", Error.c_str());
        return false;
    }
    const std::string Text = TLevelSource::Decompile(Mode, Campaign, Endless);
    return TSourceFolder::WriteFile(Target, Text.data(), Text.size());
}

bool Build(const std::string& SourceDir, const std::string& TargetDir) {
    return TSourceFolder::Build(SourceDir, TargetDir, ".lvl", "mission files", Compile);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4)
        return Usage();
    const std::string Command = argv[1];
    if (Command == "compile")
        return Compile(argv[2], argv[3]) ? 0 : 1;
    if (Command == "decompile")
        return Decompile(argv[2], argv[3]) ? 0 : 1;
    if (Command == "build")
        return Build(argv[2], argv[3]) ? 0 : 1;
    return Usage();
}
