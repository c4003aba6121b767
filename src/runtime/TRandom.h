#pragma once

#include <cstdint>

// The game's general-purpose random generator: a 32-bit linear congruential generator, so a run
// started with the same seed plays the same. Particles keep a generator of their own.
class TRandom {
  public:
    void Seed(uint32_t Value) { State = Value; }
    uint32_t SeedValue() const { return State; }
    // A whole number in 0 .. Range - 1 (0 when Range is not positive).
    int Next(int Range) {
        Step();
        return Range > 0
                   ? static_cast<int>((static_cast<uint64_t>(State) * static_cast<uint32_t>(Range)) >> 32)
                   : 0;
    }
    // A real number in [0, 1).
    double NextReal() {
        Step();
        return State / 4294967296.0;
    }

  private:
    void Step() { State = State * 134775813u + 1u; }
    uint32_t State = 0;
};

// The game's one general generator, seeded once at start.
extern TRandom Random;
