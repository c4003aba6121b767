#include "app/TEventPump.h"

#include "render/TInputState.h"
#include "render/TKeyCodes.h"
#include "render/TVelaDevice.h"

#include <SDL.h>

namespace {
int GameButton(Uint8 SdlButton) {
    switch (SdlButton) {
    case SDL_BUTTON_LEFT:
        return 0;
    case SDL_BUTTON_RIGHT:
        return 1;
    case SDL_BUTTON_MIDDLE:
        return 2;
    case SDL_BUTTON_X1:
        return 3;
    case SDL_BUTTON_X2:
        return 4;
    default:
        return -1;
    }
}

// Keys the game has no code for are not the game's keys at all.
void PassKey(TInputState& Input, const SDL_KeyboardEvent& Key) {
    const int Code = TKeyCodes::FromScancode(Key.keysym.scancode);
    if (Key.repeat == 0 && Code != TKeyCodes::NoCode)
        Input.KeyEvent(Code, Key.type == SDL_KEYDOWN);
}
} // namespace

void TEventPump::CaptureMouse(bool Capture) {
    if (Device.Window() == nullptr || Captured == Capture)
        return;
    Captured = Capture;
    SDL_SetRelativeMouseMode(Capture ? SDL_TRUE : SDL_FALSE);
}

bool TEventPump::Pump() {
    bool KeepRunning = true;
    SDL_Event Event;
    while (SDL_PollEvent(&Event)) {
        switch (Event.type) {
        case SDL_QUIT:
            KeepRunning = false;
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            PassKey(Input, Event.key);
            break;
        case SDL_MOUSEMOTION:
            // Motion over the window while another one has the focus is not meant for the game.
            if (Input.Focused)
                Input.MouseMove(Event.motion.xrel, Event.motion.yrel);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (GameButton(Event.button.button) >= 0)
                Input.MouseButton(GameButton(Event.button.button), Event.type == SDL_MOUSEBUTTONDOWN);
            break;
        case SDL_TEXTINPUT:
            Input.TypeText(Event.text.text);
            break;
        case SDL_WINDOWEVENT:
            if (Event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
                Input.Focused = true;
                CaptureMouse(true);
            } else if (Event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
                // Keys held while the focus leaves would otherwise stay down for ever.
                Input.ReleaseAll();
                Input.Focused = false;
                CaptureMouse(false);
            }
            break;
        case SDL_RENDER_TARGETS_RESET:
        case SDL_RENDER_DEVICE_RESET:
            Device.HandleDeviceReset();
            break;
        default:
            break;
        }
    }
    return KeepRunning;
}
