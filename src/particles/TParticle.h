#pragma once

// One living particle: 26 singles. Speeds are per millisecond except velocity and gravity, which are
// per second.
struct TParticle {
    float Pattern, PatternSpeed;
    float X, Y;
    // Emitter position minus particle position at birth: with the emitter it gives the point that
    // radial and tangential acceleration turn about.
    float OriginX, OriginY;
    float VelocityX, VelocityY;
    float Gravity;
    float Radial, Tangential;
    float Angle, AngleSpeed;
    float Scale, ScaleSpeed;
    float Red, Green, Blue, Alpha; // 0 .. 255
    float RedSpeed, GreenSpeed, BlueSpeed, AlphaSpeed;
    float Age, MiddleTime, Life; // ms; the colour reaches Colour2 at MiddleTime
};
