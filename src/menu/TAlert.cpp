#include "menu/TAlert.h"

#include "engine/TEngine.h"
#include "runtime/TClock.h"

TAlert::TAlert(TEngine& Engine, int Font) : Font(Font), EngineRef(Engine) {}

void TAlert::Run() {
    if (Trigger == 1) {
        Trigger = 0;
        Active = 1;
        StartTick = Now();
    }
    if (Active == 0)
        return;
    EngineRef.DrawTexture(EngineRef.GetTexture("gameexit"), 520, 404, 1, 1, 255);
    EngineRef.DrawText(Message, 512, 384, 1, 1, 0xFFFFFFFFu, Font);
    if (SinceTick(StartTick) > Duration)
        Active = 0;
}
