#pragma once

#include <cmath>

// Distances and headings on the playfield in the game's degrees: 0 along +x, growing clockwise on
// screen (y points down).
class TBearing {
  public:
    static double Distance(double FromX, double FromY, double ToX, double ToY) {
        return std::hypot(ToX - FromX, ToY - FromY);
    }

    // 0 .. 360.
    static double HeadingTo(double FromX, double FromY, double ToX, double ToY) {
        const double Degrees = std::atan2(ToY - FromY, ToX - FromX) * 180.0 / Pi;
        return Degrees < 0 ? Degrees + 360.0 : Degrees;
    }

    // The short turn from heading From to heading To: -180 .. 180, positive clockwise (to the right).
    static double Difference(double From, double To) {
        double Turn = std::fmod(To - From, 360.0);
        if (Turn > 180.0)
            Turn -= 360.0;
        else if (Turn <= -180.0)
            Turn += 360.0;
        return Turn;
    }

    static constexpr double Pi = 3.14159265358979323846;
};
