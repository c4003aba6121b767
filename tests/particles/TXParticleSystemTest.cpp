#include "THeadlessDevice.h"

#include "app/Globals.h"
#include "particles/TParticleRandom.h"
#include "particles/TXParticleSystem.h"
#include "render/TVelaCanvas.h"
#include "render/TVelaImage.h"
#include "runtime/TMessageBox.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr float HalfPi = 1.57079632f;

// The particle generator worked by hand, to predict each draw.
struct TReferenceRandom {
    uint32_t State = 0;
    float Next(float A, float B) {
        State = State * 214013u + 2531011u;
        return static_cast<float>(std::min(A, B) +
                                  (std::max(A, B) - std::min(A, B)) * ((State >> 16) / 65535.0));
    }
};

// Still, white, opaque, long-lived particles from an endless emitter. Rate 2 emits one per 500 ms.
TParticleParams Steady(int Rate, int Life = 100000) {
    TParticleParams B;
    B.Effect = EffectBlend;
    B.EmissionRate = Rate;
    B.Duration = -1;
    B.LifeMin = B.LifeMax = Life;
    B.ScaleStart = B.ScaleEnd = 1;
    B.Colour1 = B.Colour2 = B.Colour3 = {255, 255, 255, 255};
    B.MiddlePoint = 0.5f;
    return B;
}

class TXParticleSystemTest : public testing::Test {
  protected:
    void SetUp() override {
        TParticleRandom::Reset();
        Random = TRandom();
    }
    void Fire(const TParticleParams& Block, float X = 0, float Y = 0) {
        System.SetParams(Block);
        System.Fire(X, Y);
    }
    void Updates(int Steps, float Dt) {
        for (int Step = 0; Step < Steps; ++Step)
            System.Update(Dt);
    }
    const TParticle& P(int Index = 0) const { return System.Particle(Index); }

    TXParticleSystem System;
};

} // namespace

TEST_F(TXParticleSystemTest, StartsStoppedWithOneOffsetAndAGeneratorAtZero) {
    EXPECT_FLOAT_EQ(TParticleRandom::Random(0, 1), 38 / 65535.0f);
    EXPECT_FLOAT_EQ(TParticleRandom::Random(20, 10), 10 + 10 * (7719 / 65535.0f));
    EXPECT_EQ(TParticleRandom::Random(5, 5), 5.0f);
    TParticleRandom::Reset();
    EXPECT_FLOAT_EQ(TParticleRandom::Random(1, 0), 38 / 65535.0f);

    EXPECT_EQ(System.Count(), 0);
    EXPECT_EQ(System.Time(), TXParticleSystem::Stopped);
    EXPECT_EQ(System.SpawnOffsetCount(), 1);
    EXPECT_EQ(System.AddSpawnOffset({3, 4}), 1);
    System.SetParams(Steady(1000));
    System.Update(500); // never fired
    EXPECT_EQ(System.Count(), 0);
    System.X = System.Y = 10;
    System.TurnTo(10, 20);
    EXPECT_FLOAT_EQ(System.Angle, HalfPi);
}

