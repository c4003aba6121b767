#pragma once

#include "world/TDoublePoint.h"
#include "world/TRocket.h"
#include "world/TRocketReward.h"

#include <array>
#include <string>

class TMessage;
class TShip;

// The ship's probes (HitPoints) and the phazer's beam points, in whole pixels.
using TProbes = std::array<std::array<int, 2>, 7>;
using TBeamPoints = std::array<std::array<int, 2>, 5>;

// Every contact of the game world, decided by distances between points: the ship is a row of seven
// probes along its axis, a rocket a row of circles along its own. Each pair of things has its own test
// with its own thresholds; the object that owns the attack runs it at its fixed place in the frame:
//   1. each rocket in list order: its circles, then rocket against the other rockets (11);
//   2. the ship, alive and not paused: its probes, then for each living rocket the hyper shield
//      (3 over the asteroid, then 2) or else the ram (1); the destruction test; the motion step; the
//      running weapon (4, 5, 6, each sweep once per living rocket before that rocket's test); the
//      bullets (7); the mines (10, 8, 9 for each mine);
//   3. the asteroid against the ship (12) and each rocket (13).
// A kind-4 rocket is shaped, and hits, like a kind-1 rocket.
class TCollisions {
  public:
    static constexpr int FrontProbes = 4; // probes 0..3; 4 and 5 are rear, 6 the tail
    static constexpr int TailProbe = 6;

    // Shapes.
    static int ShapeKind(int Kind);
    static int CircleCount(int Kind);
    static int CircleDistance(int Kind, int Circle);
    static int CircleRadius(int Kind, int Circle);
    static void PlaceCircles(int Kind, double X, double Y, int Angle,
                             std::array<TDoublePoint, TRocket::MaxCircles>& Circles);
    // The hyper shield's front and back points (kept by the weapon as its first two beam points).
    static std::array<std::array<int, 2>, 2> ShieldProbes(double ShipX, double ShipY, int Angle, int Level);
    // The phazer's five beam points ahead of the ship: the tip, then two pairs beside the axis.
    static TBeamPoints PhazerBeam(double ShipX, double ShipY, int Angle);
    // A sniper bullet's nose: 9 px ahead, in whole pixels.
    static TDoublePoint BulletNose(double X, double Y, double Angle);
    static double Distance(double X1, double Y1, double X2, double Y2);

    // Thresholds, per rocket kind and circle.
    static int FrontThreshold(int Kind, int Circle);
    static int RearThreshold(int Kind, int Circle);
    static int ShieldReach(int Kind);
    static int ShieldFlankGap(int Kind, int Level);
    static int ShieldProbeLength(int Level);
    static int EmpMargin(int Kind);
    static int PhazerMargin(int Kind, int Circle);
    static int BulletThreshold(int Kind, int Circle);
    static int MineThreshold(int Kind, int Circle);
    static int OwnRadius(int Kind);
    static int RocketMargin(int Kind, int Circle);

    // The tests, numbered as in the frame order above. Rocket tests read the rocket's Circles.
    static int RamProbe(const TProbes& Probes, const TRocket& Rocket); // probe hit, or -1
    static bool RamHits(const TProbes& Probes, const TRocket& Rocket);
    static bool ShieldHitsRocket(double ShipX, double ShipY, int Angle, int Level, const TRocket& Rocket);
    static bool ShieldHitsPiece(double ShipX, double ShipY, int Angle, int Level, double PieceX,
                                double PieceY, int PieceRadius);
    static bool EmpHitsRocket(double ShipX, double ShipY, double Radius, const TRocket& Rocket);
    static bool EmpHitsPiece(double ShipX, double ShipY, double Radius, double PieceX, double PieceY,
                             int PieceRadius);
    static bool PhazerHitsRocket(const TBeamPoints& Beam, const TRocket& Rocket);
    static bool PhazerHitsPiece(const TBeamPoints& Beam, double PieceX, double PieceY, int PieceRadius);
    static bool LongBombHitsRocket(double BombX, double BombY, double Radius, const TRocket& Rocket);
    static bool LongBombHitsPiece(double BombX, double BombY, double Radius, double PieceX, double PieceY,
                                  int PieceRadius);
    static bool BulletHitsRocket(TDoublePoint Nose, const TRocket& Rocket);
    static bool BulletHitsPiece(TDoublePoint Nose, double PieceX, double PieceY, int PieceRadius);
    static bool MineHitsShip(const TProbes& Probes, double MineX, double MineY);
    static bool MineHitsRocket(double MineX, double MineY, const TRocket& Rocket);
    static bool MineHitsPiece(double MineX, double MineY, double PieceX, double PieceY, int PieceRadius);
    static bool RocketHitsRocket(const TRocket& First, const TRocket& Other);
    static bool PieceHitsShip(const TProbes& Probes, double PieceX, double PieceY, int PieceRadius);
    static bool PieceHitsRocket(double PieceX, double PieceY, int PieceRadius, const TRocket& Rocket);

    // Kill procedures: score, boost, kill count, sounds, floating text and notice.
    static void KillRocket(TShip& Ship, TRocket& Rocket, TMessage& Messages, const TRocketReward& Reward);
    // The boost first, then the kill, the damage last.
    static void RamKill(TShip& Ship, TRocket& Rocket, TMessage& Messages);
    static void ShieldKill(TShip& Ship, TRocket& Rocket, TMessage& Messages);
    static void EmpKill(TShip& Ship, TRocket& Rocket, TMessage& Messages);
    static void PhazerKill(TShip& Ship, TRocket& Rocket, TMessage& Messages);
    static void LongBombKill(TShip& Ship, TRocket& Rocket, TMessage& Messages);
    static void BulletKill(TShip& Ship, TRocket& Rocket, TMessage& Messages);
    static void MineKill(TShip& Ship, TRocket& Rocket, TMessage& Messages);
    // Both die; the closer the first one's nose was to the ship, the more points.
    static void RocketsCollide(TShip& Ship, TRocket& First, TRocket& Second, TMessage& Messages);
    static int CollisionPoints(double NoseDistance);
    // A weapon, the shield or a mine broke an asteroid piece at (X, Y).
    static void PieceShot(TShip& Ship, TMessage& Messages, double X, double Y);
    // The asteroid (Large) or a fragment rammed the ship / took a rocket; the asteroid itself fires
    // its emitter and splits.
    static void PieceRamsShip(TShip& Ship, TMessage& Messages, bool Large, double X, double Y);
    static void PieceTakesRocket(TShip& Ship, TRocket& Rocket, TMessage& Messages, bool Large, double X,
                                 double Y);
    static void MineDamagesShip(TShip& Ship);

    // Frame steps.
    // The first rocket's nose against the living rockets in list order; stops at its first hit.
    static void CheckRocketAgainstRockets(TRocket& First, TShip& Ship, TRockets& Rockets, TMessage& Messages);
    // The ship's collision step before its destruction test: probes, then each living rocket against
    // the hyper shield (while ShieldUp) or the hull.
    static void CheckRocketCollisions(TShip& Ship, TRockets& Rockets, TMessage& Messages);

  private:
    static void DestroyRocket(TRocket& Rocket);
    static void Notice(TMessage& Messages, const std::string& Points, const std::string& Boost);
    static bool AnyCircleWithin(const TRocket& Rocket, double X, double Y, int (*Threshold)(int, int),
                                int Extra);
    static bool ProbeHitsRocket(const TProbes& Probes, int Probe, const TRocket& Rocket);
};
