#pragma once

// What killing a rocket in one particular way is worth. The "while alive" flags keep a wreck from
// collecting: those amounts only count while the ship still flies.
struct TRocketReward {
    int Points = 0;
    int Boost = 0;
    bool BoostWhileAlive = false;
    bool KillWhileAlive = false;
    // Played before the rocket's own explosion (a mine blast), or none.
    const char* FirstSound = nullptr;
};
