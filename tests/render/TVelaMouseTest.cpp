#include <gtest/gtest.h>

#include "render/TVelaMouse.h"

namespace {

TEST(TVelaMouseTest, QuickClickIsSeenDownOnceThenReadsAsReleasedUntilTheNextPress) {
    TInputState State;
    TVelaMouse Mouse(State);
    ASSERT_TRUE(Mouse.Initialize());
    State.MouseButton(1, true);
    State.MouseButton(1, false);
    ASSERT_TRUE(Mouse.Update());
    EXPECT_TRUE(Mouse.ButtonDown(1)); // a tap shorter than a frame still counts
    EXPECT_FALSE(Mouse.ButtonReleased(1));
    for (int Frame = 0; Frame < 5; ++Frame) {
        ASSERT_TRUE(Mouse.Update());
        EXPECT_FALSE(Mouse.ButtonDown(1));
        EXPECT_TRUE(Mouse.ButtonReleased(1));
    }
    State.MouseButton(1, true);
    Mouse.Update();
    EXPECT_TRUE(Mouse.ButtonDown(1));
    EXPECT_FALSE(Mouse.ButtonReleased(1));
    EXPECT_FALSE(Mouse.ButtonReleased(0)); // other buttons untouched
}

TEST(TVelaMouseTest, DeltasSumAndResetEachUpdate) {
    TInputState State;
    TVelaMouse Mouse(State);
    State.MouseMove(3, -2);
    State.MouseButton(2, true); // a button between moves keeps them apart, the sum still counts both
    State.MouseMove(4, 1);
    State.MouseMove(-1, 5);
    Mouse.Update();
    EXPECT_EQ(Mouse.DeltaX(), 6);
    EXPECT_EQ(Mouse.DeltaY(), 4);
    Mouse.Update();
    EXPECT_EQ(Mouse.DeltaX(), 0);
    EXPECT_EQ(Mouse.DeltaY(), 0);
}

// Motion from a script or a runaway device adds up to the largest int, never round to negative.
TEST(TVelaMouseTest, HugeMotionSaturatesInsteadOfWrappingRound) {
    TInputState State;
    TVelaMouse Mouse(State);
    State.MouseMove(2147483647, -2147483647);
    State.MouseMove(2147483647, -2147483647);
    State.MouseButton(0, true);
    State.MouseMove(1, -2);
    Mouse.Update();
    EXPECT_EQ(Mouse.DeltaX(), 2147483647);
    EXPECT_EQ(Mouse.DeltaY(), -2147483647 - 1);
}

TEST(TVelaMouseTest, BufferCapDropsLateEvents) {
    TInputState State;
    TVelaMouse Mouse(State);
    Mouse.BufferSize = 4;
    Mouse.Initialize();
    State.MouseMove(1, 1);
    State.MouseMove(1, 1); // coalesced: still one event
    State.MouseButton(0, true);
    State.MouseButton(0, false);
    State.MouseButton(1, true);
    State.MouseButton(2, true); // the fifth event does not fit
    State.MouseMove(5, 5);      // nor does a move that cannot join the last one
    EXPECT_EQ(State.PendingMouseEvents(), 4u);
    Mouse.Update();
    EXPECT_EQ(Mouse.DeltaX(), 2);
    EXPECT_TRUE(Mouse.ButtonDown(0)); // the quick click, seen for this update
    EXPECT_TRUE(Mouse.ButtonDown(1));
    EXPECT_FALSE(Mouse.ButtonDown(2));
    // One update takes no more than BufferSize events; the rest wait.
    Mouse.BufferSize = 1;
    State.MouseButton(3, true);
    State.MouseButton(3, false);
    Mouse.Update();
    EXPECT_TRUE(Mouse.ButtonDown(3));
    Mouse.Update();
    EXPECT_TRUE(Mouse.ButtonReleased(3));
}

TEST(TVelaMouseTest, FocusLossLetsButtonsGoOnReturn) {
    TInputState State;
    TVelaMouse Mouse(State);
    State.MouseButton(0, true);
    Mouse.Update();
    State.ReleaseAll();
    State.Focused = false;
    State.MouseMove(7, 7);
    EXPECT_FALSE(Mouse.Update());
    EXPECT_EQ(Mouse.DeltaX(), 0);
    EXPECT_TRUE(Mouse.ButtonDown(0));
    State.Focused = true;
    EXPECT_TRUE(Mouse.Update());
    EXPECT_FALSE(Mouse.ButtonDown(0));
    EXPECT_TRUE(Mouse.ButtonReleased(0));
}

TEST(TVelaMouseTest, AHiddenPressStaysHiddenUntilTheButtonIsLetGo) {
    TInputState State;
    TVelaMouse Mouse(State);
    Mouse.WaitForRelease(0); // up: the next press shows at once
    State.MouseButton(0, true);
    Mouse.Update();
    EXPECT_TRUE(Mouse.ButtonDown(0));
    Mouse.WaitForRelease(0);
    for (int Frame = 0; Frame < 3; ++Frame) {
        Mouse.Update();
        EXPECT_FALSE(Mouse.ButtonDown(0));
        EXPECT_FALSE(Mouse.ButtonReleased(0));
    }
    State.MouseButton(0, false);
    State.MouseButton(0, true); // let go and pressed again between two updates: a new press
    Mouse.Update();
    EXPECT_TRUE(Mouse.ButtonDown(0));
    State.MouseButton(1, true);
    State.MouseButton(1, false);
    Mouse.Update();
    Mouse.WaitForRelease(1); // a tap ends by itself at the next update
    Mouse.Update();
    State.MouseButton(1, true);
    Mouse.Update();
    EXPECT_TRUE(Mouse.ButtonDown(1));
}

TEST(TVelaMouseTest, ButtonsOutsideTheRange) {
    TInputState State;
    TVelaMouse Mouse(State);
    State.MouseButton(8, true);
    State.MouseButton(-1, false);
    EXPECT_EQ(State.PendingMouseEvents(), 0u);
    State.MouseButton(7, true);
    Mouse.Update();
    EXPECT_TRUE(Mouse.ButtonDown(7));
    EXPECT_FALSE(Mouse.ButtonDown(8));
    EXPECT_FALSE(Mouse.ButtonReleased(-1));
    EXPECT_FALSE(Mouse.Initialize());
    Mouse.ClearOnUpdate = true;
    Mouse.Update();
    EXPECT_FALSE(Mouse.ButtonDown(7));
}

} // namespace
