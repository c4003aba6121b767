#include "THeadlessDevice.h"

#include "render/TVelaFontsAlt.h"
#include "runtime/TWin1250.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

class TVelaFontAltTest : public THeadlessDevice {
  protected:
    void SetUp() override {
        Width = 400;
        Height = 80;
        THeadlessDevice::SetUp();
        ASSERT_TRUE(Fonts.RegisterFontFile("BEWARE", ZERATHON_SOURCE_DIR "/data/Text/BEWARE__.ttf"));
    }

    // The rows and columns that hold anything drawn, inclusive.
    struct TInk {
        int Left = 1 << 20, Top = 1 << 20, Right = -1, Bottom = -1;
    };

    TInk Draw(TVelaFontAlt& Font, const std::string& Text) {
        Clear();
        Font.TextOut(Text, Left, Top, 0xFFFFFFFFu);
        TPicture Frame;
        EXPECT_TRUE(Device.ReadPixels(Frame));
        TInk Ink;
        for (int Y = 0; Y < Frame.Height; ++Y)
            for (int X = 0; X < Frame.Width; ++X)
                if (Frame.At(X, Y) & 0xFFFFFF) {
                    Ink = {std::min(Ink.Left, X), std::min(Ink.Top, Y), std::max(Ink.Right, X),
                           std::max(Ink.Bottom, Y)};
                }
        return Ink;
    }

    // A number spelt in letters: a line that is new as a whole, with no digits to draw from cache.
    static std::string Letters(int Number) {
        std::string Text = std::to_string(Number);
        for (char& C : Text)
            C = static_cast<char>('a' + (C - '0'));
        return Text;
    }

    static constexpr int Left = 10;
    static constexpr int Top = 10;
    TVelaFontsAlt Fonts{Device};
};

TEST_F(TVelaFontAltTest, EveryHeightOfTheGamesFontsDrawsInsideWhatItMeasuresOnOneBaseline) {
    const std::string Tallest = TWin1250::FromUtf8("ÁČŠŽŤ Őgjy_|");
    const std::string Capitals = TWin1250::FromUtf8("ÁŤH");
    for (int Size = 14; Size <= 54; Size += 2) { // 14 to 54: every height the game's fonts have
        TVelaFontAlt& Font = Fonts.Add();
        Font.Name = "BEWARE";
        Font.Style = feBold;
        Font.Size = Size;
        ASSERT_TRUE(Font.Initialize()) << Size;
        EXPECT_EQ(Font.TextHeight(Tallest), Size);
        const TInk Ink = Draw(Font, Tallest);
        EXPECT_GE(Ink.Top, Top) << Size;
        EXPECT_LT(Ink.Bottom, Top + Size) << Size;
        EXPECT_GE(Ink.Left, Left) << Size;
        EXPECT_LT(Ink.Right, Left + Font.TextWidth(Tallest)) << Size;
        // Not shrunk to fit: the accents and descenders fill the cell but for a row or two.
        EXPECT_GE(Ink.Bottom - Ink.Top + 1, Size - 2) << Size;
        // Accents do not push a line down: an H stands on the same row with or without them.
        EXPECT_EQ(Draw(Font, Capitals).Bottom, Draw(Font, "H").Bottom) << Size;
    }
}

TEST_F(TVelaFontAltTest, TheRenderedLinesOfAllFontsTogetherStayWithinTheBudget) {
    TVelaFontAlt* Big[2] = {&Fonts.Add(), &Fonts.Add()};
    for (TVelaFontAlt* Font : Big) {
        Font->Name = "BEWARE";
        Font->Size = 54;
        ASSERT_TRUE(Font->Initialize());
    }
    // Ever new lines, as scores and messages are in long play: several times the budget in all.
    size_t Rendered = 0;
    for (int Line = 0; Rendered < 3 * TVelaFontsAlt::CacheBudget; ++Line) {
        TVelaFontAlt& Font = *Big[Line % 2];
        const std::string Text = "Score " + Letters(Line * 1000003) + " and more words after it";
        const int Width = Font.TextWidth(Text);
        ASSERT_GT(Width, 0);
        Rendered += static_cast<size_t>(Width) * 54 * 4;
        ASSERT_LE(Fonts.CachedBytes(), TVelaFontsAlt::CacheBudget) << Line;
        // The line just measured is kept for drawing.
        EXPECT_EQ(Font.TextWidth(Text), Width);
    }
    EXPECT_GT(Fonts.CachedBytes(), 0u);
}

TEST_F(TVelaFontAltTest, NewNumbersAreDrawnFromTheDigitsAlreadyRendered) {
    TVelaFontAlt& Font = Fonts.Add();
    Font.Name = "BEWARE";
    Font.Style = feBold | feShadow;
    Font.Size = 22;
    ASSERT_TRUE(Font.Initialize());
    const auto Show = [&](const std::string& Text) {
        Font.TextOut(Text, Left, Top, 0xFFFFFFFFu);
        Font.TextOut(Text, Left, Top, 0x80FF8000u);
        return Font.TextWidth(Text);
    };
    const int Digits = Show("Points: +0123456789");
    const size_t Cached = Font.CacheBytes();
    // Scores as play makes them, one after another: nothing more is rendered or kept.
    int Widest = 0;
    for (int Score = 0; Score < 2000; Score += 7)
        Widest = std::max(Widest, Show("Points: +" + std::to_string(Score * 13)));
    EXPECT_EQ(Font.CacheBytes(), Cached);
    EXPECT_GT(Widest, Digits / 2);
    EXPECT_LT(Widest, Digits);
    // Words are still drawn whole, and so are kept as lines of their own.
    Show("Game over");
    EXPECT_GT(Font.CacheBytes(), Cached);
}

} // namespace
