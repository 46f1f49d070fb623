#pragma once

#include "math3d/Vector3D.h"
#include "math3d/Vertex3D.h"

// A rotation made of quarter turns about the world axes through the origin. Such a rotation only
// moves coordinates between axes and flips their signs, so it is exact in floating point, and
// applying several at once gives the bits that applying them one by one gives.
class QuarterTurns {
public:
    // No turn.
    QuarterTurns() = default;
    // A quarter turn about world axis 0, 1 or 2, right-handed when positive; another axis gives
    // no turn.
    static QuarterTurns About(int axis, bool positive);
    // This rotation followed by next.
    QuarterTurns Then(const QuarterTurns& next) const;

    void Apply(double& x, double& y, double& z) const;
    void Apply(Vertex3D& p) const { Apply(p.x, p.y, p.z); }
    void Apply(Vector3D& v) const { Apply(v.x, v.y, v.z); }

private:
    // Coordinate i of the result is coordinate from[i], negated when negate[i].
    int from[3] = {0, 1, 2};
    bool negate[3] = {false, false, false};
};
