#pragma once

// Something placed on the play field that can face a point.
class TXObject {
  public:
    virtual ~TXObject() = default;

    float X = 0, Y = 0;
    float Angle = 0; // radians

    virtual void TurnTo(float PX, float PY);
};
