#include "world/TCollisions.h"

#include "engine/TSoundEngine.h"
#include "particles/TMessage.h"
#include "runtime/TClock.h"
#include "text/TText.h"
#include "world/TAngle.h"
#include "world/TAsteroid.h"
#include "world/TGame.h"
#include "world/TShip.h"

#include <cmath>

namespace {

// Rows per shape kind (1, 2, 3), one value per circle.
using TKindTable = int[3][TRocket::MaxCircles];

constexpr int CircleCounts[3] = {5, 9, 6};
constexpr TKindTable CircleDistances = {
    {19, 9, 0, -10, -23}, {33, 23, 13, 3, -7, -17, -27, -37, -45}, {23, 13, 3, -7, -17, -27}};
constexpr TKindTable CircleRadii = {{3, 5, 5, 5, 10}, {5, 5, 5, 5, 10, 5, 5, 5, 8}, {3, 5, 5, 5, 5, 5}};
constexpr TKindTable FrontThresholds = {
    {25, 27, 27, 27, 32}, {27, 27, 27, 27, 32, 27, 27, 27, 30}, {25, 27, 27, 27, 27, 27}};
constexpr TKindTable RearThresholds = {
    {41, 41, 41, 41, 41}, {41, 41, 41, 41, 41, 41, 41, 41, 44}, {39, 41, 41, 41, 41, 41}};
constexpr TKindTable PhazerMargins = {{3, 5, 5, 5, 5}, {5, 5, 5, 5, 5, 5, 0, 5, 8}, {3, 5, 5, 5, 5, 5}};
constexpr TKindTable BulletThresholds = {{5, 7, 7, 7, 12}, {7, 7, 7, 7, 7, 7, 7, 7, 10}, {5, 7, 7, 7, 7, 7}};
constexpr TKindTable MineThresholds = {
    {19, 21, 21, 21, 26}, {21, 21, 21, 21, 26, 21, 21, 21, 24}, {19, 21, 21, 21, 21, 21}};
constexpr TKindTable RocketMargins = {{3, 5, 5, 5, 5}, {5, 5, 5, 5, 5, 5, 5, 5, 8}, {3, 5, 5, 5, 5, 5}};
constexpr int OwnRadii[3] = {4, 6, 5};

constexpr int TailVeto = 36;      // rear hits only count while the nose is clear of the tail
constexpr int PieceTailVeto = 22; // the same for asteroid pieces
constexpr int MineFrontReach = 38;
constexpr int MineRearReach = 52;
constexpr int MineRadius = 16;
constexpr int BodyRadius = 22; // front probes against asteroid pieces
constexpr int PhazerReach = 24;
constexpr int LongBombMargin = 3;
constexpr int ShieldPieceReach = 100;

int Entry(const TKindTable& Table, int Kind, int Circle) {
    return Table[TCollisions::ShapeKind(Kind) - 1][Circle];
}

std::string Plus(int Amount) {
    return "+" + std::to_string(Amount);
}

std::string SpacePlus(int Amount) {
    return " +" + std::to_string(Amount);
}

} // namespace

// --- Shapes ---------------------------------------------------------------------------------------

int TCollisions::ShapeKind(int Kind) {
    return Kind == 2 || Kind == 3 ? Kind : 1;
}

int TCollisions::CircleCount(int Kind) {
    return CircleCounts[ShapeKind(Kind) - 1];
}

int TCollisions::CircleDistance(int Kind, int Circle) {
    return Entry(CircleDistances, Kind, Circle);
}

int TCollisions::CircleRadius(int Kind, int Circle) {
    return Entry(CircleRadii, Kind, Circle);
}

