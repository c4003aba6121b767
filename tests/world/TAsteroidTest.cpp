#include "THeadlessEngine.h"

#include "app/Globals.h"
#include "particles/TMessage.h"
#include "world/TAsteroid.h"
#include "world/TRocket.h"
#include "world/TShip.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// The field in play, a ship far off and rockets, over a headless engine with no pictures, on a fake clock.
class TAsteroidTest : public THeadlessEngine {
  protected:
    void SetUp() override {
        THeadlessEngine::SetUp();
        TestClock.SetTickCount(100000);
        Ship = std::make_unique<TShip>(*TestEngine);
        Field = std::make_unique<TAsteroid>(*TestEngine);
        Field->Active = true;
        PlaceShip(2000, 2000);
    }

    void PlaceShip(double X, double Y) {
        Ship->X = X;
        Ship->Y = Y;
        Ship->Angle = 360;
        Ship->UpdateHitPoints();
    }

    TRocket& AddRocket(int Kind, double X, double Y, int Angle) {
        TRocket& Rocket = *Rockets.emplace_back(std::make_unique<TRocket>(*TestEngine));
        std::tie(Rocket.Kind, Rocket.X, Rocket.Y, Rocket.Angle) = std::tuple{Kind, X, Y, Angle};
        Rocket.UpdateCircles();
        return Rocket;
    }

    void Frame(uint32_t Milliseconds = 0) {
        TestClock.Advance(Milliseconds);
        Field->Run(*Ship, Rockets, Messages);
    }

    static TRandom Skipped(TRandom Generator, int Draws) {
        while (Draws-- > 0)
            Generator.Next(2);
        return Generator;
    }

    std::unique_ptr<TShip> Ship;
    std::unique_ptr<TAsteroid> Field;
    TRockets Rockets;
    TMessage Messages;
};

TEST_F(TAsteroidTest, ResetDrawsACornerThenTheHeadingAndLeavesTheFieldOutOfPlay) {
    Field->State = 2;
    Field->Destroyed = true;
    Field->Fragments[2].Destroyed = false;
    Field->Radius = 3;
    TestClock.Advance(500);
    TRandom Expected = Random;
    Field->Reset();
    const int Across = Expected.Next(20), Down = Expected.Next(20);
    EXPECT_EQ(Field->X, (Across < 10 ? 100 : 724) + Expected.Next(201));
    EXPECT_EQ(Field->Y, (Down < 10 ? 100 : 438) + Expected.Next(201));
    EXPECT_EQ(Field->Angle, Expected.Next(360));
    EXPECT_TRUE(!Field->Active && !Field->Destroyed && Field->State == 0 && Field->Radius == 26);
    EXPECT_TRUE(Field->Fragments[2].Destroyed);
    EXPECT_EQ(Field->Fragments[3].LastMotion, Now());
}

TEST_F(TAsteroidTest, DriftsAndWrapsPerStepOfAtLeast16MsAnimatesEvenWhilePausedButStopsThere) {
    std::tie(Field->X, Field->Y, Field->Angle) = std::tuple{1023.8, 0.5, 0.0};
    Frame(15);
    EXPECT_EQ(Field->X, 1023.8);
    Frame(1);
    EXPECT_EQ(Field->X, 0);
    std::tie(Field->X, Field->Angle, Field->Frame) = std::tuple{500, 270, 24};
    Frame(16);
    EXPECT_EQ(Field->Y, 768);
    EXPECT_EQ(Field->Frame, 24); // 32 ms are not more than 70
    Game.Paused = true;
    PlaceShip(500, 768);
    Frame(39);
    EXPECT_EQ(Field->Frame, 0);
    EXPECT_EQ(Field->Y, 768);
    EXPECT_EQ(Ship->Energy, 100);
    Game.Paused = false;
    Field->Split(0.0);
    const double Places[][3] = {{1, 300, 180}, {300, 767, 90}, {300, 300, 45}, {300, 300, 0}};
    for (int I = 0; I < 4; ++I) {
        TAsteroidFragment& Fragment = Field->Fragments[I];
        std::tie(Fragment.X, Fragment.Y, Fragment.Angle) =
            std::tuple{Places[I][0], Places[I][1], Places[I][2]};
        Fragment.LastMotion = Fragment.FrameTime = Now();
    }
    Field->Fragments[1].LastMotion -= 10; // each fragment keeps its own step
    Field->Fragments[3].Destroyed = true;
    Frame(6);
    EXPECT_EQ(Field->Fragments[1].Y, 0);
    EXPECT_EQ(Field->Fragments[0].X, 1);
    Frame(10);
    EXPECT_EQ(Field->Fragments[0].X, 1024);
    EXPECT_NEAR(Field->Fragments[2].X, 300 + std::sqrt(2.0), 1e-9);
    EXPECT_EQ(Field->Fragments[3].X, 300);
    const int Pattern = Field->Fragments[2].Frame;
    Frame(15);
    EXPECT_EQ(Field->Fragments[2].Frame, (Pattern + 1) % 25); // 31 ms
}

