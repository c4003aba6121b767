#include "THeadlessEngine.h"

#include "app/Globals.h"
#include "particles/TExplosion.h"

#include <gtest/gtest.h>

namespace {

// The registry over the shipped effect files, on an engine without pictures.
class TExplosionTest : public THeadlessEngine {
  protected:
    void SetUp() override {
        THeadlessEngine::SetUp();
        ::ProgramDir = ZERATHON_SOURCE_DIR "/data/";
        Effects = std::make_unique<TExplosion>(*TestEngine);
    }
    void TearDown() override {
        Effects.reset();
        THeadlessEngine::TearDown();
    }

    std::unique_ptr<TExplosion> Effects;
};

TEST_F(TExplosionTest, EverySystemIsLoadedWithTwoSpawnPointsAndNothingRuns) {
    for (const TXParticleSystem* System :
         {&Effects->Phazer, &Effects->EmpIcon, &Effects->ShieldIcon, &Effects->PhazerIcon, &Effects->Shield1A,
          &Effects->Shield2B, &Effects->EngineA, &Effects->BoostB, &Effects->Mine, &Effects->Shield,
          &Effects->LongBomb, &Effects->Emp, &Effects->ShipExplode, &Effects->Explode1}) {
        EXPECT_GT(System->Params().EmissionRate, 0);
        EXPECT_EQ(System->SpawnOffsetCount(), 2);
        EXPECT_FALSE(System->Running());
    }
    EXPECT_EQ(Effects->Shield1A.Params().Write(), Effects->Shield1B.Params().Write());
}

TEST_F(TExplosionTest, ChangingTheWeaponPutsOutTheOtherGlowsAndLightsTheNewOnesAtItsPlace) {
    Effects->SelectWeaponIcon(1);
    EXPECT_TRUE(Effects->EmpIcon.Running());
    EXPECT_FLOAT_EQ(Effects->EmpIcon.Y, 666);
    for (int Step = 0; Step < 5; ++Step)
        Effects->Update(16);
    ASSERT_GT(Effects->EmpIcon.Count(), 0);
    Effects->SelectWeaponIcon(2);
    EXPECT_FALSE(Effects->EmpIcon.Running());
    EXPECT_EQ(Effects->EmpIcon.Count(), 0); // cleared, not left to fade
    EXPECT_TRUE(Effects->PhazerIcon.Running());
    EXPECT_FLOAT_EQ(Effects->PhazerIcon.X, 934);
    EXPECT_FLOAT_EQ(Effects->PhazerIcon.Y, 685);
    Effects->SelectWeaponIcon(4);
    EXPECT_TRUE(Effects->ShieldIcon.Running() && !Effects->PhazerIcon.Running());
    Effects->SelectWeaponIcon(5); // the sniper has no glow
    EXPECT_FALSE(Effects->ShieldIcon.Running() || Effects->EmpIcon.Running() ||
                 Effects->PhazerIcon.Running());
}

TEST_F(TExplosionTest, ANewMissionStartsWithNoWeaponFlameOrWreckFireOfTheLastOne) {
    Effects->EngineA.Fire(100, 100);
    Effects->Shield.Fire(100, 100);
    Effects->ShipExplode.Fire(100, 100);
    Effects->Explode1.Fire(100, 100);
    for (int Step = 0; Step < 5; ++Step)
        Effects->Update(16);
    Effects->StopShipEffects();
    for (const TXParticleSystem* System : {&Effects->EngineA, &Effects->Shield, &Effects->ShipExplode})
        EXPECT_TRUE(!System->Running() && System->Count() == 0);
    EXPECT_GT(Effects->Explode1.Count(), 0); // a crate blast is not the mission's: it fades out itself
}

TEST_F(TExplosionTest, MinesBlowUpInShortLivedSystemsThatFreeThemselves) {
    TXParticleSystem* Blast = Effects->SpawnMine(300, 200);
    ASSERT_NE(Blast, nullptr);
    EXPECT_EQ(Effects->LastMine, Blast);
    EXPECT_EQ(Effects->MineEffects.Count(), 1);
    EXPECT_EQ(Blast->Params().Write(), Effects->Mine.Params().Write());
    EXPECT_FALSE(Effects->Mine.Running()); // the template itself never goes off
    for (int Step = 0; Step < 1000 && Effects->MineEffects.Count() > 0; ++Step)
        Effects->Update(16);
    EXPECT_EQ(Effects->MineEffects.Count(), 0);
    EXPECT_EQ(Effects->LastMine, nullptr);
}

TEST_F(TExplosionTest, MissingEffectFilesLeaveDarkSystemsAndTheGameGoesOn) {
    ::ProgramDir = Dir.Dir();
    TExplosion Dark(*TestEngine);
    Dark.EngineA.Fire(10, 10);
    for (int Step = 0; Step < 10; ++Step)
        Dark.Update(16);
    Dark.Draw();
    EXPECT_EQ(Dark.EngineA.Count(), 0);
    EXPECT_EQ(Dark.EngineA.Params().EmissionRate, 0);
}

} // namespace
