#include "TShipFixture.h"

#include "app/Globals.h"
#include "engine/TEngine.h"
#include "engine/TSoundEngine.h"
#include "particles/TExplosion.h"
#include "render/TInputState.h"
#include "render/TVelaCanvas.h"
#include "render/TVelaFontsAlt.h"
#include "render/TVelaKeyboard.h"
#include "render/TVelaMouse.h"
#include "render/TVelaTimer.h"
#include "runtime/TFakeClock.h"
#include "runtime/TIniFile.h"
#include "runtime/TPngEncoder.h"
#include "world/TShip.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

class TShipTest : public TShipFixture {};

TEST_F(TShipTest, StartsAtTheCentreAndItsFirstStepTurnsHeadingZeroInto360) {
    Launch();
    TShip Fresh(*Engine);
    EXPECT_EQ(Fresh.X, 512.0);
    EXPECT_EQ(Fresh.Y, 384.0);
    EXPECT_EQ(Fresh.LastMotion, 1000u);
    EXPECT_EQ(Fresh.MotionPeriod, 15);
    EXPECT_EQ(Fresh.Energy, 100);
    EXPECT_EQ(Fresh.SpeedLevel, 1.0);
    EXPECT_EQ(Fresh.SteerMode, 1);
    EXPECT_EQ(Fresh.SteerRate, 2);
    EXPECT_EQ(Fresh.ShieldLevel, 1);
    EXPECT_EQ(Fresh.Speed + Fresh.Boost + Fresh.Tilt + Fresh.Angle, 0.0);
    EXPECT_FALSE(Fresh.Destroyed || Fresh.Boosting || Fresh.ThrustForward || Fresh.ThrustReverse ||
                 Fresh.WreckExploded || Fresh.ShieldUp);
    Fresh.Speed = 2.0;
    Fresh.Move();
    EXPECT_EQ(Fresh.Angle, 360);
    EXPECT_DOUBLE_EQ(Fresh.X, 514.0);
}

TEST_F(TShipTest, SpeedKeysNeedBoostAndStopAtTheTopSpeedOrJustBelowMinusHalf) {
    Launch();
    Ship->Boost = 0.0;
    Hold(UpKey);
    Frames(5);
    EXPECT_DOUBLE_EQ(Ship->Speed, 1.001);
    Ship->Boost = 100.0;
    Frames(10);
    EXPECT_NEAR(Ship->Speed, 1.051, 1e-9);
    EXPECT_NEAR(Ship->Boost, 99.9, 1e-9);
    EXPECT_TRUE(Ship->ThrustForward && EngineBurning());
    Frames(200); // tested before the step: ends one step above 1.5, flames out
    EXPECT_NEAR(Ship->Speed, 1.501, 1e-9);
    EXPECT_FALSE(EngineBurning());
    Release(UpKey);
    Hold(DownKey);
    Frames(500);
    EXPECT_NEAR(Ship->Speed, -0.505, 0.0011);
    EXPECT_LT(Ship->Speed, -0.5);
    EXPECT_TRUE(Ship->ThrustReverse && !Ship->ThrustForward && !EngineBurning());
    Hold(UpKey); // both keys: no change, thrust off
    Frames(3);
    EXPECT_LT(Ship->Speed, -0.5);
    EXPECT_FALSE(Ship->ThrustReverse);
}

TEST_F(TShipTest, SpeedUpAfterABoostKeepsFiveAndTheFlamesOut) {
    Launch();
    Ship->Speed = 5.0;
    Ship->Boost = 50.0;
    Hold(UpKey);
    Frames(30);
    EXPECT_EQ(Ship->Speed, 5.0);
    EXPECT_EQ(Ship->Boost, 50.0);
    EXPECT_FALSE(EngineBurning() || Ship->ThrustForward);
    Ship->SpeedLevel = 1.5; // no top speed at all: the key does nothing
    Ship->Speed = 1.0;
    Frames(3);
    EXPECT_EQ(Ship->Speed, 1.0);
}

TEST_F(TShipTest, BoostNeedsMoreThanFortyCostsFortyPerPressAndLocksTheSpeedKeys) {
    Launch();
    Ship->Boost = 40.0;
    Hold(BoostKey);
    Frames(1);
    EXPECT_FALSE(Ship->Boosting);
    EXPECT_EQ(Ship->Boost, 40.0);
    Release(BoostKey);
    Frames(1);
    Ship->Boost = 41.0;
    Hold(BoostKey);
    Frames(1);
    EXPECT_TRUE(Ship->Boosting && BoostBurning());
    EXPECT_EQ(Ship->Speed, 5.0);
    EXPECT_EQ(Ship->Boost, 1.0);
    Ship->AddBoost(60);
    Hold(DownKey);
    Frames(5);
    EXPECT_EQ(Ship->Boost, 61.0);
    EXPECT_EQ(Ship->Speed, 5.0);
    Release(BoostKey);
    Frames(2); // the release frame still counts as boosting
    EXPECT_FALSE(Ship->Boosting || BoostBurning());
    EXPECT_NEAR(Ship->Speed, 4.995, 1e-9);
}

