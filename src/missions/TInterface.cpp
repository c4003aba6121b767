#include "missions/TInterface.h"

#include "engine/TEngine.h"
#include "engine/TMenuKeys.h"
#include "engine/TSoundEngine.h"
#include "engine/TWidgetInput.h"
#include "missions/TGameState.h"
#include "missions/THud.h"
#include "missions/TMenuDoor.h"
#include "missions/TProfile.h"
#include "render/TVelaCanvas.h"
#include "runtime/TClock.h"
#include "text/TText.h"
#include "world/TGame.h"
#include "world/TShip.h"
#include "world/TWave.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr uint32_t Red = 0x960000FFu;
constexpr uint32_t Green = 0x9600FF00u;
constexpr uint32_t Bright = 0xC8FFD8B1u;
constexpr uint32_t Warning = 0xC80000FFu;
constexpr uint32_t Orange = 0xC80067FFu;
constexpr uint32_t ButtonColour = 0xFF7EAFB1u;
constexpr uint32_t ButtonHover = 0xFF008000u;

TEngineAnimButtonEx DialogButton(TEngine& Engine, const char* Action, const std::string& Caption, int X,
                                 int Alignment) {
    return TEngineAnimButtonEx(Engine, Action, Caption, X, 405, ButtonColour, ButtonHover, Alignment, 1,
                               "button", 94, 9, 0, 1, 25, 17, 188, 25);
}

int KillCount() {
    return Game.TotalKills + Game.WaveKills;
}

} // namespace

TInterface::TInterface(TEngine& Engine)
    : EngineRef(Engine), ButtonOKCentre(DialogButton(Engine, "interfaceOK", GameText.gi_OK, 512, 1)),
      ButtonOK(DialogButton(Engine, "interfaceOK", GameText.gi_OK, 502, 2)),
      ButtonCancel(DialogButton(Engine, "interfaceCancel", GameText.gi_Cancel, 522, 0)) {}

void TInterface::Text(const std::string& Text, double X, double Y, int HAlign, int VAlign, uint32_t Colour,
                      int Font) {
    EngineRef.DrawText(Text, X, Y, HAlign, VAlign, Colour, Font);
}

void TInterface::Run() {
    EngineRef.Canvas.Draw(EngineRef.GetTexture("gui"), 0, 0, 0, EffectAdd);
    if (Game.Mode == "T")
        DrawEndlessLine();
    else if (Game.Mode == "C")
        DrawCampaignLine();
    DrawPanel();
    DrawOverlay();
}

void TInterface::DrawEndlessLine() {
    Text(std::to_string(Game.Wave + 1), 114, 32, 1, 1, Blue, 3);
    if (Game.WaveState == 2)
        Text(GameText.stage + " " + std::to_string(Game.Wave + 2), 512, 384, 1, 1, Blue, 3);
    Text(GameText.gi_kills, 155, 26, 0, 0, Blue, 0);
    THud::RenderTime(0, THud::GetFormatTime(Game.SurvivalTime), 345, 26, Blue);
    Text(std::to_string(KillCount()), 300, 26, 2, 0, Blue, 0);
}

void TInterface::DrawCampaignLine() {
    Text(std::to_string(Game.Wave + 1), 114, 32, 1, 1, Blue, 3);
    if (Game.Wave >= 0 && Game.Wave < static_cast<int>(Game.Campaign.Waves.size()))
        DrawGoal();
}

void TInterface::DrawGoal() {
    const TWave& Wave = Game.Campaign.Waves[Game.Wave];
    if (Wave.Kind == wkTimed) {
        if (Game.Paused || Game.WaveState == 2)
            return;
        const int64_t Remaining = Wave.Goal - SinceTick(Game.WaveStamp);
        if (Remaining > 0)
            THud::RenderTime(0, THud::GetFormatTime(static_cast<int>(Remaining)), 155, 26, Blue);
        else
            Text(GameText.gi_DestroyAll, 155, 26, 0, 0, Blue, 0);
    } else if (Wave.Kind == wkKillTarget) {
        if (Game.WaveState == 2)
            return;
        const int Remaining = Wave.Goal - KillCount();
        if (Remaining <= 0) {
            Text(GameText.gi_DestroyAll, 155, 26, 0, 0, Blue, 0);
        } else {
            Text(GameText.gi_RemainEnemy, 155, 26, 0, 0, Blue, 0);
            Text(std::to_string(Remaining), 400, 26, 2, 0, Green, 0);
        }
    }
}

void TInterface::DrawPanel() {
    const TShip* Ship = Game.Ship.get();
    if (Ship != nullptr) {
        THud::RenderEnergy(Ship->Energy);
        THud::RenderBoost(static_cast<int>(Ship->Boost));
    }
    EngineRef.DrawTexture(EngineRef.GetTexture("bg06min"), 1004, 20, 2, 0, 150);
    Text(GameText.gi_boost, 124, 689, 1, 0, Blue, 0);
    Text(GameText.gi_health, 621, 689, 1, 0, Blue, 0);
    Text(GameText.gi_points, 832, 669, 1, 0, Blue, 0);
    Text(std::to_string(Game.Score), 936, 725, 1, 1, Blue, 2);
    if (Ship == nullptr)
        return;
    DrawSpeed();
    Text(std::to_string(Ship->SteerRate), 362, 720, 1, 1, Blue, 4);
    DrawShield();
    DrawWeapon();
    EngineRef.DrawTexture(EngineRef.GetTexture("mine"), 990, 666, 1, 1, 200);
    Text(std::to_string(Ship->MinesLeft), 1009, 684, 2, 2, Orange, 0);
}

