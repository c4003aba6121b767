// The ship's weapons: selection, firing, and the steps of the running weapon, the sniper bullets and
// the mines. Part of TShip, kept apart from its flight.
#include "world/TShip.h"

#include "engine/TEngine.h"
#include "engine/TSoundEngine.h"
#include "particles/TExplosion.h"
#include "render/TVelaCanvas.h"
#include "render/TVelaKeyboard.h"
#include "runtime/TClock.h"
#include "text/TText.h"
#include "world/TAngle.h"
#include "world/TAsteroid.h"
#include "world/TCollisions.h"
#include "world/TGame.h"
#include "world/TRocket.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int TabKey = 15;
constexpr int EmpMs = 2300;
constexpr int PhazerMs = 15000;
constexpr int LongBombBlastMs = 1500;
constexpr int HyperShieldMs = 15000;
constexpr int SniperReloadMs = 1500;

} // namespace

// --- Selection ------------------------------------------------------------------------------------

void TShip::NextWeapon() {
    ChangeWeapon(1);
}

void TShip::PreviousWeapon() {
    ChangeWeapon(-1);
}

void TShip::ChangeWeapon(int Step) {
    for (;;) {
        for (int Weapon = wpEmp; Weapon <= wpSniper; ++Weapon)
            Charged[Weapon] = Charged[Weapon] && Owned[Weapon];
        if (std::none_of(Charged.begin() + 1, Charged.end(), [](bool Held) { return Held; })) {
            SelectedWeapon = wpNone;
            LightWeaponIcon();
            return;
        }
        if (Step > 0)
            SelectedWeapon = SelectedWeapon >= wpSniper ? wpEmp : SelectedWeapon + 1;
        else // from none too, so the selection never leaves 1..5
            SelectedWeapon = SelectedWeapon <= wpEmp ? wpSniper : SelectedWeapon - 1;
        LightWeaponIcon();
        if (Charged[SelectedWeapon])
            return;
    }
}

void TShip::LightWeaponIcon() {
    if (Explosion != nullptr)
        Explosion->SelectWeaponIcon(SelectedWeapon);
}

TTextureResult TShip::GetWeaponInfo() const {
    switch (SelectedWeapon) {
    case wpEmp:
        return {GameText.wpnEMP, Engine.GetTexture("EMPicon")};
    case wpPhazer:
        return {GameText.wpnPhazer, Engine.GetTexture("phazericon")};
    case wpLongBomb:
        return {GameText.wpnLongBomb, Engine.GetTexture("longbombicon")};
    case wpHyperShield:
        return {GameText.wpnHyperShield, Engine.GetTexture("hypershieldicon")};
    case wpSniper:
        return {"Sniper", Engine.GetTexture("bullet")};
    default:
        return {"N/A", Engine.GetTexture("none")};
    }
}

void TShip::ArmMines() {
    Mines.assign(std::max(MinesLeft, 0), TMine{});
    Bullets.fill(TBullet{});
}

// --- Keys and firing ------------------------------------------------------------------------------

void TShip::ReadWeaponKeys() {
    if (ControlPressed(KeyWeaponDown))
        PreviousWeapon();
    if (ControlPressed(KeyWeaponUp))
        NextWeapon();
    if (Engine.Keyboard.KeyPressed(TabKey))
        NextWeapon();
    if (ControlPressed(KeyPlantMine))
        PlantMine();
    FireWeapon();
}

bool TShip::FireKeyPressed() const {
    return ControlPressed(KeyFire);
}

void TShip::StartWeapon(bool& Active, bool Busy, const char* Sample) {
    Charged[SelectedWeapon] = false;
    // The selection moves on at once while the fired weapon keeps running.
    NextWeapon();
    FireTime = Now();
    Active = true;
    WeaponBusy = Busy;
    PlaySound(Sample);
}

void TShip::FireWeapon() {
    if (WeaponBusy || !FireKeyPressed())
        return;
    switch (SelectedWeapon) {
    case wpEmp:
        EmpPhase = 0;
        StartWeapon(EmpActive, true, "emp");
        break;
    case wpPhazer:
        PhazerPhase = 0;
        StartWeapon(PhazerActive, true, "phazer");
        break;
    case wpLongBomb:
        LongBombAngle = Angle;
        LongBombDetonated = false;
        LongBombX = X + 50 * std::cos(TAngle::Radians(Angle));
        LongBombY = Y + 50 * std::sin(TAngle::Radians(Angle));
        StartWeapon(LongBombActive, true, "longbomb");
        break;
    case wpHyperShield:
        HyperShieldPhase = 0;
        ShieldUp = true;
        StartWeapon(HyperShieldActive, true, "shield");
        LastBeep = FireTime;
        break;
    case wpSniper:
        if (SniperAmmo > 0) {
            SniperActive = true;
        } else {
            Charged[wpSniper] = false;
            NextWeapon();
        }
        break;
    default:
        break;
    }
}