TEST_F(TAsteroidTest, SplitSpraysAroundTheBlowOrAllAroundFromTheAsteroidsPlace) {
    std::tie(Field->X, Field->Y) = std::pair{321.5, 222.25};
    TRandom Expected = Random;
    Field->Split(100.0);
    EXPECT_EQ(Field->Fragments[0].Angle, 100 + Expected.Next(20));
    EXPECT_EQ(Field->Fragments[1].Angle, 100 - Expected.Next(20));
    EXPECT_EQ(Field->Fragments[2].Angle, 120 + Expected.Next(50));
    EXPECT_EQ(Field->Fragments[3].Angle, 80 - Expected.Next(50));
    for (const TAsteroidFragment& Fragment : Field->Fragments) {
        EXPECT_EQ(Fragment.Frame, Expected.Next(25));
        EXPECT_TRUE(!Fragment.Destroyed && Fragment.X == 321.5 && Fragment.Y == 222.25);
    }
    EXPECT_TRUE(Field->Destroyed && Field->State == 1);
    Field->Split(std::nullopt); // none for the shield and mines: two each way along a random line
    EXPECT_EQ(Field->Fragments[0].Angle, Expected.Next(180));
    EXPECT_EQ(Field->Fragments[1].Angle, Expected.Next(180) + 180);
    EXPECT_EQ(Field->Fragments[2].Angle, Expected.Next(180) + 180);
    EXPECT_EQ(Field->Fragments[3].Angle, Expected.Next(180));
}

TEST_F(TAsteroidTest, ARamTakes35UnclampedScoresOnlyAliveAndTheFragmentsWaitForTheNextFrame) {
    PlaceShip(500, 400);
    std::tie(Field->X, Field->Y) = std::pair{593, 400}; // 1 px beyond the nose probe's 26 + 22
    Frame();
    EXPECT_EQ(Field->State, 0);
    Field->X = 592;
    Ship->Energy = 30;
    TRandom Expected = Random;
    Frame();
    EXPECT_EQ(Ship->Energy, -5);
    EXPECT_TRUE(Game.Score == 40 && Ship->Boost == 8 && Messages.Main.Text == "+40");
    EXPECT_TRUE(Field->Emitter.Running());
    EXPECT_EQ(Field->Fragments[0].Angle, 360 + Expected.Next(20));
    // A wreck's probes stay where it died: it still breaks what drifts into them, for nothing.
    Field->Reset();
    Field->Active = Ship->Destroyed = true;
    std::tie(Field->X, Field->Y) = std::pair{500, 400};
    Frame();
    EXPECT_TRUE(Field->State == 1 && Ship->Energy == -40 && Game.Score == 40 && Ship->Boost == 8);
}

TEST_F(TAsteroidTest, EveryRocketInTheAsteroidGoesWithItEachSplittingItAgainWithoutAKill) {
    std::tie(Field->X, Field->Y) = std::pair{300, 300};
    TRocket& Down = AddRocket(1, 300, 252, 90); // nose 26 + 3 px away
    TRocket& Left = AddRocket(2, 330, 300, 180);
    TRocket& Dead = AddRocket(1, 300, 300, 0);
    Dead.Destroyed = true;
    Game.WaveKills = 3;
    TRandom Expected = Skipped(Random, 8); // the first rocket's split
    Frame();
    EXPECT_TRUE(Down.Destroyed && Left.Destroyed && Left.RespawnStamp == Now() && Dead.RespawnStamp == 0);
    EXPECT_TRUE(Game.WaveKills == 3 && Game.Score == 120 && Ship->Boost == 20 && Messages.Main.Text == "+60");
    EXPECT_EQ(Field->Fragments[0].Angle, 180 + Expected.Next(20));
}

