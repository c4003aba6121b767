#pragma once

#include "particles/TMessage.h"
#include "world/TCampaignLevel.h"
#include "world/TEndlessLevel.h"
#include "world/TPreGameText.h"
#include "world/TRespawnPoint.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TAsteroid;
class TCrate;
class TInterface;
class TRocket;
class TShip;
class TSpace;

// The running mission: mode, pause and help, clocks, briefing and caption phases, waves and score.
// The world objects join it as they are built.
struct TGame {
    TGame();
    ~TGame();
    TGame(TGame&&) noexcept;
    TGame& operator=(TGame&&) noexcept;

    // The asteroid field lives for the whole run; each mission resets it.
    std::unique_ptr<TAsteroid> Asteroids;
    bool HelpShown = false;
    bool Paused = false;
    // The exit question was opened by the player's exit key, not by the window losing the focus: only
    // then may Enter, which is also the mine key, answer it.
    bool ExitAsked = false;
    uint32_t EndlessTimeBase = 0;
    int SurvivalTime = 0;
    int PauseLength = 0;
    uint32_t PauseStart = 0;
    std::string Mode;
    std::vector<TPreGameText> PreGameTexts;
    uint32_t PhaseStamp = 0;
    int Phase = 0;
    int CaptionAlpha = 0;
    bool Blink = false;
    int WaveState = 0;
    int Wave = 0;
    uint32_t WaveStamp = 0;
    int TotalKills = 0;
    int WaveKills = 0;
    TCampaignLevel Campaign;
    TEndlessLevel Endless;
    int EndlessWaveCounter = 0;
    int EndlessTypeA = 0;
    int EndlessTypeB = 0;
    int EndlessTypeBCount = 0;
    std::array<TRespawnPoint, 14> RespawnPoints{};
    int Score = 0;
    std::unique_ptr<TShip> Ship;
    std::unique_ptr<TSpace> Space;
    std::unique_ptr<TInterface> Interface;
    std::unique_ptr<TCrate> Crates;
    // Left, right, speed up, speed down, boost, weapon up, weapon down, fire, plant mine, debug
    // overlay, exit: copied from the profile when a mission starts.
    std::array<int, 11> Keys{};
    std::vector<std::unique_ptr<TRocket>> Rockets;
    TMessage Messages;

    static constexpr int KeyDebug = 9;
    static constexpr int KeyExit = 10;
};

// The running mission, shared by the world objects, the mission's rules and the main window.
extern TGame Game;
