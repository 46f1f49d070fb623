#include "math3d/Quaternion.h"

#include <cmath>

Quaternion::Quaternion(double qx, double qy, double qz, double qw) : w(qw), x(qx), y(qy), z(qz) {}

Quaternion::Quaternion(double angle, const Vector3D& axis) {
    const double h = angle * 0.5;
    const double s = std::sin(h);
    w = std::cos(h);
    x = s * axis.x;
    y = s * axis.y;
    z = s * axis.z;
}

void Quaternion::Multiply(double qx, double qy, double qz, double qw) {
    const double nw = w * qw - x * qx - y * qy - z * qz;
    const double nx = w * qx + x * qw + y * qz - z * qy;
    const double ny = w * qy - x * qz + y * qw + z * qx;
    const double nz = w * qz + x * qy - y * qx + z * qw;
    w = nw;
    x = nx;
    y = ny;
    z = nz;
}

void Quaternion::Multiply(const Quaternion& q) {
    Multiply(q.x, q.y, q.z, q.w);
}

void Quaternion::Normalize() {
    const double n = std::sqrt(w * w + x * x + y * y + z * z);
    const double f = n > 0 ? 1 / n : 0;
    w *= f;
    x *= f;
    y *= f;
    z *= f;
}
