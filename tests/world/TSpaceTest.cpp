#include "THeadlessEngine.h"

#include "app/Globals.h"
#include "world/TSpace.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>

namespace {

class TSpaceTest : public THeadlessEngine {
  protected:
    void SetUp() override {
        THeadlessEngine::SetUp();
        TestClock.SetTickCount(1000);
        Space = std::make_unique<TSpace>(*TestEngine);
    }
    void TearDown() override {
        Space.reset();
        THeadlessEngine::TearDown();
    }

    std::unique_ptr<TSpace> Space;
};

TEST_F(TSpaceTest, ThreeLayersOfFourHundredColouredStarsNeverFullyTransparent) {
    std::set<uint32_t> Rgbs;
    for (const std::vector<TStar>& Layer : Space->Layers) {
        ASSERT_EQ(Layer.size(), 400u);
        for (const TStar& Star : Layer) {
            EXPECT_TRUE(Star.X >= 0 && Star.X < 1024 && Star.Y >= 0 && Star.Y < 768);
            EXPECT_GE(Star.Colour >> 24, 1u);
            Rgbs.insert(Star.Colour & 0xFFFFFF);
        }
    }
    EXPECT_EQ(Rgbs, (std::set<uint32_t>{0xFFFFFF, 0x00FFFF, 0xFF0000, 0x0000FF}));
}

TEST_F(TSpaceTest, StarsFlowAgainstTheHeadingOncePerTwentyMsAndWrapAtTheEdges) {
    TStar& Near = Space->Layers[0][0];
    TStar& Far = Space->Layers[2][0];
    Near = {500, 300, 0};
    Far = {500, 300, 0};
    // Two frames 10 ms apart, then one 25 ms later: one step, at the third.
    TestClock.Advance(10);
    Space->MoveStars(90);
    TestClock.Advance(10);
    Space->MoveStars(90);
    EXPECT_EQ(Near.Y, 300);
    TestClock.Advance(25);
    Space->MoveStars(90); // heading down: the stars rise
    EXPECT_NEAR(Near.Y, 299.3, 1e-9);
    EXPECT_NEAR(Far.Y, 299.8, 1e-9);
    EXPECT_NEAR(Near.X, 500, 1e-9);
    Near = {1023.9, 10, 0};
    Far = {0.05, 10, 0};
    TestClock.Advance(21);
    Space->MoveStars(180); // heading left: the stars flow right
    EXPECT_EQ(Near.X, 0);
    Space->StarMotion = 1;
    Far = {10, 767.9, 0};
    TestClock.Advance(21);
    Space->MoveStars(180);
    EXPECT_NEAR(Far.X, 10.2, 1e-9);
    EXPECT_EQ(Far.Y, 0);
    Space->StarMotion = 2;
    Far = {10, 10, 0};
    TestClock.Advance(21);
    Space->MoveStars(180);
    EXPECT_EQ(Far.X, 10);
    Space->StarMotion = 0;
    Far = {0.1, 10, 0};
    TestClock.Advance(21);
    Space->MoveStars(0); // heading right: flowing left past the edge
    EXPECT_EQ(Far.X, 1024);
}

TEST_F(TSpaceTest, SceneryByMissionNameKeepingTheLastScaleWhenThereIsNone) {
    double Scale = 1.0;
    EXPECT_EQ(TSpace::SceneryFor("level03", Scale), "mor");
    EXPECT_EQ(Scale, 0.5);
    EXPECT_EQ(TSpace::SceneryFor("level05", Scale), "");
    EXPECT_EQ(Scale, 0.5);
    EXPECT_EQ(TSpace::SceneryFor("LEVEL06", Scale), ""); // matched exactly
    EXPECT_EQ(TSpace::SceneryFor("level16", Scale), "furg");
    EXPECT_EQ(Scale, 0.3);
    Space->Run(0, "level09");
    EXPECT_EQ(Space->SceneryName, "rocketstation");
    Space->Run(0, "");
    EXPECT_EQ(Space->SceneryName, "");
    EXPECT_EQ(Space->SceneryScale, 1.0);
}

// A full screen over a green ground, with a small red-blue backdrop and two scenery pictures.
class TSpaceDrawing : public THeadlessEngine {
  protected:
    static constexpr uint32_t Ground = 0xFF005000u;