TEST_F(TAsteroidTest, FragmentsRamTheShipAndTakeEveryRocketTheyTouch) {
    PlaceShip(500, 400);
    Field->Split(0.0);
    const double Places[][2] = {{544, 400}, {600, 200}, {500, 400}, {100, 100}};
    for (int I = 0; I < 4; ++I)
        std::tie(Field->Fragments[I].X, Field->Fragments[I].Y) = std::pair{Places[I][0], Places[I][1]};
    Field->Fragments[2].Destroyed = true; // on the ship, but gone
    for (const auto& [Kind, X, Y, Angle] :
         {std::tuple{1, 544, 430, 270}, {1, 600, 230, 270}, {3, 630, 200, 180}})
        AddRocket(Kind, X, Y, Angle);
    Frame();
    for (const std::unique_ptr<TRocket>& Rocket : Rockets)
        EXPECT_TRUE(Rocket->Destroyed);
    EXPECT_TRUE(Field->Fragments[0].Destroyed && Field->Fragments[1].Destroyed &&
                !Field->Fragments[3].Destroyed);
    EXPECT_FALSE(Field->Fragments[2].Emitter.Running());
    EXPECT_TRUE(Ship->Energy == 85 && Game.Score == 30 + 3 * 50 && Ship->Boost == 7 + 3 * 9);
    EXPECT_EQ(Messages.Main.X, 600);
}

TEST_F(TAsteroidTest, ASweepBreaksAtMostTheFirstPieceReached) {
    std::vector<std::tuple<double, double, int>> Asked;
    const auto Everything = [&](double X, double Y, int Radius) {
        Asked.emplace_back(X, Y, Radius);
        return true;
    };
    Field->Active = false;
    EXPECT_FALSE(Field->SweepPieces(Everything, 45.0, *Ship, Messages));
    EXPECT_TRUE(Asked.empty());
    Field->Active = true;
    TRandom Expected = Random;
    EXPECT_TRUE(Field->SweepPieces(Everything, 45.0, *Ship, Messages));
    EXPECT_EQ(Asked, (std::vector{std::tuple{Field->X, Field->Y, 26}}));
    EXPECT_EQ(Field->Fragments[0].Angle, 45 + Expected.Next(20));
    EXPECT_TRUE(Game.Score == 70 && Ship->Boost == 12 && Field->Emitter.Running());
    Field->Fragments[3].X = 700;
    const auto OnlyTheLast = [](double X, double, int Radius) { return X == 700 && Radius == 16; };
    EXPECT_TRUE(Field->SweepPieces(OnlyTheLast, std::nullopt, *Ship, Messages));
    EXPECT_FALSE(Field->SweepPieces(OnlyTheLast, std::nullopt, *Ship, Messages));
    EXPECT_TRUE(Field->SweepPieces(Everything, std::nullopt, *Ship, Messages));
    EXPECT_TRUE(Field->Fragments[0].Destroyed && !Field->Fragments[1].Destroyed && Game.Score == 210);
    Field->State = 2;
    EXPECT_FALSE(Field->SweepPieces(Everything, std::nullopt, *Ship, Messages));
}

