#include "THeadlessEngine.h"

#include "engine/TEngineAnimButtonEx.h"
#include "engine/TEngineCheckBox.h"
#include "engine/TEngineCutLabel.h"
#include "engine/TEngineEdit.h"
#include "engine/TEngineListBox.h"
#include "engine/TEngineTextButton.h"
#include "engine/TSoundEngine.h"

#include "render/TInputScript.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

using TSteps = std::vector<std::pair<int, int>>;
constexpr uint32_t White = 0xFFFFFFFFu, Green = 0xFF00FF00u;

// Widgets on a headless screen with fonts 0 (20 pixels a line) and 1 (30 pixels), recording each
// reported action; the mouse is driven by setting the cursor and scripting the left button.
class TEngineWidgetTest : public THeadlessEngine {
  protected:
    void SetUp() override {
        Width = Height = 256;
        THeadlessEngine::SetUp();
        ASSERT_TRUE(AddGameFonts({20, 30}));
        TestEngine->OnWidgetClick = [this](const std::string& Action) { Clicks.push_back(Action); };
    }

    void Poll() {
        Mouse.Update();
        Keyboard.Update();
    }
    void At(int X, int Y) {
        TestEngine->CursorX = X;
        TestEngine->CursorY = Y;
    }
    void Button(bool Down) {
        Input.MouseButton(0, Down);
        Poll();
    }
    template <class TWidget> void Click(TWidget& Widget, int X, int Y) {
        At(X, Y);
        Button(true);
        Widget.Run();
        Button(false);
        Widget.Run();
    }
    int TextWidth(const std::string& Text, int Font = 0) { return Fonts.Font(Font)->TextWidth(Text); }
    uint32_t Drawn(int X, int Y) {
        Canvas.Flush();
        return PixelAt(X, Y) & 0xFFFFFF;
    }

    std::vector<std::string> Clicks;
};

// ---- buttons and the shared click latch ----

TEST_F(TEngineWidgetTest, ButtonRectanglesHoldTheirLeftAndTopEdgesOnly) {
    const int W = TextWidth("Play");
    for (const auto& [Alignment, Left] : TSteps{{0, 100}, {1, 100 - W / 2}, {2, 100 - W}}) {
        TEngineTextButton Text(*TestEngine, 0, "Play", 100, 40, White, Green, Alignment, "go");
        const TRect& Hit = Text.Rect();
        EXPECT_EQ(Hit.Left, Left);
        EXPECT_EQ(Hit.Right, Alignment == 1 ? 100 + W / 2 : Left + W);
        EXPECT_EQ(Hit.Bottom, 60);
        for (const auto& [X, Y, Fires] :
             std::vector<std::tuple<int, int, bool>>{{Hit.Left, Hit.Top, true},
                                                     {Hit.Right - 1, Hit.Bottom - 1, true},
                                                     {Hit.Right, Hit.Top, false},
                                                     {Hit.Left, Hit.Bottom, false},
                                                     {Hit.Left - 1, Hit.Top, false},
                                                     {Hit.Left, Hit.Top - 1, false}}) {
            Clicks.clear();
            Click(Text, X, Y);
            EXPECT_EQ(Clicks.size(), Fires ? 1u : 0u) << Alignment << ": " << X << "," << Y;
        }
    }
}

TEST_F(TEngineWidgetTest, OnePressFiresOneButtonOnceAndAReleaseAnywhereReArmsThem) {
    TEngineTextButton Text(*TestEngine, 0, "MMM", 10, 10, White, Green, 0, "msNEWGAME_Back");
    TEngineAnimButtonEx Picture(*TestEngine, "second", "", 10, 100, White, Green, 0, 0, "button", 0, 0, 0, 1,
                                0, 0, 40, 20);
    At(12, 12);
    Button(true);
    for (int Frame = 0; Frame < 3; ++Frame)
        Text.Run();
    At(12, 102); // dragged onto the other button, still held
    Picture.Run();
    EXPECT_EQ(Clicks, std::vector<std::string>{"msNEWGAME_Back"});
    At(200, 200);
    Button(false);
    Text.Run();
    EXPECT_TRUE(TestEngine->ClickReady);
    At(12, 102);
    Button(true);
    Picture.Run();
    EXPECT_EQ(Clicks, (std::vector<std::string>{"msNEWGAME_Back", "second"}));

    Button(false);
    Text.Run();
    Text.Enabled = false;
    Click(Text, 12, 12);
    EXPECT_EQ(Clicks.size(), 2u);
}

