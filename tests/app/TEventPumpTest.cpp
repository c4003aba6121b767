#include "app/TEventPump.h"
#include "render/TInputState.h"
#include "render/TVelaDevice.h"
#include "render/TVelaMouse.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace {

// The pump over SDL's own event queue, fed by hand; no window, so capturing the mouse does nothing.
class TEventPumpTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0) << SDL_GetError(); }
    void TearDown() override { SDL_QuitSubSystem(SDL_INIT_EVENTS); }

    static void Key(SDL_Scancode Scancode, bool Down, int Repeat = 0) {
        SDL_Event Event{};
        Event.type = Down ? SDL_KEYDOWN : SDL_KEYUP;
        Event.key.keysym.scancode = Scancode;
        Event.key.repeat = static_cast<Uint8>(Repeat);
        SDL_PushEvent(&Event);
    }
    static void Focus(bool Gained) {
        SDL_Event Event{};
        Event.type = SDL_WINDOWEVENT;
        Event.window.event = Gained ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST;
        SDL_PushEvent(&Event);
    }
    static void Move(int DX) {
        SDL_Event Event{};
        Event.type = SDL_MOUSEMOTION;
        Event.motion.xrel = DX;
        SDL_PushEvent(&Event);
    }
    static void LeftButton(bool Down) {
        SDL_Event Event{};
        Event.type = Down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        Event.button.button = SDL_BUTTON_LEFT;
        SDL_PushEvent(&Event);
    }
    int KeysDown() const {
        int Count = 0;
        for (uint8_t State : Input.Keys())
            Count += State != 0;
        return Count;
    }

    TVelaDevice Device;
    TInputState Input;
    TEventPump Pump{Device, Input};
};

TEST_F(TEventPumpTest, KeysArriveAsTheirCodesAndKeysWithoutOneNotAtAll) {
    Key(SDL_SCANCODE_KP_ENTER, true);
    Key(SDL_SCANCODE_A, true);
    Key(SDL_SCANCODE_A, false);
    Key(SDL_SCANCODE_A, true, 1); // the system's auto-repeat is not a new press
    for (SDL_Scancode NoCode :
         {SDL_SCANCODE_F16, SDL_SCANCODE_MENU, SDL_SCANCODE_SELECT, SDL_SCANCODE_UNKNOWN})
        Key(NoCode, true);
    EXPECT_TRUE(Pump.Pump());
    EXPECT_EQ(Input.KeyState(156), 0x80);
    EXPECT_EQ(KeysDown(), 1);
    EXPECT_EQ(Input.PollKeys()[30], 0x80); // the tap on A is still seen once
}

TEST_F(TEventPumpTest, LosingTheFocusLetsEverythingGoAndMotionWithoutItIsDropped) {
    TVelaMouse Mouse(Input);
    Pump.CaptureMouse(true);
    Key(SDL_SCANCODE_SPACE, true);
    LeftButton(true);
    Pump.Pump();
    Mouse.Update();
    ASSERT_TRUE(Mouse.ButtonDown(0));
    Focus(false);
    Move(300); // the pointer crossing the window while another one has the focus
    Pump.Pump();
    EXPECT_FALSE(Input.Focused);
    EXPECT_EQ(Input.KeyState(57), 0);
    EXPECT_FALSE(Mouse.Update()); // nothing is read without the focus
    Focus(true);
    Move(2);
    Pump.Pump();
    EXPECT_TRUE(Input.Focused);
    EXPECT_TRUE(Mouse.Update());
    EXPECT_EQ(Mouse.DeltaX(), 2);
    EXPECT_FALSE(Mouse.ButtonDown(0));
    EXPECT_TRUE(Mouse.ButtonReleased(0));
}

TEST_F(TEventPumpTest, AFreeMouseGivesThePointersPlaceAndPadsAndMinimisingArrive) {
    SDL_Event Event{};
    Event.type = SDL_MOUSEMOTION;
    Event.motion.x = 700;
    Event.motion.y = 20;
    Event.motion.xrel = 5;
    SDL_PushEvent(&Event);
    Event = {};
    Event.type = SDL_CONTROLLERAXISMOTION;
    Event.caxis.axis = SDL_CONTROLLER_AXIS_LEFTX;
    Event.caxis.value = -20000;
    SDL_PushEvent(&Event);
    Event = {};
    Event.type = SDL_WINDOWEVENT;
    Event.window.event = SDL_WINDOWEVENT_MINIMIZED;
    SDL_PushEvent(&Event);
    Pump.Pump();
    int X = 0;
    int Y = 0;
    ASSERT_TRUE(Input.TakePointer(X, Y));
    EXPECT_EQ(X, 700);
    EXPECT_EQ(Y, 20);
    EXPECT_EQ(Input.PendingMouseEvents(), 0u);
    const std::vector<TPadEvent> Pad = Input.TakePadEvents();
    ASSERT_EQ(Pad.size(), 1u);
    EXPECT_EQ(Pad[0].Value, -20000);
    EXPECT_TRUE(Input.Minimised);
    // A deterministic run takes the window's comings and goings from its script only.
    Pump.WindowEventsScripted = true;
    Focus(false);
    Pump.Pump();
    EXPECT_TRUE(Input.Focused);
}

} // namespace
