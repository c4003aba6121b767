#include <gtest/gtest.h>

#include "render/TInputScript.h"

#include <SDL.h>

namespace {

std::string LoadError(const std::string& Text) {
    TInputScript Script;
    std::string Error;
    EXPECT_FALSE(Script.Load(Text, Error)) << Text;
    EXPECT_TRUE(Script.Finished());
    return Error;
}

TEST(TInputScriptTest, EventsArriveBeforeTheirFrameInFileOrder) {
    TInputScript Script;
    std::string Error;
    ASSERT_TRUE(Script.Load("# start the game\r\n"
                            "\n"
                            "5 key down 57   # space\r\n"
                            "2 mouse move -3 +4\n"
                            "5 mouse down 0\n"
                            "2 mouse move 1 1\n"
                            "7 key up 57\n"
                            "6 mouse up 0\n"
                            "  3 text Žluťoučký kůň # not a comment\n",
                            Error))
        << Error;
    TInputState State;
    Script.Feed(1, State);
    EXPECT_EQ(State.PendingMouseEvents(), 0u);
    Script.Feed(3, State);
    auto Moves = State.TakeMouseEvents(10);
    ASSERT_EQ(Moves.size(), 1u); // the two moves of frame 2 coalesced
    EXPECT_EQ(Moves[0].DX, -2);
    EXPECT_EQ(Moves[0].DY, 5);
    EXPECT_EQ(State.TakeText(), "Žluťoučký kůň # not a comment");
    Script.Feed(5, State);
    EXPECT_EQ(State.KeyState(57), 0x80);
    EXPECT_EQ(State.TakeMouseEvents(10).size(), 1u);
    Script.Feed(5, State); // nothing is delivered twice
    EXPECT_EQ(State.PendingMouseEvents(), 0u);
    EXPECT_FALSE(Script.Finished());
    Script.Feed(100, State);
    EXPECT_EQ(State.KeyState(57), 0);
    EXPECT_TRUE(Script.Finished());
}

TEST(TInputScriptTest, SameFrameKeepsFileOrder) {
    TInputScript Script;
    std::string Error;
    ASSERT_TRUE(Script.Load("4 key down 1\n1 key down 2\n4 key up 1\n4 text a\n1 text b\n4 text c", Error));
    const auto& Events = Script.ScriptEvents();
    ASSERT_EQ(Events.size(), 6u);
    EXPECT_EQ(Events[0].A, 2);
    EXPECT_EQ(Events[1].Text, "b");
    EXPECT_EQ(Events[2].Kind, TInputScript::TEvent::TKind::KeyDown);
    EXPECT_EQ(Events[3].Kind, TInputScript::TEvent::TKind::KeyUp);
    TInputState State;
    Script.Feed(4, State);
    EXPECT_EQ(State.KeyState(1), 0); // down then up
    EXPECT_EQ(State.TakeText(), "bac");
}

TEST(TInputScriptTest, ErrorsNameTheLine) {
    EXPECT_EQ(LoadError("1 key down 2\n\n5 key dwn 57\n"),
              "input script line 3: \"5 key dwn 57\": expected \"down\" or \"up\" after \"key\"");
    EXPECT_NE(LoadError("-1 key down 2").find("line 1: \"-1 key down 2\": expected a frame number"),
              std::string::npos);
    EXPECT_NE(LoadError("1 key down 256\r\n").find("\"1 key down 256\": expected a key code"),
              std::string::npos);
    EXPECT_NE(LoadError("1 mouse down 8").find("mouse button 0..7"), std::string::npos);
    EXPECT_NE(LoadError("1 mouse move 3").find("DX DY"), std::string::npos);
    EXPECT_NE(LoadError("1 mouse move 3 x").find("DX DY"), std::string::npos);
    EXPECT_NE(LoadError("1 mouse scroll 1").find("\"move\", \"at\", \"down\", \"up\" or \"wheel\""),
              std::string::npos);
    EXPECT_NE(LoadError("1 mouse wheel up").find("wheel notches"), std::string::npos);
    EXPECT_NE(LoadError("1 key down 5 6").find("unexpected \"6\""), std::string::npos);
    // Binary bytes reach the terminal escaped, past a NUL as well, and a long line is cut.
    EXPECT_NE(LoadError(std::string("1 key \x1B[2J\0\xFF", 12)).find("\"1 key \\x1B[2J\\x00\\xFF\""),
              std::string::npos);
    EXPECT_LT(LoadError("1 key " + std::string(5000, 'x')).size(), 200u);
    EXPECT_NE(LoadError("1 #key down 5").find("after the frame number"), std::string::npos);
    EXPECT_NE(LoadError("1 text").find("text"), std::string::npos);
    EXPECT_NE(LoadError("1x key down 5").find("frame number"), std::string::npos);
    EXPECT_NE(LoadError("1 text \xC5").find("UTF-8"), std::string::npos);
}

TEST(TInputScriptTest, WindowAndPadEventsReachTheInputState) {
    TInputScript Script;
    std::string Error;
    ASSERT_TRUE(Script.Load("1 key down 57\n"
                            "1 window focus-lost\n"
                            "1 window focus-gained\n"
                            "2 window minimised\n"
                            "3 window restored\n"
                            "4 pad down rightshoulder\n"
                            "4 pad axis lefty -32768\n"
                            "4 pad up a\n",
                            Error))
        << Error;
    TInputState State;
    Script.Feed(1, State);
    EXPECT_TRUE(State.Focused);
    EXPECT_EQ(State.KeyState(57), 0); // the focus went away and took the key with it
    EXPECT_TRUE(State.TakeWindowLeft());
    EXPECT_FALSE(State.TakeWindowLeft());
    Script.Feed(2, State);
    EXPECT_TRUE(State.Minimised);
    Script.Feed(3, State);
    EXPECT_FALSE(State.Minimised);
    EXPECT_TRUE(State.TakeWindowLeft());
    Script.Feed(4, State);
    const std::vector<TPadEvent> Pad = State.TakePadEvents();
    ASSERT_EQ(Pad.size(), 3u);
    EXPECT_EQ(Pad[0].Kind, TPadEvent::TKind::Button);
    EXPECT_EQ(Pad[0].Control, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
    EXPECT_EQ(Pad[0].Value, 1);
    EXPECT_EQ(Pad[1].Kind, TPadEvent::TKind::Axis);
    EXPECT_EQ(Pad[1].Control, SDL_CONTROLLER_AXIS_LEFTY);
    EXPECT_EQ(Pad[1].Value, -32768);
    EXPECT_EQ(Pad[2].Control, SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(Pad[2].Value, 0);

    EXPECT_NE(LoadError("1 window closed").find("\"focus-lost\", \"focus-gained\""), std::string::npos);
    EXPECT_NE(LoadError("1 pad down A").find("expected a pad button"), std::string::npos);
    EXPECT_NE(LoadError("1 pad down lefty").find("expected a pad button"), std::string::npos);
    EXPECT_NE(LoadError("1 pad axis -leftx 5").find("expected a pad axis"), std::string::npos);
    EXPECT_NE(LoadError("1 pad axis leftx 32768").find("-32768..32767"), std::string::npos);
    EXPECT_NE(LoadError("1 pad press a").find("after \"pad\""), std::string::npos);
    EXPECT_NE(LoadError("1 pad up a b").find("unexpected \"b\""), std::string::npos);
}

TEST(TInputScriptTest, FailedLoadLeavesNothingToFeed) {
    TInputScript Script;
    std::string Error;
    ASSERT_TRUE(Script.Load("0 key down 1", Error));
    EXPECT_FALSE(Script.Load("0 key down 1\nbad", Error));
    TInputState State;
    Script.Feed(10, State);
    EXPECT_EQ(State.KeyState(1), 0);
    ASSERT_TRUE(Script.Load("0 seed 5\n1 clock 7", Error));
    EXPECT_FALSE(Script.Load("0 seed 5\n1 clock 7\nbad", Error));
    EXPECT_FALSE(Script.SetsSeed());
    EXPECT_FALSE(Script.SetsClock());
    EXPECT_FALSE(Script.LoadFile("/nonexistent/script.txt", Error));
    EXPECT_NE(Error.find("/nonexistent/script.txt"), std::string::npos);
    // A folder is not read as an endless stream of errors.
    const std::string Folder = testing::TempDir();
    EXPECT_FALSE(Script.LoadFile(Folder, Error));
    EXPECT_EQ(Error, "input script \"" + Folder + "\": is a folder");
}

// What a recording writes reads back as the same event, for every kind of event.
TEST(TInputScriptTest, EveryEventReadsBackFromItsLine) {
    using TKind = TInputEvent::TKind;
    const std::vector<TInputEvent> Events = {
        {TKind::KeyDown, 1, 57, 0, ""},
        {TKind::KeyUp, 2, 255, 0, ""},
        {TKind::MouseMove, 3, -2147483647 - 1, 2147483647, ""},
        {TKind::MouseAt, 3, 1023, 0, ""},
        {TKind::MouseDown, 4, 7, 0, ""},
        {TKind::MouseUp, 4, 0, 0, ""},
        {TKind::MouseWheel, 5, -1000, 0, ""},
        {TKind::Text, 6, 0, 0, " Žluť # 1 "},
        {TKind::Window, 7, static_cast<int>(TWindowEvent::FocusLost), 0, ""},
        {TKind::Window, 7, static_cast<int>(TWindowEvent::FocusGained), 0, ""},
        {TKind::Window, 7, static_cast<int>(TWindowEvent::Minimised), 0, ""},
        {TKind::Window, 7, static_cast<int>(TWindowEvent::Restored), 0, ""},
        {TKind::Window, 8, static_cast<int>(TWindowEvent::Close), 0, ""},
        {TKind::PadDown, 9, SDL_CONTROLLER_BUTTON_DPAD_UP, 0, ""},
        {TKind::PadUp, 9, SDL_CONTROLLER_BUTTON_START, 0, ""},
        {TKind::PadAxis, 9, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -32768, ""},
    };
    std::string Text;
    for (const TInputEvent& Event : Events)
        Text += TInputScript::Line(Event) + "\n";
    Text += TInputScript::ClockLine(3, 17) + "\n" + TInputScript::SeedLine(4294967295u) + "\n";
    TInputScript Script;
    std::string Error;
    ASSERT_TRUE(Script.Load(Text, Error)) << Error << "\n" << Text;
    ASSERT_EQ(Script.ScriptEvents().size(), Events.size());
    for (size_t Index = 0; Index < Events.size(); ++Index) {
        const TInputEvent& Read = Script.ScriptEvents()[Index];
        EXPECT_EQ(Read.Kind, Events[Index].Kind) << Index;
        EXPECT_EQ(Read.Frame, Events[Index].Frame) << Index;
        EXPECT_EQ(Read.A, Events[Index].A) << Index;
        EXPECT_EQ(Read.B, Events[Index].B) << Index;
        EXPECT_EQ(Read.Text, Events[Index].Text) << Index;
    }
    uint32_t Step = 0;
    EXPECT_FALSE(Script.ClockStep(2, Step));
    EXPECT_TRUE(Script.ClockStep(3, Step));
    EXPECT_EQ(Step, 17u);
    Step = 0;
    EXPECT_TRUE(Script.ClockStep(4, Step)); // until the next clock line
    EXPECT_EQ(Step, 17u);
    EXPECT_TRUE(Script.SetsSeed());
    EXPECT_EQ(Script.Seed(), 4294967295u);
    // Line breaks cannot stand in a line, and typing ignores control characters anyway.
    EXPECT_EQ(TInputScript::Line({TKind::Text, 2, 0, 0, "a\r\nb"}), "2 text ab");
    EXPECT_EQ(TInputScript::Line({TKind::Text, 2, 0, 0, "\n"}), "");
}

TEST(TInputScriptTest, ClockAndSeedLinesAreCheckedAndCloseAndPointerArrive) {
    EXPECT_NE(LoadError("0 clock 10").find("from 1 on"), std::string::npos);
    EXPECT_NE(LoadError("1 clock 2147483648").find("milliseconds"), std::string::npos);
    EXPECT_NE(LoadError("1 clock -1").find("milliseconds"), std::string::npos);
    EXPECT_NE(LoadError("2 clock 10\n1 key down 1\n2 clock 10").find("line 3"), std::string::npos);
    EXPECT_NE(LoadError("1 seed 4").find("frame 0"), std::string::npos);
    EXPECT_NE(LoadError("0 seed 4294967296").find("seed 0..4294967295"), std::string::npos);
    EXPECT_NE(LoadError("0 seed 1\n0 seed 1").find("once"), std::string::npos);
    EXPECT_NE(LoadError("1 mouse at 5").find("X Y"), std::string::npos);

    TInputScript Script;
    std::string Error;
    ASSERT_TRUE(Script.Load("1 mouse at 700 20\n1 window close\n", Error)) << Error;
    TInputState State;
    Script.Feed(1, State);
    int X = 0;
    int Y = 0;
    ASSERT_TRUE(State.TakePointer(X, Y));
    EXPECT_EQ(X, 700);
    EXPECT_EQ(Y, 20);
    EXPECT_TRUE(State.TakeCloseRequest());
    EXPECT_FALSE(State.TakeCloseRequest());
}

TEST(TInputScriptTest, HashInsideAWordIsNotAComment) {
    TInputScript Script;
    std::string Error;
    EXPECT_FALSE(Script.Load("1 key down 5#6", Error));
    EXPECT_TRUE(Script.Load("1 key down 5 #6", Error));
}

} // namespace
