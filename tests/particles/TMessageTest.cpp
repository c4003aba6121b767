#include "THeadlessEngine.h"

#include "app/Globals.h"
#include "engine/TEngine.h"
#include "particles/TMessage.h"
#include "render/TInputState.h"
#include "render/TVelaCanvas.h"
#include "render/TVelaFontAlt.h"
#include "render/TVelaFontsAlt.h"
#include "render/TVelaKeyboard.h"
#include "render/TVelaMouse.h"
#include "render/TVelaTimer.h"
#include "runtime/TFakeClock.h"
#include "runtime/TPngEncoder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

// Messages without an engine: every step runs, nothing is drawn. Frames are 16 ms apart.
class TMessageTest : public testing::Test {
  protected:
    void SetUp() override {
        Clock = &TestClock;
        TestClock.SetTickCount(1000);
    }
    void TearDown() override { ResetGlobals(); }

    void Frames(int Count) {
        for (int Frame = 0; Frame < Count; ++Frame) {
            TestClock.Advance(16);
            Messages.Draw();
        }
    }

    TFakeClock TestClock;
    TMessage Messages;
};

TEST_F(TMessageTest, EnemiesBeyondTheLastSlotShareSlotsModuloTheirCount) {
    EXPECT_EQ(TMessage::SlotOf(100), 100);
    EXPECT_EQ(TMessage::SlotOf(101), 0);
    EXPECT_EQ(TMessage::SlotOf(-1), 100);
    Messages.AddMessage(105, "+50", 10, 20);
    Messages.MoveMessage(105, 30, 40);
    EXPECT_TRUE(Messages.Slots[4].Active);
    EXPECT_DOUBLE_EQ(Messages.Slots[4].X, 30);
    Messages.AddMessage(4, "+10", 1, 2);
    EXPECT_EQ(Messages.Slots[4].Text, "+10");
    EXPECT_FALSE(Messages.Main.Active);
}

TEST_F(TMessageTest, GrowsTwentyFramesShrinksFiveFadesByTimeAndRestartsFromScratch) {
    Messages.ShowMessage("+70", 500, 300);
    Messages.AddMessage(3, "+10", 500, 300);
    Frames(20);
    EXPECT_EQ(Messages.Main.SizeStep, 20);
    EXPECT_EQ(Messages.Main.Phase, TRocketMessage::PhaseShrink);
    Frames(5);
    EXPECT_EQ(Messages.Main.SizeStep, 15);
    EXPECT_EQ(Messages.Main.Phase, TRocketMessage::PhaseFade);
    EXPECT_EQ(Messages.Slots[3].Phase, TRocketMessage::PhaseFade);
    EXPECT_EQ(Messages.Main.Alpha, 255);
    Frames(1);
    EXPECT_EQ(Messages.Main.Alpha, 251);
    TestClock.Advance(15); // not more than 15 ms: no fade step
    Messages.Draw();
    EXPECT_EQ(Messages.Main.Alpha, 251);
    Frames(62);
    EXPECT_EQ(Messages.Main.Alpha, 3);
    Frames(1);
    EXPECT_FALSE(Messages.Main.Active || Messages.Slots[3].Active);
    EXPECT_EQ(Messages.Main.Alpha, 0);
    Messages.AddMessage(3, "+30", 0, 0);
    Frames(30);
    Messages.AddMessage(3, "+50", 0, 0);
    EXPECT_EQ(Messages.Slots[3].SizeStep, 0);
    EXPECT_EQ(Messages.Slots[3].Alpha, 255);
    EXPECT_EQ(Messages.Slots[3].Phase, TRocketMessage::PhaseGrow);
}

TEST_F(TMessageTest, NoticeShowsFifteenHundredMillisecondsFromTheLastRequest) {
    Messages.RequestNotice("Points +10", "Boost +3");
    Messages.Draw();
    EXPECT_FALSE(Messages.NoticeRequest);
    EXPECT_TRUE(Messages.NoticeShown);
    TestClock.Advance(1000);
    Messages.RequestNotice("Points +50", "Boost +8");
    Messages.Draw();
    TestClock.Advance(1500);
    Messages.Draw();
    EXPECT_TRUE(Messages.NoticeShown);
    TestClock.Advance(1);
    Messages.Draw();
    EXPECT_FALSE(Messages.NoticeShown);
}

// The game's 26 fonts on a full-size headless screen.
class TMessageDrawTest : public THeadlessEngine {
  protected:
    void SetUp() override {
        Width = 1024;
        Height = 768;
        THeadlessEngine::SetUp();
        std::vector<int> Sizes;
        for (int Index = 0; Index < 26; ++Index)
            Sizes.push_back(Index < 5 ? 16 : 2 * (Index - 4) + 12);
        ASSERT_TRUE(AddGameFonts(Sizes));
        Clear();
    }

    // Horizontal extent of the pixels for which Test holds.
    std::pair<int, int> Span(bool (*Test)(uint32_t)) {
        TPicture Frame;
        EXPECT_TRUE(Device.ReadPixels(Frame));
        int Left = Frame.Width, Right = -1;
        for (int Y = 0; Y < Frame.Height; ++Y)
            for (int X = 0; X < Frame.Width; ++X)
                if (Test(Frame.At(X, Y))) {
                    Left = std::min(Left, X);
                    Right = std::max(Right, X);
                }
        return {Left, Right};
    }
};

TEST_F(TMessageDrawTest, MainTextIsPulledOnScreenInGreenSlotTextsAreOrange) {
    TMessage Messages(TestEngine.get(), 3);
    const std::string Text = "+1234567890";
    const int TextWidth = Fonts.Font(5)->TextWidth(Text);
    ASSERT_GT(TextWidth / 2, 10);
    Messages.ShowMessage(Text, 10, 300);
    Messages.AddMessage(7, "+50", 700, 200);
    Messages.Draw();
    EXPECT_DOUBLE_EQ(Messages.Main.X, TextWidth / 2);
    const auto Green = Span([](uint32_t Pixel) { return (Pixel >> 8 & 0xFF) > 100 && (Pixel & 0xFF) < 50; });
    EXPECT_LT(Green.first, 5);
    EXPECT_NEAR(Green.second, TextWidth, 5);
    const auto Orange =
        Span([](uint32_t Pixel) { return (Pixel & 0xFF) > 150 && (Pixel >> 16 & 0xFF) < 50; });
    EXPECT_NEAR((Orange.first + Orange.second) / 2.0, 700, 4);
    Messages.ShowMessage(Text, 1020, 300);
    Messages.Draw();
    EXPECT_DOUBLE_EQ(Messages.Main.X, 1024 - TextWidth / 2);
}

} // namespace
