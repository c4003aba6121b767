#include "THeadlessDevice.h"

#include "app/Globals.h"
#include "particles/TParticleRandom.h"
#include "particles/TXParticleManager.h"
#include "render/TVelaCanvas.h"
#include "render/TVelaImage.h"

#include <gtest/gtest.h>

namespace {

// Still particles from an emitter that runs for Duration ms (or endlessly at -1).
TParticleParams Burst(int Duration, int Life, int Rate = 100) {
    TParticleParams B;
    B.Effect = EffectBlend;
    B.EmissionRate = Rate;
    B.Duration = Duration;
    B.LifeMin = B.LifeMax = Life;
    B.ScaleStart = B.ScaleEnd = 1;
    B.Colour1 = B.Colour2 = B.Colour3 = {255, 255, 255, 255};
    B.MiddlePoint = 0.5f;
    return B;
}

class TXParticleManagerTest : public testing::Test {
  protected:
    void SetUp() override {
        TParticleRandom::Reset();
        Random = TRandom();
    }

    TXParticleManager Manager{nullptr};
};

} // namespace

TEST_F(TXParticleManagerTest, SpawnsFiringSystemsFromTheBlock) {
    TParticleParams B = Burst(500, 1000);
    B.FirstPattern = 4;
    TVelaImage* Image = reinterpret_cast<TVelaImage*>(0x1000); // only passed along, never used here
    TXParticleSystem* System = Manager.Spawn(B, Image, 30, 40);
    ASSERT_NE(System, nullptr);
    EXPECT_EQ(Manager.Count(), 1);
    EXPECT_EQ(Manager.System(0), System);
    EXPECT_EQ(Manager.System(1), nullptr);
    EXPECT_EQ(Manager.System(-1), nullptr);
    EXPECT_EQ(System->Params().Write(), B.Write());
    EXPECT_EQ(System->Image, Image);
    EXPECT_EQ(System->X, 30);
    EXPECT_EQ(System->Y, 40);
    EXPECT_EQ(System->Time(), 0);
    Manager.Update(16);
    EXPECT_EQ(System->Time(), 16);
    EXPECT_GT(System->Count(), 0);
    Manager.Draw(); // no canvas: nothing to draw on, and no harm
}

TEST_F(TXParticleManagerTest, FreesASystemOnceItHasStoppedAndItsParticlesAreGone) {
    Manager.Spawn(Burst(100, 200), nullptr, 0, 0);
    int Updates = 0;
    while (Manager.Count() > 0 && Updates < 100) {
        Manager.Update(16);
        ++Updates;
        if (Manager.Count() > 0 && !Manager.System(0)->Running()) {
            // Stopped, but its particles are still alive.
            EXPECT_GT(Manager.System(0)->Count(), 0);
        }
    }
    // Emits up to 96 ms; the last particle, born at 96, lives until 296.
    EXPECT_EQ(Updates, 19);
    EXPECT_EQ(Manager.System(0), nullptr);

    // An endless one stays even when it has no particles; a stopped, empty one goes at once.
    Manager.Spawn(Burst(-1, 100, 0), nullptr, 0, 0);
    Manager.Spawn(Burst(0, 100, 0), nullptr, 0, 0);
    for (int I = 0; I < 10; ++I)
        Manager.Update(16);
    ASSERT_EQ(Manager.Count(), 1);
    EXPECT_EQ(Manager.System(0)->Time(), TXParticleSystem::Endless);
}

TEST_F(TXParticleManagerTest, TheLastSystemTakesAFreedSlotAndIsStillUpdatedOnce) {
    TXParticleSystem* First = Manager.Spawn(Burst(1000, 100), nullptr, 0, 0);
    Manager.Spawn(Burst(0, 100, 0), nullptr, 0, 0); // done after its first update
    TXParticleSystem* Last = Manager.Spawn(Burst(1000, 100), nullptr, 0, 0);
    Manager.Update(16);
    ASSERT_EQ(Manager.Count(), 2);
    EXPECT_EQ(Manager.System(0), First);
    EXPECT_EQ(Manager.System(1), Last);
    EXPECT_EQ(First->Time(), 16);
    EXPECT_EQ(Last->Time(), 16);
}

