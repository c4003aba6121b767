#include "app/TCommandLine.h"

#include <charconv>

namespace {
bool ParseNumber(const std::string& Text, long long Low, long long High, long long& Value) {
    const char* End = Text.data() + Text.size();
    auto [Stop, Error] = std::from_chars(Text.data(), End, Value);
    return Error == std::errc() && Stop == End && !Text.empty() && Value >= Low && Value <= High;
}
} // namespace

bool TCommandLine::Parse(const std::vector<std::string>& Arguments, std::string& Error) {
    for (size_t I = 0; I < Arguments.size(); ++I) {
        const std::string& Option = Arguments[I];
        auto Value = [&](std::string& Out) {
            if (I + 1 >= Arguments.size()) {
                Error = "option " + Option + " needs a value";
                return false;
            }
            Out = Arguments[++I];
            return true;
        };
        auto Number = [&](long long Low, long long High, long long& Out) {
            std::string Text;
            if (!Value(Text))
                return false;
            if (!ParseNumber(Text, Low, High, Out)) {
                Error = "option " + Option + ": \"" + Text + "\" is not a number from " +
                        std::to_string(Low) + " to " + std::to_string(High);
                return false;
            }
            return true;
        };
        long long Parsed = 0;
        if (Option == "--data") {
            if (!Value(DataDir))
                return false;
        } else if (Option == "--headless") {
            Headless = true;
        } else if (Option == "--no-raster") {
            NoRaster = true;
        } else if (Option == "--frames") {
            if (!Number(1, 1000000000, Parsed))
                return false;
            Frames = static_cast<int>(Parsed);
        } else if (Option == "--step-ms") {
            if (!Number(1, 10000, Parsed))
                return false;
            StepMs = static_cast<int>(Parsed);
        } else if (Option == "--max-fps") {
            if (!Number(1, 1000, Parsed))
                return false;
            MaxFps = static_cast<int>(Parsed);
        } else if (Option == "--seed") {
            if (!Number(0, 4294967295LL, Parsed))
                return false;
            HasSeed = true;
            Seed = static_cast<uint32_t>(Parsed);
        } else if (Option == "--input") {
            if (!Value(InputFile))
                return false;
        } else if (Option == "--screenshot") {
            std::string Text;
            if (!Value(Text))
                return false;
            const size_t Colon = Text.find(':');
            TScreenshotRequest Request;
            if (Colon == std::string::npos || Colon + 1 >= Text.size() ||
                !ParseNumber(Text.substr(0, Colon), 1, 1000000000, Parsed)) {
                Error = "option --screenshot: \"" + Text + "\" is not FRAME:FILE";
                return false;
            }
            Request.Frame = static_cast<int>(Parsed);
            Request.FileName = Text.substr(Colon + 1);
            Screenshots.push_back(Request);
        } else if (Option == "--level") {
            if (!Value(Level))
                return false;
        } else if (Option == "--record") {
            if (!Value(RecordFile))
                return false;
        } else if (Option == "--state-hash") {
            if (!Number(1, 1000000000, Parsed))
                return false;
            StateHashEvery = static_cast<int>(Parsed);
        } else if (Option == "--version") {
            ShowVersion = true;
        } else if (Option == "--help" || Option == "-h") {
            ShowHelp = true;
        } else {
            Error = "unknown option \"" + Option + "\" (try --help)";
            return false;
        }
    }
    // A window that never shows a pixel would look like a hung game.
    if (NoRaster && !Headless) {
        Error = "option --no-raster needs --headless";
        return false;
    }
    return true;
}

std::string TCommandLine::VersionText() {
    return "Zerathon 1.00\n";
}

std::string TCommandLine::HelpText() {
    return "Usage: zerathon [options]\n"
           "A player starts the game with no options. For tests, benchmarks and screenshots:\n"
           "  --data DIR           the program directory (data, Settings.ini, Users/); default: beside the "
           "program\n"
           "  --headless           no window: software rendering offscreen, no sound, messages to standard "
           "error\n"
           "  --no-raster          with --headless: draw no pixel but the screenshots' (fast soaks)\n"
           "The game runs 100 game frames to the second of game time, whatever the display shows; every F "
           "and\n"
           "N below counts game frames.\n"
           "  --frames N           close the game normally after N game frames\n"
           "  --step-ms MS         deterministic clock: every displayed frame takes exactly MS milliseconds "
           "and\n"
           "                       runs the game frames that are due (10 ms each); nothing sleeps\n"
           "  --max-fps N          show at most N frames a second (default 100); the game keeps its speed\n"
           "  --seed N             seed the random generator with N instead of the clock\n"
           "  --input FILE         scripted input, one event per line:\n"
           "                         F key down CODE | F key up CODE | F text TEXT\n"
           "                         F mouse move DX DY | F mouse at X Y | F mouse wheel N\n"
           "                         F mouse down B | F mouse up B\n"
           "                         F window focus-lost|focus-gained|minimised|restored|close|quit\n"
           "                         F pad down|up BUTTON | F pad axis AXIS VALUE\n"
           "                         F clock MS (from frame F on, each displayed frame takes MS ms, unless\n"
           "                         --step-ms) | 0 seed N (the seed, unless --seed)   (# starts a comment)\n"
           "  --screenshot N:FILE  after game frame N, write it as a PNG (may repeat)\n"
           "  --level NAME         skip intro and menus and load mission NAME (level01..level19, ttd)\n"
           "  --record FILE        write every input event with its game frame, and the seed, to FILE; "
           "given\n"
           "                       to --input, it replays the session exactly (also one played in a window)\n"
           "  --state-hash N       every N game frames print \"frame F hash H\": a hash of the game's state\n"
           "  --version, --help    print and exit\n";
}
