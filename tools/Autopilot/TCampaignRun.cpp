#include "TCampaignRun.h"

#include "TCarry.h"
#include "TMissionRun.h"
#include "TShopRule.h"

#include "app/Globals.h"
#include "menu/TGameMenu.h"

std::vector<TMissionResult> TCampaignRun::Fly(const std::string& Name, const TProfile& Start) {
    std::vector<TMissionResult> Runs;
    for (int Seed = FirstSeed; Seed < FirstSeed + Seeds; ++Seed)
        Runs.push_back(Runner.Play(Name, static_cast<uint32_t>(Seed), Start));
    return Runs;
}

TMissionSummary TCampaignRun::PlayAlone(const std::string& Name, const TProfile& Start) {
    TMissionSummary Summary;
    Summary.Name = Name;
    Summary.Runs = Fly(Name, Start);
    return Summary;
}

std::string TCampaignRun::MissionName(int Mission) {
    return (Mission < 10 ? "level0" : "level") + std::to_string(Mission);
}

std::vector<std::string> TCampaignRun::Shop(TProfile& Player) {
    std::vector<std::string> Bought;
    Profile = Player;
    while (const auto Item = TShopRule::Next(Profile)) {
        const int Before = Profile.Credits;
        GameMenu->OnWidgetClick(Item->Action);
        if (Profile.Credits == Before)
            break;
        Bought.push_back(Item->Name + " (" + std::to_string(Item->Price) + ")");
    }
    Player = Profile;
    return Bought;
}

TProfile TCampaignRun::PlayCampaign(const TProfile& Start,
                                    const std::function<void(const TMissionSummary&)>& Report) {
    TProfile Player = Start;
    int First = 1;
    while (First < CampaignMissionCount && Player.MissionDone[First])
        ++First;
    for (int Mission = First; Mission <= CampaignMissionCount; ++Mission) {
        const std::string Name = MissionName(Mission);
        TMissionSummary Summary;
        Summary.Name = Name;
        Summary.Runs = Fly(Name, Player);
        Summary.CarriedOn = Summary.Wins() == 0;
        Player = TCarry::After(Player, Summary.Runs, Mission);
        Summary.Purchases = Shop(Player);
        Summary.Carried = Player;
        Report(Summary);
    }
    return Player;
}
