#pragma once

#include "math3d/Vector3D.h"

// A rotation quaternion, scalar part first.
class Quaternion {
public:
    double w;
    double x;
    double y;
    double z;

    // Vector part first, scalar part last.
    Quaternion(double x, double y, double z, double w);
    // The right-handed rotation by angle radians about axis, which the caller keeps unit length.
    Quaternion(double angle, const Vector3D& axis);

    // this = this * (w; x, y, z).
    void Multiply(double x, double y, double z, double w);
    void Multiply(const Quaternion& q);
    // A zero quaternion stays zero.
    void Normalize();
};
