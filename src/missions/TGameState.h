#pragma once

#include <cstdint>
#include <string>

// The main window's state machine, which the menus and a mission's end move on: the intro, the menus,
// a mission loading, its briefing, its play.
enum TGameState : uint8_t { gsIntro = 0, gsMenu = 1, gsLoading = 2, gsBriefing = 3, gsPlaying = 4 };

extern uint8_t GameState;
// The mission to load ("level01" .. or "ttd" for the endless mode) and its number in the campaign
// (0 for none).
extern std::string LevelName;
extern int CampaignMission;
