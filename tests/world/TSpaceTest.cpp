#include "THeadlessEngine.h"

#include "app/Globals.h"
#include "world/TSpace.h"

#include <gtest/gtest.h>

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

} // namespace
