#pragma once

// The game's long-lived records and service objects. Each is declared beside its type, on the floor of
// the house that owns it, so a world object sees the clock and the running mission but not the menu;
// this header brings them all together for the main window and the tools. ResetGlobals puts them back
// as at program start, so tests can build a fresh game in one process.

#include "engine/TEngine.h"
#include "engine/TKestruneDemo.h"
#include "engine/TSoundEngine.h"
#include "menu/TGameMenu.h"
#include "missions/TCampaignProgress.h"
#include "missions/TGameState.h"
#include "missions/TLoading.h"
#include "missions/TProfile.h"
#include "particles/TExplosion.h"
#include "render/TVelaFontsAlt.h"
#include "runtime/TClock.h"
#include "runtime/TGameFolders.h"
#include "runtime/TRandom.h"
#include "runtime/TSettings.h"
#include "text/TText.h"
#include "world/TGame.h"

class TmainFrm;

inline constexpr const char* GameVersion = "1.00";

extern TmainFrm* mainFrm;
extern bool ShowDebugInfo;

void ResetGlobals();
