#include "TKeyPad.h"

#include "render/TInputState.h"

// As the window's keys come in, so a recording of the game holds them.
void TKeyPad::Press(int Key, bool Down) {
    if (Input != nullptr)
        Input->Apply(TInputEvent::Of(Down ? TInputEvent::TKind::KeyDown : TInputEvent::TKind::KeyUp, Key));
}

void TKeyPad::Attach(TInputState& Game) {
    Input = &Game;
    Wanted = Down = TappedNow = TappedBefore = {};
}

void TKeyPad::Hold(int Key) {
    if (Valid(Key))
        Wanted[Key] = true;
}

void TKeyPad::Tap(int Key) {
    if (!Valid(Key) || !CanTap(Key))
        return;
    Wanted[Key] = true;
    TappedNow[Key] = true;
}

bool TKeyPad::CanTap(int Key) const {
    return Valid(Key) && !TappedBefore[Key];
}

void TKeyPad::Send() {
    for (int Key = 0; Key < 256; ++Key) {
        // A key tapped in the last frame comes up first, whatever is wanted now.
        const bool Want = Wanted[Key] && !TappedBefore[Key];
        if (Want != Down[Key])
            Press(Key, Want);
        Down[Key] = Want;
    }
    TappedBefore = TappedNow;
    TappedNow = {};
    Wanted = {};
}

void TKeyPad::ReleaseAll() {
    Wanted = {};
    TappedNow = {};
    TappedBefore = {};
    for (int Key = 0; Key < 256; ++Key)
        if (Down[Key])
            Press(Key, false);
    Down = {};
}