TEST_F(TXParticleSystemTest, SpawnsFromTheBlockDrawingInTheFixedOrder) {
    TParticleParams B;
    B.FirstPattern = 2, B.LastPattern = 6, B.Duration = -1, B.EmissionRate = 2;
    B.LifeMin = 800, B.LifeMax = 400, B.MiddlePoint = 0.25f;
    B.Direction = 0.5f, B.Spread = 0.3f, B.RelativeToMotion = 1, B.SpeedMin = 10, B.SpeedMax = 30;
    B.GravityMin = 5, B.GravityMax = 7, B.RadialMin = -0.01f, B.RadialMax = 0.02f;
    B.TangentialMin = 0.001f, B.TangentialMax = 0.003f;
    B.ScaleStart = 1, B.ScaleEnd = 0.25f, B.ScaleVariation = 0.5f;
    B.AngleStart = 0.1f, B.AngleEnd = 2.1f, B.AngleVariation = 0.25f;
    B.Colour1 = {200, 100, 50, 255}, B.Colour2 = {100, 200, 0, 128};
    B.ColourVariation = 0.5f, B.AlphaVariation = 0.75f;
    System.ClearSpawnOffsets();
    System.AddSpawnOffset({30, -20});
    System.Angle = 0.25f;
    Fire(B, 100, 50);
    System.MoveTo(false, 200, 60);
    System.Update(500);
    ASSERT_EQ(System.Count(), 1);

    TReferenceRandom R;
    const float Life = R.Next(400, 800), Middle = Life * 0.25f;
    EXPECT_EQ(P().Age, 0);
    EXPECT_FLOAT_EQ(P().Life, Life);
    EXPECT_FLOAT_EQ(P().MiddleTime, Middle);
    const float Along = R.Next(0, 1);
    const float X = 100 + 100 * Along + 30 + R.Next(-1, 1);
    const float Y = 50 + 10 * Along - 20 + R.Next(-1, 1);
    EXPECT_FLOAT_EQ(P().X, X);
    EXPECT_FLOAT_EQ(P().Y, Y);
    EXPECT_FLOAT_EQ(P().OriginX, 200 - X);
    EXPECT_FLOAT_EQ(P().OriginY, 60 - Y);
    // Relative to the motion from (100, 50) to (200, 60).
    const float Direction = R.Next(0, 0.3f) + 0.5f + 0.25f - 0.15f + std::atan2(-10.0f, -100.0f);
    const float Speed = R.Next(10, 30);
    EXPECT_NEAR(P().VelocityX, std::cos(Direction) * Speed, 1e-4);
    EXPECT_NEAR(P().VelocityY, std::sin(Direction) * Speed, 1e-4);
    EXPECT_FLOAT_EQ(P().Gravity, R.Next(5, 7));
    EXPECT_FLOAT_EQ(P().Radial, R.Next(-0.01f, 0.02f));
    EXPECT_FLOAT_EQ(P().Tangential, R.Next(0.001f, 0.003f));
    const float Scale = R.Next(0.625f, 1), Angle = R.Next(0.1f, 0.6f);
    EXPECT_FLOAT_EQ(P().Scale, Scale);
    EXPECT_FLOAT_EQ(P().ScaleSpeed, (0.25f - Scale) / Life);
    EXPECT_FLOAT_EQ(P().Angle, Angle);
    EXPECT_FLOAT_EQ(P().AngleSpeed, (2.1f - Angle) / Life);
    EXPECT_EQ(P().Pattern, 2);
    EXPECT_FLOAT_EQ(P().PatternSpeed, 4 / Life);
    const float Red = R.Next(150, 200), Green = R.Next(100, 150), Blue = R.Next(25, 50);
    const float Alpha = R.Next(159.75f, 255);
    EXPECT_FLOAT_EQ(P().Red, Red);
    EXPECT_FLOAT_EQ(P().Green, Green);
    EXPECT_FLOAT_EQ(P().Blue, Blue);
    EXPECT_FLOAT_EQ(P().Alpha, Alpha);
    EXPECT_FLOAT_EQ(P().RedSpeed, (100 - Red) / Middle);
    EXPECT_FLOAT_EQ(P().GreenSpeed, (200 - Green) / Middle);
    EXPECT_FLOAT_EQ(P().BlueSpeed, -Blue / Middle);
    EXPECT_FLOAT_EQ(P().AlphaSpeed, (128 - Alpha) / Middle);
    EXPECT_FLOAT_EQ(TParticleRandom::Random(0, 1), R.Next(0, 1)); // fifteen draws, no more
}