void TCollisions::PlaceCircles(int Kind, double X, double Y, int Angle,
                               std::array<TDoublePoint, TRocket::MaxCircles>& Circles) {
    const double Cos = std::cos(TAngle::Radians(Angle));
    const double Sin = std::sin(TAngle::Radians(Angle));
    for (int Circle = 0; Circle < CircleCount(Kind); ++Circle) {
        Circles[Circle].X = X + CircleDistance(Kind, Circle) * Cos;
        Circles[Circle].Y = Y + CircleDistance(Kind, Circle) * Sin;
    }
}

std::array<std::array<int, 2>, 2> TCollisions::ShieldProbes(double ShipX, double ShipY, int Angle,
                                                            int Level) {
    const int Length = ShieldProbeLength(Level);
    const double Dx = Length * std::cos(TAngle::Radians(Angle));
    const double Dy = Length * std::sin(TAngle::Radians(Angle));
    return {{{static_cast<int>(ShipX + Dx), static_cast<int>(ShipY + Dy)},
             {static_cast<int>(ShipX - Dx), static_cast<int>(ShipY - Dy)}}};
}

TBeamPoints TCollisions::PhazerBeam(double ShipX, double ShipY, int Angle) {
    const double Cos = std::cos(TAngle::Radians(Angle));
    const double Sin = std::sin(TAngle::Radians(Angle));
    TBeamPoints Beam{};
    Beam[0] = {static_cast<int>(ShipX + 80 * Cos), static_cast<int>(ShipY + 80 * Sin)};
    // Each side point is first put in whole pixels beside the ship, then carried ahead along the axis.
    const std::array<std::array<int, 2>, 4> Sides{{{-90, 15}, {90, 15}, {-90, 20}, {90, 20}}};
    for (size_t Index = 0; Index < Sides.size(); ++Index) {
        const double Across = TAngle::Radians(Angle + Sides[Index][0]);
        const double Ahead = Index < 2 ? 115 : 125;
        const double BaseX = std::trunc(ShipX + Sides[Index][1] * std::cos(Across));
        const double BaseY = std::trunc(ShipY + Sides[Index][1] * std::sin(Across));
        Beam[Index + 1] = {static_cast<int>(BaseX + Ahead * Cos), static_cast<int>(BaseY + Ahead * Sin)};
    }
    return Beam;
}

TDoublePoint TCollisions::BulletNose(double X, double Y, double Angle) {
    return {std::trunc(X + 9 * std::cos(TAngle::Radians(Angle))),
            std::trunc(Y + 9 * std::sin(TAngle::Radians(Angle)))};
}

double TCollisions::Distance(double X1, double Y1, double X2, double Y2) {
    const double Dx = X2 - X1;
    const double Dy = Y2 - Y1;
    return std::sqrt(Dx * Dx + Dy * Dy);
}

// --- Thresholds -----------------------------------------------------------------------------------

int TCollisions::FrontThreshold(int Kind, int Circle) {
    return Entry(FrontThresholds, Kind, Circle);
}

int TCollisions::RearThreshold(int Kind, int Circle) {
    return Entry(RearThresholds, Kind, Circle);
}

int TCollisions::ShieldReach(int Kind) {
    return ShapeKind(Kind) == 2 ? 105 : 103;
}

int TCollisions::ShieldFlankGap(int Kind, int Level) {
    const bool Narrow = ShapeKind(Kind) == 1;
    if (Level == 1)
        return Narrow ? 103 : 105;
    if (Level == 2)
        return Narrow ? 53 : 55;
    return 0;
}

int TCollisions::ShieldProbeLength(int Level) {
    return Level == 1 ? 100 : Level == 2 ? 80 : 0;
}

int TCollisions::EmpMargin(int Kind) {
    return ShapeKind(Kind) == 2 ? 5 : 3;
}

int TCollisions::PhazerMargin(int Kind, int Circle) {
    return Entry(PhazerMargins, Kind, Circle);
}

int TCollisions::BulletThreshold(int Kind, int Circle) {
    return Entry(BulletThresholds, Kind, Circle);
}

