#include "missions/TMissionLoader.h"

#include "engine/TEngine.h"
#include "missions/TCampaignProgress.h"
#include "missions/TEndlessProgress.h"
#include "missions/TGameState.h"
#include "missions/TInterface.h"
#include "missions/TLevelFile.h"
#include "missions/TLoading.h"
#include "missions/TMenuDoor.h"
#include "missions/TProfile.h"
#include "particles/TExplosion.h"
#include "runtime/TClock.h"
#include "runtime/TGameFolders.h"
#include "runtime/TMessageBox.h"
#include "runtime/TPath.h"
#include "runtime/TSettings.h"
#include "text/TText.h"
#include "world/TAsteroid.h"
#include "world/TCollisions.h"
#include "world/TCrate.h"
#include "world/TGame.h"
#include "world/TShip.h"
#include "world/TSpace.h"

namespace {
// Where rockets come in: just outside the screen, four on each long side and three on each short one.
constexpr int RespawnPlaces[14][2] = {{-50, 200}, {-50, 400}, {-50, 600},  {200, 830},  {400, 830},
                                      {600, 830}, {800, 830}, {1070, 600}, {1070, 400}, {1070, 200},
                                      {800, -50}, {600, -50}, {400, -50},  {200, -50}};

std::string Trimmed(const std::string& Text) {
    const size_t Begin = Text.find_first_not_of(' ');
    if (Begin == std::string::npos)
        return std::string();
    const size_t End = Text.find_last_not_of(' ');
    return Text.substr(Begin, End - Begin + 1);
}

void CopyKeys() {
    Game.Keys = {Profile.BindLeft,      Profile.BindRight, Profile.BindSpeedUp, Profile.BindSpeedDwn,
                 Profile.BindBoost,     Profile.BindWpnUp, Profile.BindWpnDn,   Profile.BindWFire,
                 Profile.BindPlantMine, Profile.BindFPS,   Profile.BindExit};
}

void ResetMissionState() {
    Game.HelpShown = false;
    Game.Paused = true;
    Game.ExitAsked = false;
    Game.Score = 0;
    Game.Wave = 0;
    Game.WaveStamp = Now();
    Game.WaveState = 0;
    Game.WaveKills = 0;
    Game.TotalKills = 0;
    // Time spent before this mission, in the menu or paused in another one, never reaches its clocks.
    Game.PauseStart = Now();
    Game.PauseLength = 0;
    for (int Point = 0; Point < 14; ++Point)
        Game.RespawnPoints[Point] = {RespawnPlaces[Point][0], RespawnPlaces[Point][1], false, 0};
}

// A fresh ship with the upgrades the player has bought, full of energy and boost.
void CreateShip() {
    Game.Ship = std::make_unique<TShip>(*Engine);
    TShip& Ship = *Game.Ship;
    Ship.Energy = 100;
    Ship.Boost = 100.0;
    if (Game.Mode == "C") {
        Ship.SpeedLevel = Profile.SpeedLevel;
        Ship.SteerRate = Profile.SteerLevel;
        Ship.ShieldLevel = Profile.ShieldLevel;
        for (int Weapon = TShip::wpEmp; Weapon <= TShip::wpHyperShield; ++Weapon) {
            Ship.Owned[Weapon] = Profile.Owned[Weapon - 1] != 0;
            Ship.Charged[Weapon] = Profile.Charged[Weapon - 1] != 0;
        }
        Ship.MinesLeft = Profile.Mines;
    } else {
        if (const TMenuDoor* Menu = MenuDoor()) {
            Ship.SpeedLevel = Menu->GetSpeed();
            Ship.SteerRate = Menu->GetSteer();
            Ship.ShieldLevel = Menu->GetShield();
        }
        Ship.Owned.fill(true);
        Ship.Charged.fill(true);
        Ship.MinesLeft = 3;
    }
    Ship.Owned[TShip::wpSniper] = Ship.Charged[TShip::wpSniper] = true;
    Ship.SniperAmmo = 5;
    Ship.ArmMines();
    Ship.SelectedWeapon = TShip::wpSniper;
    Ship.NextWeapon();
    Ship.Speed = Ship.SpeedLevel + 0.001;
    Ship.CheckCollisions = [](TShip& Flying) {
        TCollisions::CheckRocketCollisions(Flying, Game.Rockets, Game.Messages);
    };
}

void FailLoad(const std::string& Error) {
    TMessageBox::Show("Zerathon", Error, true);
    Loading->Visible = false;
    Engine->CursorVisible = true;
    GameState = gsMenu;
}
} // namespace

bool TMissionLoader::ReadLevelFile(const std::string& Path, std::string& Error) {
    return TLevelFile::ReadFile(Path, Game.Mode, Game.Campaign, Game.Endless, Error);
}

void TMissionLoader::WrapBriefing(const std::string& Text) {
    Game.PreGameTexts.clear();
    std::string Line;
    for (size_t Position = 0; Position < Text.size(); ++Position) {
        const char C = Text[Position];
        Line += C;
        if (C == ' ' && Trimmed(Line).size() > 30) {
            Game.PreGameTexts.push_back({Trimmed(Line), 0});
            Line.clear();
        }
        if (Position + 1 == Text.size()) {
            Game.PreGameTexts.push_back({Trimmed(Line), 0});
            Line.clear();
        }
    }
}

void TMissionLoader::LoadLevel(const std::string& Name) {
    Engine->CursorVisible = false;
    std::string Error;
    if (!ReadLevelFile(TPath::Join(ProgramDir, "\\Levels\\" + Name + ".lvl"), Error)) {
        FailLoad(Error);
        return;
    }
    if (Game.Mode == "C") {
        WrapBriefing(GameText.LevelText[Game.Campaign.TextIndex]);
    } else {
        WrapBriefing(GameText.LevelText[Game.Endless.TextIndex]);
        Game.SurvivalTime = 0;
        // Play may begin before the start caption has faded: the clock must not run from an older game.
        Game.EndlessTimeBase = Now();
        Game.EndlessWaveCounter = 0;
        Game.EndlessTypeA = 1;
        Game.EndlessTypeB = 2;
        Game.EndlessTypeBCount = 0;
    }
    CopyKeys();
    ResetMissionState();
    Game.Interface = std::make_unique<TInterface>(*Engine);
    Game.Messages = TMessage(Engine.get(), 3);
    Game.Space = std::make_unique<TSpace>(*Engine);
    Game.Space->StarMotion = Settings.Space;
    if (Game.Mode == "C")
        Game.Crates = std::make_unique<TCrate>(Game.Campaign.CrateLifetime, Game.Campaign.CrateIntervalMin,
                                               Game.Campaign.CrateIntervalMax, 3, *Engine);
    else
        Game.Crates = std::make_unique<TCrate>(Game.Endless.CrateLifetime, Game.Endless.CrateIntervalMin,
                                               Game.Endless.CrateIntervalMax, 3, *Engine);
    Game.Crates->WarmMessages(Game.Messages);
    if (Game.Asteroids) {
        Game.Asteroids->Reset();
        Game.Asteroids->Active = Game.Mode == "T" || Game.Campaign.CaptionIndex > 9;
    }
    if (Explosion)
        Explosion->StopShipEffects();
    CreateShip();
    if (Game.Mode == "C")
        TCampaignProgress::StartCampaignWave();
    else
        TEndlessProgress::StartEndlessWave();
    Game.PhaseStamp = Now();
    Game.Phase = 0;
    Game.CaptionAlpha = 0;
    Game.Blink = false;
    Loading->Visible = false;
    GameState = gsBriefing;
}