TEST_F(TXParticleSystemTest, MovesByItsSpeedsExceptOnItsTurningPoint) {
    TParticleParams B = Steady(2, 1000);
    B.SpeedMin = B.SpeedMax = 20, B.Direction = HalfPi, B.GravityMin = B.GravityMax = 50;
    B.RadialMin = B.RadialMax = 0.002f, B.TangentialMin = B.TangentialMax = -0.001f;
    B.AngleEnd = 1, B.ScaleStart = 2, B.LastPattern = 10;
    System.ClearSpawnOffsets();
    System.AddSpawnOffset({10, 0});
    Fire(B, 40, 30);
    System.Update(500);
    const TParticle Before = P();
    System.Stop(false);
    System.MoveTo(false, 45, 33); // the turning point follows the emitter
    System.Update(250);
    const float AwayX = Before.X - (45 + Before.OriginX), AwayY = Before.Y - (33 + Before.OriginY);
    const float NX = AwayX / std::hypot(AwayX, AwayY), NY = AwayY / std::hypot(AwayX, AwayY);
    const float VX = Before.VelocityX + (NX * 0.002f + NY * 0.001f) * 250;
    const float VY = Before.VelocityY + (NY * 0.002f - NX * 0.001f) * 250 + 50 * 0.25f;
    EXPECT_NEAR(P().VelocityX, VX, 1e-4);
    EXPECT_NEAR(P().VelocityY, VY, 1e-4);
    EXPECT_NEAR(P().X, Before.X + VX * 0.25f, 1e-4);
    EXPECT_NEAR(P().Y, Before.Y + VY * 0.25f, 1e-4);
    EXPECT_FLOAT_EQ(P().Angle, 0.25f);
    EXPECT_FLOAT_EQ(P().Scale, 1.75f);
    EXPECT_FLOAT_EQ(P().Pattern, 2.5f);

    // With the emitter at twice its birth place, the turning point is the particle itself.
    B = Steady(2);
    B.RadialMin = B.RadialMax = B.TangentialMin = B.TangentialMax = 5;
    System.Stop(true);
    Fire(B);
    System.Update(500);
    const TParticle Born = P();
    System.Stop(false);
    System.MoveTo(false, 2 * Born.X, 2 * Born.Y);
    System.Update(16);
    EXPECT_EQ(P().VelocityX, 0);
    EXPECT_EQ(P().VelocityY, 0);
}

TEST_F(TXParticleSystemTest, EmitsAtTheRateWhileTheClockIsBelowTheDuration) {
    TParticleParams B = Steady(1000);
    B.Duration = 0;
    Fire(B);
    System.Update(16);
    EXPECT_EQ(System.Count(), 0);
    EXPECT_EQ(System.Time(), TXParticleSystem::Stopped);
    B.Duration = 100;
    Fire(B);
    int Emitting = 0;
    for (int Step = 0; Step < 8; ++Step) {
        const int Before = System.Count();
        System.Update(16);
        Emitting += System.Count() > Before ? 1 : 0;
    }
    EXPECT_EQ(Emitting, 6);
    B.Duration = -7; // anything up to -1 runs until stopped
    Fire(B);
    Updates(20, 16);
    EXPECT_EQ(System.Time(), TXParticleSystem::Endless);

    // 1.5 particles per update: the fraction is carried, also across Fire.
    System.Stop(true);
    Fire(Steady(6));
    std::vector<int> Counts;
    for (int Step = 0; Step < 5; ++Step) {
        System.Update(250);
        Counts.push_back(System.Count());
        if (Step == 2)
            Fire(Steady(6));
    }
    EXPECT_EQ(Counts, (std::vector<int>{1, 3, 4, 6, 7}));

    System.Stop(true);
    Fire(Steady(6000));
    Updates(2, 1000);
    EXPECT_EQ(System.Count(), TXParticleSystem::MaxParticles);
}

TEST_F(TXParticleSystemTest, TheLastParticleFillsAHoleAndIsUpdatedInTheSameStep) {
    Fire(Steady(2, 1200));
    Updates(3, 500);
    ASSERT_EQ(System.Count(), 3); // ages 1000, 500, 0
    System.Stop(false);
    System.Update(500);
    ASSERT_EQ(System.Count(), 2);
    EXPECT_EQ(P(0).Age, 500);
    EXPECT_EQ(P(1).Age, 1000);
    System.Update(500);
    ASSERT_EQ(System.Count(), 1);
    System.Update(200); // dies at exactly its life
    EXPECT_EQ(System.Count(), 0);
}

