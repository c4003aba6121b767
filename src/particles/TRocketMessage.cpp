#include "particles/TRocketMessage.h"

#include "runtime/TClock.h"

void TRocketMessage::Restart(const std::string& NewText, double NewX, double NewY) {
    Text = NewText;
    X = NewX;
    Y = NewY;
    Active = true;
    SizeStep = 0;
    Phase = PhaseGrow;
    Alpha = 255;
    FadeTime = Now();
}

void TRocketMessage::FitInto(int Width) {
    const int Half = Width / 2;
    if (X - Half < 0)
        X = Half;
    if (X + Half > 1024)
        X = 1024 - Half;
}

void TRocketMessage::Advance() {
    switch (Phase) {
    case PhaseGrow:
        if (++SizeStep == LargestStep)
            Phase = PhaseShrink;
        break;
    case PhaseShrink:
        FadeTime = Now();
        if (--SizeStep == FadeFromStep)
            Phase = PhaseFade;
        break;
    default:
        if (SinceTick(FadeTime) <= FadeInterval)
            break;
        Alpha -= FadeAmount;
        FadeTime = Now();
        if (Alpha <= 0) {
            Alpha = 0;
            Active = false;
        }
        break;
    }
}