TEST_F(TShipTest, RightWinsOverLeftAndTheHeadingWrapsIntoOneTo360) {
    Launch();
    Ship->Angle = 359;
    Hold(LeftKey);
    Hold(RightKey);
    Steps(3);
    EXPECT_EQ(Ship->Angle, 5);
    EXPECT_EQ(Ship->Tilt, 2);
    Release(RightKey);
    Ship->Angle = 1;
    Steps(1);
    EXPECT_EQ(Ship->Angle, 359);
    EXPECT_EQ(Ship->Tilt, 1);
    Ship->Angle = 2;
    Steps(4);
    EXPECT_EQ(Ship->Angle, 354);
    EXPECT_EQ(Ship->Tilt, -2);
    Release(LeftKey);
    Steps(1);
    EXPECT_EQ(Ship->Tilt, -1);
    Steps(2);
    EXPECT_EQ(Ship->Tilt, 0);
    EXPECT_EQ(Ship->Angle, 354);
}

TEST_F(TShipTest, OneMouseCountKeepsTheShipTurningUntilAKeyOrTheRightButton) {
    Launch();
    Ship->Angle = 100;
    Input.MouseMove(1, 0);
    Steps(4);
    EXPECT_EQ(Ship->Angle, 108);
    Hold(LeftKey);
    Frames(1);
    EXPECT_EQ(Ship->SteerMode, 1);
    Release(LeftKey);
    Input.MouseMove(-3, 0);
    Frames(1);
    EXPECT_EQ(Ship->SteerMode, 0);
    Input.MouseButton(1, true);
    Frames(1);
    EXPECT_EQ(Ship->SteerMode, 1);
}

TEST_F(TShipTest, LeavingTheFieldJumpsToTheOppositeEdge) {
    Launch();
    Ship->Speed = 0.5;
    const struct {
        int Angle;
        double X, Y, WantX, WantY;
    } Cases[] = {{180, 0.2, 9, 1024, 9}, {360, 1023.8, 9, 0, 9}, {90, 9, 768, 9, 0}, {270, 9, 0.2, 9, 768}};
    for (const auto& Case : Cases) {
        Ship->Angle = Case.Angle;
        Ship->X = Case.X;
        Ship->Y = Case.Y;
        Ship->Move();
        EXPECT_NEAR(Ship->X, Case.WantX, 1e-9) << Case.Angle;
        EXPECT_NEAR(Ship->Y, Case.WantY, 1e-9) << Case.Angle;
    }
}

TEST_F(TShipTest, AtMostOneMotionStepPerFrameOnlyAfterMoreThanFifteenMsAndNoneWhilePaused) {
    Launch();
    Ship->Speed = 1.0;
    Frames(1, 15);
    EXPECT_EQ(Ship->X, 512.0);
    Frames(1, 1);
    EXPECT_DOUBLE_EQ(Ship->X, 513.0);
    Frames(1, 100);
    EXPECT_DOUBLE_EQ(Ship->X, 514.0);
    Frames(10); // at 10 ms a frame, every second frame
    EXPECT_DOUBLE_EQ(Ship->X, 519.0);
    Game.Paused = true;
    Hold(RightKey);
    Hold(UpKey);
    Steps(5);
    EXPECT_DOUBLE_EQ(Ship->X, 519.0);
    EXPECT_EQ(Ship->Angle, 360);
    EXPECT_EQ(Ship->Speed, 1.0);
}

TEST_F(TShipTest, DamageScoreAndBoost) {
    Launch();
    Ship->ShieldLevel = 2;
    EXPECT_EQ(Ship->Damage(3), 9);
    Ship->ShieldLevel = 3;
    EXPECT_EQ(Ship->Damage(1), 2);
    EXPECT_EQ(Ship->Energy, 89);
    Ship->ShieldLevel = 1;
    Ship->Energy = 5;
    EXPECT_EQ(Ship->Damage(1), 0);
    EXPECT_EQ(Ship->Energy, 0);
    Ship->AddScore(10);
    Ship->AddBoost(6);
    EXPECT_EQ(Ship->Boost, 100.0);
    Frames(1);
    ASSERT_TRUE(Ship->Destroyed);
    Ship->AddScore(50);
    EXPECT_EQ(Game.Score, 10);
    Ship->Boost = 10.0;
    Ship->AddBoost(6);
    EXPECT_EQ(Ship->Boost, 16.0);
}

