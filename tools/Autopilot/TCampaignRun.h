#pragma once

#include "TMissionSummary.h"

#include "missions/TProfile.h"

#include <functional>
#include <string>
#include <vector>

class TMissionRun;

// Missions flown with seeds FirstSeed .. FirstSeed + Seeds - 1. Alone, each starts from the same
// profile. As a campaign, in order, the profile carried on as a typical player's (TCarry) and the shop
// visited before the next mission.
class TCampaignRun {
  public:
    TCampaignRun(TMissionRun& Runner, int FirstSeed, int Seeds)
        : Runner(Runner), FirstSeed(FirstSeed), Seeds(Seeds) {}

    TMissionSummary PlayAlone(const std::string& Name, const TProfile& Start);
    // From Start's first mission not yet won to the last; each mission's summary as soon as it is known,
    // and the profile at the campaign's end.
    TProfile PlayCampaign(const TProfile& Start, const std::function<void(const TMissionSummary&)>& Report);

    // "level01" .. "level19".
    static std::string MissionName(int Mission);

  private:
    std::vector<TMissionResult> Fly(const std::string& Name, const TProfile& Start);
    // Buys by the shop rule through the shop's buttons; what was bought, in order.
    static std::vector<std::string> Shop(TProfile& Player);

    TMissionRun& Runner;
    int FirstSeed;
    int Seeds;
};
