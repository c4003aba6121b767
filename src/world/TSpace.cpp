#include "world/TSpace.h"

#include "engine/TEngine.h"
#include "render/TVelaCanvas.h"
#include "render/TVelaImage.h"
#include "runtime/TClock.h"
#include "runtime/TRandom.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double FieldWidth = 1024.0;
constexpr double FieldHeight = 768.0;
constexpr int StarStepMs = 20;

struct TSceneryEntry {
    const char* Mission;
    const char* Picture;
    double Scale;
};

constexpr TSceneryEntry SceneryTable[] = {
    {"level02", "varleton", 1.0},      {"level03", "mor", 0.5},           {"level04", "mor", 1.0},
    {"level06", "rocketstation", 0.2}, {"level07", "rocketstation", 0.5}, {"level08", "rocketstation", 0.75},
    {"level09", "rocketstation", 1.0}, {"level11", "mor", 1.0},           {"level13", "camelot", 1.0},
    {"level14", "camelot", 0.2},       {"level16", "furg", 0.3},          {"level18", "furg", 1.0}};

} // namespace

TSpace::TSpace(TEngine& Engine) : LastStarStep(Now()), Engine(Engine) {
    for (std::vector<TStar>& Layer : Layers) {
        Layer.resize(StarCount);
        for (TStar& Star : Layer) {
            Star.X = Random.Next(1024);
            Star.Y = Random.Next(768);
            const std::array<int, 3>& Rgb = StarColours[Random.Next(6)];
            const uint32_t Alpha = static_cast<uint32_t>(Random.Next(255) + 1);
            Star.Colour = static_cast<uint32_t>(Rgb[0]) | static_cast<uint32_t>(Rgb[1]) << 8 |
                          static_cast<uint32_t>(Rgb[2]) << 16 | Alpha << 24;
        }
    }
}

void TSpace::Run(int ShipAngle, const std::string& MissionName) {
    MoveStars(ShipAngle);
    DrawStars();
    Engine.Canvas.Draw(Engine.GetTexture("gamebg"), 0, 0, 0, EffectAdd);
    SceneryName = SceneryFor(MissionName, SceneryScale);
    DrawScenery();
}

void TSpace::MoveStars(int ShipAngle) {
    if (SinceTick(LastStarStep) <= StarStepMs)
        return;
    for (int Index = 0; Index < StarCount; ++Index)
        for (size_t Layer = 0; Layer < Layers.size(); ++Layer)
            MoveStar(Layers[Layer][Index], LayerSpeeds[Layer], ShipAngle);
    LastStarStep = Now();
}

void TSpace::MoveStar(TStar& Star, double Speed, int ShipAngle) const {
    if (StarMotion == 0) {
        const double Against = (ShipAngle - 180) * std::numbers::pi / 180.0;
        Star.X += std::cos(Against) * Speed;
        Star.Y += std::sin(Against) * Speed;
    } else if (StarMotion == 1) {
        Star.X += Speed;
        Star.Y += Speed;
    }
    if (Star.X > FieldWidth)
        Star.X = 0;
    if (Star.X < 0)
        Star.X = FieldWidth;
    if (Star.Y > FieldHeight)
        Star.Y = 0;
    if (Star.Y < 0)
        Star.Y = FieldHeight;
}

void TSpace::DrawStars() {
    for (int Index = 0; Index < StarCount; ++Index)
        for (const std::vector<TStar>& Layer : Layers)
            Engine.Canvas.PutPixel(std::trunc(Layer[Index].X), std::trunc(Layer[Index].Y),
                                   Layer[Index].Colour, EffectBlend);
}

std::string TSpace::SceneryFor(const std::string& MissionName, double& Scale) {
    for (const TSceneryEntry& Entry : SceneryTable)
        if (MissionName == Entry.Mission) {
            Scale = Entry.Scale;
            return Entry.Picture;
        }
    return "";
}

void TSpace::DrawScenery() {
    if (SceneryName.empty())
        return;
    TVelaImage* Picture = Engine.GetTexture(SceneryName);
    if (Picture == nullptr)
        return;
    // Only a full-size picture is centred: a smaller one keeps the full size's top-left corner.
    const SDL_Point Size = Picture->PatternSize();
    Engine.Canvas.DrawScaled(Picture, static_cast<float>(512 - Size.x / 2),
                             static_cast<float>(384 - Size.y / 2), static_cast<float>(SceneryScale), 0,
                             0xFFFFFFFFu, EffectBlend);
}
