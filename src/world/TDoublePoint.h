#pragma once

// A point of the play field in screen pixels, not rounded.
struct TDoublePoint {
    double X = 0;
    double Y = 0;
};
