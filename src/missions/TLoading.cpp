#include "missions/TLoading.h"

#include "engine/TEngine.h"
#include "missions/TGameState.h"
#include "missions/TMissionLoader.h"
#include "render/TVelaCanvas.h"
#include "text/TText.h"

void TLoading::Run() {
    if (Visible) {
        Engine->Canvas.Draw(Engine->GetTexture("background"), 0, 0, 0, EffectOpaque);
        Engine->DrawTexture(Engine->GetTexture("title"), 290, 640, 0, 0, 254);
        Engine->DrawText(GameText.loading, 512, 384, 1, 1, 0xFFFFFFFFu, 3);
    }
    if (LoadRequest == 1) {
        LoadRequest = 0;
        TMissionLoader::LoadLevel(LevelName);
    }
}
