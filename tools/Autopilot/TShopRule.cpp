#include "TShopRule.h"

#include "menu/TShop.h"

#include <algorithm>
#include <array>

namespace {

const std::array<const char*, 4> WeaponNames = {"EMP", "phazer", "long bomb", "hyper shield"};

struct TUpgrade {
    const char* Action;
    const char* Name;
    int TProfile::*Level;
};

// The shield first: it divides every hit; then speed to outrun the rockets, then steering.
const std::array<TUpgrade, 3> Upgrades = {{
    {"msNEWGAME_C_UpgShield", "shield", &TProfile::ShieldLevel},
    {"msNEWGAME_C_UpgSpeed", "speed", &TProfile::SpeedLevel},
    {"msNEWGAME_C_UpgSteer", "steering", &TProfile::SteerLevel},
}};

} // namespace

std::optional<TPurchase> TShopRule::NextUpgrade(const TProfile& Player) {
    for (int Level = 1; Level <= 2; ++Level)
        for (const TUpgrade& Upgrade : Upgrades)
            if (Player.*Upgrade.Level == Level)
                return TPurchase{Upgrade.Action, std::string(Upgrade.Name) + " " + std::to_string(Level + 1),
                                 TShop::UpgradePrices[Level - 1]};
    return std::nullopt;
}

std::vector<TPurchase> TShopRule::Useful(const TProfile& Player) {
    std::vector<TPurchase> Items;
    for (size_t Weapon = 0; Weapon < WeaponNames.size(); ++Weapon) {
        const std::string Number = std::to_string(Weapon + 1);
        if (!Player.Owned[Weapon])
            Items.push_back({"msNEWGAME_C_Buy" + Number, std::string("buy ") + WeaponNames[Weapon],
                             TShop::BuyPrices[Weapon]});
        else if (!Player.Charged[Weapon])
            Items.push_back({"msNEWGAME_C_Bul" + Number, std::string("charge ") + WeaponNames[Weapon],
                             TShop::ChargePrices[Weapon]});
    }
    if (const auto Upgrade = NextUpgrade(Player))
        Items.push_back({Upgrade->Action, "upgrade " + Upgrade->Name, Upgrade->Price});
    return Items;
}

std::optional<TPurchase> TShopRule::Next(const TProfile& Player) {
    std::optional<TPurchase> Cheapest;
    for (const TPurchase& Item : Useful(Player))
        if (Item.Price < Player.Credits && (!Cheapest || Item.Price < Cheapest->Price))
            Cheapest = Item;
    return Cheapest;
}

bool TShopRule::SoldOut(const TProfile& Player) {
    const bool AllOwned =
        std::all_of(Player.Owned.begin(), Player.Owned.end(), [](uint8_t On) { return On; });
    return AllOwned && !NextUpgrade(Player);
}
