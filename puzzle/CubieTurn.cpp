#include "puzzle/CubieTurn.h"

#include "math3d/Geometry.h"

namespace {
Quaternion Normalised(Quaternion q) {
    q.Normalize();
    return q;
}
} // namespace

CubieTurn::CubieTurn(double turnAngle, int turnAxis)
    : angle(turnAngle), axis(turnAxis), corners(Normalised(Quaternion(angle, AxisByIndex(axis)))),
      placement(angle, AxisByIndex(axis)), placementUp(-angle, AxisByIndex(axis)) {}
