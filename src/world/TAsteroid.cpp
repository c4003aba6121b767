#include "world/TAsteroid.h"

#include "engine/TEngine.h"
#include "render/TVela2D.h"
#include "render/TVelaCanvas.h"
#include "render/TVelaImage.h"
#include "runtime/TClock.h"
#include "runtime/TGameFolders.h"
#include "runtime/TPath.h"
#include "runtime/TRandom.h"
#include "world/TAngle.h"
#include "world/TCollisions.h"
#include "world/TGame.h"
#include "world/TRocket.h"
#include "world/TShip.h"

#include <cmath>

namespace {

constexpr double LargeStep = 0.6;  // px per motion step
constexpr double FragmentStep = 2; // px per motion step
constexpr int MotionPeriod = 16;   // ms
constexpr int LargeFramePeriod = 70;
constexpr int FragmentFramePeriod = 30;
constexpr int PatternCount = 25;
constexpr int FieldWidth = 1024;
constexpr int FieldHeight = 768;

// One animation step when more than Period ms have passed.
void Animate(int& Frame, uint32_t& FrameTime, int Period) {
    if (SinceTick(FrameTime) <= Period)
        return;
    FrameTime = Now();
    if (++Frame == PatternCount)
        Frame = 0;
}

} // namespace

TAsteroid::TAsteroid(TEngine& Engine) : Engine(Engine) {
    LoadEffect(Emitter);
    for (TAsteroidFragment& Fragment : Fragments)
        LoadEffect(Fragment.Emitter);
    Reset();
}

void TAsteroid::LoadEffect(TXParticleSystem& Effect) {
    // A missing file leaves the explosion dark; the data check guards the shipped files.
    Effect.LoadFromFile(TPath::Join(ProgramDir, "Graphic\\explode1.pss"));
    Effect.Image = Engine.GetTexture("particles");
}

void TAsteroid::Reset() {
    Active = false;
    State = 0;
    Frame = 0;
    Radius = LargeRadius;
    ChooseStartPosition();
    Angle = Random.Next(360);
    LastMotion = Now();
    FrameTime = Now();
    Destroyed = false;
    for (TAsteroidFragment& Fragment : Fragments) {
        Fragment.Destroyed = true;
        Fragment.Radius = FragmentRadius;
        Fragment.Frame = 0;
        Fragment.LastMotion = Now();
        Fragment.FrameTime = Now();
    }
}

void TAsteroid::ChooseStartPosition() {
    const int Across = Random.Next(20);
    const int Down = Random.Next(20);
    X = (Across < 10 ? 100 : 724) + Random.Next(201);
    Y = (Down < 10 ? 100 : 438) + Random.Next(201);
}

void TAsteroid::ChooseRespawnPosition(double ShipX, double ShipY) {
    ChooseStartPosition();
    if (TCollisions::Distance(X, Y, ShipX, ShipY) < RespawnClearance) {
        X += RespawnClearance;
        Y += RespawnClearance;
    }
}

void TAsteroid::Run(TShip& Ship, TRockets& Rockets, TMessage& Messages) {
    if (!Active)
        return;
    if (!Game.Paused)
        CheckCollisions(Ship, Rockets, Messages);
    if (!Game.Paused)
        Move();
    Draw();
    if (!Game.Paused)
        RespawnStep(Ship.X, Ship.Y);
}

void TAsteroid::Split(std::optional<double> BaseAngle) {
    // Four draws, fragment 0 first: forward around the blow, or two each way along a random line.
    if (BaseAngle) {
        const double Base = *BaseAngle;
        Fragments[0].Angle = Base + Random.Next(20);
        Fragments[1].Angle = Base - Random.Next(20);
        Fragments[2].Angle = Base + 20 + Random.Next(50);
        Fragments[3].Angle = Base - 20 - Random.Next(50);
    } else {
        Fragments[0].Angle = Random.Next(180);
        Fragments[1].Angle = Random.Next(180) + 180;
        Fragments[2].Angle = Random.Next(180) + 180;
        Fragments[3].Angle = Random.Next(180);
    }
    for (TAsteroidFragment& Fragment : Fragments) {
        Fragment.X = X;
        Fragment.Y = Y;
        Fragment.Frame = Random.Next(PatternCount);
        Fragment.Destroyed = false;
    }
    Destroyed = true;
    State = 1;
}

void TAsteroid::UpdateEmitters(float Dt) {
    Emitter.Update(Dt);
    for (TAsteroidFragment& Fragment : Fragments)
        Fragment.Emitter.Update(Dt);
}

bool TAsteroid::SweepPieces(const std::function<bool(double X, double Y, int Radius)>& Reaches,
                            std::optional<double> BaseAngle, TShip& Ship, TMessage& Messages) {
    if (!Active)
        return false;
    if (State == 0) {
        if (!Reaches(X, Y, Radius))
            return false;
        Fire(Emitter, X, Y);
        TCollisions::PieceShot(Ship, Messages, X, Y);
        Split(BaseAngle);
        return true;
    }
    if (State != 1)
        return false;
    for (TAsteroidFragment& Fragment : Fragments) {
        if (Fragment.Destroyed || !Reaches(Fragment.X, Fragment.Y, Fragment.Radius))
            continue;
        Fire(Fragment.Emitter, Fragment.X, Fragment.Y);
        Fragment.Destroyed = true;
        TCollisions::PieceShot(Ship, Messages, Fragment.X, Fragment.Y);
        return true;
    }
    return false;
}

