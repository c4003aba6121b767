#pragma once

class TShip;

// Keeps the ship out of the path of the asteroid and its fragments: a fragment thrown by a rocket
// hitting the asteroid flies straight at the ship as fast as a rocket, and a ram costs a sixth of the
// hull (the whole asteroid a third).
class TPieceDodge {
  public:
    // The heading away from the piece that will pass closest soonest; false when none comes near.
    static bool Heading(const TShip& Ship, double& Heading);

  private:
    struct TApproach {
        double Steps;        // motion steps until the closest point
        double Miss;         // how far the piece's edge passes from the ship's centre
        double AwayX, AwayY; // from the piece at the closest point toward the ship
    };
    static TApproach Approach(const TShip& Ship, double X, double Y, double Angle, double Speed, int Radius);
};