TEST_F(TXParticleSystemTest, PatternMovesOnlyTowardsAnotherLastPattern) {
    for (auto [Last, Expected] : {std::pair{-1, 3.0f}, {3, 3.0f}, {7, 5.0f}, {1, 2.0f}}) {
        TParticleParams B = Steady(2, 1000);
        B.FirstPattern = 3, B.LastPattern = Last;
        System.Stop(true);
        Fire(B);
        System.Update(500);
        System.Stop(false);
        System.Update(500);
        EXPECT_FLOAT_EQ(P().Pattern, Expected) << Last;
    }
}

TEST_F(TXParticleSystemTest, ColourTurnsAtEachMiddleCrossingAndIsClamped) {
    TParticleParams B = Steady(4, 1000);
    B.Colour1 = B.Colour3 = {0, 0, 0, 255}, B.Colour2 = {100, 0, 0, 255};
    Fire(B);
    System.Update(250);
    System.Stop(false);
    std::vector<float> Reds;
    for (int Step = 0; Step < 3; ++Step) {
        System.Update(250);
        Reds.push_back(P().Red);
    }
    // At 500 the step already heads for Colour3; standing exactly on the middle counts again.
    EXPECT_EQ(Reds, (std::vector<float>{50, 25, 12.5f}));

    B = Steady(2, 1000);
    B.Colour1 = B.Colour2 = {200, 50, 0, 200}, B.Colour3 = {255, 0, 0, 255};
    System.Stop(true);
    Fire(B);
    System.Update(500);
    System.Stop(false);
    Updates(2, 300);
    EXPECT_FLOAT_EQ(P().Alpha, 233); // 55 over the 500 ms after the middle, for 300 ms
    System.Update(300);
    EXPECT_EQ(P().Alpha, 254);
    EXPECT_EQ(P().Red, 255);
    EXPECT_EQ(P().Green, 0);
}

TEST_F(TXParticleSystemTest, LifeBoundsInEitherOrderGiveTheSameLives) {
    auto Lives = [this](int First, int Second) {
        TParticleParams B = Steady(100);
        B.LifeMin = First, B.LifeMax = Second;
        TParticleRandom::Reset();
        System.Stop(true);
        Fire(B);
        System.Update(100);
        std::vector<float> Out;
        for (int I = 0; I < System.Count(); ++I)
            Out.push_back(P(I).Life);
        return Out;
    };
    const std::vector<float> Forward = Lives(300, 900);
    ASSERT_EQ(Forward.size(), 10u);
    EXPECT_EQ(Lives(900, 300), Forward);
    EXPECT_GE(*std::min_element(Forward.begin(), Forward.end()), 300);
    EXPECT_LE(*std::max_element(Forward.begin(), Forward.end()), 900);
}

TEST_F(TXParticleSystemTest, MovingSpreadsOrDragsAndFireJumps) {
    Fire(Steady(100));
    System.MoveTo(false, 100, 0);
    System.Update(1000);
    float Low = 1000, High = -1000;
    for (int I = 0; I < 100; ++I)
        Low = std::min(Low, P(I).X), High = std::max(High, P(I).X);
    EXPECT_TRUE(Low >= -1 && Low < 10 && High > 90 && High <= 101) << Low << " " << High;
    System.Update(1000); // the way is used up
    for (int I = 100; I < 200; ++I)
        EXPECT_NEAR(P(I).X, 100, 1);
    System.Fire(500, 0); // running: Fire must not spread from the old place either
    System.Update(1000);
    for (int I = 200; I < 300; ++I)
        EXPECT_NEAR(P(I).X, 500, 1);
    EXPECT_EQ(System.Count(), 300); // and keeps the living particles

    const TParticle Before = P(7);
    System.MoveTo(true, 550, 20);
    EXPECT_FLOAT_EQ(P(7).X, Before.X + 50);
    EXPECT_FLOAT_EQ(P(7).Y, Before.Y + 20);
    System.Update(1000); // the previous position was dragged too
    for (int I = 300; I < 400; ++I)
        EXPECT_NEAR(P(I).X, 550, 1);
}

