#pragma once

#include "math3d/Vector.h"
#include "math3d/Vertex3D.h"

// A direction in three dimensions.
class Vector3D : public Vector {
public:
    double x = 0;
    double y = 0;
    double z = 0;

    constexpr Vector3D() = default;
    constexpr Vector3D(double x, double y, double z) : x(x), y(y), z(z) {}
    constexpr Vector3D(const Vector3D& other) = default;
    // The displacement to - from.
    constexpr Vector3D(const Vertex3D& from, const Vertex3D& to)
        : x(to.x - from.x), y(to.y - from.y), z(to.z - from.z) {}
    Vector3D& operator=(const Vector3D& other) = default;

    // Leaves a vector shorter than minimumLength unchanged.
    void Normalize() override;
    // 0 for a vector shorter than minimumLength.
    double Length() const override;

    Vector3D operator+(const Vector3D& d) const;
    Vector3D& operator-=(const Vector3D& d);
    Vector3D operator*(double s) const;

    static constexpr double minimumLength = 0.000001;
};
