#include "menu/TShop.h"

#include "engine/TEngine.h"
#include "engine/TWidgetInput.h"
#include "missions/THud.h"
#include "missions/TProfile.h"
#include "render/TVelaCanvas.h"
#include "render/TVelaFontsAlt.h"
#include "render/TVelaKeyboard.h"
#include "runtime/TSettings.h"
#include "text/TText.h"

namespace {

constexpr uint32_t TextColour = 0xFF7EAFB1u, HoverColour = 0xFF32FBFFu, HeadColour = 0xFF32FBFFu;
constexpr int ButtonRight = 974, PriceRight = 790;
constexpr int UpgradeTop = 240, WeaponTop = 390, RowStep = 30;
// A weapon's row reaches across the panel; its description stands under the page's buttons.
constexpr int RowLeft = 272, RowRight = 986, AboutX = 628, AboutTop = 600, AboutLineStep = 25;

TEngineTextButton ShopButton(TEngine& Engine, const std::string& Caption, int Y, const std::string& Action) {
    return TEngineTextButton(Engine, 0, Caption, ButtonRight, Y, TextColour, HoverColour, 2, Action);
}

std::array<TEngineTextButton, 4> WeaponButtons(TEngine& Engine, const std::string& Caption,
                                               const std::string& Prefix) {
    return {ShopButton(Engine, Caption, WeaponTop, Prefix + "1"),
            ShopButton(Engine, Caption, WeaponTop + RowStep, Prefix + "2"),
            ShopButton(Engine, Caption, WeaponTop + 2 * RowStep, Prefix + "3"),
            ShopButton(Engine, Caption, WeaponTop + 3 * RowStep, Prefix + "4")};
}

// "msNEWGAME_C_Buy3" with Prefix "msNEWGAME_C_Buy" gives weapon 2; -1 when the name is not one of the four.
int WeaponOf(const std::string& Action, const std::string& Prefix) {
    if (Action.size() != Prefix.size() + 1 || Action.compare(0, Prefix.size(), Prefix) != 0)
        return -1;
    const char Digit = Action.back();
    return Digit >= '1' && Digit <= '4' ? Digit - '1' : -1;
}

} // namespace

TShop::TShop(TEngine& Engine)
    : Alert(Engine, 0),
      UpgSpeedButton(ShopButton(Engine, GameText.msNEWGAME_C_Upgrade, UpgradeTop, "msNEWGAME_C_UpgSpeed")),
      UpgSteerButton(
          ShopButton(Engine, GameText.msNEWGAME_C_Upgrade, UpgradeTop + RowStep, "msNEWGAME_C_UpgSteer")),
      UpgShieldButton(ShopButton(Engine, GameText.msNEWGAME_C_Upgrade, UpgradeTop + 2 * RowStep,
                                 "msNEWGAME_C_UpgShield")),
      BuyButtons(WeaponButtons(Engine, GameText.msNEWGAME_C_Buy, "msNEWGAME_C_Buy")),
      ChargeButtons(WeaponButtons(Engine, GameText.msNEWGAME_C_Charge, "msNEWGAME_C_Bul")), Engine(Engine) {}

void TShop::Run() {
    Engine.DrawText(GameText.msNEWGAME_C_Credits + " " + std::to_string(Profile.Credits), 630, 140, 1, 0,
                    HeadColour, 0);
    Engine.DrawText(GameText.wpnMine + ": " + std::to_string(Profile.Mines), 630, 170, 1, 0, HeadColour, 0);

    DirectText(GameText.msNEWGAME_C_ShipBehaviour, 280, 200, HeadColour);
    const std::string* Names[3] = {&GameText.msNEWGAME_C_Speed, &GameText.msNEWGAME_C_Steer,
                                   &GameText.msNEWGAME_C_Shield};
    const int Levels[3] = {Profile.SpeedLevel, Profile.SteerLevel, Profile.ShieldLevel};
    TEngineTextButton* Upgrades[3] = {&UpgSpeedButton, &UpgSteerButton, &UpgShieldButton};
    for (int Row = 0; Row < 3; ++Row)
        DirectText(*Names[Row], 280, UpgradeTop + RowStep * Row, TextColour);
    for (int Row = 0; Row < 3; ++Row)
        DirectText(std::to_string(Levels[Row]), 480, UpgradeTop + RowStep * Row, HeadColour);
    for (int Row = 0; Row < 3; ++Row) {
        if (Levels[Row] >= 3)
            continue;
        Upgrades[Row]->Run();
        Price(Levels[Row] == 1 ? UpgradePrices[0] : UpgradePrices[1], UpgradeTop - 2 + RowStep * Row);
    }

    DirectText(GameText.msNEWGAME_C_Weapons, 280, 370, HeadColour);
    for (int Weapon = 0; Weapon < 4; ++Weapon) {
        const TWeaponStatus Status = THud::GetWeaponStatus(Weapon);
        DirectText(Status.Text, 280, WeaponTop + RowStep * Weapon, Status.Color);
    }
    for (int Weapon = 0; Weapon < 4; ++Weapon) {
        const int PriceTop = WeaponTop - 2 + RowStep * Weapon;
        if (Profile.Owned[Weapon] == 0) {
            BuyButtons[Weapon].Run();
            Price(BuyPrices[Weapon], PriceTop);
        } else if (Profile.Charged[Weapon] == 0) {
            ChargeButtons[Weapon].Run();
            Price(ChargePrices[Weapon], PriceTop);
        }
    }
    const int Pointed = PointedWeapon();
    if (Pointed >= 0)
        About(Pointed);
}

