#include <gtest/gtest.h>

#include <SDL_keyboard.h>

#include <vector>

#include "render/TKeyCodes.h"
#include "render/TVelaKeyboard.h"

namespace {

constexpr int Space = 57;

TEST(TVelaKeyboardTest, HeldKeyIsPressedInOneUpdateAndReleasedInOne) {
    TInputState State;
    TVelaKeyboard Keyboard(State);
    ASSERT_TRUE(Keyboard.Initialize());
    State.KeyEvent(Space, true);
    int Pressed = 0, Down = 0, Released = 0;
    for (int Frame = 0; Frame < 50; ++Frame) {
        if (Frame == 30)
            State.KeyEvent(Space, false);
        ASSERT_TRUE(Keyboard.Update());
        Pressed += Keyboard.KeyPressed(Space);
        Down += Keyboard.KeyDown(Space);
        Released += Keyboard.KeyReleased(Space);
    }
    EXPECT_EQ(Pressed, 1);
    EXPECT_EQ(Down, 30);
    EXPECT_EQ(Released, 1);
}

TEST(TVelaKeyboardTest, TapBetweenTwoUpdatesIsSeenOnce) {
    TInputState State;
    TVelaKeyboard Keyboard(State);
    ASSERT_TRUE(Keyboard.Update());
    State.KeyEvent(Space, true);
    State.KeyEvent(Space, false);
    ASSERT_TRUE(Keyboard.Update());
    EXPECT_TRUE(Keyboard.KeyPressed(Space));
    ASSERT_TRUE(Keyboard.Update());
    EXPECT_TRUE(Keyboard.KeyReleased(Space));
    EXPECT_FALSE(Keyboard.KeyDown(Space));
    ASSERT_TRUE(Keyboard.Update());
    EXPECT_FALSE(Keyboard.KeyReleased(Space));
}

TEST(TVelaKeyboardTest, InitialiseOnceAndOnDemand) {
    TInputState State;
    TVelaKeyboard Keyboard(State);
    State.KeyEvent(30, true);
    EXPECT_TRUE(Keyboard.Update()); // initialises itself
    EXPECT_TRUE(Keyboard.Initialized());
    EXPECT_TRUE(Keyboard.KeyPressed(30));
    EXPECT_FALSE(Keyboard.Initialize());
    Keyboard.Finalize();
    EXPECT_TRUE(Keyboard.Initialize());
    EXPECT_FALSE(Keyboard.KeyDown(30)); // a fresh start forgets the keys until the next update
}

TEST(TVelaKeyboardTest, WithoutFocusTheStatesStay) {
    TInputState State;
    TVelaKeyboard Keyboard(State);
    State.KeyEvent(Space, true);
    Keyboard.Update();
    State.Focused = false;
    State.KeyEvent(Space, false);
    EXPECT_FALSE(Keyboard.Update());
    EXPECT_TRUE(Keyboard.KeyPressed(Space)); // not turned into a second edge or a release
    Keyboard.Foreground = false;             // a background keyboard reads regardless
    EXPECT_TRUE(Keyboard.Update());
    EXPECT_TRUE(Keyboard.KeyReleased(Space));
}

TEST(TVelaKeyboardTest, OutOfRangeKeysAreIgnored) {
    TInputState State;
    TVelaKeyboard Keyboard(State);
    for (int Code : {-1, 0, 255, 256})
        State.KeyEvent(Code, true);
    Keyboard.Update();
    EXPECT_TRUE(Keyboard.KeyDown(255));
    EXPECT_FALSE(Keyboard.KeyDown(-1) || Keyboard.KeyPressed(256) || Keyboard.KeyReleased(1000));
    EXPECT_FALSE(Keyboard.KeyDown(0) || Keyboard.KeyPressed(0)); // no key has code 0
    State.ReleaseAll();                                          // focus lost
    EXPECT_EQ(State.KeyState(255), 0);
}

TEST(TKeyCodesTest, KeysWithoutACode) {
    EXPECT_EQ(TKeyCodes::FromScancode(SDL_SCANCODE_KP_ENTER), 156);
    EXPECT_EQ(TKeyCodes::FromScancode(SDL_SCANCODE_NONUSHASH), 43); // shares the backslash position
    for (SDL_Scancode Scancode :
         {SDL_SCANCODE_UNKNOWN, SDL_SCANCODE_F16, SDL_SCANCODE_MENU, SDL_SCANCODE_LANG1,
          SDL_SCANCODE_KP_LEFTPAREN, SDL_SCANCODE_F24, SDL_SCANCODE_SELECT})
        EXPECT_EQ(TKeyCodes::FromScancode(Scancode), TKeyCodes::NoCode) << SDL_GetScancodeName(Scancode);
    EXPECT_EQ(TKeyCodes::ToScancode(84), SDL_SCANCODE_UNKNOWN);
    EXPECT_EQ(TKeyCodes::ToScancode(-1), SDL_SCANCODE_UNKNOWN);
}

TEST(TKeyCodesTest, EveryScancodeHasACodeThatLeadsBackOrNone) {
    int Mapped = 0;
    for (int Index = 0; Index < SDL_NUM_SCANCODES; ++Index) {
        const int Code = TKeyCodes::FromScancode(static_cast<SDL_Scancode>(Index));
        if (Code == TKeyCodes::NoCode)
            continue;
        ++Mapped;
        ASSERT_GE(Code, 1) << SDL_GetScancodeName(static_cast<SDL_Scancode>(Index));
        ASSERT_LE(Code, 255);
        // Keys sharing a code lead back to the first of them, which has that same code.
        EXPECT_EQ(TKeyCodes::FromScancode(TKeyCodes::ToScancode(Code)), Code) << Index;
    }
    EXPECT_GT(Mapped, 100);
}

TEST(TKeyCodesTest, EveryNamedKeyRoundTrips) {
    // The codes the key-name table names, each reachable from some key.
    std::vector<int> Named;
    for (int Code = 1; Code <= 83; ++Code)
        Named.push_back(Code);
    // The table also names 227, "System Wake", which no SDL key sends: it is left out here.
    for (int Code : {87,  88,  156, 157, 181, 183, 197, 199, 200, 201, 203,
                     205, 207, 208, 209, 210, 211, 219, 220, 221, 222, 223})
        Named.push_back(Code);
    for (int Code : Named) {
        SDL_Scancode Scancode = TKeyCodes::ToScancode(Code);
        ASSERT_NE(Scancode, SDL_SCANCODE_UNKNOWN) << Code;
        EXPECT_EQ(TKeyCodes::FromScancode(Scancode), Code);
    }
}

} // namespace