int TCollisions::MineThreshold(int Kind, int Circle) {
    return Entry(MineThresholds, Kind, Circle);
}

int TCollisions::OwnRadius(int Kind) {
    return OwnRadii[ShapeKind(Kind) - 1];
}

int TCollisions::RocketMargin(int Kind, int Circle) {
    return Entry(RocketMargins, Kind, Circle);
}

// --- Tests ----------------------------------------------------------------------------------------

bool TCollisions::AnyCircleWithin(const TRocket& Rocket, double X, double Y, int (*Threshold)(int, int),
                                  int Extra) {
    for (int Circle = 0; Circle < CircleCount(Rocket.Kind); ++Circle) {
        const TDoublePoint& At = Rocket.Circles[Circle];
        if (Distance(At.X, At.Y, X, Y) <= Threshold(Rocket.Kind, Circle) + Extra)
            return true;
    }
    return false;
}

bool TCollisions::ProbeHitsRocket(const TProbes& Probes, int Probe, const TRocket& Rocket) {
    const double X = Probes[Probe][0];
    const double Y = Probes[Probe][1];
    if (Probe < FrontProbes)
        return AnyCircleWithin(Rocket, X, Y, FrontThreshold, 0);
    const TDoublePoint& Nose = Rocket.Circles[0];
    return AnyCircleWithin(Rocket, X, Y, RearThreshold, 0) &&
           Distance(Nose.X, Nose.Y, Probes[TailProbe][0], Probes[TailProbe][1]) > TailVeto;
}

int TCollisions::RamProbe(const TProbes& Probes, const TRocket& Rocket) {
    for (int Probe = 0; Probe < TailProbe; ++Probe)
        if (ProbeHitsRocket(Probes, Probe, Rocket))
            return Probe;
    return -1;
}

bool TCollisions::RamHits(const TProbes& Probes, const TRocket& Rocket) {
    return RamProbe(Probes, Rocket) >= 0;
}

bool TCollisions::ShieldHitsRocket(double ShipX, double ShipY, int Angle, int Level, const TRocket& Rocket) {
    if (Level < 1 || Level > 3)
        return false;
    const TDoublePoint& Nose = Rocket.Circles[0];
    if (Distance(ShipX, ShipY, Nose.X, Nose.Y) > ShieldReach(Rocket.Kind))
        return false;
    if (Level == 3)
        return true;
    // Levels 1 and 2 cover the flanks only: the nose must be clear of the front and back points.
    const int Gap = ShieldFlankGap(Rocket.Kind, Level);
    for (const std::array<int, 2>& End : ShieldProbes(ShipX, ShipY, Angle, Level))
        if (Distance(End[0], End[1], Nose.X, Nose.Y) < Gap)
            return false;
    return true;
}

bool TCollisions::ShieldHitsPiece(double ShipX, double ShipY, int Angle, int Level, double PieceX,
                                  double PieceY, int PieceRadius) {
    if (Level < 1 || Level > 3 || Distance(ShipX, ShipY, PieceX, PieceY) > PieceRadius + ShieldPieceReach)
        return false;
    if (Level == 3)
        return true;
    const int Gap = Level == 1 ? 100 : 50;
    for (const std::array<int, 2>& End : ShieldProbes(ShipX, ShipY, Angle, Level))
        if (Distance(End[0], End[1], PieceX, PieceY) < Gap)
            return false;
    return true;
}

bool TCollisions::EmpHitsRocket(double ShipX, double ShipY, double Radius, const TRocket& Rocket) {
    const TDoublePoint& Nose = Rocket.Circles[0];
    return Distance(ShipX, ShipY, Nose.X, Nose.Y) <= Radius + EmpMargin(Rocket.Kind);
}

bool TCollisions::EmpHitsPiece(double ShipX, double ShipY, double Radius, double PieceX, double PieceY,
                               int PieceRadius) {
    return Distance(ShipX, ShipY, PieceX, PieceY) <= Radius + PieceRadius;
}

