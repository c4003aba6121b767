#include "app/TEventPump.h"

#include "render/TInputState.h"
#include "render/TKeyCodes.h"
#include "render/TVelaDevice.h"

#include <SDL.h>

#include <algorithm>
#include <vector>

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

using TKind = TInputEvent::TKind;

void Pass(TInputState& Input, TKind Kind, int A, int B = 0) {
    Input.Apply(TInputEvent::Of(Kind, A, B));
}

void PassWindow(TInputState& Input, TWindowEvent Event) {
    Pass(Input, TKind::Window, static_cast<int>(Event));
}

// Keys the game has no code for are not the game's keys at all.
void PassKey(TInputState& Input, const SDL_KeyboardEvent& Key) {
    const int Code = TKeyCodes::FromScancode(Key.keysym.scancode);
    if (Key.repeat == 0 && Code != TKeyCodes::NoCode)
        Pass(Input, Key.type == SDL_KEYDOWN ? TKind::KeyDown : TKind::KeyUp, Code);
}

void PassText(TInputState& Input, const char* Text) {
    TInputEvent Event;
    Event.Kind = TKind::Text;
    Event.Text = Text;
    Input.Apply(Event);
}
} // namespace

TEventPump::~TEventPump() {
    for (SDL_GameController* Pad : Pads)
        SDL_GameControllerClose(Pad);
    if (PadsStarted)
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void TEventPump::CaptureMouse(bool Capture) {
    if (Captured == Capture && CursorHidden)
        return;
    Captured = Capture;
    if (Device.Window() == nullptr)
        return;
    SDL_SetRelativeMouseMode(Capture ? SDL_TRUE : SDL_FALSE);
    SDL_ShowCursor(SDL_DISABLE);
    CursorHidden = true;
}

void TEventPump::StartPads() {
    // The pads already plugged in arrive as device-added events.
    PadsStarted = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

void TEventPump::PadAdded(int DeviceIndex) {
    if (SDL_GameController* Pad = SDL_GameControllerOpen(DeviceIndex))
        Pads.push_back(Pad);
}

void TEventPump::PadRemoved(SDL_JoystickID Instance) {
    SDL_GameController* Pad = SDL_GameControllerFromInstanceID(Instance);
    if (Pad == nullptr)
        return;
    std::erase(Pads, Pad);
    SDL_GameControllerClose(Pad);
    // What the pad held when it was pulled out would otherwise stay held.
    for (int Button = 0; Button < SDL_CONTROLLER_BUTTON_MAX; ++Button)
        Pass(Input, TKind::PadUp, Button);
    for (int Axis = 0; Axis < SDL_CONTROLLER_AXIS_MAX; ++Axis)
        Pass(Input, TKind::PadAxis, Axis, 0);
}

TEventPump::TEventPump(TVelaDevice& Device, TInputState& Input) : Device(Device), Input(Input) {
    // The window's close button is the player's, and in flight it asks first; SDL would otherwise turn
    // it into a quit as well.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
}

void TEventPump::WindowEvent(const SDL_WindowEvent& Event) {
    switch (Event.event) {
    case SDL_WINDOWEVENT_CLOSE:
        PassWindow(Input, TWindowEvent::Close);
        return;
    case SDL_WINDOWEVENT_MOVED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        Device.NoteWindowPlace();
        return;
    default:
        break;
    }
    if (WindowEventsScripted)
        return;
    switch (Event.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        PassWindow(Input, TWindowEvent::FocusGained);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        PassWindow(Input, TWindowEvent::FocusLost);
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
    case SDL_WINDOWEVENT_HIDDEN:
        PassWindow(Input, TWindowEvent::Minimised);
        break;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:
    case SDL_WINDOWEVENT_SHOWN:
        PassWindow(Input, TWindowEvent::Restored);
        break;
    default:
        break;
    }
}

bool TEventPump::Pump() {
    bool KeepRunning = true;
    SDL_Event Event;
    while (SDL_PollEvent(&Event)) {
        switch (Event.type) {
        case SDL_QUIT:
            PassWindow(Input, TWindowEvent::Quit);
            KeepRunning = false;
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            PassKey(Input, Event.key);
            break;
        case SDL_MOUSEMOTION:
            // Motion over the window while another one has the focus is not meant for the game.
            // The renderer has already brought the position onto the letterboxed 1024 x 768 picture.
            if (Input.Focused && Captured)
                Pass(Input, TKind::MouseMove, Event.motion.xrel, Event.motion.yrel);
            else if (Input.Focused)
                Pass(Input, TKind::MouseAt, Event.motion.x, Event.motion.y);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (GameButton(Event.button.button) >= 0)
                Pass(Input, Event.type == SDL_MOUSEBUTTONDOWN ? TKind::MouseDown : TKind::MouseUp,
                     GameButton(Event.button.button));
            break;
        case SDL_TEXTINPUT:
            PassText(Input, Event.text.text);
            break;
        case SDL_MOUSEWHEEL:
            // A recording holds at most a thousand notches a line; no wheel turns that far at once.
            if (Input.Focused)
                Pass(Input, TKind::MouseWheel,
                     std::clamp(Event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -Event.wheel.y
                                                                                : Event.wheel.y,
                                -1000, 1000));
            break;
        case SDL_WINDOWEVENT:
            WindowEvent(Event.window);
            break;
        case SDL_CONTROLLERDEVICEADDED:
            PadAdded(Event.cdevice.which);
            break;
        case SDL_CONTROLLERDEVICEREMOVED:
            PadRemoved(Event.cdevice.which);
            break;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            Pass(Input, Event.type == SDL_CONTROLLERBUTTONDOWN ? TKind::PadDown : TKind::PadUp,
                 Event.cbutton.button);
            break;
        case SDL_CONTROLLERAXISMOTION:
            Pass(Input, TKind::PadAxis, Event.caxis.axis, Event.caxis.value);
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