TEST_F(TAsteroidTest, AWholeAsteroidComesBackMoreThan15sAfterTheLastFragmentAwayFromTheShip) {
    const TRandom Start = Random;
    Field->ChooseStartPosition();
    const double X = Field->X, Y = Field->Y;
    for (const auto& [ShipX, ShipY, Push] :
         {std::tuple{X + 250, Y, 0}, {X + 249.9, Y, 250}, {X + 120, Y - 160, 250}}) {
        Random = Start;
        Field->ChooseRespawnPosition(ShipX, ShipY);
        EXPECT_TRUE(Field->X == X + Push && Field->Y == Y + Push) << ShipX;
    }
    Field->Split(0.0);
    for (TAsteroidFragment& Fragment : Field->Fragments)
        Fragment.Destroyed = true;
    Frame();
    EXPECT_TRUE(Field->State == 2 && Field->RespawnTime == Now());
    Frame(15000);
    Game.Paused = true;
    Frame(1);
    EXPECT_EQ(Field->State, 2);
    Game.Paused = false;
    TRandom Expected = Skipped(Random, 4); // the reset's corner
    const int Heading = Expected.Next(360);
    const TRandom Before = std::exchange(Random, Expected);
    Field->ChooseStartPosition(); // where it will come in
    Random = Before;
    PlaceShip(Field->X - 100, Field->Y + 100);
    const double InX = Field->X + 250, InY = Field->Y + 250; // and wrap at the next step when past the edge
    Frame();
    EXPECT_TRUE(Field->State == 0 && Field->Active && Field->Angle == Heading);
    EXPECT_TRUE(Field->X == InX && Field->Y == InY);
    Field->Active = false; // out of play: frozen
    std::tie(Field->X, Field->Y) = std::pair{1100, 900};
    Frame(20);
    EXPECT_EQ(Field->X, 1100);
    Field->Active = true;
    Frame();
    EXPECT_TRUE(Field->X == 0 && Field->Y == 0);
}

TEST_F(TAsteroidTest, ExplosionsAreTheFirstKindsAndPiecesAreDrawnCentred) {
    ::ProgramDir = ZERATHON_SOURCE_DIR "/data/";
    TXParticleSystem Expected;
    ASSERT_TRUE(Expected.LoadFromFile(ZERATHON_SOURCE_DIR "/data/Graphic/explode1.pss"));
    TAsteroid Loaded(*TestEngine);
    EXPECT_EQ(Loaded.Fragments[3].Emitter.Params().Write(), Expected.Params().Write());
    Loaded.Fragments[2].Emitter.Fire(10, 10);
    Loaded.UpdateEmitters(16);
    EXPECT_EQ(Loaded.Fragments[2].Emitter.Time(), 16.0f);
    ASSERT_TRUE(TPngEncoder::Save(Dir / "Graphic/big.png", SolidPicture(33, 11, 0xFF0000FFu)));
    ASSERT_TRUE(TPngEncoder::Save(Dir / "Graphic/small.png", SolidPicture(9, 7, 0xFF00FF00u)));
    std::ofstream(Dir / "Graphic/Textures.ini")
        << "[Textures]\nCount=2\n[Texture0]\nName=asteroid\nTexWidth=33\nTexHeight=11\nPtWidth=33\n"
           "PtHeight=11\nNeedMask=0\nImage=Graphic\\big.png\n[Texture1]\nName=miniasteroid\nTexWidth=9\n"
           "TexHeight=7\nPtWidth=9\nPtHeight=7\nNeedMask=0\nImage=Graphic\\small.png\n";
    TEngine Pictured(Dir.Dir(), Dir / "Graphic/Textures.ini", Timer, Canvas, Device, Mouse, Keyboard, Fonts);
    TAsteroid Drawn(Pictured);
    std::tie(Drawn.X, Drawn.Y) = std::pair{50, 40};
    Clear();
    Drawn.Draw();
    Drawn.Split(0.0);
    std::tie(Drawn.Fragments[0].X, Drawn.Fragments[0].Y, Drawn.Fragments[0].Frame) = std::tuple{90, 90, 0};
    for (int I = 1; I < 4; ++I)
        Drawn.Fragments[I].Destroyed = true;
    Drawn.Draw();
    Canvas.Flush();
    // 33 x 11 from (50 - 16, 40 - 5) and 9 x 7 from (90 - 4, 90 - 3); dark just outside.
    const uint32_t Red = 0xFF0000FFu, Green = 0xFF00FF00u, Dark = 0;
    const std::tuple<int, int, uint32_t> Pixels[] = {{34, 35, Red},  {66, 45, Red},   {33, 35, Dark},
                                                     {34, 34, Dark}, {86, 87, Green}, {94, 93, Green},
                                                     {95, 93, Dark}, {94, 94, Dark}};
    for (const auto& [X, Y, Colour] : Pixels)
        EXPECT_EQ(PixelAt(X, Y) & (Colour == Dark ? 0xFFFFFFu : ~0u), Colour) << X << ", " << Y;
}

} // namespace
