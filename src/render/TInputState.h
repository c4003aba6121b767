#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

// One buffered mouse event: a relative move or a button going down or up.
struct TMouseEvent {
    enum class TKind { Move, Button } Kind = TKind::Move;
    int DX = 0, DY = 0;
    int Button = 0;
    bool Down = false;
};

// What happens to the game's window, as far as the game cares. Close is the player closing it.
// Close: the player closed the window (its button, Alt+F4), which in flight asks first. Quit: the system
// ends the program (a signal, the session ending), which never waits.
enum class TWindowEvent { FocusLost, FocusGained, Minimised, Restored, Close, Quit };

// One gamepad event: a button (SDL's game-controller numbering) going down or up, or an axis moving to
// Value (-32768..32767).
struct TPadEvent {
    enum class TKind { Button, Axis } Kind = TKind::Button;
    int Control = 0;
    int Value = 0;
};

// One event as it comes into the game from outside: from the window, a script or a tool at the controls.
// Frame is the frame it arrives before, where that is known (a script line).
struct TInputEvent {
    enum class TKind {
        KeyDown,
        KeyUp,
        MouseMove,
        MouseAt,
        MouseDown,
        MouseUp,
        MouseWheel,
        Text,
        Window,
        PadDown,
        PadUp,
        PadAxis
    } Kind = TKind::KeyDown;
    int Frame = 0;
    int A = 0; // key code, mouse button, DX or X, wheel notches, window event, pad button or pad axis
    int B = 0; // DY, Y or axis position
    std::string Text;

    static TInputEvent Of(TKind Kind, int A, int B = 0) {
        TInputEvent Event;
        Event.Kind = Kind;
        Event.A = A;
        Event.B = B;
        return Event;
    }
};

// The one input source of the game. The app's event pump (or a test script) writes into it; the keyboard
// and mouse devices read it once per frame. Keys are DirectInput key codes.
class TInputState {
  public:
    // A + B held within int: motion from a script or a runaway device must not wrap round.
    static int AddSaturated(int A, int B) {
        const int64_t Sum = static_cast<int64_t>(A) + B;
        return static_cast<int>(std::clamp<int64_t>(Sum, INT32_MIN, INT32_MAX));
    }

    // Where everything from outside the game comes in, so a recording sees all of it once. What the game
    // makes of it itself (a pad's buttons standing for keys) goes straight to the calls below.
    void Apply(const TInputEvent& Event);
    // Told of every event Apply takes.
    std::function<void(const TInputEvent&)> OnApply;

    // Code = DirectInput key code 0..255; anything else is ignored. Enter pressed while Alt is held is
    // the system's full-screen chord, not a key of the game: it is only remembered for TakeFullScreenChord.
    void KeyEvent(int Code, bool Down);
    bool TakeFullScreenChord();
    // Consecutive moves coalesce into one buffered event, so a burst of motion costs one slot.
    void MouseMove(int DX, int DY);
    // Buttons 0..7; anything else is ignored.
    void MouseButton(int Button, bool Down);
    void TypeText(const std::string& Utf8);
    // Wheel notches, positive away from the player; they add up until taken.
    void MouseWheel(int Notches) { Wheel += Notches; }
    int TakeWheel() {
        const int Taken = Wheel;
        Wheel = 0;
        return Taken;
    }
    // Focus lost: every key goes up, and every button still down gets an up event, so nothing sticks.
    void ReleaseAll();
    // Losing the focus releases everything; losing the focus or being minimised is remembered until
    // TakeWindowLeft, so a loss and a return within one frame still count.
    void WindowChanged(TWindowEvent Event);
    bool TakeWindowLeft();
    // True once after the player closed the window.
    bool TakeCloseRequest();
    // The left and right Alt keys are bound to the game's controls (in flight): held, they make Enter no
    // chord, so Enter stays the key it is bound to.
    std::array<bool, 2> AltKeys{};
    bool TakeQuitRequest();
    // The pointer's position on the 1024 x 768 picture, for a mouse that is not captured.
    void PointerAt(int X, int Y);
    // True once per new position, which is then in X and Y.
    bool TakePointer(int& X, int& Y);
    void PadEvent(const TPadEvent& Event);
    std::vector<TPadEvent> TakePadEvents();

    // Bit 7 set = down; 0 for codes outside 0..255.
    uint8_t KeyState(int Code) const;
    const std::array<uint8_t, 256>& Keys() const { return KeyStates; }
    // The keys for one poll: those down now and those pressed since the last poll, so that a tap
    // shorter than a frame is still seen once.
    std::array<uint8_t, 256> PollKeys();
    size_t PendingMouseEvents() const { return MouseEvents.size(); }
    // Takes up to Max buffered events, oldest first.
    std::vector<TMouseEvent> TakeMouseEvents(size_t Max);
    std::string TakeText();

    bool Focused = true;
    bool Minimised = false;
    // Events that arrive while the buffer holds this many are dropped.
    int BufferSize = 256;

  private:
    bool Push(const TMouseEvent& Event);

    std::array<uint8_t, 256> KeyStates{};
    std::array<uint8_t, 256> PressedSincePoll{};
    std::deque<TMouseEvent> MouseEvents;
    uint8_t ButtonsDown = 0;
    std::string Text;
    int Wheel = 0;
    bool WindowLeft = false;
    // Alt, and no other modifier, is held down, and is not one of the game's controls.
    bool FullScreenChordHeld() const;
    bool CloseRequested = false;
    bool QuitRequested = false;
    bool FullScreenChord = false;
    bool PointerMoved = false;
    int PointerX = 0;
    int PointerY = 0;
    std::vector<TPadEvent> PadEvents;
};
