#include "render/TInputState.h"

#include <algorithm>

void TInputState::KeyEvent(int Code, bool Down) {
    if (Code < 0 || Code > 255)
        return;
    KeyStates[Code] = Down ? 0x80 : 0;
    if (Down)
        PressedSincePoll[Code] = 0x80;
}

std::array<uint8_t, 256> TInputState::PollKeys() {
    std::array<uint8_t, 256> Polled = KeyStates;
    for (size_t Code = 0; Code < Polled.size(); ++Code)
        Polled[Code] |= PressedSincePoll[Code];
    PressedSincePoll.fill(0);
    return Polled;
}

bool TInputState::Push(const TMouseEvent& Event) {
    if (static_cast<int>(MouseEvents.size()) >= BufferSize)
        return false;
    MouseEvents.push_back(Event);
    return true;
}

void TInputState::MouseMove(int DX, int DY) {
    if (DX == 0 && DY == 0)
        return;
    if (!MouseEvents.empty() && MouseEvents.back().Kind == TMouseEvent::TKind::Move) {
        MouseEvents.back().DX += DX;
        MouseEvents.back().DY += DY;
        return;
    }
    TMouseEvent Event;
    Event.Kind = TMouseEvent::TKind::Move;
    Event.DX = DX;
    Event.DY = DY;
    Push(Event);
}

void TInputState::MouseButton(int Button, bool Down) {
    if (Button < 0 || Button > 7)
        return;
    TMouseEvent Event;
    Event.Kind = TMouseEvent::TKind::Button;
    Event.Button = Button;
    Event.Down = Down;
    // A dropped event does not change what we believe the button is, so ReleaseAll still lets it go.
    if (!Push(Event))
        return;
    if (Down)
        ButtonsDown |= static_cast<uint8_t>(1u << Button);
    else
        ButtonsDown &= static_cast<uint8_t>(~(1u << Button));
}

void TInputState::TypeText(const std::string& Utf8) {
    Text += Utf8;
}

void TInputState::ReleaseAll() {
    KeyStates.fill(0);
    PressedSincePoll.fill(0);
    for (int Button = 0; Button < 8; ++Button)
        if (ButtonsDown & (1u << Button))
            MouseButton(Button, false);
}

uint8_t TInputState::KeyState(int Code) const {
    if (Code < 0 || Code > 255)
        return 0;
    return KeyStates[Code];
}

std::vector<TMouseEvent> TInputState::TakeMouseEvents(size_t Max) {
    size_t Count = std::min(Max, MouseEvents.size());
    std::vector<TMouseEvent> Taken(MouseEvents.begin(), MouseEvents.begin() + static_cast<ptrdiff_t>(Count));
    MouseEvents.erase(MouseEvents.begin(), MouseEvents.begin() + static_cast<ptrdiff_t>(Count));
    return Taken;
}

std::string TInputState::TakeText() {
    std::string Taken;
    Taken.swap(Text);
    return Taken;
}
