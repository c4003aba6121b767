#include "app/TGamepadMapper.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using TMode = TGamepadMapper::TMode;

// Left, right, speed up, speed down, boost, weapon up, weapon down, fire, plant mine, debug, exit: codes
// apart from Esc, Enter, Space and F1, so every row shows which binding it went through.
const std::array<int, 11> Bindings = {30, 32, 17, 31, 42, 19, 18, 29, 50, 33, 16};
constexpr int None = -1;

TPadEvent Button(SDL_GameControllerButton Which, bool Down) {
    return {TPadEvent::TKind::Button, Which, Down ? 1 : 0};
}

TPadEvent Axis(SDL_GameControllerAxis Which, int Position) {
    return {TPadEvent::TKind::Axis, Which, Position};
}

std::vector<int> KeysDown(const TInputState& Input) {
    std::vector<int> Down;
    for (int Code = 0; Code < 256; ++Code)
        if (Input.KeyState(Code) != 0)
            Down.push_back(Code);
    return Down;
}

struct TRow {
    TMode Mode;
    TPadEvent Press;
    TPadEvent Release;
    int Key;            // the key held while the pad is, or None
    bool Click = false; // the left mouse button instead
    int DX = 0;         // cursor motion in one frame
    int DY = 0;
};

TEST(TGamepadMapperTest, EachButtonAndStickDoesWhatItsKeyOrTheMouseWould) {
    using B = SDL_GameControllerButton;
    const auto Press = [](B Which) { return Button(Which, true); };
    const auto Let = [](B Which) { return Button(Which, false); };
    const TPadEvent Centre = Axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
    const TPadEvent CentreY = Axis(SDL_CONTROLLER_AXIS_LEFTY, 0);
    const TRow Rows[] = {
        {TMode::pmPlay, Press(SDL_CONTROLLER_BUTTON_DPAD_LEFT), Let(SDL_CONTROLLER_BUTTON_DPAD_LEFT), 30},
        {TMode::pmPlay, Press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT), Let(SDL_CONTROLLER_BUTTON_DPAD_RIGHT), 32},
        {TMode::pmPlay, Press(SDL_CONTROLLER_BUTTON_DPAD_UP), Let(SDL_CONTROLLER_BUTTON_DPAD_UP), 17},
        {TMode::pmPlay, Press(SDL_CONTROLLER_BUTTON_DPAD_DOWN), Let(SDL_CONTROLLER_BUTTON_DPAD_DOWN), 31},
        {TMode::pmPlay, Axis(SDL_CONTROLLER_AXIS_LEFTX, -20000), Centre, 30},
        {TMode::pmPlay, Axis(SDL_CONTROLLER_AXIS_LEFTX, 20000), Centre, 32},
        {TMode::pmPlay, Axis(SDL_CONTROLLER_AXIS_LEFTY, -20000), CentreY, 17},
        {TMode::pmPlay, Axis(SDL_CONTROLLER_AXIS_LEFTY, 20000), CentreY, 31},
        {TMode::pmPlay, Axis(SDL_CONTROLLER_AXIS_LEFTX, 7000), Centre, None}, // a stick at rest
        {TMode::pmPlay, Press(SDL_CONTROLLER_BUTTON_A), Let(SDL_CONTROLLER_BUTTON_A), 29},
        {TMode::pmPlay, Press(SDL_CONTROLLER_BUTTON_B), Let(SDL_CONTROLLER_BUTTON_B), 42},
        {TMode::pmPlay, Press(SDL_CONTROLLER_BUTTON_X), Let(SDL_CONTROLLER_BUTTON_X), 50},
        {TMode::pmPlay, Press(SDL_CONTROLLER_BUTTON_LEFTSHOULDER), Let(SDL_CONTROLLER_BUTTON_LEFTSHOULDER),
         18},
        {TMode::pmPlay, Press(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER), Let(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER),
         19},
        {TMode::pmPlay, Press(SDL_CONTROLLER_BUTTON_START), Let(SDL_CONTROLLER_BUTTON_START), 16},
        {TMode::pmPlay, Press(SDL_CONTROLLER_BUTTON_BACK), Let(SDL_CONTROLLER_BUTTON_BACK), 59},
        {TMode::pmPlay, Press(SDL_CONTROLLER_BUTTON_Y), Let(SDL_CONTROLLER_BUTTON_Y), None},
        {TMode::pmBriefing, Press(SDL_CONTROLLER_BUTTON_A), Let(SDL_CONTROLLER_BUTTON_A), 57},
        {TMode::pmBriefing, Press(SDL_CONTROLLER_BUTTON_START), Let(SDL_CONTROLLER_BUTTON_START), 28},
        {TMode::pmBriefing, Press(SDL_CONTROLLER_BUTTON_B), Let(SDL_CONTROLLER_BUTTON_B), 1},
        {TMode::pmMenu, Press(SDL_CONTROLLER_BUTTON_A), Let(SDL_CONTROLLER_BUTTON_A), None, true},
        {TMode::pmMenu, Press(SDL_CONTROLLER_BUTTON_B), Let(SDL_CONTROLLER_BUTTON_B), 1},
        {TMode::pmMenu, Press(SDL_CONTROLLER_BUTTON_START), Let(SDL_CONTROLLER_BUTTON_START), 1},
        {TMode::pmMenu, Press(SDL_CONTROLLER_BUTTON_X), Let(SDL_CONTROLLER_BUTTON_X), None},
        {TMode::pmMenu, Press(SDL_CONTROLLER_BUTTON_BACK), Let(SDL_CONTROLLER_BUTTON_BACK), None},
        {TMode::pmMenu, Axis(SDL_CONTROLLER_AXIS_LEFTX, 32767), Centre, None, false, 12, 0},
        {TMode::pmMenu, Axis(SDL_CONTROLLER_AXIS_LEFTY, -32768), CentreY, None, false, 0, -12},
        {TMode::pmMenu, Axis(SDL_CONTROLLER_AXIS_LEFTX, -8001), Centre, None, false, -1, 0},
        {TMode::pmMenu, Axis(SDL_CONTROLLER_AXIS_LEFTX, 7000), Centre, None},
        {TMode::pmMenu, Press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT), Let(SDL_CONTROLLER_BUTTON_DPAD_RIGHT), None,
         false, 6, 0},
        {TMode::pmMenu, Press(SDL_CONTROLLER_BUTTON_DPAD_UP), Let(SDL_CONTROLLER_BUTTON_DPAD_UP), None, false,
         0, -6},
    };
    int RowNumber = 0;
    for (const TRow& Row : Rows) {
        SCOPED_TRACE(RowNumber++);
        TInputState Input;
        TGamepadMapper Mapper(Input);
        Mapper.SetMode(Row.Mode, Bindings);
        Mapper.Take(Row.Press);
        Mapper.Tick();
        EXPECT_EQ(KeysDown(Input), Row.Key == None ? std::vector<int>{} : std::vector<int>{Row.Key});
        std::vector<TMouseEvent> Mouse = Input.TakeMouseEvents(10);
        const bool Clicked = !Mouse.empty() && Mouse[0].Kind == TMouseEvent::TKind::Button && Mouse[0].Down;
        EXPECT_EQ(Clicked, Row.Click);
        const bool Moved = !Mouse.empty() && Mouse.back().Kind == TMouseEvent::TKind::Move;
        EXPECT_EQ(Moved ? Mouse.back().DX : 0, Row.DX);
        EXPECT_EQ(Moved ? Mouse.back().DY : 0, Row.DY);
        Mapper.Take(Row.Release);
        Mapper.Tick();
        EXPECT_EQ(KeysDown(Input), std::vector<int>{});
        Mouse = Input.TakeMouseEvents(10);
        EXPECT_EQ(Mouse.size(), Row.Click ? 1u : 0u); // the click's release, and no more motion
    }
}

TEST(TGamepadMapperTest, AButtonHeldAcrossAChangeOfScreenActsOnlyAfterItIsLetGo) {
    TInputState Input;
    TGamepadMapper Mapper(Input);
    Mapper.SetMode(TMode::pmPlay, Bindings);
    Mapper.Take(Button(SDL_CONTROLLER_BUTTON_START, true));
    EXPECT_EQ(KeysDown(Input), std::vector<int>{16});
    // The exit dialog opens: Start, still held, must not answer it at once.
    Mapper.SetMode(TMode::pmMenu, Bindings);
    EXPECT_EQ(KeysDown(Input), std::vector<int>{});
    Mapper.Take(Button(SDL_CONTROLLER_BUTTON_START, false));
    Mapper.Take(Button(SDL_CONTROLLER_BUTTON_START, true));
    EXPECT_EQ(KeysDown(Input), std::vector<int>{1});
}

} // namespace
