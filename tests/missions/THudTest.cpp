#include "THeadlessEngine.h"

#include "app/Globals.h"
#include "missions/THud.h"

#include <gtest/gtest.h>

namespace {

// The play screen with the gauges' pictures, as solid blocks narrower than a gauge step, over a dark blue
// screen, and the game's font as font 0.
class THudDrawing : public THeadlessEngine {
  protected:
    static constexpr uint32_t Background = 0xFF400000u;

    void SetUp() override {
        Width = 1024;
        Height = 768;
        THeadlessEngine::SetUp();
        std::string List = "[Textures]\nCount=3\n";
        const std::pair<const char*, uint32_t> Pictures[3] = {{"zr", Red}, {"z", Green}, {"t", White}};
        for (int N = 0; N < 3; ++N) {
            const auto& [Name, Colour] = Pictures[N];
            ASSERT_TRUE(TPngEncoder::Save(Dir / (std::string("Graphic/") + Name + ".png"),
                                          SolidPicture(10, 12, Colour)));
            List += "[Texture" + std::to_string(N) + "]\nName=" + Name +
                    "\nTexWidth=10\nTexHeight=12\nPtWidth=10\n"
                    "PtHeight=12\nNeedMask=0\nImage=Graphic\\" +
                    Name + ".png\n";
        }
        std::ofstream(Dir / "Graphic/Textures.ini") << List;
        ASSERT_TRUE(AddGameFonts({16}));
        Engine = std::make_unique<TEngine>(Dir.Dir(), Dir / "Graphic/Textures.ini", Timer, Canvas, Device,
                                           Mouse, Keyboard, Fonts);
        ClearScreen();
    }

    void TearDown() override {
        Engine.reset();
        THeadlessEngine::TearDown();
    }

    void ClearScreen() {
        SDL_SetRenderDrawColor(Device.Renderer(), 0, 0, 0x40, 255);
        SDL_RenderClear(Device.Renderer());
    }

    TPicture Drawn() {
        Canvas.Flush();
        TPicture Frame;
        EXPECT_TRUE(Device.ReadPixels(Frame));
        ClearScreen();
        return Frame;
    }

    // Segment I of a gauge starting at Left: its picture's top-left pixel, with nothing just left of it
    // or above it.
    static void ExpectSegment(const TPicture& Frame, int Left, int I, uint32_t Colour) {
        const int X = Left + 14 * I;
        EXPECT_EQ(Frame.At(X, 718), Colour) << "segment " << I;
        EXPECT_EQ(Frame.At(X - 1, 718), Background) << "segment " << I;
        EXPECT_EQ(Frame.At(X, 717), Background) << "segment " << I;
    }

    static constexpr uint32_t Red = 0xFF0000FFu;
    static constexpr uint32_t Green = 0xFF00FF00u;
    static constexpr uint32_t White = 0xFFFFFFFFu;
};

TEST_F(THudDrawing, GaugeSegmentsStepFourteenPixelsAlongTheBottomRedForTheLastOfTheHull) {
    for (const auto& [Energy, Segments] : {std::pair{8, 1}, {25, 4}, {100, 13}, {101, 0}}) {
        THud::RenderEnergy(Energy);
        const TPicture Frame = Drawn();
        for (int I = 0; I < 14; ++I)
            ExpectSegment(Frame, 588, I, I >= Segments ? Background : I < 3 ? Red : Green);
    }
    for (const auto& [Boost, Segments] : {std::pair{1, 1}, {92, 8}, {0, 0}}) {
        THud::RenderBoost(Boost);
        const TPicture Frame = Drawn();
        for (int I = 0; I < 9; ++I)
            ExpectSegment(Frame, 27, I, I < Segments ? White : Background);
    }
}

TEST_F(THudDrawing, ClockCharactersSitInFifteenPixelCellsWithColonsFiveToTheRight) {
    const std::string Clock = "01:15:250";
    const double X = 155.7;
    const double Y = 26.6;
    THud::RenderTime(0, Clock, X, Y, White);
    const TPicture Forward = Drawn();
    THud::RenderTimeBack(0, Clock, X, Y, White);
    const TPicture Back = Drawn();
    // Each character alone where its cell puts it, cut to whole pixels.
    auto Cells = [&](double Start) {
        for (size_t K = 0; K < Clock.size(); ++K)
            Engine->DrawText(Clock.substr(K, 1), std::trunc(Start + 15.0 * K + (Clock[K] == ':' ? 5 : 0)),
                             std::trunc(Y), 0, 0, White, 0);
        return Drawn();
    };
    EXPECT_TRUE(Forward.Pixels == Cells(X).Pixels);
    EXPECT_TRUE(Back.Pixels == Cells(X - 15.0 * Clock.size()).Pixels);
}

TEST(THud, ClockTextAndGauges) {
    EXPECT_EQ(THud::GetFormatTime(0), "00:00:000");
    EXPECT_EQ(THud::GetFormatTime(59999), "00:59:999");
    EXPECT_EQ(THud::GetFormatTime(75250), "01:15:250");
    EXPECT_EQ(THud::GetFormatTime(3600000), "60:00:000");
    EXPECT_EQ(THud::GetFormatTime(6000000), "100:00:000"); // never cut
    for (const auto& [Energy, Segments] :
         {std::pair{100, 13}, {101, 0}, {97, 13}, {96, 12}, {8, 1}, {9, 2}, {25, 4}, {0, 0}, {-5, 0}})
        EXPECT_EQ(THud::EnergySegments(Energy), Segments) << Energy;
    for (const auto& [Boost, Segments] : {std::pair{92, 8}, {91, 7}, {79, 7}, {78, 6}, {1, 1}, {0, 0}})
        EXPECT_EQ(THud::BoostSegments(Boost), Segments) << Boost;
}

TEST(THud, WeaponStatusByOwnedAndCharged) {
    GameText.wpnPhazer = "Phazer";
    GameText.statusNA = "n/a";
    GameText.statusDisCharge = "empty";
    GameText.statusFullActive = "ready";
    Profile.Owned[1] = 1;
    EXPECT_EQ(THud::GetWeaponStatus(1).Text, "Phazer - empty");
    EXPECT_EQ(THud::GetWeaponStatus(1).Color, 0xFF64B1FFu);
    Profile.Charged[1] = 1;
    EXPECT_EQ(THud::GetWeaponStatus(1).Color, 0xFF00FF00u);
    EXPECT_EQ(THud::GetWeaponStatus(0).Color, 0xFF0000FFu);
    EXPECT_EQ(THud::GetWeaponStatus(4).Text, "");
    ResetGlobals();
}

} // namespace
