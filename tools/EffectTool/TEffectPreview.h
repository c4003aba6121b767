#pragma once

#include "particles/TParticleParams.h"

#include <string>
#include <vector>

// Runs an effect the way the game's particle systems do (16 ms steps, the particles' own random
// generator) and draws four moments of it side by side, so an effect can be judged before it ships.
class TEffectPreview {
  public:
    // Emitter at the centre of each 400 × 400 panel, fired at 0 with the given emitter angle (degrees);
    // panels at a quarter, half, three quarters and all of Milliseconds. Grey circles mark Radii.
    static bool Render(const TParticleParams& Params, int Milliseconds, float AngleDegrees,
                       const std::vector<float>& Radii, const std::string& PngPath, std::string& Report);
};
