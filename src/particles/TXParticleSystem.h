#pragma once

#include "particles/TParticle.h"
#include "particles/TParticleParams.h"
#include "particles/TXObject.h"

#include <SDL.h>

#include <string>
#include <vector>

class TVelaCanvas;
class TVelaImage;

// One emitter and its particles: it emits sprites of one image at the block's rate for the block's
// duration, moves them, fades them through three colours, turns and scales them, and removes them at
// the end of their lives. Updated by the logic step, drawn once per frame.
class TXParticleSystem : public TXObject {
  public:
    static constexpr int MaxParticles = 5000;
    // Emitter times below zero.
    static constexpr float Stopped = -2, Endless = -1;

    TXParticleSystem();

    TVelaImage* Image = nullptr; // not owned

    // FileName is a full path, looked up without regard to case. False when the file does not exist or
    // is empty; the block keeps whatever bytes the file does not have. A file whose block is not
    // playable is refused with one message (once per file) and leaves the block all zero: no particles.
    bool LoadFromFile(const std::string& FileName);
    // Damaged effect files met from GatherReports on are told in one message by ShowGatheredReports,
    // as a list's load failures are; each file is reported once a session either way.
    static void GatherReports();
    static void ShowGatheredReports();
    void SetParams(const TParticleParams& Block);
    const TParticleParams& Params() const { return FParams; }

    // New particles start at one of these, relative to the emitter; none at all stops emission.
    int AddSpawnOffset(SDL_Point Offset);
    void ClearSpawnOffsets();
    int SpawnOffsetCount() const { return static_cast<int>(SpawnOffsets.size()); }

    // Starts (or restarts) the emitter at (X, Y); living particles stay.
    // Back to the state of a new system, keeping the storage it has grown.
    void Reset();
    void Fire(float X, float Y);
    // Clear removes every particle at once; otherwise they finish their lives.
    void Stop(bool Clear);
    // Drag carries the living particles along, as a shield or an engine flame follows its owner.
    // Otherwise a running emitter spreads its next particles along the way from the old position.
    void MoveTo(bool Drag, float X, float Y);
    void Update(float Dt); // ms
    void Draw(TVelaCanvas& Canvas) const;
    void SetDrawOffset(float X, float Y);

    int Count() const { return static_cast<int>(Particles.size()); }
    // Stopped (-2), Endless (-1), or ms since the start.
    float Time() const { return FTime; }
    bool Running() const { return FTime > -1.9f; }
    const TParticle& Particle(int Index) const { return Particles[Index]; }

  private:
    void Spawn();

    // Living particles only. Storage is reserved for the most the block keeps alive, grows in steps
    // beyond that (a burst fired again before its particles die) up to MaxParticles, and is never given
    // back, so a steady effect allocates nothing.
    std::vector<TParticle> Particles;
    TParticleParams FParams;
    std::vector<SDL_Point> SpawnOffsets;
    float FTime = Stopped;
    float Remainder = 0; // the fraction of a particle carried to the next update
    float PreviousX = 0, PreviousY = 0;
    float DrawOffsetX = 0, DrawOffsetY = 0;
};
