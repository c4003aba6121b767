#include "missions/THud.h"

#include "engine/TEngine.h"
#include "missions/TProfile.h"
#include "render/TVelaCanvas.h"
#include "text/TText.h"

#include <cstdio>

namespace {

constexpr int ClockCell = 15;
constexpr int GaugeStep = 14;
constexpr int GaugeY = 718;

std::string Padded(int Value, int Digits) {
    char Text[16];
    std::snprintf(Text, sizeof Text, "%0*d", Digits, Value);
    return Text;
}

// One character per cell, so the clock does not shift while its digits change; ':' sits 5 px right.
void DrawClockCharacter(int FontIndex, char Character, double X, double Y, uint32_t Color) {
    const double Shift = Character == ':' ? 5 : 0;
    Engine->DrawText(std::string(1, Character), static_cast<int>(X + Shift), static_cast<int>(Y), 0, 0, Color,
                     FontIndex);
}

} // namespace

std::string THud::GetFormatTime(int Milliseconds) {
    const int Seconds = Milliseconds / 1000;
    const int Minutes = Seconds / 60;
    const int Rest = Seconds - 60 * Minutes;
    const int Millis = Milliseconds - 60000 * Minutes - 1000 * Rest;
    return Padded(Minutes, 2) + ":" + Padded(Rest, 2) + ":" + Padded(Millis, 3);
}

void THud::RenderTime(int FontIndex, const std::string& Text, double X, double Y, uint32_t Color) {
    if (Engine == nullptr)
        return;
    for (size_t Index = 0; Index < Text.size(); ++Index)
        DrawClockCharacter(FontIndex, Text[Index], X + ClockCell * static_cast<double>(Index), Y, Color);
}

void THud::RenderTimeBack(int FontIndex, const std::string& Text, double X, double Y, uint32_t Color) {
    if (Engine == nullptr)
        return;
    for (size_t FromEnd = 1; FromEnd <= Text.size(); ++FromEnd)
        DrawClockCharacter(FontIndex, Text[Text.size() - FromEnd],
                           X - ClockCell * static_cast<double>(FromEnd), Y, Color);
}

int THud::EnergySegments(int Energy) {
    return Energy <= 0 || Energy > 100 ? 0 : (Energy + 7) / 8;
}

int THud::BoostSegments(int Boost) {
    if (Boost <= 0)
        return 0;
    return Boost <= 91 ? (Boost + 12) / 13 : 8;
}

void THud::RenderEnergy(int Energy) {
    if (Engine == nullptr)
        return;
    // The first three segments are the red ones: the last of the hull.
    for (int Segment = 0; Segment < EnergySegments(Energy); ++Segment)
        Engine->Canvas.Draw(Engine->GetTexture(Segment < 3 ? "zr" : "z"), 588.0f + GaugeStep * Segment,
                            GaugeY, 0, EffectBlend);
}

void THud::RenderBoost(int Boost) {
    if (Engine == nullptr)
        return;
    for (int Segment = 0; Segment < BoostSegments(Boost); ++Segment)
        Engine->Canvas.Draw(Engine->GetTexture("t"), 27.0f + GaugeStep * Segment, GaugeY, 0, EffectBlend);
}

TWeaponStatus THud::GetWeaponStatus(int Weapon) {
    if (Weapon < 0 || Weapon > 3)
        return {};
    const std::string* Names[4] = {&GameText.wpnEMP, &GameText.wpnPhazer, &GameText.wpnLongBomb,
                                   &GameText.wpnHyperShield};
    if (Profile.Owned[Weapon] == 0)
        return {*Names[Weapon] + " - " + GameText.statusNA, 0xFF0000FFu};
    if (Profile.Charged[Weapon] != 0)
        return {*Names[Weapon] + " - " + GameText.statusFullActive, 0xFF00FF00u};
    return {*Names[Weapon] + " - " + GameText.statusDisCharge, 0xFF64B1FFu};
}