TEST_F(TEngineWidgetTest, GlowRisesByFourFallsByTwoAndAClickSoundsBeforeItIsReported) {
    TEngineAnimButtonEx Picture(*TestEngine, "msMAIN_NewGame", "New", 50, 50, White, Green, 0, 0, "button", 0,
                                0, 0, 1, 0, 0, 40, 20);
    At(60, 60);
    Picture.Run();
    EXPECT_EQ(Picture.Glow, 4);
    for (int Frame = 0; Frame < 70; ++Frame)
        Picture.Run();
    EXPECT_EQ(Picture.Glow, 254);
    At(0, 0);
    Picture.Run();
    EXPECT_EQ(Picture.Glow, 252);
    Picture.Glow = 1;
    Picture.Run();
    Picture.Run();
    EXPECT_EQ(Picture.Glow, 0);

    std::filesystem::create_directories(Dir / "Sound");
    std::filesystem::copy_file(ZERATHON_SOURCE_DIR "/data/Sound/button.wav", Dir / "Sound/button.wav");
    std::ofstream(Dir / "Sound/Sounds.ini")
        << "[Samples]\nCount=1\n[Sample0]\nName=button\nSample=Sound\\button.wav\n";
    SoundEngine = std::make_unique<TSoundEngine>(Dir.Dir(), Dir / "Sound/Sounds.ini", true);
    int Playing = -1;
    TestEngine->OnWidgetClick = [&](const std::string& Action) {
        Clicks.push_back(Action);
        Playing = SoundEngine->Playing("button");
    };
    Click(Picture, 60, 60);
    EXPECT_EQ(Clicks, std::vector<std::string>{"msMAIN_NewGame"});
    EXPECT_EQ(Playing, SoundEngine->DeviceOpen() ? 1 : 0);
}

TEST_F(TEngineWidgetTest, CaptionIsPlacedFromTheRectangleAndMovesWithIt) {
    const int W = TextWidth("Settings");
    // The menus' layout: a 188 x 25 rectangle, the caption centred on (94, 9) from its corner.
    TEngineAnimButtonEx Centred(*TestEngine, "a", "Settings", 100, 50, White, Green, 0, 1, "button", 94, 9, 0,
                                1, 25, 17, 188, 25);
    EXPECT_EQ(Centred.CaptionPosition().x, 100 + 94 - W / 2);
    Centred.MoveTo(-350, 70);
    Centred.MoveBy(15, -5);
    EXPECT_EQ(Centred.GetPosition().x, -335);
    EXPECT_EQ(Centred.Rect().Bottom, 90);
    EXPECT_EQ(Centred.CaptionPosition().x, -335 + 94 - W / 2);
    EXPECT_EQ(Centred.CaptionPosition().y, 65 + 9 - 10);
    TEngineAnimButtonEx Right(*TestEngine, "b", "Settings", 100, 50, White, Green, 1, 2, "button", 94, 9, 0,
                              1, 25, 17, 188, 25);
    EXPECT_EQ(Right.CaptionPosition().x, 100 - 94 + 94 - W);
    EXPECT_EQ(Right.CaptionPosition().y, 59);
}

// ---- check boxes ----

