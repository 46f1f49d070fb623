#include "math3d/Vertex3D.h"

#include <iostream>

Vertex3D& Vertex3D::Copy(const Vertex3D& other) {
    x = other.x;
    y = other.y;
    z = other.z;
    return *this;
}

void Vertex3D::Set(double nx, double ny, double nz) {
    x = nx;
    y = ny;
    z = nz;
}

Vertex3D& Vertex3D::operator=(const Vertex3D& other) {
    return Copy(other);
}

namespace {
bool WithinTolerance(double d) {
    return -Vertex3D::equalityTolerance < d && d < Vertex3D::equalityTolerance;
}
} // namespace

bool Vertex3D::operator==(const Vertex3D& other) const {
    return WithinTolerance(x - other.x) && WithinTolerance(y - other.y) &&
           WithinTolerance(z - other.z);
}

bool Vertex3D::operator!=(const Vertex3D& other) const {
    return !(*this == other);
}

void Vertex3D::Print() const {
    std::cout << "V3(" << x << ", " << y << ", " << z << ")" << std::endl;
}

Vertex3D Vertex3D::operator+(const Vertex3D& d) const {
    return Vertex3D(x + d.x, y + d.y, z + d.z);
}

Vertex3D& Vertex3D::operator+=(const Vertex3D& d) {
    x += d.x;
    y += d.y;
    z += d.z;
    return *this;
}

Vertex3D Vertex3D::operator*(double s) const {
    return Vertex3D(x * s, y * s, z * s);
}

Vertex3D Vertex3D::operator/(double s) const {
    if (s == 0) {
        return Vertex3D();
    }
    return Vertex3D(x / s, y / s, z / s);
}
