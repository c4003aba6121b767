#include "render/TVelaKeyboard.h"

namespace {

// Code 0 is no key: DirectInput gives it to none, so nothing may ever be bound to it.
bool IsDown(const std::array<uint8_t, 256>& Keys, int Key) {
    return Key >= 1 && Key <= 255 && (Keys[Key] & 0x80) != 0;
}

} // namespace

bool TVelaKeyboard::Initialize() {
    if (InitializedFlag)
        return false;
    Current.fill(0);
    Previous.fill(0);
    InitializedFlag = true;
    return true;
}

bool TVelaKeyboard::Update() {
    Typed.clear();
    if (!InitializedFlag && !Initialize())
        return false;
    if (Foreground && !State.Focused)
        return false;
    Previous = Current;
    Current = State.PollKeys();
    Typed = State.TakeText();
    return true;
}

bool TVelaKeyboard::KeyDown(int Key) const {
    return IsDown(Current, Key);
}

bool TVelaKeyboard::KeyPressed(int Key) const {
    return IsDown(Current, Key) && !IsDown(Previous, Key);
}

bool TVelaKeyboard::KeyReleased(int Key) const {
    return !IsDown(Current, Key) && IsDown(Previous, Key);
}