bool TCollisions::PhazerHitsRocket(const TBeamPoints& Beam, const TRocket& Rocket) {
    for (const std::array<int, 2>& Point : Beam)
        if (AnyCircleWithin(Rocket, Point[0], Point[1], PhazerMargin, PhazerReach))
            return true;
    return false;
}

bool TCollisions::PhazerHitsPiece(const TBeamPoints& Beam, double PieceX, double PieceY, int PieceRadius) {
    for (const std::array<int, 2>& Point : Beam)
        if (Distance(Point[0], Point[1], PieceX, PieceY) <= PieceRadius + PhazerReach)
            return true;
    return false;
}

bool TCollisions::LongBombHitsRocket(double BombX, double BombY, double Radius, const TRocket& Rocket) {
    for (int Circle = 0; Circle < CircleCount(Rocket.Kind); ++Circle) {
        const TDoublePoint& At = Rocket.Circles[Circle];
        if (Distance(At.X, At.Y, BombX, BombY) <= Radius + LongBombMargin)
            return true;
    }
    return false;
}

bool TCollisions::LongBombHitsPiece(double BombX, double BombY, double Radius, double PieceX, double PieceY,
                                    int PieceRadius) {
    return Distance(BombX, BombY, PieceX, PieceY) <= Radius + PieceRadius;
}

bool TCollisions::BulletHitsRocket(TDoublePoint Nose, const TRocket& Rocket) {
    return AnyCircleWithin(Rocket, Nose.X, Nose.Y, BulletThreshold, 0);
}

bool TCollisions::BulletHitsPiece(TDoublePoint Nose, double PieceX, double PieceY, int PieceRadius) {
    return Distance(Nose.X, Nose.Y, PieceX, PieceY) <= PieceRadius;
}

bool TCollisions::MineHitsShip(const TProbes& Probes, double MineX, double MineY) {
    for (int Probe = 0; Probe < FrontProbes; ++Probe)
        if (Distance(Probes[Probe][0], Probes[Probe][1], MineX, MineY) <= MineFrontReach)
            return true;
    if (Distance(Probes[TailProbe][0], Probes[TailProbe][1], MineX, MineY) <= TailVeto)
        return false;
    for (int Probe = FrontProbes; Probe < TailProbe; ++Probe)
        if (Distance(Probes[Probe][0], Probes[Probe][1], MineX, MineY) <= MineRearReach)
            return true;
    return false;
}

bool TCollisions::MineHitsRocket(double MineX, double MineY, const TRocket& Rocket) {
    return !Rocket.Destroyed && AnyCircleWithin(Rocket, MineX, MineY, MineThreshold, 0);
}

bool TCollisions::MineHitsPiece(double MineX, double MineY, double PieceX, double PieceY, int PieceRadius) {
    return Distance(MineX, MineY, PieceX, PieceY) <= PieceRadius + MineRadius;
}

bool TCollisions::RocketHitsRocket(const TRocket& First, const TRocket& Other) {
    const TDoublePoint& Nose = First.Circles[0];
    for (int Circle = 0; Circle < CircleCount(Other.Kind); ++Circle) {
        const TDoublePoint& At = Other.Circles[Circle];
        const double Gap = Distance(Nose.X, Nose.Y, At.X, At.Y);
        const int Reach = OwnRadius(First.Kind) + RocketMargin(Other.Kind, Circle);
        // Only nose against nose may just touch; the body circles must overlap.
        if (Circle == 0 ? Gap <= Reach : Gap < Reach)
            return true;
    }
    return false;
}