void TShip::PlantMine() {
    if (MinesLeft < 1)
        return;
    --MinesLeft;
    const auto Free =
        std::find_if(Mines.begin(), Mines.end(), [](const TMine& Mine) { return !Mine.Active; });
    if (Free == Mines.end())
        return; // every record is out: the mine is lost
    PlaySound("plant");
    *Free = {true, X - 60 * std::cos(TAngle::Radians(Angle)), Y - 60 * std::sin(TAngle::Radians(Angle)), 0,
             Now()};
}

// --- The running weapon ---------------------------------------------------------------------------

void TShip::PutOutWeapons() {
    EmpActive = PhazerActive = LongBombActive = HyperShieldActive = SniperActive = false;
    ShieldUp = false;
    WeaponBusy = false;
}

void TShip::RunWeapon() {
    if (EmpActive)
        RunEmp();
    else if (PhazerActive)
        RunPhazer();
    else if (LongBombActive)
        RunLongBomb();
    else if (HyperShieldActive)
        RunHyperShield();
    else if (SniperActive)
        RunSniperShot();
}

void TShip::SweepRockets(const std::function<bool(double, double, int)>& ReachesPiece,
                         const std::function<bool(const TRocket&)>& ReachesRocket,
                         std::optional<double> BaseAngle, void (*Kill)(TShip&, TRocket&, TMessage&)) {
    for (const std::unique_ptr<TRocket>& Rocket : Game.Rockets) {
        if (Rocket->Destroyed)
            continue;
        // Once per living rocket: with no rocket alive the asteroid is left alone.
        if (Game.Asteroids != nullptr)
            Game.Asteroids->SweepPieces(ReachesPiece, BaseAngle, *this, Game.Messages);
        if (ReachesRocket(*Rocket))
            Kill(*this, *Rocket, Game.Messages);
    }
}

int TShip::EmpRadius(int64_t SinceFired) {
    if (SinceFired < 500)
        return 100;
    if (SinceFired < 1000)
        return 130;
    if (SinceFired < 1300)
        return 150;
    return 180;
}

void TShip::RunEmp() {
    if (Game.Paused)
        return;
    if (EmpPhase == 0) {
        if (Explosion != nullptr)
            Explosion->Emp.Fire(static_cast<float>(X), static_cast<float>(Y));
        EmpPhase = 1;
        FireTime = Now();
    } else if (EmpPhase == 1) {
        if (Explosion != nullptr)
            Explosion->Emp.MoveTo(true, static_cast<float>(X), static_cast<float>(Y));
        const double Radius = EmpRadius(SinceTick(FireTime));
        SweepRockets(
            [&](double PieceX, double PieceY, int PieceRadius) {
                return TCollisions::EmpHitsPiece(X, Y, Radius, PieceX, PieceY, PieceRadius);
            },
            [&](const TRocket& Rocket) { return TCollisions::EmpHitsRocket(X, Y, Radius, Rocket); }, Angle,
            &TCollisions::EmpKill);
        if (SinceTick(FireTime) > EmpMs)
            EmpPhase = 2;
    } else {
        EmpActive = false;
        WeaponBusy = false;
    }
}

void TShip::RunPhazer() {
    if (Game.Paused)
        return;
    if (PhazerPhase == 0) {
        if (Explosion != nullptr)
            Explosion->Phazer.Fire(static_cast<float>(X), static_cast<float>(Y));
        PhazerPhase = 1;
        FireTime = Now();
    } else {
        if (Explosion != nullptr) {
            Explosion->Phazer.Angle = static_cast<float>(TAngle::Radians(Angle + 90));
            Explosion->Phazer.MoveTo(true, std::trunc(X + 40 * std::cos(TAngle::Radians(Angle))),
                                     std::trunc(Y + 40 * std::sin(TAngle::Radians(Angle))));
        }
        BeamPoints = TCollisions::PhazerBeam(X, Y, Angle);
        SweepRockets(
            [&](double PieceX, double PieceY, int PieceRadius) {
                return TCollisions::PhazerHitsPiece(BeamPoints, PieceX, PieceY, PieceRadius);
            },
            [&](const TRocket& Rocket) { return TCollisions::PhazerHitsRocket(BeamPoints, Rocket); }, Angle,
            &TCollisions::PhazerKill);
    }
    if (SinceTick(FireTime) > PhazerMs) {
        if (Explosion != nullptr)
            Explosion->Phazer.Stop(true);
        StopSound("phazer");
        PhazerActive = false;
        WeaponBusy = false;
    }
}

