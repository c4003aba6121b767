#pragma once

// The game's long-lived records and service objects, reachable by name from every part of the game.
// ResetGlobals puts them back as at program start, so tests can build a fresh game in one process.

#include "app/TSettings.h"
#include "menu/TProfile.h"
#include "missions/TGame.h"
#include "runtime/TGameFolders.h"
#include "runtime/TRandom.h"
#include "text/TText.h"

#include <cstdint>
#include <memory>
#include <string>

class TClock;
class TEngine;
class TExplosion;
class TGameMenu;
class TKestruneDemo;
class TLoading;
class TSoundEngine;
class TVelaFontsAlt;
class TmainFrm;

enum TGameState : uint8_t { gsIntro = 0, gsMenu = 1, gsLoading = 2, gsBriefing = 3, gsPlaying = 4 };

inline constexpr const char* GameVersion = "1.00";
inline constexpr int CampaignMissionCount = 19;

extern TmainFrm* mainFrm;
// The folder the game reads its data from; Folders also says where the player's files are written.
extern std::string ProgramDir;
extern TGameFolders Folders;
extern TClock* Clock;
extern TRandom Random;

extern TText GameText;
extern TSettings Settings;
extern bool CheatsEnabled;
extern TProfile Profile;
extern TVelaFontsAlt* Fonts;
extern int TickLength;
extern int RocketParticleStep;
extern std::unique_ptr<TEngine> Engine;
extern std::unique_ptr<TExplosion> Explosion;
extern std::unique_ptr<TGameMenu> GameMenu;
extern TGame Game;
extern std::unique_ptr<TSoundEngine> SoundEngine;
extern std::unique_ptr<TKestruneDemo> Intro;
extern bool IntroFinished;
extern std::unique_ptr<TLoading> Loading;
extern std::string LevelName;
extern int CampaignMission;
extern uint8_t GameState;
extern bool ShowDebugInfo;

void ResetGlobals();
// Reads and writes everything in Dir, as a portable game does.
void UsePortableFolder(const std::string& Dir);

// A sample of the sound engine by name; nothing without a sound engine (tests often run with none).
void PlaySound(const std::string& Name);
void StopSound(const std::string& Name);

// The millisecond tick counter of the game's clock.
uint32_t Now();
// Milliseconds from Stamp to now, as the game measures every interval: a signed 64-bit difference.
int64_t SinceTick(uint32_t Stamp);
