// libFuzzer harness: effect files (.pss). A block the game accepts is played as the game plays an
// effect: fired, then updated in 20 ms steps (a 50 Hz frame) for two seconds while its emitter flies a
// circle, and drawn twice. Its particles stay within their cap with finite numbers, and nothing hangs.
#include "FuzzSupport.h"
#include "TFuzzStage.h"
#include "particles/TParticleRandom.h"
#include "particles/TXParticleSystem.h"

#include <cmath>

namespace {

bool Finite(const TParticle& P) {
    for (float Value :
         {P.X, P.Y, P.VelocityX, P.VelocityY, P.Scale, P.Angle, P.Pattern, P.Red, P.Green, P.Blue, P.Alpha})
        if (!std::isfinite(Value))
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    // The block as a fresh system loads it from a file: the bytes there are, zeros for the rest.
    TParticleParams Block;
    if (!TParticleParams::Read(Data, Size, Block))
        return 0;
    std::string Why;
    if (!Block.Playable(Why)) {
        Check(!Why.empty());
        return 0;
    }
    TFuzzStage& Stage = TFuzzStage::Get();
    TParticleRandom::Reset();
    Random.Seed(1);
    TXParticleSystem System;
    System.Image = &Stage.Sprites();
    System.SetParams(Block);
    System.AddSpawnOffset({0, 0});
    System.AddSpawnOffset({5, -3});
    const float CentreX = TFuzzStage::Width / 2.0f, CentreY = TFuzzStage::Height / 2.0f;
    System.Fire(CentreX, CentreY);
    for (int Step = 0; Step < 100; ++Step) {
        // A stopped effect with no particles left can show nothing more; a live one still gets every
        // step, so one that never ends is found.
        if (!System.Running() && System.Count() == 0)
            break;
        System.MoveTo(false, CentreX + 20 * std::cos(Step / 10.0f), CentreY + 15 * std::sin(Step / 10.0f));
        System.Update(20);
        Check(System.Count() <= TXParticleSystem::MaxParticles);
        if (Step % 50 == 24) {
            System.Draw(Stage.Canvas);
            Stage.Canvas.Flush();
        }
    }
    for (int I = 0; I < System.Count(); ++I)
        Check(Finite(System.Particle(I)));
    return 0;
}