int TShip::LongBombRadius(int64_t SinceDetonated) {
    if (SinceDetonated < 300)
        return 25;
    if (SinceDetonated < 600)
        return 35;
    if (SinceDetonated < 900)
        return 47;
    return 60;
}

void TShip::RunLongBomb() {
    if (!LongBombDetonated) {
        FlyLongBomb();
        return;
    }
    if (Game.Paused)
        return;
    const double Radius = LongBombRadius(SinceTick(FireTime));
    SweepRockets(
        [&](double PieceX, double PieceY, int PieceRadius) {
            return TCollisions::LongBombHitsPiece(LongBombX, LongBombY, Radius, PieceX, PieceY, PieceRadius);
        },
        [&](const TRocket& Rocket) {
            return TCollisions::LongBombHitsRocket(LongBombX, LongBombY, Radius, Rocket);
        },
        LongBombAngle, &TCollisions::LongBombKill);
    if (SinceTick(FireTime) > LongBombBlastMs) {
        LongBombActive = false;
        WeaponBusy = false;
    }
}

void TShip::FlyLongBomb() {
    if (!Game.Paused) {
        if (SinceTick(FireTime) > MotionPeriod) {
            FireTime = Now();
            LongBombX += std::cos(TAngle::Radians(LongBombAngle)) * (SpeedLevel + 2);
            LongBombY += std::sin(TAngle::Radians(LongBombAngle)) * (SpeedLevel + 2);
        }
        WrapOnField(LongBombX, LongBombY);
    }
    Engine.Canvas.DrawRotatedWhite(
        Engine.GetTexture("longbomb"), std::trunc(LongBombX), std::trunc(LongBombY),
        static_cast<float>(TAngle::SpriteRadians(LongBombAngle + 90)), 1.0f, 0, EffectBlend);
    // The bomb flies for as long as the fire key stays down.
    if (!Game.Paused && ControlReleased(KeyFire)) {
        LongBombDetonated = true;
        FireTime = Now();
        if (Explosion != nullptr)
            Explosion->LongBomb.Fire(static_cast<float>(LongBombX), static_cast<float>(LongBombY));
        PlaySound("explode2");
    }
}

void TShip::RunHyperShield() {
    // Runs while paused too: the shield's time is the tick clock's.
    if (HyperShieldPhase == 0) {
        PlaceShieldEmitters(true);
        HyperShieldPhase = 1;
        FireTime = Now();
        LastBeep = FireTime;
        PlaySound("countdown");
    } else if (HyperShieldPhase == 1) {
        PlaceShieldEmitters(false);
        if (SinceTick(LastBeep) > 1000) {
            LastBeep = Now();
            PlaySound("countdown");
        }
        ShieldCountdown = 15 - static_cast<int>(SinceTick(FireTime) / 1000);
        if (SinceTick(FireTime) > HyperShieldMs) {
            HyperShieldPhase = 2;
            FireTime = Now();
            PlaySound("shield");
        }
    } else {
        ShieldUp = false;
        HyperShieldActive = false;
        WeaponBusy = false;
        // The shimmer burns until stopped: let it fade now the shield is down.
        if (Explosion != nullptr)
            for (TXParticleSystem* Emitter : {&Explosion->Shield1A, &Explosion->Shield1B,
                                              &Explosion->Shield2A, &Explosion->Shield2B, &Explosion->Shield})
                Emitter->Stop(false);
    }
}

void TShip::PlaceShieldEmitters(bool FireThem) {
    if (Explosion == nullptr)
        return;
    const float ShipX = static_cast<float>(X);
    const float ShipY = static_cast<float>(Y);
    const auto Place = [&](TXParticleSystem& Emitter, int Turn) {
        Emitter.Angle = static_cast<float>(TAngle::SpriteRadians(Angle + Turn));
        if (FireThem)
            Emitter.Fire(ShipX, ShipY);
        else
            Emitter.MoveTo(true, ShipX, ShipY);
    };
    if (ShieldLevel == 1) {
        Place(Explosion->Shield1A, 90);
        Place(Explosion->Shield1B, -90);
    } else if (ShieldLevel == 2) {
        Place(Explosion->Shield2A, 90);
        Place(Explosion->Shield2B, -90);
    } else if (ShieldLevel == 3) {
        Place(Explosion->Shield, 0);
    }
}