bool TCollisions::PieceHitsShip(const TProbes& Probes, double PieceX, double PieceY, int PieceRadius) {
    const int Reach = PieceRadius + BodyRadius;
    for (int Probe = 0; Probe < FrontProbes; ++Probe)
        if (Distance(Probes[Probe][0], Probes[Probe][1], PieceX, PieceY) <= Reach)
            return true;
    if (Distance(Probes[TailProbe][0], Probes[TailProbe][1], PieceX, PieceY) <= PieceTailVeto)
        return false;
    for (int Probe = FrontProbes; Probe < TailProbe; ++Probe)
        if (Distance(Probes[Probe][0], Probes[Probe][1], PieceX, PieceY) <= Reach)
            return true;
    return false;
}

bool TCollisions::PieceHitsRocket(double PieceX, double PieceY, int PieceRadius, const TRocket& Rocket) {
    return AnyCircleWithin(Rocket, PieceX, PieceY, CircleRadius, PieceRadius);
}

// --- Kill procedures ------------------------------------------------------------------------------

void TCollisions::Notice(TMessage& Messages, const std::string& Points, const std::string& Boost) {
    Messages.RequestNotice(GameText.gi_points + Points, GameText.gi_boost + Boost);
}

void TCollisions::DestroyRocket(TRocket& Rocket) {
    Rocket.Destroyed = true;
    Rocket.RespawnStamp = Now();
    PlaySound("explode1");
}

void TCollisions::KillRocket(TShip& Ship, TRocket& Rocket, TMessage& Messages, const TRocketReward& Reward) {
    const bool Alive = !Ship.Destroyed;
    if (Alive || !Reward.BoostWhileAlive)
        Ship.AddBoost(Reward.Boost);
    if (Reward.FirstSound != nullptr)
        PlaySound(Reward.FirstSound);
    DestroyRocket(Rocket);
    Ship.AddScore(Reward.Points);
    if (Alive || !Reward.KillWhileAlive)
        ++Game.WaveKills;
    Messages.AddMessage(Rocket.Index, Plus(Reward.Points), Rocket.X, Rocket.Y);
    Notice(Messages, SpacePlus(Reward.Points), SpacePlus(Reward.Boost));
}

void TCollisions::RamKill(TShip& Ship, TRocket& Rocket, TMessage& Messages) {
    KillRocket(Ship, Rocket, Messages, {10, 3, false, true});
    Ship.Damage(Rocket.Kind);
}

void TCollisions::ShieldKill(TShip& Ship, TRocket& Rocket, TMessage& Messages) {
    KillRocket(Ship, Rocket, Messages, {30, 6, true, true});
}

void TCollisions::EmpKill(TShip& Ship, TRocket& Rocket, TMessage& Messages) {
    KillRocket(Ship, Rocket, Messages, {50, 6, false, false});
}

void TCollisions::PhazerKill(TShip& Ship, TRocket& Rocket, TMessage& Messages) {
    KillRocket(Ship, Rocket, Messages, {100, 6, false, false});
}

void TCollisions::LongBombKill(TShip& Ship, TRocket& Rocket, TMessage& Messages) {
    // 15 boost, as the notice has always told the player.
    KillRocket(Ship, Rocket, Messages, {200, 15, false, false});
}

void TCollisions::BulletKill(TShip& Ship, TRocket& Rocket, TMessage& Messages) {
    KillRocket(Ship, Rocket, Messages, {50, 8, true, true});
}

void TCollisions::MineKill(TShip& Ship, TRocket& Rocket, TMessage& Messages) {
    KillRocket(Ship, Rocket, Messages, {50, 10, true, true, "explode2"});
}

int TCollisions::CollisionPoints(double NoseDistance) {
    return 120 - static_cast<int>(NoseDistance / 10);
}

void TCollisions::RocketsCollide(TShip& Ship, TRocket& First, TRocket& Second, TMessage& Messages) {
    const bool Alive = !Ship.Destroyed;
    const int Points = CollisionPoints(Distance(Ship.X, Ship.Y, First.Circles[0].X, First.Circles[0].Y));
    DestroyRocket(First);
    DestroyRocket(Second);
    Ship.AddBoost(6);
    Ship.AddScore(Points);
    if (Alive)
        Game.WaveKills += 2;
    Messages.AddMessage(Second.Index, SpacePlus(Points), Second.X, Second.Y);
    Notice(Messages, SpacePlus(Points), SpacePlus(6));
}

