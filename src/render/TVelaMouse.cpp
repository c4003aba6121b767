#include "render/TVelaMouse.h"

#include <algorithm>

bool TVelaMouse::Initialize() {
    if (InitializedFlag)
        return false;
    State.BufferSize = BufferSize;
    Down.fill(0);
    Released.fill(0);
    Waiting.fill(false);
    InitializedFlag = true;
    return true;
}

bool TVelaMouse::Update() {
    if (!InitializedFlag && !Initialize())
        return false;
    DeltaXValue = 0;
    DeltaYValue = 0;
    WheelValue = 0;
    if (ClearOnUpdate) {
        Down.fill(0);
        Released.fill(0);
        Waiting.fill(false);
    }
    if (Foreground && !State.Focused)
        return false;
    WheelValue = State.TakeWheel();
    for (int Button = 0; Button < 8; ++Button)
        if (ReleaseNext[Button]) {
            ReleaseNext[Button] = false;
            SetButton(Button, false);
        }
    std::array<bool, 8> PressedNow{};
    for (const TMouseEvent& Event : State.TakeMouseEvents(static_cast<size_t>(std::max(BufferSize, 0)))) {
        if (Event.Kind == TMouseEvent::TKind::Move) {
            DeltaXValue = TInputState::AddSaturated(DeltaXValue, Event.DX);
            DeltaYValue = TInputState::AddSaturated(DeltaYValue, Event.DY);
        } else if (Event.Button >= 0 && Event.Button < 8) {
            SetButton(Event.Button, Event.Down);
            PressedNow[Event.Button] = PressedNow[Event.Button] || Event.Down;
        }
    }
    // A click quicker than a frame (a touchpad tap) would otherwise never be seen down.
    for (int Button = 0; Button < 8; ++Button)
        if (PressedNow[Button] && Down[Button] == 0) {
            SetButton(Button, true);
            ReleaseNext[Button] = true;
        }
    return true;
}

void TVelaMouse::SetButton(int Button, bool IsDown) {
    Down[Button] = IsDown ? 1 : 0;
    Released[Button] = IsDown ? 0 : 1;
    if (!IsDown)
        Waiting[Button] = false;
}

void TVelaMouse::WaitForRelease(int Button) {
    if (Button >= 0 && Button < 8 && Down[Button] >= 1)
        Waiting[Button] = true;
}

bool TVelaMouse::ButtonDown(int Button) const {
    return Button >= 0 && Button < 8 && Down[Button] >= 1 && !Waiting[Button];
}

bool TVelaMouse::ButtonReleased(int Button) const {
    return Button >= 0 && Button < 8 && Released[Button] >= 1;
}
