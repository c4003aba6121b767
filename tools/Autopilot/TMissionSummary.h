#pragma once

#include "TMissionResult.h"

#include <string>
#include <vector>

// A mission flown with several seeds, and in a campaign what the shop sold after it.
struct TMissionSummary {
    std::string Name;
    std::vector<TMissionResult> Runs;
    // Not won with any seed: the campaign went on as if it had been.
    bool CarriedOn = false;
    std::vector<std::string> Purchases;
    // In a campaign: the profile carried into the next mission, after the shop.
    TProfile Carried;

    int Wins() const;
    // "NAME won W/N" and the means of the figures.
    std::string Line() const;
};
