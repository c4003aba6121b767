#include "TCampaignRun.h"

#include "TMissionRun.h"
#include "TShopRule.h"

#include "app/Globals.h"
#include "menu/TGameMenu.h"

#include <cstdio>

std::vector<TMissionResult> TCampaignRun::Fly(const std::string& Name, const TProfile& Start) {
    std::vector<TMissionResult> Runs;
    for (int Seed = 1; Seed <= Seeds; ++Seed)
        Runs.push_back(Runner.Play(Name, static_cast<uint32_t>(Seed), Start));
    return Runs;
}

TMissionSummary TCampaignRun::PlayAlone(const std::string& Name) {
    TMissionSummary Summary;
    Summary.Name = Name;
    Summary.Runs = Fly(Name, TProfile());
    return Summary;
}

TProfile TCampaignRun::Carry(const TProfile& Start, const std::vector<TMissionResult>& Runs, int Mission) {
    int LostCredits = 0;
    for (const TMissionResult& Run : Runs) {
        if (Run.Won) {
            TProfile After = Run.After;
            After.Credits += LostCredits;
            return After;
        }
        LostCredits += Run.CreditsEarned;
    }
    TProfile After = Start;
    After.Credits += LostCredits;
    After.MissionDone[Mission] = 1;
    return After;
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

TProfile TCampaignRun::PlayCampaign(const std::function<void(const TMissionSummary&)>& Report) {
    TProfile Player;
    for (int Mission = 1; Mission <= CampaignMissionCount; ++Mission) {
        char Name[16];
        std::snprintf(Name, sizeof Name, "level%02d", Mission);
        TMissionSummary Summary;
        Summary.Name = Name;
        Summary.Runs = Fly(Name, Player);
        Summary.CarriedOn = Summary.Wins() == 0;
        Player = Carry(Player, Summary.Runs, Mission);
        Summary.Purchases = Shop(Player);
        Summary.CreditsAfterShop = Player.Credits;
        Report(Summary);
    }
    return Player;
}
