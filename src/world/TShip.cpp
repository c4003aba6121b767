#include "world/TShip.h"

#include "engine/TEngine.h"
#include "engine/TSoundEngine.h"
#include "particles/TExplosion.h"
#include "render/TVelaCanvas.h"
#include "render/TVelaKeyboard.h"
#include "render/TVelaMouse.h"
#include "runtime/TClock.h"
#include "world/TAngle.h"
#include "world/TGame.h"

#include <cmath>
#include <string>

namespace {

constexpr double FieldWidth = 1024.0;
constexpr double FieldHeight = 768.0;
constexpr int RightMouseButton = 1;

} // namespace

TShip::TShip(TEngine& Engine) : Engine(Engine), LastMotion(Now()) {}

void TShip::Run() {
    if (Destroyed) {
        RunWreck();
        return;
    }
    if (!Game.Paused) {
        ReadControls();
        UpdateHitPoints();
        if (CheckCollisions)
            CheckCollisions(*this);
        CheckDestroyed();
        // One step at most: a slow frame does not catch up.
        if (SinceTick(LastMotion) > MotionPeriod) {
            LastMotion = Now();
            Move();
        }
    }
    Draw();
    RunWeapon();
    RunBullets();
    RunMines();
}

bool TShip::ControlDown(TControl Control) const {
    return Engine.Keyboard.KeyDown(Game.Keys[Control]);
}

bool TShip::ControlPressed(TControl Control) const {
    return Engine.Keyboard.KeyPressed(Game.Keys[Control]);
}

bool TShip::ControlReleased(TControl Control) const {
    return Engine.Keyboard.KeyReleased(Game.Keys[Control]);
}

void TShip::ReadControls() {
    if (!Boosting)
        ReadSpeedKeys();
    ReadSpeedReleases();
    ReadBoostKey();
    ReadSteering();
    ReadWeaponKeys();
}

void TShip::ReadSpeedKeys() {
    if (ControlDown(KeySpeedUp) && ControlDown(KeySpeedDown)) {
        StopThrust(TThrust::Forward);
        ThrustForward = false;
        ThrustReverse = false;
        return;
    }
    if (Boost > 0 && ControlDown(KeySpeedUp))
        SpeedUp();
    // Speeding up has already paid, so this sees the boost that is left.
    if (Boost > 0 && ControlDown(KeySpeedDown))
        SlowDown();
}

void TShip::SpeedUp() {
    const std::optional<double> Top = TopSpeed();
    if (!Top)
        return;
    if (Speed > *Top) {
        StopThrust(TThrust::Forward);
        return;
    }
    if (!ThrustForward)
        StartThrust(TThrust::Forward);
    PlaceThrust(TThrust::Forward);
    Speed += 0.005;
    Boost -= 0.01;
}

void TShip::SlowDown() {
    // Tested before the step, so the ship ends just below -0.5.
    if (Speed < -0.5) {
        StopThrust(TThrust::Reverse);
        return;
    }
    if (!ThrustReverse)
        StartThrust(TThrust::Reverse);
    PlaceThrust(TThrust::Reverse);
    Speed -= 0.005;
    Boost -= 0.01;
}

void TShip::ReadSpeedReleases() {
    if (ControlReleased(KeySpeedUp)) {
        ThrustForward = false;
        StopThrust(TThrust::Forward);
    }
    if (ControlReleased(KeySpeedDown)) {
        ThrustReverse = false;
        StopThrust(TThrust::Reverse);
    }
}

void TShip::ReadBoostKey() {
    if (Boost > 40 && ControlDown(KeyBoost)) {
        // One charge per press: holding the key only keeps the flames in place.
        if (!Boosting) {
            Boosting = true;
            StartThrust(TThrust::Boost);
            Speed = 5.0;
            Boost -= 40;
        }
        PlaceThrust(TThrust::Forward);
    }
    if (ControlReleased(KeyBoost)) {
        Boosting = false;
        StopThrust(TThrust::Boost);
    }
}

void TShip::ReadSteering() {
    if (ControlPressed(KeyRight))
        SteerMode = 1;
    if (ControlPressed(KeyLeft))
        SteerMode = 1;
    // A mouse movement sets the ship turning until a steer key, the other direction or the right button.
    const int DeltaX = Engine.Mouse.DeltaX();
    if (DeltaX > 0)
        SteerMode = 2;
    else if (DeltaX < 0)
        SteerMode = 0;
    else if (Engine.Mouse.ButtonDown(RightMouseButton))
        SteerMode = 1;
}

std::optional<double> TShip::TopSpeed() const {
    if (SpeedLevel == 1.0)
        return 1.5;
    if (SpeedLevel == 2.0)
        return 2.5;
    if (SpeedLevel == 3.0)
        return 3.5;
    return std::nullopt;
}

bool TShip::TurningRight() const {
    return SteerMode == 2 || ControlDown(KeyRight);
}

bool TShip::TurningLeft() const {
    return SteerMode == 0 || ControlDown(KeyLeft);
}

void TShip::Move() {
    Turn();
    Bank();
    WrapAngle();
    X += std::cos(TAngle::Radians(Angle)) * Speed;
    Y += std::sin(TAngle::Radians(Angle)) * Speed;
    WrapOnField(X, Y);
}

void TShip::Turn() {
    // Right is tested first, so it wins when both keys are held.
    if (TurningRight())
        Angle += SteerRate;
    else if (TurningLeft())
        Angle -= SteerRate;
}

void TShip::Bank() {
    if (TurningRight()) {
        if (Tilt != 2)
            ++Tilt;
    } else if (TurningLeft()) {
        if (Tilt != -2)
            --Tilt;
    } else if (SteerMode == 1) {
        Tilt += Tilt > 0 ? -1 : (Tilt < 0 ? 1 : 0);
    }
}

