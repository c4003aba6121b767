#pragma once

#include "TMissionSummary.h"

#include "missions/TProfile.h"

#include <functional>
#include <string>
#include <vector>

class TMissionRun;

// Missions flown with seeds 1..Seeds. Alone, each starts from the same profile. As a campaign, in order,
// the profile carried on as a player would: the flights lost before the first win add their credits,
// the first won flight's profile goes on, and the shop is visited before the next mission.
class TCampaignRun {
  public:
    TCampaignRun(TMissionRun& Runner, int Seeds) : Runner(Runner), Seeds(Seeds) {}

    TMissionSummary PlayAlone(const std::string& Name, const TProfile& Start);
    // From Start's first mission not yet won to the last; each mission's summary as soon as it is known,
    // and the profile at the campaign's end.
    TProfile PlayCampaign(const TProfile& Start, const std::function<void(const TMissionSummary&)>& Report);

    // "level01" .. "level19".
    static std::string MissionName(int Mission);
    // The profile a player has after these flights, tried in order until the first win.
    static TProfile Carry(const TProfile& Start, const std::vector<TMissionResult>& Runs, int Mission);

  private:
    std::vector<TMissionResult> Fly(const std::string& Name, const TProfile& Start);
    // Buys by the shop rule through the shop's buttons; what was bought, in order.
    static std::vector<std::string> Shop(TProfile& Player);

    TMissionRun& Runner;
    int Seeds;
};
