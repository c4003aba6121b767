#include "render/TVelaMouse.h"

#include <algorithm>

bool TVelaMouse::Initialize() {
    if (InitializedFlag)
        return false;
    State.BufferSize = BufferSize;
    Down.fill(0);
    Released.fill(0);
    InitializedFlag = true;
    return true;
}

bool TVelaMouse::Update() {
    if (!InitializedFlag && !Initialize())
        return false;
    DeltaXValue = 0;
    DeltaYValue = 0;
    if (ClearOnUpdate) {
        Down.fill(0);
        Released.fill(0);
    }
    if (Foreground && !State.Focused)
        return false;
    for (int Button = 0; Button < 8; ++Button)
        if (ReleaseNext[Button]) {
            ReleaseNext[Button] = false;
            Down[Button] = 0;
            Released[Button] = 1;
        }
    std::array<bool, 8> PressedNow{};
    for (const TMouseEvent& Event : State.TakeMouseEvents(static_cast<size_t>(std::max(BufferSize, 0)))) {
        if (Event.Kind == TMouseEvent::TKind::Move) {
            DeltaXValue += Event.DX;
            DeltaYValue += Event.DY;
        } else if (Event.Button >= 0 && Event.Button < 8) {
            Down[Event.Button] = Event.Down ? 1 : 0;
            Released[Event.Button] = Event.Down ? 0 : 1;
            PressedNow[Event.Button] = PressedNow[Event.Button] || Event.Down;
        }
    }
    // A click quicker than a frame (a touchpad tap) would otherwise never be seen down.
    for (int Button = 0; Button < 8; ++Button)
        if (PressedNow[Button] && Down[Button] == 0) {
            Down[Button] = 1;
            Released[Button] = 0;
            ReleaseNext[Button] = true;
        }
    return true;
}

bool TVelaMouse::ButtonDown(int Button) const {
    return Button >= 0 && Button < 8 && Down[Button] >= 1;
}

bool TVelaMouse::ButtonReleased(int Button) const {
    return Button >= 0 && Button < 8 && Released[Button] >= 1;
}
