#pragma once

#include "math3d/Quaternion.h"

// The rotations of one twist by angle radians about world axis 0, 1 or 2, worked out once and
// applied to every cubie of the turned layer. Any other axis gives rotations that change nothing.
struct CubieTurn {
    CubieTurn(double angle, int axis);

    double angle;
    int axis;
    // Normalised, for the corner points.
    Quaternion corners;
    // As Ls3dObject::Rotate builds them: for the placement's points, and of the negated angle
    // for its up direction.
    Quaternion placement;
    Quaternion placementUp;
};
