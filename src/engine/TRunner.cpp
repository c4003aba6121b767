#include "engine/TRunner.h"

#include "engine/TEngine.h"
#include "engine/TSoundEngine.h"
#include "render/TVelaCanvas.h"
#include "runtime/TClock.h"
#include "runtime/TRandom.h"

TRunner::TRunner(TEngine& Engine, TSoundEngine* SoundEngine, int X, int Y, const std::string& TextureName)
    : X(X), Y(Y), TextureName(TextureName), MoveStamp(Now()), FrameStamp(Now()), Frame(Random.Next(7)),
      Engine(Engine), SoundEngine(SoundEngine) {}

void TRunner::Run() {
    if (TextureName == "rytier" && !Screamed && X > 600) {
        Screamed = true;
        if (SoundEngine != nullptr)
            SoundEngine->PlaySample("scream");
    }
    if (!RunSoundPlayed && X > -10) {
        RunSoundPlayed = true;
        if (SoundEngine != nullptr)
            SoundEngine->PlaySample("run");
    }
    if (SinceTick(FrameStamp) > FrameDelay) {
        Frame = Frame >= 7 ? 0 : Frame + 1;
        FrameStamp = Now();
    }
    if (SinceTick(MoveStamp) > MoveDelay) {
        X += 3;
        MoveStamp = Now();
    }
    Engine.Canvas.Draw(Engine.GetTexture(TextureName), static_cast<float>(X), static_cast<float>(Y), Frame,
                       EffectBlend);
}
