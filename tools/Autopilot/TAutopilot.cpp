#include "TAutopilot.h"

#include "TBearing.h"
#include "TKeyPad.h"
#include "TPieceDodge.h"
#include "TWaveNeed.h"

#include "app/Globals.h"
#include "world/TCrate.h"
#include "world/TRocket.h"
#include "world/TShip.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double CentreX = 512, CentreY = 384;
// The circle flown when nothing else calls: wide enough for a level-1 ship to follow.
constexpr double OrbitRadius = 260;
constexpr int SniperReloadMs = 1500;
// How much faster than its chasers the ship flies while it draws them together.
constexpr double HuntLead = 0.5;
// Long bomb: it starts 50 px ahead and moves every other 10 ms frame by SpeedLevel + 2 px.
constexpr double BombStart = 50;

} // namespace

void TAutopilot::Reset(uint32_t Seed) {
    LastMine = LastBoost = 0;
    FireHold = 0;
    Sight.Reset(Skill.ReactionFrames);
    Aim.seed(Seed);
    AimError = NextAimError();
}

// Spread evenly over -AimErrorDegrees .. AimErrorDegrees.
int TAutopilot::NextAimError() {
    const int Most = Skill.AimErrorDegrees;
    return Most > 0 ? static_cast<int>(Aim() % static_cast<uint32_t>(2 * Most + 1)) - Most : 0;
}

int TAutopilot::Key(int Control) {
    return Game.Keys[Control];
}

void TAutopilot::Fly() {
    if (!Game.Ship || Game.Ship->Destroyed || Game.Paused)
        return;
    const TShip& Ship = *Game.Ship;
    const std::vector<TContact> Near = Contacts(Ship);
    Steer(Ship, ChooseHeading(Ship, Near));
    KeepSpeed(Ship, Near);
    BoostAway(Ship, Near);
    PlantMines(Ship, Near);
    UseWeapons(Ship, Near);
}

// The rockets and the ship's heading as the pilot last saw them, from where the ship is now.
std::vector<TAutopilot::TContact> TAutopilot::Contacts(const TShip& Ship) {
    TSightDelay::TPicture Now{Ship.Angle, {}};
    for (const auto& Rocket : Game.Rockets)
        if (!Rocket->Destroyed)
            Now.Rockets.push_back({Rocket->X, Rocket->Y, Rocket->Angle, Rocket->Kind});
    const TSightDelay::TPicture& Seen = Sight.See(std::move(Now));
    Facing = Seen.ShipAngle;
    std::vector<TContact> Near;
    for (const TSightDelay::TSighting& Rocket : Seen.Rockets) {
        const double Heading = TBearing::HeadingTo(Ship.X, Ship.Y, Rocket.X, Rocket.Y);
        Near.push_back({Rocket, TBearing::Distance(Ship.X, Ship.Y, Rocket.X, Rocket.Y),
                        TBearing::Difference(Facing, Heading)});
    }
    std::sort(Near.begin(), Near.end(),
              [](const TContact& A, const TContact& B) { return A.Distance < B.Distance; });
    return Near;
}

int TAutopilot::CountWithin(const std::vector<TContact>& Near, double Distance) {
    return static_cast<int>(std::count_if(Near.begin(), Near.end(),
                                          [Distance](const TContact& C) { return C.Distance < Distance; }));
}

// --- Where to fly ---------------------------------------------------------------------------------

double TAutopilot::ChooseHeading(const TShip& Ship, const std::vector<TContact>& Near) const {
    double Heading = 0;
    if (TPieceDodge::Heading(Ship, Heading))
        return Heading;
    if (const TContact* Target = SniperTarget(Near); Target && SniperReady(Ship))
        return Facing + Target->Bearing + AimError;
    // A rocket faster than the ship cannot be outrun: face it for the sniper, swerving at the last moment.
    // A slower one coming in from the front or the side: turn the short way until it is behind.
    if (!Near.empty() && Near.front().Distance < 300 && Near.front().Rocket.Kind > Ship.Speed) {
        const TContact& Fast = Near.front();
        if (Fast.Distance < 100 && std::abs(Fast.Bearing) < 40)
            return Facing + (Fast.Bearing > 0 ? -90.0 : 90.0);
        return Facing + Fast.Bearing;
    }
    if (const TContact* Threat = Oncoming(Near, 240))
        return TBearing::HeadingTo(Threat->Rocket.X, Threat->Rocket.Y, Ship.X, Ship.Y);
    if (CrateHeading(Ship, Heading))
        return Heading;
    return OrbitHeading(Ship);
}

