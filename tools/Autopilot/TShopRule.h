#pragma once

#include "missions/TProfile.h"

#include <optional>
#include <string>
#include <vector>

// One thing the shop sells: the button that buys it, what the player calls it and its price.
struct TPurchase {
    std::string Action;
    std::string Name;
    int Price = 0;
};

// How the autopilot shops between missions: the cheapest useful item it can afford, again and again.
// Useful are a charge for an owned weapon, a weapon not yet owned and the next upgrade of a fixed order
// (shield, speed, steering to level 2, then the same to level 3).
class TShopRule {
  public:
    static std::vector<TPurchase> Useful(const TProfile& Player);
    // The shop takes only more credits than the price.
    static std::optional<TPurchase> Next(const TProfile& Player);
    // Everything the shop sells has been bought: every weapon owned and every upgrade at level 3.
    static bool SoldOut(const TProfile& Player);

  private:
    static std::optional<TPurchase> NextUpgrade(const TProfile& Player);
};
