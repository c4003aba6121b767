#pragma once

#include "engine/TEngineTextButton.h"
#include "menu/TAlert.h"

#include <array>
#include <cstdint>
#include <string>

class TEngine;

// The shop panel of the campaign page: credits, mines, the ship's upgrades and the four special weapons,
// with the buttons that spend the active profile's credits and the alert that refuses a purchase.
class TShop {
  public:
    explicit TShop(TEngine& Engine);

    // Draws the panel and runs the buttons that apply to the profile as it stands; once per frame.
    void Run();
    // The refusal message, drawn above the rest of the campaign page.
    void RunAlert();
    // The buy, charge and upgrade clicks; false when the action is not the shop's.
    bool OnClick(const std::string& Action);
    // Z, E, R, A and T held together add credits on every frame, when cheats are enabled.
    void TestCreditCheat();

    // EMP, phazer, long bomb, hyper shield: the order of the profile's Owned and Charged.
    static constexpr int BuyPrices[4] = {9000, 8000, 3000, 10000}, ChargePrices[4] = {500, 300, 100, 600};
    // Level 1 to 2, then 2 to 3.
    static constexpr int UpgradePrices[2] = {6000, 10000};
    static constexpr int CheatKeys[5] = {44, 18, 19, 30, 20};
    static constexpr int CheatCredits = 1000;

    TAlert Alert;
    TEngineTextButton UpgSpeedButton;
    TEngineTextButton UpgSteerButton;
    TEngineTextButton UpgShieldButton;
    std::array<TEngineTextButton, 4> BuyButtons;
    std::array<TEngineTextButton, 4> ChargeButtons;

  private:
    void Buy(int Weapon);
    void Charge(int Weapon);
    void Upgrade(int& Level);
    void Refuse();
    // The weapon whose row the pointer rests on, 0..3; -1 for none.
    int PointedWeapon() const;
    void About(int Weapon);
    void DirectText(const std::string& Text, int X, int Y, uint32_t Colour);
    void Price(int Amount, int Y);

    TEngine& Engine;
};
