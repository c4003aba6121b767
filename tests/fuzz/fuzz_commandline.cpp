// libFuzzer harness: the command line. The input is the arguments, each ended by a zero byte (the last
// one need not be).
#include "FuzzSupport.h"
#include "app/TCommandLine.h"

namespace {

std::vector<std::string> Arguments(const std::string& Text) {
    std::vector<std::string> Result;
    size_t Start = 0;
    while (Start < Text.size()) {
        size_t End = Text.find('\0', Start);
        if (End == std::string::npos)
            End = Text.size();
        Result.push_back(Text.substr(Start, End - Start));
        Start = End + 1;
    }
    return Result;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    TCommandLine Line;
    std::string Error;
    if (!Line.Parse(Arguments(AsText(Data, Size)), Error)) {
        Check(!Error.empty());
        return 0;
    }
    // What the game is given to work with is always within the ranges the options allow.
    Check(Line.Frames >= 0 && Line.Frames <= 1000000000);
    Check(Line.StepMs >= 0 && Line.StepMs <= 10000);
    Check(Line.MaxFps >= 1 && Line.MaxFps <= 1000);
    Check(Line.HasSeed || Line.Seed == 0);
    for (const TScreenshotRequest& Request : Line.Screenshots)
        Check(Request.Frame >= 1 && !Request.FileName.empty());
    return 0;
}