const TAutopilot::TContact* TAutopilot::Oncoming(const std::vector<TContact>& Near, double Within) {
    for (const TContact& Contact : Near)
        if (Contact.Distance < Within && std::abs(Contact.Bearing) < 110)
            return &Contact;
    return nullptr;
}

bool TAutopilot::CrateHeading(const TShip& Ship, double& Heading) const {
    const TCrate* Crate = Game.Crates.get();
    if (!Crate || (Crate->State != TCrate::csFadingIn && Crate->State != TCrate::csCountingDown))
        return false;
    Heading = TBearing::HeadingTo(Ship.X, Ship.Y, Crate->X, Crate->Y);
    return true;
}

// Clockwise round the middle of the field, aiming a little ahead on the circle.
double TAutopilot::OrbitHeading(const TShip& Ship) {
    const double Around = std::atan2(Ship.Y - CentreY, Ship.X - CentreX) + 40.0 * TBearing::Pi / 180.0;
    return TBearing::HeadingTo(Ship.X, Ship.Y, CentreX + OrbitRadius * std::cos(Around),
                               CentreY + OrbitRadius * std::sin(Around));
}

// The nearest rocket in front, far enough for the bullet to meet it before it meets the ship, and
// flying straight at the ship: then the bullet needs no lead.
const TAutopilot::TContact* TAutopilot::SniperTarget(const std::vector<TContact>& Near) {
    for (const TContact& Contact : Near) {
        const TSightDelay::TSighting& Rocket = Contact.Rocket;
        const double ToShip = TBearing::HeadingTo(Rocket.X, Rocket.Y, Game.Ship->X, Game.Ship->Y);
        if (Contact.Distance > 110 && Contact.Distance < 520 && std::abs(Contact.Bearing) < 50 &&
            std::abs(TBearing::Difference(Rocket.Angle, ToShip)) < 12)
            return &Contact;
    }
    return nullptr;
}

// --- Controls -------------------------------------------------------------------------------------

void TAutopilot::Steer(const TShip& Ship, double Heading) {
    const double Turn = TBearing::Difference(Facing, Heading);
    if (Turn > Ship.SteerRate)
        Keys.Hold(Key(TShip::KeyRight));
    else if (Turn < -Ship.SteerRate)
        Keys.Hold(Key(TShip::KeyLeft));
}

// Full speed, and back down to it some time after a boost. When kills are wanted, only a little faster
// than the fastest rocket in play: a ship far ahead leaves its chasers strung out, never meeting.
void TAutopilot::KeepSpeed(const TShip& Ship, const std::vector<TContact>& Near) {
    double Top = Ship.SpeedLevel + 0.5;
    if (TWaveNeed::KillsWanted() && !Near.empty()) {
        int Fastest = 0;
        for (const TContact& Contact : Near)
            Fastest = std::max(Fastest, Contact.Rocket.Kind);
        Top = std::min(Top, Fastest + HuntLead);
    }
    if (Ship.Speed < Top - 0.01)
        Keys.Hold(Key(TShip::KeySpeedUp));
    else if (Ship.Speed > Top + 0.01 && SinceTick(LastBoost) > 2500)
        Keys.Hold(Key(TShip::KeySpeedDown));
}