std::string TInterface::SpeedText(double Speed) {
    char Buffer[32];
    const auto Result = std::to_chars(Buffer, Buffer + sizeof Buffer, Speed);
    const std::string Shortest(Buffer, Result.ptr);
    return Shortest.substr(0, Speed < 0 ? 4 : 3);
}

void TInterface::DrawSpeed() {
    const double Speed = Game.Ship->Speed;
    if (Speed >= 3.5)
        Text(std::to_string(static_cast<int>(Speed)), 305, 720, 1, 1, Bright, 4);
    else
        Text(SpeedText(Speed), 305, 725, 1, 1, Speed < 0 ? Red : Blue, 0);
}

void TInterface::DrawShield() {
    const TShip& Ship = *Game.Ship;
    if (Ship.ShieldUp)
        Text(std::to_string(Ship.ShieldCountdown), 420, 720, 1, 1,
             Ship.ShieldCountdown > 3 ? Bright : Warning, 4);
    else
        Text(std::to_string(Ship.ShieldLevel), 420, 720, 1, 1, Blue, 4);
}

void TInterface::DrawWeapon() {
    const TShip& Ship = *Game.Ship;
    // The other weapons' icons are glowing particle effects of their own.
    if (Ship.SelectedWeapon != TShip::wpLongBomb && Ship.SelectedWeapon != TShip::wpSniper)
        return;
    EngineRef.DrawTexture(Ship.GetWeaponInfo().Icon, 934, 666, 1, 1, 200);
    if (Ship.SelectedWeapon == TShip::wpSniper)
        Text(std::to_string(Ship.SniperAmmo), 952, 684, 2, 2, Orange, 0);
}

void TInterface::DrawOverlay() {
    const bool Wrecked = Game.Ship != nullptr && Game.Ship->Destroyed;
    if (Game.Paused && Game.HelpShown) {
        DrawHelp();
    } else if (Wrecked) {
        if (!GameOverShown) {
            GameOverShown = true;
            GameOverSince = Now();
        }
        DrawDialog(GameText.gi_GameOver);
        ButtonOKCentre.Run();
        // Enter answers as OK does, once the dialog has been seen: the mine key pressed as the ship
        // went down does not dismiss it.
        if (GameState == gsPlaying && SinceTick(GameOverSince) >= GameOverKeyDelay &&
            TMenuKeys::Confirm(EngineRef.Keyboard))
            TWidgetInput::Report(EngineRef, ButtonOKCentre.Action());
    } else if (Game.Paused && Game.Phase > 1) {
        DrawDialog(GameText.gi_AskToExit);
        ButtonOK.Run();
        ButtonCancel.Run();
        // Enter answers as OK does, unless a click has answered already, and only a question the player
        // asked with the exit key.
        if (Game.Paused && Game.ExitAsked && GameState == gsPlaying && TMenuKeys::Confirm(EngineRef.Keyboard))
            TWidgetInput::Report(EngineRef, ButtonOK.Action());
    } else {
        EngineRef.CursorVisible = false;
    }
}

void TInterface::DrawDialog(const std::string& Caption) {
    EngineRef.CursorVisible = true;
    EngineRef.DrawTexture(EngineRef.GetTexture("gameexit"), 520, 404, 1, 1, 130);
    Text(Caption, 512, 354, 1, 0, 0xFFFFFFFFu, 0);
}

void TInterface::DrawHelp() {
    Text(GameText.gi_Help, 512, 100, 1, 0, Blue, 3);
    // The player's own bindings, not the mission's copies.
    const std::pair<const std::string*, int> Rows[9] = {
        {&GameText.msSETTINGS_Left, Profile.BindLeft},
        {&GameText.msSETTINGS_Right, Profile.BindRight},
        {&GameText.msSETTINGS_SpeedUp, Profile.BindSpeedUp},
        {&GameText.msSETTINGS_SpeedDwn, Profile.BindSpeedDwn},
        {&GameText.msSETTINGS_Boost, Profile.BindBoost},
        {&GameText.msSETTINGS_WpnUp, Profile.BindWpnUp},
        {&GameText.msSETTINGS_WpnDn, Profile.BindWpnDn},
        {&GameText.msSETTINGS_WFire, Profile.BindWFire},
        {&GameText.msSETTINGS_PlantMine, Profile.BindPlantMine}};
    for (int Row = 0; Row < 9; ++Row) {
        const double Y = 130 + 30 * Row;
        Text(*Rows[Row].first, 100, Y, 0, 0, Blue, 3);
        Text(TEngine::KeyName(Rows[Row].second), 924, Y, 2, 0, Blue, 3);
    }
}

void TInterface::ResumeGame() {
    if (Engine != nullptr)
        Engine->CursorVisible = false;
    Game.Paused = !Game.Paused;
}

void TInterface::LeaveGame() {
    if (Game.Mode == "C") {
        Profile.Credits += Game.Score / 5;
        if (TMenuDoor* Menu = MenuDoor())
            Menu->ShowCampaignPage();
    } else if (Game.Mode == "T") {
        Profile.BestTime = std::max(Profile.BestTime, Game.SurvivalTime);
        Profile.BestKills = std::max(Profile.BestKills, KillCount());
        if (TMenuDoor* Menu = MenuDoor())
            Menu->ShowHighScores(Game.SurvivalTime, KillCount());
    } else {
        return;
    }
    StopSound("engine");
    GameState = gsMenu;
}