    void SetUp() override {
        Width = 1024;
        Height = 768;
        THeadlessEngine::SetUp();
        AddPicture(0, "gamebg", 16, 16, 0xFF000064u);
        AddPicture(1, "mor", 200, 100, 0xFF0000FFu);
        AddPicture(2, "rocketstation", 100, 60, 0xFFFF0000u);
        std::ofstream(Dir / "Graphic/Textures.ini") << "[Textures]\nCount=3\n" << List;
        TestEngine = std::make_unique<TEngine>(Dir.Dir(), Dir / "Graphic/Textures.ini", Timer, Canvas, Device,
                                               Mouse, Keyboard, Fonts);
        Space = std::make_unique<TSpace>(*TestEngine);
        // The stars stand still in a corner, out of the way.
        Space->StarMotion = 2;
        for (std::vector<TStar>& Layer : Space->Layers)
            for (TStar& Star : Layer)
                Star = {1000, 700, 0xFFFFFFFFu};
    }

    void TearDown() override {
        Space.reset();
        THeadlessEngine::TearDown();
    }

    void AddPicture(int N, const std::string& Name, int W, int H, uint32_t Colour) {
        ASSERT_TRUE(TPngEncoder::Save(Dir / ("Graphic/" + Name + ".png"), SolidPicture(W, H, Colour)));
        List += "[Texture" + std::to_string(N) + "]\nName=" + Name + "\nTexWidth=" + std::to_string(W) +
                "\nTexHeight=" + std::to_string(H) + "\nPtWidth=" + std::to_string(W) +
                "\nPtHeight=" + std::to_string(H) + "\nNeedMask=0\nImage=Graphic\\" + Name + ".png\n";
    }

    TPicture Frame(const std::string& Mission) {
        SDL_SetRenderDrawColor(Device.Renderer(), 0, 0x50, 0, 255);
        SDL_RenderClear(Device.Renderer());
        Space->Run(0, Mission);
        Canvas.Flush();
        TPicture Picture;
        EXPECT_TRUE(Device.ReadPixels(Picture));
        return Picture;
    }

    std::string List;
    std::unique_ptr<TSpace> Space;
};

TEST_F(TSpaceDrawing, BackdropAddsToWhatIsBelowAndSceneryKeepsTheFullSizeTopLeftCorner) {
    struct TRow {
        const char* Mission;
        uint32_t Colour;
        int Left, Top, Width, Height;
    };
    const TRow Rows[] = {
        {"level03", 0xFF0000FFu, 412, 334, 100, 50}, // half size, up and left of the centre
        {"level04", 0xFF0000FFu, 412, 334, 200, 100},
        {"level06", 0xFFFF0000u, 462, 354, 20, 12},
        {"level05", 0, 462, 354, 0, 0}, // none, though the mission before had one
    };
    for (const TRow& Row : Rows) {
        const TPicture Picture = Frame(Row.Mission);
        // The backdrop at its own size from the top-left corner, added to the ground.
        EXPECT_EQ(Picture.At(0, 0), 0xFF005064u) << Row.Mission;
        EXPECT_EQ(Picture.At(15, 15), 0xFF005064u) << Row.Mission;
        EXPECT_EQ(Picture.At(16, 16), Ground) << Row.Mission;
        const int Right = Row.Left + Row.Width;
        const int Bottom = Row.Top + Row.Height;
        if (Row.Width > 0) {
            EXPECT_EQ(Picture.At(Row.Left, Row.Top), Row.Colour) << Row.Mission;
            EXPECT_EQ(Picture.At(Right - 1, Bottom - 1), Row.Colour) << Row.Mission;
        } else {
            EXPECT_EQ(Picture.At(Row.Left, Row.Top), Ground) << Row.Mission;
        }
        EXPECT_EQ(Picture.At(Row.Left - 1, Row.Top), Ground) << Row.Mission;
        EXPECT_EQ(Picture.At(Row.Left, Row.Top - 1), Ground) << Row.Mission;
        EXPECT_EQ(Picture.At(Right, Bottom - 1), Ground) << Row.Mission;
        EXPECT_EQ(Picture.At(Right - 1, Bottom), Ground) << Row.Mission;
    }
}

} // namespace