void TShip::WrapAngle() {
    if (Angle > 360)
        Angle -= 360;
    if (Angle < 1)
        Angle += 360;
}

void TShip::WrapOnField(double& PointX, double& PointY) {
    // Jumps to the opposite edge rather than wrapping by the overshoot.
    if (PointX < 0)
        PointX = FieldWidth;
    else if (PointX > FieldWidth)
        PointX = 0;
    if (PointY < 0)
        PointY = FieldHeight;
    else if (PointY > FieldHeight)
        PointY = 0;
}

void TShip::Draw() {
    static constexpr std::array<const char*, 5> Textures{"ship_left2", "ship_left1", "ship", "ship_right1",
                                                         "ship_right2"};
    TVelaImage* Image = Engine.GetTexture(Textures[Tilt + 2]);
    if (Image == nullptr)
        return;
    Engine.Canvas.DrawRotatedWhite(Image, static_cast<float>(X), static_cast<float>(Y),
                                   static_cast<float>(TAngle::SpriteRadians(Angle)), 1.0f, 0, EffectBlend);
}

void TShip::AddScore(int Points) {
    if (!Destroyed)
        Game.Score += Points;
}

void TShip::AddBoost(int Amount) {
    Boost += Amount;
    if (Boost > 100)
        Boost = 100.0;
}

int TShip::Damage(int Kind) {
    const int Taken = static_cast<int>(Kind * 6.0 / ShieldLevel);
    Energy -= Taken;
    if (Energy < 0) {
        Energy = 0;
        return 0;
    }
    return Taken;
}

void TShip::UpdateHitPoints() {
    const double Heading = TAngle::Radians(Angle);
    for (size_t K = 0; K < HitPoints.size(); ++K) {
        HitPoints[K][0] = static_cast<int>(X + ProbeDistances[K] * std::cos(Heading));
        HitPoints[K][1] = static_cast<int>(Y + ProbeDistances[K] * std::sin(Heading));
    }
}

void TShip::CheckDestroyed() {
    if (Destroyed || Energy > 0)
        return;
    StopSound("engine");
    // A wreck has no engines or weapons: their effects would hang in space beside it.
    if (Explosion != nullptr)
        Explosion->StopShipEffects();
    PutOutWeapons();
    Destroyed = true;
    PlaySound("explode2");
}

void TShip::StartThrust(TThrust Kind) {
    // The emitters fire at the ship's centre; PlaceThrust moves them behind the nozzles.
    if (Kind == TThrust::Forward)
        ThrustForward = true;
    else if (Kind == TThrust::Reverse)
        ThrustReverse = true;
    if (Explosion == nullptr)
        return;
    const TThrustPair Pair = ThrustEmitters(Kind);
    Pair.A.Fire(static_cast<float>(X), static_cast<float>(Y));
    Pair.B.Fire(static_cast<float>(X), static_cast<float>(Y));
}

void TShip::StopThrust(TThrust Kind) {
    if (Explosion == nullptr)
        return;
    // Cleared at once: flames must not hang where the nozzles were.
    const TThrustPair Pair = ThrustEmitters(Kind);
    Pair.A.Stop(true);
    Pair.B.Stop(true);
}

TShip::TThrustPair TShip::ThrustEmitters(TThrust Kind) {
    if (Kind == TThrust::Boost)
        return {Explosion->BoostA, Explosion->BoostB};
    return {Explosion->EngineA, Explosion->EngineB};
}

void TShip::PlaceThrust(TThrust Kind) {
    if (Explosion == nullptr)
        return;
    // All four emitters follow, so a boost's flames stay on the nozzles too.
    const TThrustPlacement Placement = ThrustPlacement(Kind);
    for (TXParticleSystem* Emitter :
         {&Explosion->EngineA, &Explosion->EngineB, &Explosion->BoostA, &Explosion->BoostB}) {
        const bool SideA = Emitter == &Explosion->EngineA || Emitter == &Explosion->BoostA;
        Emitter->Angle = static_cast<float>(Placement.Direction);
        Emitter->MoveTo(true, static_cast<float>(SideA ? Placement.AX : Placement.BX),
                        static_cast<float>(SideA ? Placement.AY : Placement.BY));
    }
}

TThrustPlacement TShip::ThrustPlacement(TThrust Kind) const {
    const bool Reverse = Kind == TThrust::Reverse;
    const double Heading = TAngle::Radians(Angle);
    const double Behind = Reverse ? 10.0 : -33.0;
    const double CentreX = X + Behind * std::cos(Heading);
    const double CentreY = Y + Behind * std::sin(Heading);
    const double SideX = 34.0 * std::cos(TAngle::Radians(Angle + 90));
    const double SideY = 34.0 * std::sin(TAngle::Radians(Angle + 90));
    TThrustPlacement Placement;
    Placement.AX = CentreX + SideX;
    Placement.AY = CentreY + SideY;
    Placement.BX = CentreX - SideX;
    Placement.BY = CentreY - SideY;
    Placement.Direction = TAngle::SpriteRadians(Reverse ? Angle + 90 : Angle - 90);
    return Placement;
}

void TShip::RunWreck() {
    // The wreck drifts backwards against its heading and does not wrap.
    Y += 0.3 * std::sin(TAngle::Radians(Angle - 180));
    X += 0.3 * std::cos(TAngle::Radians(Angle - 180));
    if (!WreckExploded) {
        PlaySound("explode1");
        if (Explosion != nullptr)
            Explosion->ShipExplode.Fire(static_cast<float>(X), static_cast<float>(Y));
        WreckExploded = true;
    }
    if (Explosion != nullptr)
        Explosion->ShipExplode.MoveTo(true, static_cast<float>(X), static_cast<float>(Y));
}
