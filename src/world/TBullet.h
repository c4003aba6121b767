#pragma once

// A sniper bullet in flight; it flies straight and does not wrap.
struct TBullet {
    bool Active = false;
    double X = 0.0;
    double Y = 0.0;
    double Angle = 0.0; // degrees
};
