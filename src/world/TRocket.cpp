#include "world/TRocket.h"

#include "app/Globals.h"
#include "engine/TEngine.h"
#include "particles/TMessage.h"
#include "render/TVelaCanvas.h"
#include "world/TCollisions.h"
#include "world/TShip.h"

#include <cmath>
#include <numbers>

namespace {

double Radians(double Degrees) {
    return Degrees * std::numbers::pi / 180.0;
}

} // namespace

TRocket::TRocket(TEngine& Engine) : Engine(Engine), LastMotion(Now()) {
    // The flame ("Graphic\flame.pss") and explosion ("Graphic\explode1.pss") emitters join here
    // with the particle systems.
}

void TRocket::Park(int NewIndex, int NewKind) {
    X = -150;
    Y = -150;
    Destroyed = true;
    Gone = true;
    Index = NewIndex;
    Kind = NewKind;
}

void TRocket::Run(TShip& Ship, TRockets& Rockets, TMessage& Messages) {
    // The emitters step first: the flame by TickLength, the explosion by RocketParticleStep.
    if (!Destroyed)
        RunAlive(Ship, Rockets, Messages);
    else
        RunWreck(Ship, Messages);
}

void TRocket::RunAlive(TShip& Ship, TRockets& Rockets, TMessage& Messages) {
    Animate();
    if (!Game.Paused) {
        UpdateCircles();
        TCollisions::CheckRocketAgainstRockets(*this, Ship, Rockets, Messages);
        Aim(Ship.X, Ship.Y);
        if (SinceTick(LastMotion) > MotionPeriod) {
            LastMotion = Now();
            Move();
            PlaceFlame();
        }
    }
    Draw();
}

void TRocket::RunWreck(const TShip& Ship, TMessage& Messages) {
    Drift(Ship.Angle);
    // The first wreck frame takes the rocket out of play; its explosion starts here.
    if (!Gone)
        Gone = true;
    Messages.MoveMessage(Index, X, Y);
}

void TRocket::Animate() {
    if (SinceTick(FrameTime) <= 70)
        return;
    FrameTime = Now();
    if (++Frame == 9)
        Frame = 0;
}

void TRocket::Draw() {
    const double Rotation = Radians(Angle + SpriteTurn(Kind));
    Engine.Canvas.DrawRotatedWhite(Engine.GetTexture(SpriteName(Kind)), static_cast<float>(X),
                                   static_cast<float>(Y), static_cast<float>(Rotation), 1.0f, Frame,
                                   EffectBlend);
}

void TRocket::UpdateCircles() {
    TCollisions::PlaceCircles(Kind, X, Y, Angle, Circles);
}

void TRocket::Aim(double ShipX, double ShipY) {
    TargetAngle = AimAngle(ShipX - X, ShipY - Y, TargetAngle);
}

void TRocket::Move() {
    Y += std::sin(Radians(Angle)) * Kind;
    X += std::cos(Radians(Angle)) * Kind;
    if (Angle != TargetAngle)
        Angle = Turn(Angle, TargetAngle, Kind);
    Angle = WrapAngle(Angle);
}

void TRocket::PlaceFlame() {
    const double Distance = FlameDistance(Kind);
    FlameX = X - Distance * std::cos(Radians(Angle));
    FlameY = Y - Distance * std::sin(Radians(Angle));
    // The emitters take their directions with this rounded pi.
    FlameAngle = (Angle - 90) * 3.1415 / 180;
}

void TRocket::Drift(int ShipAngle) {
    Y += 0.3 * std::sin(Radians(ShipAngle - 180));
    X += 0.3 * std::cos(Radians(ShipAngle - 180));
}

int TRocket::Quadrant(int Angle) {
    if (Angle < 1 || Angle > 360)
        return 0;
    return (Angle - 1) / 90 + 1;
}

int TRocket::AimAngle(double Dx, double Dy, int Previous) {
    const int B =
        Dx == 0 ? 90 : static_cast<int>(std::atan(std::fabs(Dy) / std::fabs(Dx)) * 180 / std::numbers::pi);
    if (Dy > 0 && Dx >= 0)
        return B;
    if (Dy >= 0 && Dx < 0)
        return 180 - B;
    if (Dy < 0 && Dx <= 0)
        return B + 180;
    if (Dy <= 0 && Dx > 0)
        return 360 - B;
    return Previous;
}

int TRocket::Turn(int Angle, int Target, int Step) {
    for (int Row = 1; Row <= 4; ++Row)
        if (Quadrant(Angle) == Row)
            Angle += RuleTurn(Row, Angle, Target, Step);
    return Angle;
}

int TRocket::RuleTurn(int Row, int Angle, int Target, int Step) {
    const int Column = Quadrant(Target);
    if (Column == 0)
        return 0;
    // Columns counted from the heading's own quadrant: same, next, opposite, previous.
    switch ((Column - Row + 4) % 4) {
    case 0:
        return Angle > Target ? -Step : Step;
    case 1:
        return Step;
    case 2:
        if (Row <= 2)
            return Angle + 180 > Target ? Step : -Step;
        return Angle - 180 > Target ? Step : -Step;
    default:
        return -Step;
    }
}

int TRocket::WrapAngle(int Angle) {
    if (Angle > 360)
        Angle -= 360;
    if (Angle < 1)
        Angle += 360;
    return Angle;
}

double TRocket::FlameDistance(int Kind) {
    switch (Kind) {
    case 2:
        return 51;
    case 3:
        return 34;
    default:
        return 30;
    }
}

std::string TRocket::SpriteName(int Kind) {
    return Kind == 2 || Kind == 3 ? "rocket" + std::to_string(Kind) : "rocket1";
}

int TRocket::SpriteTurn(int Kind) {
    return Kind == 2 ? 180 : 0;
}

std::string TRocket::ExplosionFile(int Kind) {
    return Kind == 2 || Kind == 3 ? "Graphic\\explode" + std::to_string(Kind) + ".pss"
                                  : "Graphic\\explode1.pss";
}
