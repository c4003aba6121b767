#pragma once

#include <cstdint>

// The particles' own random generator, apart from the game's general-purpose one so effects look the
// same however much the rest of the game draws. A 32-bit linear congruential generator starting at 0.
class TParticleRandom {
  public:
    // A number between A and B in either order, both ends included.
    static float Random(float A, float B);
    // Back to the start state, for tests and a fresh game.
    static void Reset();

  private:
    static uint32_t State;
};