void TCollisions::PieceShot(TShip& Ship, TMessage& Messages, double X, double Y) {
    PlaySound("explode2");
    if (!Ship.Destroyed)
        Ship.AddBoost(12);
    Ship.AddScore(70);
    Messages.ShowMessage(Plus(70), X, Y);
    Notice(Messages, SpacePlus(70), SpacePlus(12));
}

void TCollisions::PieceRamsShip(TShip& Ship, TMessage& Messages, bool Large, double X, double Y) {
    const int Points = Large ? 40 : 30;
    const int Boost = Large ? 8 : 7;
    PlaySound("explode2");
    // Straight off the hull: neither divided by the shield level nor clamped.
    Ship.Energy -= Large ? 35 : 15;
    if (!Ship.Destroyed) {
        Ship.AddBoost(Boost);
        Ship.AddScore(Points);
    }
    Messages.ShowMessage(Plus(Points), X, Y);
    Notice(Messages, SpacePlus(Points), SpacePlus(Boost));
}

void TCollisions::PieceTakesRocket(TShip& Ship, TRocket& Rocket, TMessage& Messages, bool Large, double X,
                                   double Y) {
    const int Points = Large ? 60 : 50;
    const int Boost = Large ? 10 : 9;
    PlaySound("explode2");
    // Not a kill: the wave's count stays.
    Rocket.Destroyed = true;
    Rocket.RespawnStamp = Now();
    if (!Ship.Destroyed) {
        Ship.AddBoost(Boost);
        Ship.AddScore(Points);
    }
    Messages.ShowMessage(Plus(Points), X, Y);
    Notice(Messages, SpacePlus(Points), SpacePlus(Boost));
}

void TCollisions::MineDamagesShip(TShip& Ship) {
    Ship.Damage(5);
    PlaySound("explode2");
}

// --- Frame steps ----------------------------------------------------------------------------------

void TCollisions::CheckRocketAgainstRockets(TRocket& First, TShip& Ship, TRockets& Rockets,
                                            TMessage& Messages) {
    for (size_t Position = 0; Position < Rockets.size(); ++Position) {
        TRocket* Other = Rockets[Position].get();
        if (Other == nullptr || Other == &First || static_cast<int>(Position) == First.Index ||
            Other->Destroyed)
            continue;
        if (RocketHitsRocket(First, *Other)) {
            RocketsCollide(Ship, First, *Other, Messages);
            return;
        }
    }
}

void TCollisions::CheckRocketCollisions(TShip& Ship, TRockets& Rockets, TMessage& Messages) {
    Ship.UpdateHitPoints();
    const bool Shielded = Ship.ShieldUp && Ship.ShieldLevel >= 1 && Ship.ShieldLevel <= 3;
    for (const std::unique_ptr<TRocket>& Rocket : Rockets) {
        if (Rocket == nullptr || Rocket->Destroyed)
            continue;
        if (Shielded && Game.Asteroids != nullptr)
            Game.Asteroids->SweepPieces(
                [&Ship](double PieceX, double PieceY, int PieceRadius) {
                    return ShieldHitsPiece(Ship.X, Ship.Y, Ship.Angle, Ship.ShieldLevel, PieceX, PieceY,
                                           PieceRadius);
                },
                std::nullopt, Ship, Messages);
        if (Shielded && ShieldHitsRocket(Ship.X, Ship.Y, Ship.Angle, Ship.ShieldLevel, *Rocket)) {
            ShieldKill(Ship, *Rocket, Messages);
            continue;
        }
        if (RamHits(Ship.HitPoints, *Rocket))
            RamKill(Ship, *Rocket, Messages);
    }
}
