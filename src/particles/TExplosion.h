#pragma once

#include "particles/TXParticleManager.h"
#include "particles/TXParticleSystem.h"

#include <memory>
#include <string>

class TEngine;

// The game's named particle effects, loaded once at start and drawn with the "particles" picture. The
// ship, its weapons, the HUD and the crates start, move and stop the effects they own.
class TExplosion {
  public:
    explicit TExplosion(TEngine& Engine);

    // One fixed logic step of Dt milliseconds for every effect.
    void Update(float Dt);
    void Draw();

    // At every change of weapon selection the three HUD glows go out, then the new selection's lights.
    void SelectWeaponIcon(int Selection);
    // Puts out everything the ship burns: flames, beam, blast, shield and wreck fire. As a mission
    // starts, so nothing of the last one lingers, and as the ship is destroyed, so nothing hangs in
    // space where it was.
    void StopShipEffects();
    // A mine's blast: a short-lived system made from Mine's block, remembered in LastMine.
    TXParticleSystem* SpawnMine(float X, float Y);

    TXParticleSystem Phazer;
    TXParticleSystem EmpIcon;
    TXParticleSystem ShieldIcon;
    TXParticleSystem PhazerIcon;
    TXParticleSystem Shield1A, Shield1B;
    TXParticleSystem Shield2A, Shield2B;
    TXParticleSystem EngineA, EngineB;
    TXParticleSystem BoostA, BoostB;
    // A template only: never fired, updated or drawn itself.
    TXParticleSystem Mine;
    TXParticleSystem* LastMine = nullptr;
    TXParticleManager MineEffects;
    TXParticleSystem Shield;
    TXParticleSystem LongBomb;
    TXParticleSystem Emp;
    TXParticleSystem ShipExplode;
    TXParticleSystem Explode1;

    // Where the HUD's weapon glows burn.
    static constexpr float IconX = 934, UpperIconY = 666, LowerIconY = 685;

  private:
    void Load(TXParticleSystem& System, const std::string& File);
    // Every updated and drawn system, in the order both run; the mines' manager sits after BoostB.
    template <typename TVisit> void ForEachBeforeMines(TVisit Visit);
    template <typename TVisit> void ForEachAfterMines(TVisit Visit);

    TEngine& Engine;
};

// The effect registry, shared by everything that explodes.
extern std::unique_ptr<TExplosion> Explosion;
// Milliseconds the effects advance in a frame, and the rockets' explosion trails' own step.
extern int TickLength;
extern int RocketParticleStep;