TEST_F(TShipTest, ProbesComeBeforeTheCollisionHookAndTheDestructionTestAfterIt) {
    Launch();
    Ship->X = 2.5;
    int Calls = 0;
    Ship->CheckCollisions = [&Calls](TShip& Hit) {
        ++Calls;
        const int Want[7] = {-2, 15, 33, 46, -27, -7, -61}; // 2.5 - 5 truncates to -2
        for (int K = 0; K < 7; ++K)
            EXPECT_EQ(Hit.HitPoints[K][0], Want[K]) << K;
        Hit.Energy -= 60;
    };
    Frames(1);
    EXPECT_FALSE(Ship->Destroyed);
    Ship->Angle = 90;
    Ship->X = 2.5;
    Ship->CheckCollisions = [&Calls](TShip& Hit) {
        ++Calls;
        EXPECT_EQ(Hit.HitPoints[1][0], 2);
        EXPECT_EQ(Hit.HitPoints[1][1], 397);
        Hit.Energy -= 60;
    };
    Frames(1);
    EXPECT_TRUE(Ship->Destroyed);
    Frames(1);
    EXPECT_EQ(Calls, 2);
}

TEST_F(TShipTest, TheWreckDriftsBackwardsWithoutWrappingAndPlaysItsSoundsAndExplosion) {
    std::filesystem::create_directories(Dir / "Sound");
    std::string List = "[Samples]\nCount=3\n", Wav = "RIFF";
    for (uint32_t Field : {36u + 4410u, 0x45564157u, 0x20746D66u, 16u, 1u | (1u << 16), 44100u, 88200u,
                           2u | (16u << 16), 0x61746164u, 4410u})
        Wav.append(reinterpret_cast<const char*>(&Field), 4); // looped silence, little-endian fields
    Wav.append(4410, '\0');
    for (int N = 0; const char* Name : {"engine", "explode1", "explode2"}) {
        std::ofstream(Dir / ("Sound/" + std::string(Name) + ".wav"), std::ios::binary) << Wav;
        List += "[Sample" + std::to_string(N++) + "]\nName=" + Name + "\nSample=Sound\\" + Name +
                ".wav\nLoop=1\n";
    }
    std::ofstream(Dir / "Sound/Sounds.ini") << List;
    SoundEngine = std::make_unique<TSoundEngine>(Dir.Dir(), Dir / "Sound/Sounds.ini", true);
    Launch();
    SoundEngine->PlaySample("engine");
    Hold(UpKey);
    Frames(1);
    ASSERT_TRUE(EngineBurning());
    Ship->X = 0.5;
    Ship->Energy = -5; // asteroid hits can take it below zero
    Frames(1);
    ASSERT_TRUE(Ship->Destroyed);
    const double WreckX = Ship->X; // the last motion step still ran
    EXPECT_FALSE(EngineBurning()); // no flames left hanging beside the wreck
    EXPECT_FALSE(Explosion->ShipExplode.Running());
    EXPECT_EQ(SoundEngine->Playing("engine") + SoundEngine->Playing("explode1"), 0);
    EXPECT_EQ(SoundEngine->Playing("explode2"), 1);
    Game.Paused = true;
    Hold(RightKey);
    Frames(10);
    EXPECT_TRUE(Ship->WreckExploded);
    EXPECT_EQ(SoundEngine->Playing("explode1"), 1);
    EXPECT_TRUE(Explosion->ShipExplode.Running());
    EXPECT_NEAR(Ship->X, WreckX - 3.0, 1e-9);
    EXPECT_LT(Ship->X, 0.0);
    EXPECT_NEAR(Ship->Y, 384.0, 1e-9);
    EXPECT_FLOAT_EQ(Explosion->ShipExplode.X, static_cast<float>(Ship->X)); // the blast travels with it
    Ship->Angle = 90;
    Frames(1);
    EXPECT_NEAR(Ship->Y, 383.7, 1e-9);
}

void ExpectPlacement(const TThrustPlacement& Got, double AX, double AY, double BX, double BY, double Dir) {
    EXPECT_NEAR(Got.AX, AX, 1e-9);
    EXPECT_NEAR(Got.AY, AY, 1e-9);
    EXPECT_NEAR(Got.BX, BX, 1e-9);
    EXPECT_NEAR(Got.BY, BY, 1e-9);
    EXPECT_NEAR(Got.Direction, Dir * 3.1415 / 180, 1e-12);
}