TEST_F(TEngineWidgetTest, CheckBoxTogglesOncePerPressAndAgainAfterLeavingAndComingBack) {
    TEngineCheckBox Box(*TestEngine, "msSETTINGS_VSync", 40, 60, "VSync", false, White, Green, 0, White,
                        Green, 0);
    EXPECT_EQ(Box.Rect().Top, 60);
    EXPECT_EQ(Box.Rect().Bottom, 80);
    bool TickedWhenReported = false;
    TestEngine->OnWidgetClick = [&](const std::string& Action) {
        Clicks.push_back(Action);
        TickedWhenReported = Box.Ticked;
    };
    TestEngine->ClickReady = false; // the buttons' latch is not the box's
    At(45, 65);
    Button(true);
    for (int Frame = 0; Frame < 4; ++Frame)
        Box.Run();
    EXPECT_TRUE(Box.Ticked);
    EXPECT_TRUE(TickedWhenReported);
    EXPECT_EQ(Drawn(50, 70), 0x00FF00u);
    At(10, 10);
    Box.Run();
    At(45, 65);
    Box.Run();
    Box.Run();
    EXPECT_FALSE(Box.Ticked);
    Button(false);
    Box.Run();
    Click(Box, 45, 65);
    EXPECT_EQ(Clicks.size(), 3u);

    Box.Enabled = false;
    Click(Box, 45, 65);
    EXPECT_TRUE(Box.Ticked);
    EXPECT_EQ(Drawn(50, 70), 0x909090u); // the grey mark
    EXPECT_EQ(Clicks.size(), 3u);

    // A caption taller than the box stretches the rectangle both ways; with the caption first the box follows
    // it.
    const int W = TextWidth("Sound", 1);
    TEngineCheckBox Tall(*TestEngine, "b", 40, 60, "Sound", true, White, Green, 0, White, Green, 1);
    EXPECT_EQ(Tall.Rect().Top, 55);
    EXPECT_EQ(Tall.Rect().Bottom, 85);
    EXPECT_EQ(Tall.Rect().Right, 70 + W);
    EXPECT_EQ(Tall.Box().Left, 40 + W + 10);
    EXPECT_EQ(Tall.Mark().Left, 40 + W + 14);
}

// ---- edit boxes ----

class TEngineEditWidgetTest : public TEngineWidgetTest {
  protected:
    void SetUp() override {
        TEngineWidgetTest::SetUp();
        Edit = std::make_unique<TEngineEdit>(*TestEngine, 20, 20, 30, 200, 0);
    }
    void Step() {
        Poll();
        Edit->Run();
    }
    void Type(const std::string& Utf8) {
        Input.TypeText(Utf8);
        Step();
    }
    void Key(int Code, bool Down) {
        Input.KeyEvent(Code, Down);
        Step();
    }

    std::unique_ptr<TEngineEdit> Edit;
};

TEST_F(TEngineEditWidgetTest, FocusedBoxTakesTypingAsWindows1250UpToTheLimit) {
    Edit->SetMaxLength(6);
    Type("nobody");
    EXPECT_EQ(Edit->Text(), "");
    Click(*Edit, 21, 21);
    EXPECT_TRUE(Edit->Focused());
    Type("Žluť\t☃ý kůň");
    EXPECT_EQ(Edit->Text(), "\x8Elu\x9D\xFD ");
    for (const int Code : {199, 211, 207, 203}) { // Home, Delete, End, Left
        Key(Code, true);
        Key(Code, false);
    }
    EXPECT_EQ(Edit->Text(), "lu\x9D\xFD ");
    EXPECT_EQ(Edit->CaretPosition(), 4);
    Key(14, true); // Backspace, held: repeats after half a second, then every 50 ms
    for (const auto& [Wait, Length] : TSteps{{0, 4}, {499, 4}, {1, 3}, {49, 3}, {1, 2}}) {
        TestClock.Advance(Wait);
        Step();
        EXPECT_EQ(Edit->Text().size(), static_cast<size_t>(Length)) << Wait;
    }
    EXPECT_EQ(Edit->Text(), "l ");
}

TEST_F(TEngineEditWidgetTest, ClickPutsTheCaretBeforeTheCharacterUnderTheCursor) {
    Edit->SetText("HNH");
    const int First = 23 + TextWidth("H"), Second = 23 + TextWidth("HN"), End = 23 + TextWidth("HNH");
    // Past either end of the text the caret stays where it was.
    for (const auto& [X, Caret] :
         TSteps{{23, 0}, {First - 1, 0}, {First, 1}, {Second, 2}, {End - 1, 2}, {End, 3}, {21, 3}}) {
        Edit->SetCaretPosition(3);
        Click(*Edit, X, 30);
        EXPECT_EQ(Edit->CaretPosition(), Caret) << X;
    }
}

