#include "render/TInputState.h"

#include "render/TKeyCodes.h"

#include <algorithm>

void TInputState::Apply(const TInputEvent& Event) {
    using TKind = TInputEvent::TKind;
    if (OnApply)
        OnApply(Event);
    switch (Event.Kind) {
    case TKind::KeyDown:
    case TKind::KeyUp:
        KeyEvent(Event.A, Event.Kind == TKind::KeyDown);
        break;
    case TKind::MouseMove:
        MouseMove(Event.A, Event.B);
        break;
    case TKind::MouseAt:
        PointerAt(Event.A, Event.B);
        break;
    case TKind::MouseDown:
    case TKind::MouseUp:
        MouseButton(Event.A, Event.Kind == TKind::MouseDown);
        break;
    case TKind::MouseWheel:
        MouseWheel(Event.A);
        break;
    case TKind::Text:
        TypeText(Event.Text);
        break;
    case TKind::Window:
        WindowChanged(static_cast<TWindowEvent>(Event.A));
        break;
    case TKind::PadDown:
    case TKind::PadUp:
        PadEvent({TPadEvent::TKind::Button, Event.A, Event.Kind == TKind::PadDown ? 1 : 0});
        break;
    case TKind::PadAxis:
        PadEvent({TPadEvent::TKind::Axis, Event.A, Event.B});
        break;
    }
}

void TInputState::KeyEvent(int Code, bool Down) {
    if (Code < 0 || Code > 255)
        return;
    if (Down && (Code == TKeyCodes::Enter || Code == TKeyCodes::KeypadEnter) && FullScreenChordHeld()) {
        FullScreenChord = true;
        return;
    }
    KeyStates[Code] = Down ? 0x80 : 0;
    if (Down)
        PressedSincePoll[Code] = 0x80;
}

bool TInputState::FullScreenChordHeld() const {
    const auto Held = [this](int Code) { return KeyStates[Code] != 0; };
    const int Alt = Held(TKeyCodes::LeftAlt) ? TKeyCodes::LeftAlt : TKeyCodes::RightAlt;
    if (!Held(Alt) || AltKeys[Alt == TKeyCodes::LeftAlt ? 0 : 1])
        return false;
    // Alt alone: with another modifier down, Enter is meant for something else.
    for (int Other : {TKeyCodes::LeftControl, TKeyCodes::RightControl, TKeyCodes::LeftShift,
                      TKeyCodes::RightShift, TKeyCodes::LeftWindows, TKeyCodes::RightWindows})
        if (Held(Other))
            return false;
    return true;
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
        MouseEvents.back().DX = AddSaturated(MouseEvents.back().DX, DX);
        MouseEvents.back().DY = AddSaturated(MouseEvents.back().DY, DY);
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

void TInputState::WindowChanged(TWindowEvent Event) {
    switch (Event) {
    case TWindowEvent::FocusLost:
        // Keys held while the focus leaves would otherwise stay down for ever.
        ReleaseAll();
        Focused = false;
        WindowLeft = true;
        break;
    case TWindowEvent::FocusGained:
        Focused = true;
        break;
    case TWindowEvent::Minimised:
        Minimised = true;
        WindowLeft = true;
        break;
    case TWindowEvent::Restored:
        Minimised = false;
        break;
    case TWindowEvent::Close:
        CloseRequested = true;
        break;
    case TWindowEvent::Quit:
        QuitRequested = true;
        break;
    }
}

bool TInputState::TakeFullScreenChord() {
    const bool Chord = FullScreenChord;
    FullScreenChord = false;
    return Chord;
}

bool TInputState::TakeWindowLeft() {
    const bool Left = WindowLeft;
    WindowLeft = false;
    return Left;
}

bool TInputState::TakeCloseRequest() {
    const bool Requested = CloseRequested;
    CloseRequested = false;
    return Requested;
}

bool TInputState::TakeQuitRequest() {
    const bool Requested = QuitRequested;
    QuitRequested = false;
    return Requested;
}

void TInputState::PointerAt(int X, int Y) {
    PointerX = X;
    PointerY = Y;
    PointerMoved = true;
}

bool TInputState::TakePointer(int& X, int& Y) {
    if (!PointerMoved)
        return false;
    PointerMoved = false;
    X = PointerX;
    Y = PointerY;
    return true;
}

void TInputState::PadEvent(const TPadEvent& Event) {
    // A pad nobody reads (a test without a mapper) must not grow without end.
    if (static_cast<int>(PadEvents.size()) < BufferSize)
        PadEvents.push_back(Event);
}

std::vector<TPadEvent> TInputState::TakePadEvents() {
    std::vector<TPadEvent> Taken;
    Taken.swap(PadEvents);
    return Taken;
}