void ExpectEmitters(const TXParticleSystem& A, const TXParticleSystem& B, float AX, float AY, float BX,
                    float BY, double Dir) {
    EXPECT_NEAR(A.X, AX, 1e-3);
    EXPECT_NEAR(A.Y, AY, 1e-3);
    EXPECT_NEAR(B.X, BX, 1e-3);
    EXPECT_NEAR(B.Y, BY, 1e-3);
    EXPECT_NEAR(A.Angle, Dir * 3.1415 / 180, 1e-5);
    EXPECT_NEAR(B.Angle, Dir * 3.1415 / 180, 1e-5);
}

TEST_F(TShipTest, ThrustSitsBehindTheNozzlesAndFollowsTheKeys) {
    Launch();
    using T = TShip::TThrust;
    Ship->Angle = 360;
    ExpectPlacement(Ship->ThrustPlacement(T::Forward), 479, 418, 479, 350, 270);
    ExpectPlacement(Ship->ThrustPlacement(T::Reverse), 522, 418, 522, 350, 450);
    Ship->Angle = 180;
    ExpectPlacement(Ship->ThrustPlacement(T::Forward), 545, 350, 545, 418, 90);
    Ship->Angle = 45;
    const double Back = 33 / std::sqrt(2.0), Side = 34 / std::sqrt(2.0);
    ExpectPlacement(Ship->ThrustPlacement(T::Forward), 512 - Back - Side, 384 - Back + Side,
                    512 - Back + Side, 384 - Back - Side, -45);
    Ship->Angle = 90;
    Ship->MotionPeriod = 1000000; // hold the ship still
    Hold(DownKey);
    Frames(1);
    ExpectEmitters(Explosion->EngineA, Explosion->EngineB, 478, 394, 546, 394, 180);
    Release(DownKey);
    Hold(BoostKey);
    Frames(1);
    EXPECT_FALSE(EngineBurning());
    ExpectEmitters(Explosion->BoostA, Explosion->BoostB, 478, 351, 546, 351, 0);
    ExpectEmitters(Explosion->EngineA, Explosion->EngineB, 478, 351, 546, 351, 0);
}

TEST_F(TShipTest, TheSpriteFollowsTheBankingAndDrawsWhilePausedButNotAsAWreck) {
    const char* Names[5] = {"ship_left2", "ship_left1", "ship", "ship_right1", "ship_right2"};
    const uint32_t Colours[5] = {0xFF0000FFu, 0xFF00FF00u, 0xFFFF0000u, 0xFF00FFFFu, 0xFFFFFF00u};
    std::string List = "[Textures]\nCount=5\n";
    for (int I = 0; I < 5; ++I) {
        ASSERT_TRUE(
            TPngEncoder::Save(Dir / (Names[I] + std::string(".png")), SolidPicture(16, 16, Colours[I])));
        List += "[Texture" + std::to_string(I) + "]\nName=" + Names[I] +
                "\nTexWidth=16\nTexHeight=16\nPtWidth=16\nPtHeight=16\nImage=" + Names[I] + ".png\n";
    }
    Launch(List);
    Ship->X = Ship->Y = 64;
    Game.Paused = true;
    for (int Tilt = -2; Tilt <= 3; ++Tilt) {
        Clear();
        Ship->Tilt = Tilt;
        Ship->Destroyed = Tilt == 3;
        Frames(1);
        Canvas.Flush();
        EXPECT_EQ(PixelAt(64, 64), Tilt == 3 ? 0xFF000000u : Colours[Tilt + 2]) << Tilt;
        EXPECT_EQ(PixelAt(64, 80), 0xFF000000u) << Tilt;
    }
}

TEST_F(TShipTest, TheGamesShipPictureShows) {
    const std::string Data = ZERATHON_SOURCE_DIR "/data/";
    const TIniFile List(Data + "Graphic/Textures.ini");
    bool HasShip = false;
    for (int I = 0; I < List.ReadInteger("Textures", "Count", 0); ++I)
        HasShip = HasShip || List.ReadString("Texture" + std::to_string(I), "Name", "") == "ship";
    if (!HasShip)
        GTEST_SKIP() << "the data has no ship picture yet";
    Launch(Data, Data + "Graphic/Textures.ini");
    Ship->X = Ship->Y = 64;
    Clear();
    Frames(1);
    Canvas.Flush();
    TPicture Frame;
    ASSERT_TRUE(Device.ReadPixels(Frame));
    int Lit = 0;
    for (int Y = 32; Y < 96; ++Y)
        for (int X = 32; X < 96; ++X)
            Lit += (Frame.At(X, Y) & 0xFFFFFF) != 0;
    EXPECT_GT(Lit, 100);
}

} // namespace
