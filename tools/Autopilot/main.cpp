// Autopilot: flies campaign missions headless with a simple competent strategy, to test their balance.
//   Autopilot --data DIR --missions all|NAME,NAME... --seeds N [--first-seed S] [--pilot competent|beginner]
//             [--profile FILE] [--save-profiles DIR] [--record FILE]
// NAME is level01 .. level19 or ttd. Each mission is flown with seeds S .. S+N-1 (S is 1 unless given), so
// a campaign tuned on some seeds can be checked on others, and gets one line, "NAME won W/N" and the means
// of its figures. "all" flies the campaign in order with the profile carried on and the shop visited
// between missions; --save-profiles writes the profile it carries into each mission as DIR/NAME.sav.
// Everything starts from a new profile, or from --profile's save file: named missions each, so a late
// mission can be flown many times with the ship the campaign brings to it, and "all" from the first
// mission that profile has not won. --pilot beginner flies as a new player would (TPilotSkill): late to
// react, aiming roughly, and without the shop's weapons in the first missions.
#include "TCampaignRun.h"
#include "TMissionRun.h"
#include "TPilotSkill.h"
#include "TShopRule.h"

#include "app/Globals.h"
#include "app/TCommandLine.h"
#include "menu/TProfileFiles.h"
#include "runtime/TSaveFile.h"
#include "runtime/TZlibStream.h"

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
    int FirstSeed = 1;
    TPilotSkill Pilot = TPilotSkill::Competent();
    std::string ProfileFile;
    std::string ProfileDir;
    std::string RecordFile; // the game's --record: the first flight's input, to replay with --input
};

int Usage() {
    std::cerr << "usage: Autopilot --data DIR --missions all|NAME,NAME... --seeds N [--first-seed S]"
                 " [--pilot competent|beginner] [--profile FILE] [--save-profiles DIR] [--record FILE]\n";
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
        else if (Option == "--first-seed")
            Options.FirstSeed = std::atoi(Value.c_str());
        else if (Option == "--pilot" && Value == "competent")
            Options.Pilot = TPilotSkill::Competent();
        else if (Option == "--pilot" && Value == "beginner")
            Options.Pilot = TPilotSkill::Beginner();
        else if (Option == "--profile")
            Options.ProfileFile = Value;
        else if (Option == "--save-profiles")
            Options.ProfileDir = Value;
        else if (Option == "--record")
            Options.RecordFile = Value;
        else
            return false;
    }
    return Count % 2 == 1 && !Options.DataDir.empty() && (Options.Campaign || !Options.Missions.empty()) &&
           Options.Seeds > 0 && Options.FirstSeed >= 0;
}

// The game writes its settings and profiles into its folder: it gets a copy of the data.
std::filesystem::path CopyData(const std::string& DataDir) {
    std::string Pattern = (std::filesystem::temp_directory_path() / "zerathon-autopilot-XXXXXX").string();
    if (::mkdtemp(Pattern.data()) == nullptr)
        return {};
    std::filesystem::copy(DataDir, Pattern, std::filesystem::copy_options::recursive);
    return Pattern;
}

// In the game's own save format, so a file can also be put in a game's Users folder.
// A failed save says so itself.
void SaveProfile(const std::filesystem::path& Path, const TProfile& Player) {
    constexpr int Level = 6;
    TSaveFile::Packed(Path.string(), TProfileFiles::Encode(Player), Level);
}

bool LoadProfile(const std::string& Path, TProfile& Player) {
    std::vector<uint8_t> Bytes;
    return TZlibStream::ReadFile(Path, Bytes) && TProfileFiles::Decode(Bytes, Player);
}

void PrintSummary(const TMissionSummary& Summary) {
    std::cout << Summary.Line() << (Summary.CarriedOn ? "  (never won: carried on as if won)" : "") << "\n";
    if (!Summary.Purchases.empty()) {
        std::cout << "  shop:";
        for (size_t Index = 0; Index < Summary.Purchases.size(); ++Index)
            std::cout << (Index ? ", " : " ") << Summary.Purchases[Index];
        std::cout << "; " << Summary.Carried.Credits << " credits left\n";
    }
    std::cout.flush();
}

void PlayCampaign(TCampaignRun& Run, const TProfile& Start, const std::string& ProfileDir) {
    std::string FirstPurchase;
    const TProfile End = Run.PlayCampaign(Start, [&](const TMissionSummary& Summary) {
        PrintSummary(Summary);
        if (FirstPurchase.empty() && !Summary.Purchases.empty())
            FirstPurchase = Summary.Name;
        const int Mission = std::stoi(Summary.Name.substr(5)) + 1;
        if (!ProfileDir.empty() && Mission <= CampaignMissionCount)
            SaveProfile(std::filesystem::path(ProfileDir) / (TCampaignRun::MissionName(Mission) + ".sav"),
                        Summary.Carried);
    });
    std::cout << "first shop item bought after " << (FirstPurchase.empty() ? "none" : FirstPurchase) << "\n";
    std::cout << "everything bought by the end: " << (TShopRule::SoldOut(End) ? "yes" : "no") << "\n";
}

int Fly(const TOptions& Options, const std::string& DataCopy) {
    TProfile Start;
    if (!Options.ProfileFile.empty() && !LoadProfile(Options.ProfileFile, Start)) {
        std::cerr << "Autopilot: " << Options.ProfileFile << " is not a profile\n";
        return 1;
    }
    if (!Options.ProfileDir.empty())
        std::filesystem::create_directories(Options.ProfileDir);
    TCommandLine Game;
    Game.DataDir = DataCopy + "/";
    Game.Headless = true;
    // Nothing is drawn: a mission takes seconds.
    Game.NoRaster = true;
    Game.StepMs = 10;
    Game.RecordFile = Options.RecordFile;
    TMissionRun Runner(Game);
    Runner.SetPilot(Options.Pilot);
    TCampaignRun Run(Runner, Options.FirstSeed, Options.Seeds);
    if (Options.Campaign)
        PlayCampaign(Run, Start, Options.ProfileDir);
    for (const std::string& Name : Options.Missions)
        PrintSummary(Run.PlayAlone(Name, Start));
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
    std::filesystem::remove_all(DataCopy);
    return Status;
}
