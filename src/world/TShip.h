#pragma once

#include "world/TBullet.h"
#include "world/TMine.h"
#include "world/TTextureResult.h"
#include "world/TThrustPlacement.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class TEngine;
class TMessage;
class TRocket;
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

    // Weapons: 1 EMP, 2 phazer, 3 long bomb, 4 hyper shield, 5 sniper gun; 0 none.
    enum TWeapon : uint8_t { wpNone = 0, wpEmp, wpPhazer, wpLongBomb, wpHyperShield, wpSniper };
    // The next (or previous) charged weapon in the order 1..5, round; none while nothing is charged.
    void NextWeapon();
    void PreviousWeapon();
    void PlantMine();
    // The fire key: fires the selected weapon unless one is still running.
    void FireWeapon();
    // One step of the running weapon: the first of EMP, phazer, long bomb, hyper shield, sniper shot.
    void RunWeapon();
    void RunBullets();
    void RunMines();
    TTextureResult GetWeaponInfo() const;
    // Mine records for the mines a mission starts with, all unplanted, and no bullet in flight.
    void ArmMines();

    static int EmpRadius(int64_t SinceFired);
    static int LongBombRadius(int64_t SinceDetonated);

    std::vector<TMine> Mines;
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

    // Indexed by weapon 1..5; element 0 unused.
    std::array<bool, 6> Charged{};
    std::array<bool, 6> Owned{};
    uint8_t SelectedWeapon = wpNone;
    // A fired EMP, phazer, long bomb or hyper shield is still running: nothing else fires.
    bool WeaponBusy = false;
    uint32_t SniperClearTime = 0;
    bool SniperReloading = false;
    bool EmpActive = false;
    bool PhazerActive = false;
    bool LongBombActive = false;
    bool HyperShieldActive = false;
    // A sniper shot is pending.
    bool SniperActive = false;
    uint32_t FireTime = 0;
    // The phazer's beam points; the hyper shield keeps its front and back probes in the first two.
    std::array<std::array<int, 2>, 5> BeamPoints{};
    int LongBombAngle = 0;
    double LongBombX = 0.0;
    double LongBombY = 0.0;
    bool LongBombDetonated = false;
    // Indexed 1..5; element 0 unused.
    std::array<TBullet, 6> Bullets{};
    int SniperAmmo = 5;
    int EmpPhase = 0;        // 0 just fired, 1 running, 2 ending
    int PhazerPhase = 0;     // 0 just fired, 1 running
    int ShieldCountdown = 0; // seconds of hyper shield left
    bool ShieldUp = false;
    uint32_t LastBeep = 0;
    int HyperShieldPhase = 0; // 0 just fired, 1 running, 2 ending

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

  public:
    // Indices into Game.Keys.
    enum TControl {
        KeyLeft = 0,
        KeyRight,
        KeySpeedUp,
        KeySpeedDown,
        KeyBoost,
        KeyWeaponUp,
        KeyWeaponDown,
        KeyFire,
        KeyPlantMine
    };

  private:
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
    // The ship and its long bomb leave the field by jumping to the opposite edge.
    static void WrapOnField(double& PointX, double& PointY);

    void RunWreck();
    // A wreck runs no weapons: whatever runs ends with the ship, also a weapon fired in the frame of
    // destruction, which would otherwise light its effect after all of them were stopped.
    void PutOutWeapons();

    void ReadWeaponKeys();
    // Steps the selection by Step (+1 or -1) until it rests on a charged weapon.
    void ChangeWeapon(int Step);
    void LightWeaponIcon();
    void StartWeapon(bool& Active, bool Busy, const char* Sample);
    void RunEmp();
    void RunPhazer();
    void RunLongBomb();
    void FlyLongBomb();
    void RunHyperShield();
    void PlaceShieldEmitters(bool FireThem);
    void RunSniperShot();
    void RunBullet(TBullet& Bullet);
    // Returns true when the mine blew up on the ship or a rocket, which ends the mines' step.
    bool RunMine(TMine& Mine);
    void BlowMine(TMine& Mine);
    // The reach against the asteroid pieces, then against the rocket, for every living rocket in
    // order: the way the EMP, phazer and long bomb sweep the field.
    void SweepRockets(const std::function<bool(double, double, int)>& ReachesPiece,
                      const std::function<bool(const TRocket&)>& ReachesRocket,
                      std::optional<double> BaseAngle, void (*Kill)(TShip&, TRocket&, TMessage&));
    bool FireKeyPressed() const;
};
