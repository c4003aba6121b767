#include "app/TGamepadMapper.h"

#include "render/TKeyCodes.h"
#include "world/TGame.h"
#include "world/TShip.h"

#include <algorithm>

void TGamepadMapper::SetMode(TMode NewMode, const std::array<int, 11>& NewKeys) {
    if (NewMode != Mode)
        WaitingForRelease = Buttons;
    Mode = NewMode;
    Keys = NewKeys;
    Sync();
}

void TGamepadMapper::Take(const TPadEvent& Event) {
    if (Event.Kind == TPadEvent::TKind::Button && Event.Control >= 0 &&
        Event.Control < SDL_CONTROLLER_BUTTON_MAX) {
        Buttons[Event.Control] = Event.Value != 0;
        if (Event.Value == 0)
            WaitingForRelease[Event.Control] = false;
    } else if (Event.Kind == TPadEvent::TKind::Axis && Event.Control >= 0 &&
               Event.Control < SDL_CONTROLLER_AXIS_MAX) {
        Axes[Event.Control] = Event.Value;
    }
    Sync();
}

bool TGamepadMapper::Held(SDL_GameControllerButton Button) const {
    return Buttons[Button] && !WaitingForRelease[Button];
}

// Sign -1 is left or up (SDL's axes grow to the right and downwards).
bool TGamepadMapper::Pushed(SDL_GameControllerAxis Axis, int Sign) const {
    return Axes[Axis] * Sign > DeadZone;
}

int TGamepadMapper::CursorStep(int Position) {
    const int Distance = std::min(Position < 0 ? -Position : Position, 32767);
    if (Distance <= DeadZone)
        return 0;
    const int Step = (Distance - DeadZone) * StickSpeed / (32767 - DeadZone);
    return Position < 0 ? -std::max(Step, 1) : std::max(Step, 1);
}

void TGamepadMapper::Tick() {
    if (Mode == pmPlay)
        return;
    const int PadX = Held(SDL_CONTROLLER_BUTTON_DPAD_RIGHT) - Held(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    const int PadY = Held(SDL_CONTROLLER_BUTTON_DPAD_DOWN) - Held(SDL_CONTROLLER_BUTTON_DPAD_UP);
    const int DX = CursorStep(Axes[SDL_CONTROLLER_AXIS_LEFTX]) + PadX * PadSpeed;
    const int DY = CursorStep(Axes[SDL_CONTROLLER_AXIS_LEFTY]) + PadY * PadSpeed;
    if (DX != 0 || DY != 0)
        Input.MouseMove(DX, DY);
}

void TGamepadMapper::Sync() {
    std::array<bool, 256> Want{};
    // Code 0 is no key: an unbound control.
    auto Hold = [&Want](int Code, bool On) {
        if (On && Code > 0 && Code < 256)
            Want[Code] = true;
    };
    bool Click = false;
    switch (Mode) {
    case pmPlay:
        Hold(Keys[TShip::KeyLeft],
             Held(SDL_CONTROLLER_BUTTON_DPAD_LEFT) || Pushed(SDL_CONTROLLER_AXIS_LEFTX, -1));
        Hold(Keys[TShip::KeyRight],
             Held(SDL_CONTROLLER_BUTTON_DPAD_RIGHT) || Pushed(SDL_CONTROLLER_AXIS_LEFTX, 1));
        Hold(Keys[TShip::KeySpeedUp],
             Held(SDL_CONTROLLER_BUTTON_DPAD_UP) || Pushed(SDL_CONTROLLER_AXIS_LEFTY, -1));
        Hold(Keys[TShip::KeySpeedDown],
             Held(SDL_CONTROLLER_BUTTON_DPAD_DOWN) || Pushed(SDL_CONTROLLER_AXIS_LEFTY, 1));
        Hold(Keys[TShip::KeyFire], Held(SDL_CONTROLLER_BUTTON_A));
        Hold(Keys[TShip::KeyBoost], Held(SDL_CONTROLLER_BUTTON_B));
        Hold(Keys[TShip::KeyPlantMine], Held(SDL_CONTROLLER_BUTTON_X));
        Hold(Keys[TShip::KeyWeaponDown], Held(SDL_CONTROLLER_BUTTON_LEFTSHOULDER));
        Hold(Keys[TShip::KeyWeaponUp], Held(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER));
        Hold(Keys[TGame::KeyExit], Held(SDL_CONTROLLER_BUTTON_START));
        Hold(TKeyCodes::F1, Held(SDL_CONTROLLER_BUTTON_BACK));
        break;
    case pmBriefing:
        Hold(TKeyCodes::Space, Held(SDL_CONTROLLER_BUTTON_A));
        Hold(TKeyCodes::Enter, Held(SDL_CONTROLLER_BUTTON_START));
        Hold(TKeyCodes::Escape, Held(SDL_CONTROLLER_BUTTON_B));
        break;
    case pmMenu:
        Click = Held(SDL_CONTROLLER_BUTTON_A);
        Hold(TKeyCodes::Escape, Held(SDL_CONTROLLER_BUTTON_B) || Held(SDL_CONTROLLER_BUTTON_START));
        break;
    }
    for (int Code = 1; Code < 256; ++Code)
        if (Want[Code] != KeysDown[Code]) {
            KeysDown[Code] = Want[Code];
            Input.KeyEvent(Code, Want[Code]);
        }
    if (Click != ClickDown) {
        ClickDown = Click;
        Input.MouseButton(0, Click);
    }
}