void TShip::RunSniperShot() {
    if (SniperReloading) {
        if (SinceTick(SniperClearTime) > SniperReloadMs) {
            SniperClearTime = Now();
            SniperReloading = false;
        }
        return;
    }
    const auto Free =
        std::find_if(Bullets.begin() + 1, Bullets.end(), [](const TBullet& B) { return !B.Active; });
    if (Free == Bullets.end())
        return; // the shot waits for a bullet to come back
    SniperReloading = true;
    SniperAmmo = std::max(SniperAmmo - 1, 0);
    *Free = {true, X + 40 * std::cos(TAngle::Radians(Angle)), Y + 40 * std::sin(TAngle::Radians(Angle)),
             static_cast<double>(Angle)};
    PlaySound("sniper");
    SniperActive = false;
}

// --- Bullets and mines ----------------------------------------------------------------------------

void TShip::RunBullets() {
    for (auto Bullet = Bullets.begin() + 1; Bullet != Bullets.end(); ++Bullet)
        if (Bullet->Active)
            RunBullet(*Bullet);
}

void TShip::RunBullet(TBullet& Bullet) {
    if (!Game.Paused) {
        Bullet.X += 2 * std::cos(TAngle::Radians(Bullet.Angle));
        Bullet.Y += 2 * std::sin(TAngle::Radians(Bullet.Angle));
        if (Bullet.X >= 1034 || Bullet.X < -10 || Bullet.Y >= 778 || Bullet.Y < -10)
            Bullet.Active = false;
        const TDoublePoint Nose = TCollisions::BulletNose(Bullet.X, Bullet.Y, Bullet.Angle);
        if (Game.Asteroids != nullptr)
            Game.Asteroids->SweepPieces(
                [&](double PieceX, double PieceY, int PieceRadius) {
                    return TCollisions::BulletHitsPiece(Nose, PieceX, PieceY, PieceRadius);
                },
                Bullet.Angle, *this, Game.Messages);
        for (const std::unique_ptr<TRocket>& Rocket : Game.Rockets)
            if (!Rocket->Destroyed && TCollisions::BulletHitsRocket(Nose, *Rocket)) {
                TCollisions::BulletKill(*this, *Rocket, Game.Messages);
                Bullet.Active = false; // one kill per bullet
                break;
            }
    }
    // Drawn once more in the frame it is spent.
    Engine.Canvas.DrawRotatedWhite(
        Engine.GetTexture("bullet"), static_cast<float>(Bullet.X), static_cast<float>(Bullet.Y),
        static_cast<float>(TAngle::SpriteRadians(Bullet.Angle)), 1.0f, 0, EffectBlend);
}

void TShip::RunMines() {
    for (TMine& Mine : Mines)
        if (Mine.Active && RunMine(Mine))
            return; // at most one mine goes off on the ship or a rocket per frame
}

bool TShip::RunMine(TMine& Mine) {
    if (SinceTick(Mine.FrameTime) > 70) {
        Mine.Frame = Mine.Frame >= 5 ? 0 : Mine.Frame + 1;
        Mine.FrameTime = Now();
    }
    Engine.Canvas.DrawRotatedWhite(Engine.GetTexture("mine"), static_cast<float>(Mine.X),
                                   static_cast<float>(Mine.Y), 0.0f, 1.0f, Mine.Frame, EffectBlend);
    if (Game.Asteroids != nullptr && Game.Asteroids->SweepPieces(
                                         [&](double PieceX, double PieceY, int PieceRadius) {
                                             return TCollisions::MineHitsPiece(Mine.X, Mine.Y, PieceX, PieceY,
                                                                               PieceRadius);
                                         },
                                         std::nullopt, *this, Game.Messages))
        BlowMine(Mine);
    // A mine just spent on the asteroid is still tested against the ship and the rockets.
    if (TCollisions::MineHitsShip(HitPoints, Mine.X, Mine.Y)) {
        BlowMine(Mine);
        TCollisions::MineDamagesShip(*this);
        return true;
    }
    for (const std::unique_ptr<TRocket>& Rocket : Game.Rockets)
        if (!Rocket->Destroyed && TCollisions::MineHitsRocket(Mine.X, Mine.Y, *Rocket)) {
            BlowMine(Mine);
            TCollisions::MineKill(*this, *Rocket, Game.Messages);
            return true;
        }
    return false;
}

void TShip::BlowMine(TMine& Mine) {
    // The bang itself comes with what the mine hit: the piece, the hull or the rocket.
    Mine.Active = false;
    if (Explosion != nullptr)
        Explosion->SpawnMine(static_cast<float>(Mine.X), static_cast<float>(Mine.Y));
}