void TAutopilot::BoostAway(const TShip& Ship, const std::vector<TContact>& Near) {
    if (Ship.Boost <= 40 || SinceTick(LastBoost) < 3000 || Near.empty())
        return;
    const bool Cornered = Oncoming(Near, 130) != nullptr && Ship.Energy < 60;
    const bool Swarmed = CountWithin(Near, 150) >= 3;
    if ((Cornered || Swarmed) && Keys.CanTap(Key(TShip::KeyBoost))) {
        Keys.Tap(Key(TShip::KeyBoost));
        LastBoost = Now();
    }
}

// A rocket close behind runs into a mine laid 60 px behind the ship.
void TAutopilot::PlantMines(const TShip& Ship, const std::vector<TContact>& Near) {
    if (Ship.MinesLeft < 1 || SinceTick(LastMine) < 1000)
        return;
    for (const TContact& Contact : Near)
        if (Contact.Distance > 50 && Contact.Distance < 200 && std::abs(Contact.Bearing) > 150) {
            Keys.Tap(Key(TShip::KeyPlantMine));
            LastMine = Now();
            return;
        }
}

// --- Weapons --------------------------------------------------------------------------------------

bool TAutopilot::SniperReady(const TShip& Ship) {
    return Ship.Charged[TShip::wpSniper] && Ship.SniperAmmo > 0 && !Ship.SniperActive &&
           (!Ship.SniperReloading || SinceTick(Ship.SniperClearTime) > SniperReloadMs);
}

int TAutopilot::ChooseWeapon(const TShip& Ship, const std::vector<TContact>& Near, int& HoldFrames) const {
    HoldFrames = 1;
    if (Near.empty())
        return TShip::wpNone;
    // A new pilot has enough to learn in the first missions without the shop's weapons.
    const bool Bought = CampaignMission >= Skill.WeaponsFromMission;
    const auto Has = [&Ship, Bought](int Weapon) {
        return Bought && Ship.Owned[Weapon] && Ship.Charged[Weapon];
    };
    const int Close = CountWithin(Near, 170);
    if (Has(TShip::wpHyperShield) && ((Ship.Energy < 50 && Close >= 1) || Close >= 4))
        return TShip::wpHyperShield;
    if (Has(TShip::wpEmp) && (Close >= 3 || (Ship.Energy < 40 && Close >= 1)))
        return TShip::wpEmp;
    if (Has(TShip::wpPhazer) && Near.size() >= 3 && CountWithin(Near, 300) >= 2)
        return TShip::wpPhazer;
    const TContact& First = Near.front();
    if (Has(TShip::wpLongBomb) && std::abs(First.Bearing) < 8 && First.Distance > 120 &&
        First.Distance < 400) {
        const double PerFrame = (Ship.SpeedLevel + 2) / 2;
        HoldFrames = static_cast<int>((First.Distance - BombStart) / PerFrame);
        return TShip::wpLongBomb;
    }
    if (SniperReady(Ship) && std::abs(First.Bearing) < 50 && SniperTarget(Near) &&
        std::abs(SniperTarget(Near)->Bearing + AimError) < 3)
        return TShip::wpSniper;
    return TShip::wpNone;
}

// Selects the weapon with the weapon key, then fires; the fire key stays down while a long bomb flies.
void TAutopilot::UseWeapons(const TShip& Ship, const std::vector<TContact>& Near) {
    const int Fire = Key(TShip::KeyFire);
    if (FireHold > 0) {
        --FireHold;
        Keys.Hold(Fire);
        return;
    }
    if (Ship.WeaponBusy)
        return;
    int HoldFrames = 1;
    const int Weapon = ChooseWeapon(Ship, Near, HoldFrames);
    if (Weapon == TShip::wpNone)
        return;
    if (Ship.SelectedWeapon != Weapon) {
        Keys.Tap(Key(TShip::KeyWeaponUp));
        return;
    }
    if (!Keys.CanTap(Fire))
        return;
    if (HoldFrames > 1) {
        Keys.Hold(Fire);
        FireHold = HoldFrames - 1;
    } else {
        Keys.Tap(Fire);
    }
    if (Weapon == TShip::wpSniper)
        AimError = NextAimError();
}