int TShop::PointedWeapon() const {
    for (int Weapon = 0; Weapon < 4; ++Weapon) {
        const int Top = WeaponTop - 5 + RowStep * Weapon;
        if (TWidgetInput::CursorInside(Engine, {RowLeft, Top, RowRight, Top + RowStep}))
            return Weapon;
    }
    return -1;
}

// What the weapon does, and the keys that choose and fire it as the player has bound them.
void TShop::About(int Weapon) {
    const std::string* Texts[4] = {&GameText.msNEWGAME_C_AboutEMP, &GameText.msNEWGAME_C_AboutPhazer,
                                   &GameText.msNEWGAME_C_AboutLongBomb,
                                   &GameText.msNEWGAME_C_AboutHyperShield};
    Engine.DrawText(*Texts[Weapon], AboutX, AboutTop, 1, 0, TextColour, 0);
    const std::string Keys = GameText.msSETTINGS_WpnUp + ": " + TEngine::KeyName(Profile.BindWpnUp) +
                             "     " + GameText.msSETTINGS_WFire + ": " + TEngine::KeyName(Profile.BindWFire);
    Engine.DrawText(Keys, AboutX, AboutTop + AboutLineStep, 1, 0, HeadColour, 0);
}

void TShop::RunAlert() {
    Alert.Run();
}

bool TShop::OnClick(const std::string& Action) {
    if (Action == "msNEWGAME_C_UpgSpeed")
        Upgrade(Profile.SpeedLevel);
    else if (Action == "msNEWGAME_C_UpgSteer")
        Upgrade(Profile.SteerLevel);
    else if (Action == "msNEWGAME_C_UpgShield")
        Upgrade(Profile.ShieldLevel);
    else if (const int Weapon = WeaponOf(Action, "msNEWGAME_C_Buy"); Weapon >= 0)
        Buy(Weapon);
    else if (const int Charged = WeaponOf(Action, "msNEWGAME_C_Bul"); Charged >= 0)
        Charge(Charged);
    else
        return false;
    return true;
}

void TShop::TestCreditCheat() {
    if (!CheatsEnabled)
        return;
    for (int Key : CheatKeys)
        if (!Engine.Keyboard.KeyDown(Key))
            return;
    Profile.Credits += CheatCredits;
}

// Every purchase needs more than its price: spending the last credit is not allowed.
void TShop::Buy(int Weapon) {
    if (Profile.Credits <= BuyPrices[Weapon]) {
        Refuse();
        return;
    }
    Profile.Owned[Weapon] = 1;
    Profile.Credits -= BuyPrices[Weapon];
}

void TShop::Charge(int Weapon) {
    if (Profile.Credits <= ChargePrices[Weapon]) {
        Refuse();
        return;
    }
    Profile.Charged[Weapon] = 1;
    Profile.Credits -= ChargePrices[Weapon];
}

// Two steps, 1 to 2 and 2 to 3; any other level is left alone.
void TShop::Upgrade(int& Level) {
    if (Level != 1 && Level != 2)
        return;
    const int Cost = UpgradePrices[Level - 1];
    if (Profile.Credits <= Cost) {
        Refuse();
        return;
    }
    ++Level;
    Profile.Credits -= Cost;
}

void TShop::Refuse() {
    Alert.Message = GameText.msNEWGAME_C_NoMoney;
    Alert.Trigger = 1;
}

// Drawn by the font itself, so whatever the canvas still batches has to reach the screen first.
void TShop::DirectText(const std::string& Text, int X, int Y, uint32_t Colour) {
    Engine.Canvas.Flush();
    if (TVelaFontAlt* Font = Engine.Fonts.Font(0))
        Font->TextOut(Text, X, Y, Colour);
}

void TShop::Price(int Amount, int Y) {
    Engine.DrawText("$" + std::to_string(Amount), PriceRight, Y, 2, 0, TextColour, 0);
}