TEST_F(TXParticleSystemTest, FireRestartsTheClockAndStopEndsIt) {
    TParticleParams B = Steady(10);
    B.Duration = 2000;
    Fire(B);
    System.Update(1000);
    EXPECT_EQ(System.Time(), 1000);
    System.Fire(0, 0);
    EXPECT_EQ(System.Time(), 0);
    EXPECT_EQ(System.Count(), 10);
    System.Stop(false);
    System.Update(1000);
    EXPECT_EQ(System.Count(), 10); // no new ones; the old ones live on
    EXPECT_EQ(P().Age, 1000);
    System.Stop(true);
    EXPECT_EQ(System.Count(), 0);
}

TEST_F(TXParticleSystemTest, EmitsOnlyFromTheSpawnOffsets) {
    System.AddSpawnOffset({1000, 0});
    Fire(Steady(100));
    System.Update(1000);
    int Near = 0, Far = 0;
    for (int I = 0; I < System.Count(); ++I) {
        Near += std::abs(P(I).X) <= 1 ? 1 : 0;
        Far += std::abs(P(I).X - 1000) <= 1 ? 1 : 0;
    }
    EXPECT_TRUE(Near > 20 && Far > 20 && Near + Far == 100) << Near << " " << Far;
    System.ClearSpawnOffsets();
    System.Update(1000);
    EXPECT_EQ(System.Count(), 100);
    EXPECT_TRUE(System.Running());
    System.Fire(0, 0);
    EXPECT_FALSE(System.Running());
}

TEST_F(TXParticleSystemTest, LoadsEffectFilesWithoutRegardToCase) {
    TTempDir Folder;
    EXPECT_FALSE(System.LoadFromFile(Folder / "none.pss"));
    EXPECT_EQ(System.Params().Write(), TParticleParams().Write());
    TParticleParams B = Steady(77);
    B.FirstPattern = 5;
    const std::array<uint8_t, TParticleParams::Size> Block = B.Write();
    std::vector<char> Bytes(Block.begin(), Block.end());
    Bytes.resize(200, '\xEE'); // only the block is read
    std::ofstream(Folder / "Glow.PSS", std::ios::binary).write(Bytes.data(), std::streamsize(Bytes.size()));
    EXPECT_TRUE(System.LoadFromFile(Folder / "glow.pss"));
    EXPECT_EQ(System.Params().Write(), B.Write());
    // A short file overwrites only the bytes it has; an empty one counts as no file.
    std::ofstream(Folder / "short.pss", std::ios::binary).write("\x09\0\0\0", 4);
    EXPECT_TRUE(System.LoadFromFile(Folder / "short.pss"));
    EXPECT_EQ(System.Params().FirstPattern, 9);
    EXPECT_EQ(System.Params().EmissionRate, 77);
    std::ofstream(Folder / "empty.pss").flush();
    EXPECT_FALSE(System.LoadFromFile(Folder / "empty.pss"));
}

TEST_F(TXParticleSystemTest, DamagedEffectFileIsRefusedOnceAndLeavesTheSystemDark) {
    TTempDir Folder;
    std::vector<std::string> Messages;
    TMessageBox::Hook = [&](const std::string&, const std::string& Text, bool) { Messages.push_back(Text); };
    TParticleParams B = Steady(1000);
    B.ScaleStart = std::numeric_limits<float>::quiet_NaN();
    const std::array<uint8_t, TParticleParams::Size> Block = B.Write();
    std::ofstream(Folder / "bad.pss", std::ios::binary)
        .write(reinterpret_cast<const char*>(Block.data()), std::streamsize(Block.size()));
    System.SetParams(Steady(1000));
    // Every rocket loads its effects again.
    EXPECT_FALSE(System.LoadFromFile(Folder / "bad.pss"));
    EXPECT_FALSE(System.LoadFromFile(Folder / "bad.pss"));
    TMessageBox::Hook = nullptr;
    ASSERT_EQ(Messages.size(), 1u);
    EXPECT_NE(Messages[0].find("bad.pss is damaged (scale nan is not -16..16)"), std::string::npos)
        << Messages[0];
    EXPECT_EQ(System.Params().Write(), TParticleParams().Write());
    System.Fire(0, 0);
    Updates(10, 16);
    EXPECT_EQ(System.Count(), 0);
}

