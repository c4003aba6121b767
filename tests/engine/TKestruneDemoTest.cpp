#include "THeadlessEngine.h"

#include "engine/TKestruneDemo.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// The intro on a full-size headless screen with its four pictures as 64 x 64 squares of one colour each.
// The runners' names are not in the list and so get entry 0: eight one-pixel patterns, cheap to draw.
class TKestruneDemoTest : public THeadlessEngine {
  protected:
    void SetUp() override {
        Width = 1024;
        Height = 768;
        THeadlessEngine::SetUp();
        std::string List = "[Textures]\nCount=5\n" + Entry(0, "runner", 8, 1, 1, 0);
        const std::pair<const char*, uint32_t> Pictures[4] = {
            {"symbol", Red}, {"kst_uvod", Green}, {"bg06", Blue}, {"title", White}};
        for (int Index = 0; Index < 4; ++Index)
            List += Entry(Index + 1, Pictures[Index].first, 64, 64, 64, Pictures[Index].second);
        std::ofstream(Dir / "Graphic/Textures.ini") << List;
        TestEngine = std::make_unique<TEngine>(Dir.Dir(), Dir / "Graphic/Textures.ini", Timer, Canvas, Device,
                                               Mouse, Keyboard, Fonts);
    }

    // A list entry of an opaque picture in one colour, its patterns PatternWidth wide.
    std::string Entry(int Index, const std::string& Name, int TexWidth, int TexHeight, int PatternWidth,
                      uint32_t Colour) {
        EXPECT_TRUE(TPngEncoder::Save(Dir / ("Graphic/" + Name + ".png"),
                                      SolidPicture(TexWidth, TexHeight, 0xFF000000u | Colour)));
        return "[Texture" + std::to_string(Index) + "]\nName=" + Name +
               "\nTexWidth=" + std::to_string(TexWidth) + "\nTexHeight=" + std::to_string(TexHeight) +
               "\nPtWidth=" + std::to_string(PatternWidth) + "\nPtHeight=" + std::to_string(TexHeight) +
               "\nNeedMask=0\nImage=Graphic\\" + Name + ".png\n";
    }

    // Colours as the screen reads back, red in the lowest byte.
    static constexpr uint32_t Red = 0x0000FFu, Green = 0x00FF00u, Blue = 0xFF0000u, White = 0xFFFFFFu;
    // Which picture a pixel shows, whatever its alpha: each colour channel full or empty.
    uint32_t PictureAt(int X, int Y) {
        const uint32_t Pixel = PixelAt(X, Y);
        uint32_t Shade = 0;
        for (int Shift = 0; Shift < 24; Shift += 8)
            if ((Pixel >> Shift & 0xFFu) > 8)
                Shade |= 0xFFu << Shift;
        return Shade;
    }
};

TEST_F(TKestruneDemoTest, StagesFollowEachOtherWithTheirPicturesAndTimes) {
    TKestruneDemo Demo(*TestEngine, nullptr);
    struct TStage {
        int Stage;
        int Frames;
        uint32_t Picture; // at the screen's centre, once the stage has run for 10 frames
    };
    std::vector<TStage> Seen;
    uint32_t AboveTitle = 1;
    // 11 ms frames: one fade step and one runner step in every frame.
    for (int Frame = 0; Frame < 4000 && !IntroFinished; ++Frame) {
        TestClock.Advance(11);
        if (!Seen.empty() && Seen.back().Frames == 9)
            Clear(); // for the frame that is looked at
        Demo.Run();
        Canvas.Flush();
        if (Seen.empty() || Seen.back().Stage != Demo.Stage)
            Seen.push_back({Demo.Stage, 0, 0});
        if (++Seen.back().Frames != 10)
            continue;
        Seen.back().Picture = PictureAt(512, 384);
        if (Demo.Stage == 15)
            AboveTitle = PictureAt(512, 362);
    }
    ASSERT_TRUE(IntroFinished);
    // The last orc starts at x = -1559 and runs 3 pixels a frame past 1040; each fade is 127 steps of 2;
    // each hold lasts until more than 500 ms have passed. A stage's last frame is counted under the next
    // stage, so only the final one keeps it. Without fonts the presenting line shows nothing.
    const std::vector<TStage> Expected = {
        {0, 867, 0},    {1, 46, 0},      {2, 127, Red},    {3, 46, Red},    {4, 127, Red},   {5, 127, Green},
        {6, 46, Green}, {7, 127, Green}, {8, 127, Blue},   {9, 46, Blue},   {10, 127, Blue}, {11, 46, 0},
        {12, 127, 0},   {13, 46, 0},     {14, 127, White}, {15, 46, White}, {16, 128, White}};
    ASSERT_EQ(Seen.size(), Expected.size());
    for (size_t Index = 0; Index < Seen.size(); ++Index) {
        EXPECT_EQ(Seen[Index].Stage, Expected[Index].Stage) << Index;
        EXPECT_EQ(Seen[Index].Frames, Expected[Index].Frames) << "stage " << Seen[Index].Stage;
        EXPECT_EQ(Seen[Index].Picture, Expected[Index].Picture) << "stage " << Seen[Index].Stage;
    }
    EXPECT_EQ(AboveTitle, 0u); // the title hangs from y = 364 instead of being centred
}

TEST_F(TKestruneDemoTest, EscEnterSpaceOrAClickEndsItAtOnce) {
    constexpr int Click = -1;
    for (const auto& [Key, Ends] :
         {std::pair{1, true}, {28, true}, {156, true}, {57, true}, {Click, true}, {30, false}}) {
        IntroFinished = false;
        TKestruneDemo Intro(*TestEngine, nullptr);
        Intro.Run();
        for (const bool Down : {true, false}) {
            if (Key == Click)
                Input.MouseButton(0, Down);
            else
                Input.KeyEvent(Key, Down);
            Mouse.Update();
            Keyboard.Update();
            Intro.Run();
            EXPECT_EQ(IntroFinished, Ends) << Key;
        }
    }
}

} // namespace
