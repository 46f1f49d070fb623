#include "math3d/Vector3D.h"

#include <cmath>

void Vector3D::Normalize() {
    const double l = std::sqrt(x * x + y * y + z * z);
    if (l < minimumLength) {
        return;
    }
    const double f = 1 / l;
    x *= f;
    y *= f;
    z *= f;
}

double Vector3D::Length() const {
    const double l = std::sqrt(x * x + y * y + z * z);
    return l < minimumLength ? 0 : l;
}

Vector3D Vector3D::operator+(const Vector3D& d) const {
    return Vector3D(x + d.x, y + d.y, z + d.z);
}

Vector3D& Vector3D::operator-=(const Vector3D& d) {
    x -= d.x;
    y -= d.y;
    z -= d.z;
    return *this;
}

Vector3D Vector3D::operator*(double s) const {
    return Vector3D(x * s, y * s, z * s);
}
