#pragma once

#include "render/TInputState.h"

#include <SDL.h>

#include <array>

// Turns gamepad input into the keys and mouse the game already reads, so nothing else in the game knows
// about pads. In flight a pad plays through the player's own key bindings; where the game shows its
// cursor the stick moves it, A clicks and B goes back; on the briefing A starts the mission.
class TGamepadMapper {
  public:
    enum TMode { pmMenu, pmBriefing, pmPlay };
    // Stick positions nearer the centre than this are a stick at rest.
    static constexpr int DeadZone = 8000;
    // Cursor pixels per frame: the stick pushed all the way, and the d-pad.
    static constexpr int StickSpeed = 12;
    static constexpr int PadSpeed = 6;

    explicit TGamepadMapper(TInputState& Input) : Input(Input) {}

    // Keys: the mission's copy of the bindings, indexed as Game.Keys. Buttons held while the mode changes
    // act in the new mode only once they have been let go, so the press that opened a dialog does not
    // also answer it.
    void SetMode(TMode NewMode, const std::array<int, 11>& NewKeys);
    void Take(const TPadEvent& Event);
    // Once per frame: the cursor motion of a stick or d-pad held outside flight.
    void Tick();

  private:
    bool Held(SDL_GameControllerButton Button) const;
    bool Pushed(SDL_GameControllerAxis Axis, int Sign) const;
    static int CursorStep(int Position);
    // Presses and releases whatever keys and mouse button the pad's state now stands for.
    void Sync();

    TInputState& Input;
    TMode Mode = pmMenu;
    std::array<int, 11> Keys{};
    std::array<bool, SDL_CONTROLLER_BUTTON_MAX> Buttons{};
    std::array<bool, SDL_CONTROLLER_BUTTON_MAX> WaitingForRelease{};
    std::array<int, SDL_CONTROLLER_AXIS_MAX> Axes{};
    std::array<bool, 256> KeysDown{};
    bool ClickDown = false;
};