void TAsteroid::CheckCollisions(TShip& Ship, TRockets& Rockets, TMessage& Messages) {
    // A piece split off in this frame is first tested in the next one.
    if (State == 0)
        CheckLarge(Ship, Rockets, Messages);
    else if (State == 1)
        for (TAsteroidFragment& Fragment : Fragments)
            if (!Fragment.Destroyed)
                CheckFragment(Fragment, Ship, Rockets, Messages);
}

void TAsteroid::CheckLarge(TShip& Ship, TRockets& Rockets, TMessage& Messages) {
    // A wreck's probes stay where it died: drifting through them still breaks the asteroid.
    if (TCollisions::PieceHitsShip(Ship.HitPoints, X, Y, Radius)) {
        Fire(Emitter, X, Y);
        Split(Ship.Angle);
        TCollisions::PieceRamsShip(Ship, Messages, true, X, Y);
    }
    // Still tested once broken: every rocket in the circle this frame goes with it, and each blow
    // sprays the fragments anew.
    for (const std::unique_ptr<TRocket>& Rocket : Rockets) {
        if (Rocket == nullptr || Rocket->Destroyed || !TCollisions::PieceHitsRocket(X, Y, Radius, *Rocket))
            continue;
        Fire(Emitter, X, Y);
        Split(Rocket->Angle);
        TCollisions::PieceTakesRocket(Ship, *Rocket, Messages, true, X, Y);
    }
}

void TAsteroid::CheckFragment(TAsteroidFragment& Fragment, TShip& Ship, TRockets& Rockets,
                              TMessage& Messages) {
    if (TCollisions::PieceHitsShip(Ship.HitPoints, Fragment.X, Fragment.Y, Fragment.Radius)) {
        Fire(Fragment.Emitter, Fragment.X, Fragment.Y);
        Fragment.Destroyed = true;
        TCollisions::PieceRamsShip(Ship, Messages, false, Fragment.X, Fragment.Y);
    }
    // A fragment that has just rammed the ship, or taken a rocket, still takes every other rocket it
    // touches.
    for (const std::unique_ptr<TRocket>& Rocket : Rockets) {
        if (Rocket == nullptr || Rocket->Destroyed ||
            !TCollisions::PieceHitsRocket(Fragment.X, Fragment.Y, Fragment.Radius, *Rocket))
            continue;
        Fire(Fragment.Emitter, Fragment.X, Fragment.Y);
        Fragment.Destroyed = true;
        TCollisions::PieceTakesRocket(Ship, *Rocket, Messages, false, Fragment.X, Fragment.Y);
    }
}

void TAsteroid::Move() {
    if (State == 0) {
        if (SinceTick(LastMotion) >= MotionPeriod && !Destroyed) {
            LastMotion = Now();
            X += LargeStep * std::cos(TAngle::Radians(Angle));
            Y += LargeStep * std::sin(TAngle::Radians(Angle));
        }
        Wrap(X, Y);
    } else if (State == 1) {
        for (TAsteroidFragment& Fragment : Fragments) {
            if (SinceTick(Fragment.LastMotion) < MotionPeriod || Fragment.Destroyed)
                continue;
            Fragment.LastMotion = Now();
            Fragment.X += FragmentStep * std::cos(TAngle::Radians(Fragment.Angle));
            Fragment.Y += FragmentStep * std::sin(TAngle::Radians(Fragment.Angle));
            Wrap(Fragment.X, Fragment.Y);
        }
    }
}

void TAsteroid::Wrap(double& PieceX, double& PieceY) {
    if (PieceX > FieldWidth)
        PieceX = 0;
    if (PieceX < 0)
        PieceX = FieldWidth;
    if (PieceY > FieldHeight)
        PieceY = 0;
    if (PieceY < 0)
        PieceY = FieldHeight;
}

void TAsteroid::Draw() {
    if (State == 0 && !Destroyed) {
        Animate(Frame, FrameTime, LargeFramePeriod);
        DrawPiece("asteroid", Frame, X, Y);
    } else if (State == 1) {
        for (TAsteroidFragment& Fragment : Fragments) {
            if (Fragment.Destroyed)
                continue;
            Animate(Fragment.Frame, Fragment.FrameTime, FragmentFramePeriod);
            DrawPiece("miniasteroid", Fragment.Frame, Fragment.X, Fragment.Y);
        }
    }
    // Explosions play out whatever the state.
    Emitter.Draw(Engine.Canvas);
    for (const TAsteroidFragment& Fragment : Fragments)
        Fragment.Emitter.Draw(Engine.Canvas);
}

void TAsteroid::DrawPiece(const char* Texture, int Pattern, double PieceX, double PieceY) {
    TVelaImage* Image = Engine.GetTexture(Texture);
    if (Image == nullptr)
        return;
    const SDL_Point Size = Image->PatternSize();
    Engine.Canvas.Draw(Image, static_cast<float>(PieceX - Size.x / 2),
                       static_cast<float>(PieceY - Size.y / 2), Pattern, EffectBlend);
}

void TAsteroid::RespawnStep(double ShipX, double ShipY) {
    if (State == 1) {
        for (const TAsteroidFragment& Fragment : Fragments)
            if (!Fragment.Destroyed)
                return;
        State = 2;
        RespawnTime = Now();
    } else if (State == 2 && SinceTick(RespawnTime) > RespawnDelay) {
        Reset();
        ChooseRespawnPosition(ShipX, ShipY);
        State = 0;
        Active = true;
    }
}

void TAsteroid::Fire(TXParticleSystem& Effect, double PieceX, double PieceY) {
    Effect.Fire(static_cast<float>(PieceX), static_cast<float>(PieceY));
}
