#pragma once

#include <cstdint>
#include <string>

// One floating text: it pops up over 20 frames, shrinks back over 5 and then fades out by time.
// The main message and every enemy's slot message behave alike.
struct TRocketMessage {
    static constexpr int PhaseGrow = 0;
    static constexpr int PhaseShrink = 1;
    static constexpr int PhaseFade = 2;
    static constexpr int LargestStep = 20;
    static constexpr int FadeFromStep = 15;
    static constexpr int FadeInterval = 15; // ms
    static constexpr int FadeAmount = 4;

    int SizeStep = 0;
    int Phase = PhaseGrow;
    bool Active = false;
    std::string Text;
    int Alpha = 0;
    double X = 0;
    double Y = 0;
    uint32_t FadeTime = 0;

    void Restart(const std::string& NewText, double NewX, double NewY);
    // Keeps a text of this width inside the 1024 pixels of the screen; the move is kept.
    void FitInto(int Width);
    // One drawn frame's worth of growing, shrinking or fading.
    void Advance();
};
