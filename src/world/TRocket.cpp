#include "world/TRocket.h"

#include "engine/TEngine.h"
#include "particles/TExplosion.h"
#include "particles/TMessage.h"
#include "render/TVelaCanvas.h"
#include "runtime/TClock.h"
#include "runtime/TGameFolders.h"
#include "runtime/TPath.h"
#include "world/TAngle.h"
#include "world/TCollisions.h"
#include "world/TGame.h"
#include "world/TShip.h"

#include <cmath>
#include <numbers>

TRocket::TRocket(TEngine& Engine) : Engine(Engine), LastMotion(Now()) {
    LoadEffect(FlameEmitter, "Graphic\\flame.pss");
    LoadEffect(ExplosionEmitter, ExplosionFile(Kind));
    // The flame burns for the rocket's whole life; it is drawn only while the rocket flies.
    FlameEmitter.Fire(static_cast<float>(X), static_cast<float>(Y));
    ExplosionEmitter.MoveTo(false, static_cast<float>(X), static_cast<float>(Y));
}

void TRocket::CheckEffectFiles() {
    TXParticleSystem Trial;
    Trial.LoadFromFile(TPath::Join(ProgramDir, "Graphic\\flame.pss"));
    for (int Kind = 1; Kind <= 4; ++Kind)
        Trial.LoadFromFile(TPath::Join(ProgramDir, ExplosionFile(Kind)));
}

void TRocket::LoadEffect(TXParticleSystem& Emitter, const std::string& File) {
    // A missing file leaves the emitter dark; the data check guards the shipped files.
    Emitter.LoadFromFile(TPath::Join(ProgramDir, File));
    Emitter.Image = Engine.GetTexture("particles");
}

void TRocket::Park(int NewIndex, int NewKind) {
    X = -150;
    Y = -150;
    Destroyed = true;
    Gone = true;
    Index = NewIndex;
    Kind = NewKind;
    ExplosionEmitter.LoadFromFile(TPath::Join(ProgramDir, ExplosionFile(Kind)));
}

void TRocket::Respawn(double AtX, double AtY) {
    X = AtX;
    Y = AtY;
    Destroyed = false;
    Gone = false;
    UpdateCircles();
}

void TRocket::Run(TShip& Ship, TRockets& Rockets, TMessage& Messages) {
    // Once per frame, not per fixed step: the explosion at half the step plays at about half speed.
    FlameEmitter.Update(static_cast<float>(TickLength));
    ExplosionEmitter.Update(static_cast<float>(RocketParticleStep));
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
    FlameEmitter.Draw(Engine.Canvas);
    Draw();
}

void TRocket::RunWreck(const TShip& Ship, TMessage& Messages) {
    Drift(Ship.Angle);
    // The first wreck frame takes the rocket out of play; its explosion starts here.
    if (!Gone) {
        Gone = true;
        ExplosionEmitter.Fire(static_cast<float>(X), static_cast<float>(Y));
    }
    Messages.MoveMessage(Index, X, Y);
    ExplosionEmitter.MoveTo(true, static_cast<float>(X), static_cast<float>(Y));
    ExplosionEmitter.Draw(Engine.Canvas);
}

void TRocket::Animate() {
    if (SinceTick(FrameTime) <= 70)
        return;
    FrameTime = Now();
    if (++Frame == 9)
        Frame = 0;
}

void TRocket::Draw() {
    const double Rotation = TAngle::Radians(Angle + SpriteTurn(Kind));
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
    Y += std::sin(TAngle::Radians(Angle)) * Kind;
    X += std::cos(TAngle::Radians(Angle)) * Kind;
    if (Angle != TargetAngle)
        Angle = Turn(Angle, TargetAngle, Kind);
    Angle = WrapAngle(Angle);
}

void TRocket::PlaceFlame() {
    const double Distance = FlameDistance(Kind);
    FlameX = X - Distance * std::cos(TAngle::Radians(Angle));
    FlameY = Y - Distance * std::sin(TAngle::Radians(Angle));
    // The emitters take their directions with this rounded pi.
    FlameEmitter.Angle = static_cast<float>(TAngle::SpriteRadians(Angle - 90));
    FlameEmitter.MoveTo(true, static_cast<float>(FlameX), static_cast<float>(FlameY));
}

void TRocket::Drift(int ShipAngle) {
    Y += 0.3 * std::sin(TAngle::Radians(ShipAngle - 180));
    X += 0.3 * std::cos(TAngle::Radians(ShipAngle - 180));
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
