#pragma once

#include "TMissionResult.h"

#include "missions/TProfile.h"

#include <algorithm>
#include <cmath>
#include <vector>

// The profile a typical player takes out of a mission flown with several seeds, rather than the luck of
// one seed. Such a player flies the mission until it is won: with W of N seeds won, a win costs
// (N - W) / W lost flights on average. So a won flight's profile goes on (the first one's mines and
// charges), its credits the start's plus the mean of what the won flights earned plus that share of
// what the lost ones earned: everything earned divided by the wins, rounded. Never won: the start with
// every flight's credits and the mission marked done, as if the last try had won with nothing more.
// Header only, so the tests have it without the flying around it.
class TCarry {
  public:
    static TProfile After(const TProfile& Start, const std::vector<TMissionResult>& Runs, int Mission) {
        long long Earned = 0;
        int Wins = 0;
        const TMissionResult* FirstWin = nullptr;
        for (const TMissionResult& Run : Runs) {
            Earned += Run.CreditsEarned;
            if (Run.Won && Wins++ == 0)
                FirstWin = &Run;
        }
        TProfile After = FirstWin ? FirstWin->After : Start;
        After.Credits =
            Start.Credits + static_cast<int>(std::llround(static_cast<double>(Earned) / std::max(Wins, 1)));
        if (!FirstWin)
            After.MissionDone[Mission] = 1;
        return After;
    }
};
