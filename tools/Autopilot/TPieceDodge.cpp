#include "TPieceDodge.h"

#include "TBearing.h"

#include "app/Globals.h"
#include "world/TAsteroid.h"
#include "world/TShip.h"

#include <algorithm>
#include <cmath>

namespace {

// Pixels per motion step: the ship's and the pieces' steps come at the same pace.
constexpr double WholeSpeed = 0.6, FragmentSpeed = 2;
// How far ahead a passage is looked for, and how close counts: the ship is about 80 px long.
constexpr double LookAheadSteps = 70;
constexpr double SafeMiss = 48;

double Radians(double Degrees) {
    return Degrees * TBearing::Pi / 180.0;
}

} // namespace

TPieceDodge::TApproach TPieceDodge::Approach(const TShip& Ship, double X, double Y, double Angle,
                                             double Speed, int Radius) {
    const double PX = X - Ship.X, PY = Y - Ship.Y;
    const double VX = Speed * std::cos(Radians(Angle)) - Ship.Speed * std::cos(Radians(Ship.Angle));
    const double VY = Speed * std::sin(Radians(Angle)) - Ship.Speed * std::sin(Radians(Ship.Angle));
    const double Closing = VX * VX + VY * VY;
    const double Steps = Closing > 1e-9 ? std::clamp(-(PX * VX + PY * VY) / Closing, 0.0, LookAheadSteps) : 0;
    const double CX = PX + VX * Steps, CY = PY + VY * Steps;
    return {Steps, std::hypot(CX, CY) - Radius, -CX, -CY};
}

bool TPieceDodge::Heading(const TShip& Ship, double& Heading) {
    const TAsteroid* Rock = Game.Asteroids.get();
    if (!Rock || !Rock->Active)
        return false;
    bool Threat = false;
    double Soonest = LookAheadSteps + 1;
    const auto Consider = [&](const TApproach& Pass) {
        if (Pass.Miss >= SafeMiss || Pass.Steps >= Soonest)
            return;
        Threat = true;
        Soonest = Pass.Steps;
        Heading = TBearing::HeadingTo(0, 0, Pass.AwayX, Pass.AwayY);
    };
    if (Rock->State == 0 && !Rock->Destroyed)
        Consider(Approach(Ship, Rock->X, Rock->Y, Rock->Angle, WholeSpeed, Rock->Radius));
    if (Rock->State == 1)
        for (const TAsteroidFragment& Fragment : Rock->Fragments)
            if (!Fragment.Destroyed)
                Consider(
                    Approach(Ship, Fragment.X, Fragment.Y, Fragment.Angle, FragmentSpeed, Fragment.Radius));
    return Threat;
}
