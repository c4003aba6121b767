#include "particles/TParticleRandom.h"

#include <algorithm>

uint32_t TParticleRandom::State = 0;

float TParticleRandom::Random(float A, float B) {
    State = State * 214013u + 2531011u;
    const double R = (State >> 16) / 65535.0;
    const double Low = std::min(A, B);
    const double High = std::max(A, B);
    return static_cast<float>(Low + (High - Low) * R);
}

void TParticleRandom::Reset() {
    State = 0;
}
