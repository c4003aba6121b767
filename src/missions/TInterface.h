#pragma once

#include "engine/TEngineAnimButtonEx.h"

#include <cstdint>
#include <string>

class TEngine;

// Everything drawn over the world while a mission or the endless mode is played: the frame, the wave,
// time and goal read-outs, the gauges, score, ship values, weapon and mines, the key help page and the
// leave-game and game-over dialogs with their buttons.
class TInterface {
  public:
    explicit TInterface(TEngine& Engine);

    // Once per frame of play, after the world, the effects and the floating messages.
    void Run();

    // The dialog buttons' actions.
    static void LeaveGame();
    static void ResumeGame();

    // The ship's speed as the panel shows it: 3 characters, 4 when reversing.
    static std::string SpeedText(double Speed);

    TEngine& EngineRef;
    TEngineAnimButtonEx ButtonOKCentre;
    TEngineAnimButtonEx ButtonOK;
    TEngineAnimButtonEx ButtonCancel;

    static constexpr uint32_t Blue = 0x9632FBFFu;
    // How long the game-over dialog is up before Enter answers it.
    static constexpr int GameOverKeyDelay = 1000;

  private:
    void DrawEndlessLine();
    void DrawCampaignLine();
    void DrawGoal();
    void DrawPanel();
    void DrawSpeed();
    void DrawShield();
    void DrawWeapon();
    void DrawOverlay();
    void DrawHelp();
    void DrawDialog(const std::string& Caption);
    void Text(const std::string& Text, double X, double Y, int HAlign, int VAlign, uint32_t Colour, int Font);

    bool GameOverShown = false;
    uint32_t GameOverSince = 0;
};
