// Autopilot: flies campaign missions headless with a simple competent strategy, to test their balance.
//   Autopilot --data DIR --missions all|NAME,NAME... --seeds N [--record FILE]
// NAME is level01 .. level19 or ttd. Each mission is flown with seeds 1..N and gets one line, "NAME won
// W/N" and the means of its figures. "all" flies the campaign in order with the profile carried on and
// the shop visited between missions; named missions start from a new profile each.
#include "TCampaignRun.h"
#include "TKeyPad.h"
#include "TMissionRun.h"
#include "TShopRule.h"

#include "app/Globals.h"
#include "app/TCommandLine.h"
#include "app/TmainFrm.h"
#include "engine/TEngine.h"
#include "engine/TSoundEngine.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct TOptions {
    std::string DataDir;
    std::vector<std::string> Missions;
    bool Campaign = false;
    int Seeds = 1;
    std::string RecordFile; // the game's --record: the flights' input, to replay with --input
};

int Usage() {
    std::cerr << "usage: Autopilot --data DIR --missions all|NAME,NAME... --seeds N [--record FILE]\n";
    return 2;
}

std::vector<std::string> SplitNames(const std::string& List) {
    std::vector<std::string> Names;
    std::stringstream Stream(List);
    for (std::string Name; std::getline(Stream, Name, ',');)
        if (!Name.empty())
            Names.push_back(Name);
    return Names;
}

bool Parse(int Count, char** Arguments, TOptions& Options) {
    for (int Index = 1; Index + 1 < Count; Index += 2) {
        const std::string Option = Arguments[Index], Value = Arguments[Index + 1];
        if (Option == "--data")
            Options.DataDir = Value;
        else if (Option == "--missions" && Value == "all")
            Options.Campaign = true;
        else if (Option == "--missions")
            Options.Missions = SplitNames(Value);
        else if (Option == "--seeds")
            Options.Seeds = std::atoi(Value.c_str());
        else if (Option == "--record")
            Options.RecordFile = Value;
        else
            return false;
    }
    return Count % 2 == 1 && !Options.DataDir.empty() && (Options.Campaign || !Options.Missions.empty()) &&
           Options.Seeds > 0;
}

// The game writes its settings and profiles into its folder: it gets a copy of the data.
std::filesystem::path CopyData(const std::string& DataDir) {
    std::string Pattern = (std::filesystem::temp_directory_path() / "zerathon-autopilot-XXXXXX").string();
    if (::mkdtemp(Pattern.data()) == nullptr)
        return {};
    std::filesystem::copy(DataDir, Pattern, std::filesystem::copy_options::recursive);
    return Pattern;
}

void PrintSummary(const TMissionSummary& Summary) {
    std::cout << Summary.Line() << (Summary.CarriedOn ? "  (never won: carried on as if won)" : "") << "\n";
    if (!Summary.Purchases.empty()) {
        std::cout << "  shop:";
        for (size_t Index = 0; Index < Summary.Purchases.size(); ++Index)
            std::cout << (Index ? ", " : " ") << Summary.Purchases[Index];
        std::cout << "; " << Summary.CreditsAfterShop << " credits left\n";
    }
    std::cout.flush();
}

void PlayCampaign(TCampaignRun& Run) {
    std::string FirstPurchase;
    const TProfile End = Run.PlayCampaign([&](const TMissionSummary& Summary) {
        PrintSummary(Summary);
        if (FirstPurchase.empty() && !Summary.Purchases.empty())
            FirstPurchase = Summary.Name;
    });
    std::cout << "first shop item bought after " << (FirstPurchase.empty() ? "none" : FirstPurchase) << "\n";
    std::cout << "everything bought by the end: " << (TShopRule::SoldOut(End) ? "yes" : "no") << "\n";
}

int Fly(const TOptions& Options, const std::string& DataCopy) {
    TCommandLine Game;
    Game.DataDir = DataCopy + "/";
    Game.Headless = true;
    Game.StepMs = 10;
    Game.HasSeed = true;
    Game.Seed = 1;
    Game.RecordFile = Options.RecordFile;
    TmainFrm Frame(Game);
    if (!Frame.FormCreate()) {
        std::cerr << "Autopilot: the game did not start\n";
        return 1;
    }
    // Nothing is drawn: a mission takes seconds.
    Engine->Device.Rasterise = false;
    // The pan of a sound comes from the game's generator, and whether a sound starts depends on the audio
    // device's own clock: panning from a generator of its own keeps a seed's flight the same every run.
    SoundEngine->RandomRange = [Pan = TRandom()](int Range) mutable { return Pan.Next(Range); };
    TKeyPad Keys(Frame.Input);
    TMissionRun Runner(Frame, Keys);
    TCampaignRun Run(Runner, Options.Seeds);
    if (Options.Campaign)
        PlayCampaign(Run);
    for (const std::string& Name : Options.Missions)
        PrintSummary(Run.PlayAlone(Name));
    return 0;
}

} // namespace

int main(int Count, char** Arguments) {
    TOptions Options;
    if (!Parse(Count, Arguments, Options))
        return Usage();
    ::setenv("SDL_AUDIODRIVER", "dummy", 0);
    const std::filesystem::path DataCopy = CopyData(Options.DataDir);
    if (DataCopy.empty()) {
        std::cerr << "Autopilot: no temporary folder for the game's data\n";
        return 1;
    }
    const int Status = Fly(Options, DataCopy.string());
    ResetGlobals();
    std::filesystem::remove_all(DataCopy);
    return Status;
}
