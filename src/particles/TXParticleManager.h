#pragma once

#include "particles/TParticleParams.h"
#include "particles/TXParticleSystem.h"

#include <array>
#include <memory>

class TVelaCanvas;
class TVelaImage;

// Short-lived effects made on demand from a block (mine blasts): each is fired where it is spawned and
// freed once it has stopped and its last particle has gone; its slot keeps it for a later one.
class TXParticleManager {
  public:
    static constexpr int MaxSystems = 100;

    // Canvas may be null: everything runs, nothing is drawn.
    explicit TXParticleManager(TVelaCanvas* Canvas);

    // The new system, already firing; null when all slots are taken (the effect is then skipped).
    TXParticleSystem* Spawn(const TParticleParams& Block, TVelaImage* Image, float X, float Y);
    void Update(float Dt);
    void Draw();
    // For systems spawned from now on.
    void SetDrawOffset(float X, float Y);

    int Count() const { return FCount; }
    TXParticleSystem* System(int Index) const;

  private:
    TVelaCanvas* Canvas = nullptr;
    int FCount = 0;
    float DrawOffsetX = 0, DrawOffsetY = 0;
    std::array<std::unique_ptr<TXParticleSystem>, MaxSystems> Systems;
};