namespace {

// A 160 x 120 screen. Cell: white, 16 x 9 (half sizes 8 and 4). Strip: red, green, blue 16 x 16 cells.
class TXParticleSystemDrawTest : public THeadlessDevice {
  protected:
    void SetUp() override {
        Width = 160;
        Height = 120;
        THeadlessDevice::SetUp();
        TParticleRandom::Reset();
        Cell.SetTextureSize(16, 9);
        ASSERT_TRUE(Cell.LoadFromPicture(SolidPicture(16, 9, 0xFFFFFFFFu), false, 0, 0));
        TPicture Picture = SolidPicture(48, 16, 0xFF0000FFu);
        for (int Y = 0; Y < 16; ++Y)
            for (int X = 16; X < 48; ++X)
                Picture.At(X, Y) = X < 32 ? 0xFF00FF00u : 0xFFFF0000u;
        Strip.SetTextureSize(48, 16);
        Strip.SetPatternSize(16, 16);
        Strip.SetVisibleSize(16, 16);
        ASSERT_TRUE(Strip.LoadFromPicture(Picture, false, 0, 0));
        Clear();
    }
    int Drawn() {
        Canvas.ResetCounters();
        System.Draw(Canvas);
        Canvas.Flush();
        return Canvas.VerticesDrawn() / 4;
    }

    TVelaImage Cell{Device}, Strip{Device};
    TVelaCanvas Canvas{Device};
    TXParticleSystem System;
};

} // namespace

TEST_F(TXParticleSystemDrawTest, DrawsOnlyParticlesWhoseCellTouchesTheScreen) {
    System.SetParams(Steady(2));
    System.Fire(60, 60);
    System.Update(500);
    EXPECT_EQ(Drawn(), 0); // no image yet
    System.Image = &Cell;
    const float PX = System.Particle(0).X, PY = System.Particle(0).Y, Margin = 0.05f;
    struct TCase {
        float X, Y;
        bool Visible;
    } const Cases[] = {{-8 + Margin, 60, true},   {-8 - Margin, 60, false}, {168 - Margin, 60, true},
                       {168 + Margin, 60, false}, {60, -4 + Margin, true},  {60, -4.25f, false},
                       {60, 124 - Margin, true},  {60, 124 + Margin, false}};
    for (const TCase& Case : Cases) {
        System.SetDrawOffset(Case.X - PX, Case.Y - PY);
        EXPECT_EQ(Drawn(), Case.Visible ? 1 : 0) << Case.X << "," << Case.Y;
    }
}

TEST_F(TXParticleSystemDrawTest, DrawsBackToFrontInColourWithTheWholePatternNumber) {
    TParticleParams B = Steady(2);
    B.Colour1 = B.Colour2 = B.Colour3 = {255, 0, 0, 255};
    System.Image = &Cell;
    System.SetParams(B);
    System.Fire(40, 40);
    System.Update(500);
    B.Colour1 = B.Colour2 = B.Colour3 = {0, 0, 255, 255};
    System.SetParams(B);
    System.Update(500);
    EXPECT_EQ(Drawn(), 2);
    EXPECT_EQ(PixelAt(40, 40), 0xFF0000FFu); // the first slot, red, lies on top of the blue one

    B = Steady(2, 1000);
    B.LastPattern = 2;
    System.Image = &Strip;
    System.Stop(true);
    System.SetParams(B);
    System.Fire(40, 40);
    System.Update(500);
    System.Stop(false);
    System.Update(950); // pattern 1.9: the green cell
    System.SetDrawOffset(60, 30);
    Clear();
    EXPECT_EQ(Drawn(), 1);
    EXPECT_EQ(PixelAt(100, 70), 0xFF00FF00u);
    EXPECT_EQ(PixelAt(40, 40) & 0xFFFFFF, 0u);
}