TEST_F(TEngineEditWidgetTest, ClickOutsideEndsTypingAndFocusDecidesTheLatch) {
    TestEngine->ClickReady = false;
    Edit->Run();
    EXPECT_TRUE(TestEngine->ClickReady); // without the keyboard it hands the latch back every frame
    Click(*Edit, 30, 30);
    EXPECT_FALSE(TestEngine->ClickReady);
    Click(*Edit, 100, 200);
    EXPECT_FALSE(Edit->Focused());
    EXPECT_TRUE(TestEngine->ClickReady);
    Type("x");
    EXPECT_EQ(Edit->Text(), "");
}

// A box without the keyboard gives the latch back only while no press is held: a button held down beside
// it fires once, not every frame (a held Load once saved the profile a hundred times).
TEST_F(TEngineEditWidgetTest, AButtonHeldBesideABoxWithoutTheKeyboardFiresOnce) {
    TEngineTextButton Load(*TestEngine, 0, "Load", 20, 120, 0xFFFFFFFFu, 0xFF00FF00u, 0, "Load");
    ASSERT_FALSE(Edit->Focused());
    At(Load.Rect().Left + 2, Load.Rect().Top + 2);
    Button(true);
    for (int Frame = 0; Frame < 100; ++Frame) {
        Edit->Run();
        Load.Run();
        Poll();
    }
    EXPECT_EQ(Clicks, std::vector<std::string>{"Load"});
    Button(false);
    Edit->Run();
    Load.Run();
    EXPECT_TRUE(TestEngine->ClickReady);
}

TEST_F(TEngineEditWidgetTest, CaretBlinksEveryHalfSecondAfterTheText) {
    TestClock.Advance(1000);
    Edit->NoBackground = true;
    Edit->BorderColour = White;
    Click(*Edit, 21, 21);
    EXPECT_TRUE(Edit->CaretShown());
    TestClock.Advance(500);
    Edit->Run();
    EXPECT_TRUE(Edit->CaretShown()); // not more than 500 ms yet
    TestClock.Advance(1);
    Edit->Run();
    EXPECT_FALSE(Edit->CaretShown());
    TestClock.Advance(501);
    Canvas.Flush();
    Clear();
    Type("MM");
    const int CaretX = 23 + TextWidth("MM");
    EXPECT_EQ(Drawn(CaretX, 30), 0xFFFFFFu);
    EXPECT_EQ(Drawn(CaretX, 21), 0u); // two pixels off the top
}

// ---- list boxes ----

class TEngineListBoxWidgetTest : public TEngineWidgetTest {
  protected:
    // Rows of 20 pixels: (214 - 2 - 10 - 2) div 20 = 10 visible rows.
    std::unique_ptr<TEngineListBox> Make(int Items) {
        auto List = std::make_unique<TEngineListBox>(*TestEngine, 10, 10, 150, 204, 0);
        for (int I = 0; I < Items; ++I)
            List->Add("item " + std::to_string(I));
        return List;
    }
    static constexpr int ArrowX = 144, UpY = 15, DownY = 204;
};

TEST_F(TEngineListBoxWidgetTest, ArrowsScrollAtMostEveryTenthOfASecondAndStopAtTheEnds) {
    auto Short = Make(3);
    EXPECT_EQ(Short->VisibleRows(), 10);
    Click(*Short, ArrowX, DownY);
    EXPECT_EQ(Short->TopIndex(), 0);

    auto List = Make(15);
    At(ArrowX, DownY);
    Button(true);
    for (const auto& [Wait, Top] :
         TSteps{{0, 1}, {0, 1}, {100, 1}, {1, 2}, {101, 3}, {101, 4}, {101, 5}, {101, 5}}) {
        TestClock.Advance(Wait);
        List->Run();
        EXPECT_EQ(List->TopIndex(), Top) << Wait;
    }
    At(ArrowX, UpY);
    for (const int Top : {4, 3, 2, 1, 0, 0}) {
        TestClock.Advance(101);
        List->Run();
        EXPECT_EQ(List->TopIndex(), Top);
    }
}

