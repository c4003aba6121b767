// Replays fuzz inputs through a harness without libFuzzer: each argument is a file, or a folder whose
// files are all fed in name order. A harness that finds a fault aborts, which fails the run.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size);

namespace {

std::vector<std::filesystem::path> InputsOf(const std::filesystem::path& Argument) {
    std::vector<std::filesystem::path> Inputs;
    if (std::filesystem::is_directory(Argument)) {
        for (const auto& Entry : std::filesystem::directory_iterator(Argument))
            if (Entry.is_regular_file())
                Inputs.push_back(Entry.path());
        std::sort(Inputs.begin(), Inputs.end());
    } else {
        Inputs.push_back(Argument);
    }
    return Inputs;
}

} // namespace

int main(int argc, char** argv) {
    int Count = 0;
    for (int I = 1; I < argc; ++I) {
        for (const std::filesystem::path& Input : InputsOf(argv[I])) {
            std::ifstream File(Input, std::ios::binary);
            if (!File) {
                std::fprintf(stderr, "cannot read %s\n", Input.string().c_str());
                return 1;
            }
            const std::vector<uint8_t> Data{std::istreambuf_iterator<char>(File), {}};
            // Named first, so a crash shows which input it was.
            std::fprintf(stderr, "%s\n", Input.string().c_str());
            LLVMFuzzerTestOneInput(Data.data(), Data.size());
            ++Count;
        }
    }
    // An empty corpus would pass without trying anything.
    if (Count == 0) {
        std::fprintf(stderr, "no inputs\n");
        return 1;
    }
    std::printf("%d inputs replayed\n", Count);
    return 0;
}
