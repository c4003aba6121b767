#include "particles/TXObject.h"

#include <cmath>

void TXObject::TurnTo(float PX, float PY) {
    Angle = std::atan2(PY - Y, PX - X);
}
