#pragma once

#include "world/TThrustPlacement.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

class TEngine;
class TXParticleSystem;

// The player's ship: reads the controls, moves on the wrapping 1024 x 768 playfield, draws itself and,
// once destroyed, drifts as a wreck. Hull energy and boost fuel live here too.
class TShip {
  public:
    // Which pair of emitters a thrust call means: Forward and Reverse both drive the engine emitters,
    // Boost the boost emitters.
    enum class TThrust { Forward, Reverse, Boost };

    // Distances of the seven collision probes ahead of the centre along the heading: four front
    // probes, two rear probes and the tail probe.
    static constexpr std::array<int, 7> ProbeDistances{-5, 13, 31, 44, -30, -10, -64};

    explicit TShip(TEngine& Engine);

    // One frame: controls, collisions, motion, drawing; the wreck's drift once destroyed.
    void Run();
    void ReadControls();
    // One motion step: turn, bank, wrap the heading, advance, wrap the position.
    void Move();
    void Draw();

    // Kill points; nothing once the ship is destroyed.
    void AddScore(int Points);
    // Also feeds the wreck; never above 100.
    void AddBoost(int Amount);
    // A rocket of this kind hit the ship; returns the energy taken (0 when the hull ran dry).
    int Damage(int Kind);

    // The probes for this frame's collision tests.
    void UpdateHitPoints();
    // Destroys the ship when its energy is gone. Safe to call more than once a frame.
    void CheckDestroyed();

    void StartThrust(TThrust Kind);
    void StopThrust(TThrust Kind);
    // Moves the emitters behind the nozzles for flying forward (Forward, Boost) or backwards (Reverse).
    void PlaceThrust(TThrust Kind);
    TThrustPlacement ThrustPlacement(TThrust Kind) const;

    // The top speed the speed-up key may reach; none for a level other than 1, 2 or 3.
    std::optional<double> TopSpeed() const;

    int MinesLeft = 0;
    bool ThrustForward = false;
    bool ThrustReverse = false;
    bool Boosting = false;
    TEngine& Engine;
    bool WreckExploded = false;
    int Tilt = 0; // -2..2, negative banks left
    double Boost = 0.0;
    double Speed = 0.0; // px per motion step along the heading; negative flies backwards
    bool Destroyed = false;
    double X = 512.0;
    double Y = 384.0;
    int Angle = 0; // degrees 1..360 once the ship has moved; 0 along +x, 90 down the screen
    int MotionPeriod = 15;
    uint32_t LastMotion = 0;
    double SpeedLevel = 1.0;
    int SteerMode = 1; // 0 keeps turning left, 1 follows the keys, 2 keeps turning right
    int SteerRate = 2;
    int ShieldLevel = 1;
    int Energy = 100;
    std::array<std::array<int, 2>, 7> HitPoints{};

    // The hyper shield is up; its front and back probes are kept in the first two beam points.
    bool ShieldUp = false;
    std::array<std::array<int, 2>, 5> BeamPoints{};

    // The rocket-collision step, run every live unpaused frame after the probes are recomputed and
    // before the destruction test.
    std::function<void(TShip&)> CheckCollisions;

  private:
    struct TThrustPair {
        TXParticleSystem& A;
        TXParticleSystem& B;
    };
    // The pair of emitters a thrust call drives: the boost pair, or the engine pair for both directions.
    static TThrustPair ThrustEmitters(TThrust Kind);

    // Indices into Game.Keys.
    enum TControl { KeyLeft = 0, KeyRight, KeySpeedUp, KeySpeedDown, KeyBoost };

    bool ControlDown(TControl Control) const;
    bool ControlPressed(TControl Control) const;
    bool ControlReleased(TControl Control) const;

    void ReadSpeedKeys();
    void SpeedUp();
    void SlowDown();
    void ReadSpeedReleases();
    void ReadBoostKey();
    void ReadSteering();

    bool TurningRight() const;
    bool TurningLeft() const;
    void Turn();
    void Bank();
    void WrapAngle();
    void WrapPosition();

    void RunWreck();
};
