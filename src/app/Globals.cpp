#include "app/Globals.h"

#include "missions/TInterface.h"
#include "missions/TMenuDoor.h"
#include "particles/TParticleRandom.h"
#include "world/TAsteroid.h"
#include "world/TCrate.h"
#include "world/TRocket.h"
#include "world/TShip.h"
#include "world/TSpace.h"

TmainFrm* mainFrm = nullptr;
std::string ProgramDir;
TGameFolders Folders;
TClock* Clock = nullptr;
TRandom Random;

TText GameText;
TSettings Settings;
bool CheatsEnabled = false;
TProfile Profile;
TVelaFontsAlt* Fonts = nullptr;
int TickLength = 0;
int RocketParticleStep = 0;
std::unique_ptr<TEngine> Engine;
std::unique_ptr<TExplosion> Explosion;
std::unique_ptr<TGameMenu> GameMenu;
TGame Game;
std::unique_ptr<TSoundEngine> SoundEngine;
std::unique_ptr<TKestruneDemo> Intro;
bool IntroFinished = false;
std::unique_ptr<TLoading> Loading;
std::string LevelName;
int CampaignMission = 0;
uint8_t GameState = gsIntro;
bool ShowDebugInfo = false;

// The running mission holds objects of every floor up to its interface: it is made, moved and ended
// here, where they are all complete types.
TGame::TGame() = default;
TGame::~TGame() = default;
TGame::TGame(TGame&&) noexcept = default;
TGame& TGame::operator=(TGame&&) noexcept = default;

TMenuDoor* MenuDoor() {
    return GameMenu.get();
}

void ResetGlobals() {
    Intro.reset();
    Loading.reset();
    GameMenu.reset();
    Explosion.reset();
    Engine.reset();
    SoundEngine.reset();
    mainFrm = nullptr;
    ProgramDir.clear();
    Folders = TGameFolders();
    Clock = nullptr;
    Random = TRandom();
    TParticleRandom::Reset();
    GameText = TText();
    Settings = TSettings();
    CheatsEnabled = false;
    Profile = TProfile();
    Fonts = nullptr;
    TickLength = 0;
    RocketParticleStep = 0;
    Game = TGame();
    IntroFinished = false;
    LevelName.clear();
    CampaignMission = 0;
    GameState = gsIntro;
    ShowDebugInfo = false;
}

void PlaySound(const std::string& Name) {
    if (SoundEngine != nullptr)
        SoundEngine->PlaySample(Name);
}

void StopSound(const std::string& Name) {
    if (SoundEngine != nullptr)
        SoundEngine->StopSample(Name);
}

uint32_t Now() {
    return Clock != nullptr ? Clock->TickCount() : 0;
}

int64_t SinceTick(uint32_t Stamp) {
    return static_cast<int64_t>(Now()) - static_cast<int64_t>(Stamp);
}

void UsePortableFolder(const std::string& Dir) {
    Folders = TGameFolders::PortableAt(Dir);
    ProgramDir = Folders.DataDir;
}