TEST_F(TXParticleManagerTest, HoldsAtMostAHundredSystems) {
    for (int I = 0; I < TXParticleManager::MaxSystems; ++I)
        ASSERT_NE(Manager.Spawn(Burst(-1, 100), nullptr, 0, 0), nullptr) << I;
    EXPECT_EQ(Manager.Spawn(Burst(-1, 100), nullptr, 0, 0), nullptr);
    EXPECT_EQ(Manager.Count(), TXParticleManager::MaxSystems);
    Manager.System(42)->Stop(true);
    Manager.Update(16);
    EXPECT_EQ(Manager.Count(), TXParticleManager::MaxSystems - 1);
    EXPECT_NE(Manager.Spawn(Burst(-1, 100), nullptr, 0, 0), nullptr);
}

namespace {

class TXParticleManagerDrawTest : public THeadlessDevice {
  protected:
    void SetUp() override {
        THeadlessDevice::SetUp();
        TParticleRandom::Reset();
        Random = TRandom();
        Image.SetTextureSize(8, 8);
        ASSERT_TRUE(Image.LoadFromPicture(SolidPicture(8, 8, 0xFFFFFFFFu), false, 0, 0));
        Clear();
    }

    TVelaImage Image{Device};
    TVelaCanvas Canvas{Device};
    TXParticleManager Manager{&Canvas};
};

} // namespace

TEST_F(TXParticleManagerDrawTest, DrawsEverySystemWithTheOffsetItWasSpawnedWith) {
    const TParticleParams B = Burst(-1, 10000, 10);
    Manager.Spawn(B, &Image, 20, 20);
    Manager.SetDrawOffset(60, 0);
    Manager.Spawn(B, &Image, 20, 80);
    Manager.Update(1000);
    ASSERT_EQ(Manager.Count(), 2);
    ASSERT_EQ(Manager.System(0)->Count() + Manager.System(1)->Count(), 20);
    Canvas.ResetCounters();
    Manager.Draw();
    Canvas.Flush();
    EXPECT_EQ(Canvas.VerticesDrawn(), 20 * 4);
    EXPECT_EQ(PixelAt(20, 20), 0xFFFFFFFFu); // spawned before the offset was set
    EXPECT_EQ(PixelAt(80, 80), 0xFFFFFFFFu);
    EXPECT_EQ(PixelAt(20, 80) & 0xFFFFFF, 0u);
}

TEST_F(TXParticleManagerTest, ASystemSpawnedIntoAFreedSlotFiresAsANewOneWould) {
    const auto FireAndUpdate = [](TXParticleManager& Into) {
        TParticleRandom::Reset();
        Random = TRandom();
        TXParticleSystem* System = Into.Spawn(Burst(100, 50, 150), nullptr, 10, 20);
        Into.Update(10);
        return System;
    };
    // A first life that leaves a spawn offset, a turn and a part particle behind.
    TXParticleSystem* Old = Manager.Spawn(Burst(30, 20, 150), nullptr, 0, 0);
    Old->AddSpawnOffset({40, 0});
    Old->Angle = 1;
    for (int Update = 0; Update < 20 && Manager.Count() > 0; ++Update)
        Manager.Update(7);
    ASSERT_EQ(Manager.Count(), 0);

    TXParticleManager Fresh{nullptr};
    const TXParticleSystem* Expected = FireAndUpdate(Fresh);
    const TXParticleSystem* Reused = FireAndUpdate(Manager);
    ASSERT_EQ(Reused->Count(), Expected->Count());
    ASSERT_GT(Reused->Count(), 0);
    for (int I = 0; I < Reused->Count(); ++I) {
        EXPECT_EQ(Reused->Particle(I).X, Expected->Particle(I).X) << I;
        EXPECT_EQ(Reused->Particle(I).VelocityY, Expected->Particle(I).VelocityY) << I;
    }
}