TEST_F(TEngineListBoxWidgetTest, TheWheelOverTheListScrollsThreeRowsANotchWithinTheItems) {
    TInputScript Script;
    std::string Error;
    ASSERT_TRUE(Script.Load("1 mouse wheel -1\n2 mouse wheel -1\n3 mouse wheel -1\n4 mouse wheel 1\n"
                            "5 mouse wheel 2\n",
                            Error))
        << Error;
    auto List = Make(15); // ten rows shown: the view starts at item 0 to 5
    At(200, 100);         // beside the list, the wheel is not the list's
    for (const auto& [Frame, Top] : TSteps{{1, 0}, {2, 3}, {3, 5}, {4, 2}, {5, 0}}) {
        if (Frame == 2)
            At(50, 100);
        Script.Feed(Frame, Input);
        Poll();
        List->Run();
        EXPECT_EQ(List->TopIndex(), Top) << Frame;
    }
}

TEST_F(TEngineListBoxWidgetTest, ClickingARowSelectsItsItemAndEmptyRowsChangeNothing) {
    auto List = Make(15);
    Click(*List, 50, 11 + 20 * 2 + 5);
    EXPECT_EQ(List->GetItem(List->Selected()), "item 2");
    List->SetTopIndex(12);
    Click(*List, 138, 11 + 20 * 1 + 5); // the last pixel before the scroll bar
    EXPECT_EQ(List->Selected(), 13);
    Click(*List, 50, 11 + 20 * 4 + 5); // row 4 would be item 16
    EXPECT_EQ(List->Selected(), 13);
    List->ResetSelection();
    EXPECT_EQ(List->GetItem(List->Selected()), "");
    EXPECT_TRUE(Clicks.empty()); // the screens read the selection themselves
}

TEST_F(TEngineListBoxWidgetTest, ThumbFollowsTheViewAndIsDraggedByTheMousesMotion) {
    auto Long = Make(200);
    Long->SetTopIndex(190);
    Long->Run();
    EXPECT_EQ(Long->ThumbLength(), 14);
    EXPECT_EQ(Long->ThumbPosition(), 214 - 22 - 8); // bounded by the length before it was raised

    auto List = Make(15);
    List->Run();
    EXPECT_EQ(List->ThumbLength(), 106); // 66 % of the 162-pixel track
    EXPECT_EQ(List->ThumbPosition(), 31);
    At(ArrowX, 100); // on the thumb wherever it goes below
    Input.MouseButton(0, true);
    for (const auto& [DY, Top] : TSteps{{3, 2}, {3, 4}, {3, 5}, {-7, 4}, {0, 4}}) {
        Input.MouseMove(0, DY);
        Poll();
        List->Run();
        EXPECT_EQ(List->TopIndex(), Top) << DY;
    }
    List->Run();
    EXPECT_EQ(List->ThumbPosition(), 31 + 26 * 162 / 100);
}

TEST_F(TEngineListBoxWidgetTest, SortedListsIgnoreCase) {
    auto List = Make(0);
    for (const char* Item : {"beta", "Alpha", "gamma"})
        List->Add(Item);
    EXPECT_EQ(List->GetItem(0), "beta");
    List->SetSorted(true);
    List->Add("\x8E"
              "ena"); // after the plain letters
    List->Add("ALPHA");
    for (int I = 0; const char* Item : {"Alpha", "ALPHA", "beta", "gamma",
                                        "\x8E"
                                        "ena"})
        EXPECT_EQ(List->GetItem(I++), Item);
}

// ---- cut labels ----

TEST_F(TEngineWidgetTest, CutLabelBreaksAtBlanksPastTheWidthAndAtCarets) {
    using TLines = std::vector<std::string>;
    EXPECT_EQ(TEngineCutLabel(*TestEngine, 0, 10, 10, 1000, 25, White, "ab^cd").Lines(),
              (TLines{"ab", "cd"}));
    EXPECT_EQ(TEngineCutLabel(*TestEngine, 0, 10, 10, 1000, 25, White, "  a  ^^b^").Lines(),
              (TLines{"a", "", "b", ""}));
    // Measured at the blank after a word, so "two" overruns the limit on the first line.
    const int Limit = TextWidth("one two ") - 1;
    EXPECT_EQ(TEngineCutLabel(*TestEngine, 0, 10, 10, Limit, 25, White, "one two three four").Lines(),
              (TLines{"one two", "three four"}));
}

} // namespace
