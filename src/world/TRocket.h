#pragma once

#include "particles/TXParticleSystem.h"
#include "world/TDoublePoint.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TEngine;
class TMessage;
class TRocket;
class TShip;

using TRockets = std::vector<std::unique_ptr<TRocket>>;

// The enemy: a homing rocket that turns toward the ship at a fixed rate and flies at a fixed speed.
// Its kind is at once its speed and turn per motion step, its damage factor, sprite and shape.
// Dead or not yet spawned, it is a wreck that drifts and explodes until the progression respawns it.
class TRocket {
  public:
    static constexpr int MaxCircles = 9;

    explicit TRocket(TEngine& Engine);

    // The per-frame step, for each rocket in list order, before the ship's.
    void Run(TShip& Ship, TRockets& Rockets, TMessage& Messages);
    // Off-screen and out of play until its first respawn, as a mission starts.
    void Park(int NewIndex, int NewKind);
    // Back in play at (AtX, AtY) with the heading and kind of its last life. Its circles come along at
    // once: the rockets before it in the list test them before its own step.
    void Respawn(double AtX, double AtY);

    void UpdateCircles();
    void Aim(double ShipX, double ShipY);
    // One motion step: advance, turn toward TargetAngle, wrap the heading.
    void Move();
    void PlaceFlame();
    // Wrecks drift against the ship's heading, 0.3 px per frame.
    void Drift(int ShipAngle);

    // 1 for 1..90, 2 for 91..180, 3 for 181..270, 4 for 271..360, 0 for anything else.
    static int Quadrant(int Angle);
    // Heading toward a point dx, dy away; Previous when the point is exactly here.
    static int AimAngle(double Dx, double Dy, int Previous);
    // The turn rules, one per quadrant of the heading, applied in order to the heading as the
    // previous rule left it; the result is not wrapped yet.
    static int Turn(int Angle, int Target, int Step);
    // The change the rule of quadrant Row makes to Angle for Target, or 0.
    static int RuleTurn(int Row, int Angle, int Target, int Step);
    static int WrapAngle(int Angle);
    static double FlameDistance(int Kind);
    static std::string SpriteName(int Kind);
    // Degrees added to the heading for drawing: rocket2's picture faces backwards.
    static int SpriteTurn(int Kind);
    static std::string ExplosionFile(int Kind);
    // Reads every effect file a rocket of any kind uses, so that a damaged one is reported at start-up
    // rather than in the middle of a mission.
    static void CheckEffectFiles();

    TXParticleSystem ExplosionEmitter;
    int Frame = 1;
    TXParticleSystem FlameEmitter;
    TEngine& Engine;
    int Index = 0;
    bool Destroyed = false;
    bool Gone = false;
    int MotionPeriod = 15;
    std::array<TDoublePoint, MaxCircles> Circles{};
    double X = 100.0;
    double Y = 500.0;
    double FlameX = 0;
    double FlameY = 0;
    int Kind = 1;
    uint32_t FrameTime = 0;
    uint32_t LastMotion = 0;
    int Angle = 0;
    int TargetAngle = 0;
    uint32_t RespawnStamp = 0;

  private:
    void LoadEffect(TXParticleSystem& Emitter, const std::string& File);
    void RunAlive(TShip& Ship, TRockets& Rockets, TMessage& Messages);
    void RunWreck(const TShip& Ship, TMessage& Messages);
    void Animate();
    void Draw();
};
