#pragma once

// Where the ship's two thrust emitters sit and which way they blow: A on the ship's right-hand side,
// B on its left, Direction in radians as the emitters take it.
struct TThrustPlacement {
    double AX = 0.0;
    double AY = 0.0;
    double BX = 0.0;
    double BY = 0.0;
    double Direction = 0.0;
};
