#pragma once

#include "particles/TXParticleSystem.h"
#include "world/TAsteroidFragment.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class TEngine;
class TMessage;
class TRocket;
class TShip;

using TRockets = std::vector<std::unique_ptr<TRocket>>;

// The asteroid field: one large asteroid drifting slowly over the wrapping playfield, which breaks into
// four fragments when hit; fifteen seconds after the last fragment is gone a new one comes in, away from
// the ship. Lives for the whole program and is reset with every mission.
class TAsteroid {
  public:
    static constexpr int LargeRadius = 26;
    static constexpr int FragmentRadius = 16;
    static constexpr int RespawnDelay = 15000; // ms
    static constexpr int RespawnClearance = 250;

    // Loads the five explosions, then Reset.
    explicit TAsteroid(TEngine& Engine);

    // A whole asteroid in a corner region, out of play until the caller sets Active.
    void Reset();
    // The per-frame step after the ship's: collisions, motion, drawing, respawn. Only the drawing goes
    // on while paused; nothing at all happens while the field is not Active.
    void Run(TShip& Ship, TRockets& Rockets, TMessage& Messages);
    // Breaks the large asteroid into its fragments: sprayed around BaseAngle (degrees), the direction
    // of the blow, or all around without one (hyper shield, mines).
    void Split(std::optional<double> BaseAngle);
    // The fixed logic step: the large asteroid's explosion first, then the fragments' in order.
    void UpdateEmitters(float Dt);
    // A weapon's sweep: breaks the first piece Reaches(X, Y, Radius) accepts (the large asteroid while
    // whole, else the living fragments in order), the large one splitting around BaseAngle. At most one
    // piece per call; false when nothing was reached.
    bool SweepPieces(const std::function<bool(double X, double Y, int Radius)>& Reaches,
                     std::optional<double> BaseAngle, TShip& Ship, TMessage& Messages);
    // Into X, Y: one of the four corner regions.
    void ChooseStartPosition();
    // A start position, pushed 250 right and down when it would come in on top of the ship; the next
    // motion step wraps it if that takes it off the field.
    void ChooseRespawnPosition(double ShipX, double ShipY);

    // The pieces of Run.
    void CheckCollisions(TShip& Ship, TRockets& Rockets, TMessage& Messages);
    void Move();
    void Draw();
    void RespawnStep(double ShipX, double ShipY);

    bool Active = false;
    TEngine& Engine;
    uint32_t RespawnTime = 0; // when the last fragment went
    int State = 0;            // 0 whole, 1 fragments, 2 waiting to respawn
    TXParticleSystem Emitter; // the large asteroid's explosion
    bool Destroyed = false;
    int Frame = 0;    // 0..24
    double Angle = 0; // degrees, direction of travel
    uint32_t LastMotion = 0, FrameTime = 0;
    double X = 0, Y = 0;
    int Radius = LargeRadius;
    std::array<TAsteroidFragment, 4> Fragments;

  private:
    void LoadEffect(TXParticleSystem& Effect);
    void CheckLarge(TShip& Ship, TRockets& Rockets, TMessage& Messages);
    void CheckFragment(TAsteroidFragment& Fragment, TShip& Ship, TRockets& Rockets, TMessage& Messages);
    void DrawPiece(const char* Texture, int Pattern, double PieceX, double PieceY);
    static void Wrap(double& PieceX, double& PieceY);
    static void Fire(TXParticleSystem& Effect, double PieceX, double PieceY);
};
