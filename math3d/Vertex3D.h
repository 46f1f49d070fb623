#pragma once

// A point in world or view space.
class Vertex3D {
public:
    double x = 0;
    double y = 0;
    double z = 0;

    constexpr Vertex3D() = default;
    constexpr Vertex3D(double x, double y, double z) : x(x), y(y), z(z) {}
    constexpr Vertex3D(const Vertex3D& other) : x(other.x), y(other.y), z(other.z) {}

    // The virtual operations keep this order: the scene code relies on the same table layout.
    virtual ~Vertex3D() = default;
    virtual Vertex3D& Copy(const Vertex3D& other);
    virtual void Set(double x, double y, double z);
    virtual Vertex3D& operator=(const Vertex3D& other);
    // Equal when every coordinate differs by less than equalityTolerance; NaN is never equal.
    virtual bool operator==(const Vertex3D& other) const;
    virtual bool operator!=(const Vertex3D& other) const;
    // Writes "V3(x, y, z)" and a newline to standard output and flushes.
    virtual void Print() const;

    // Offsets the point by a displacement given as a point.
    Vertex3D operator+(const Vertex3D& d) const;
    Vertex3D& operator+=(const Vertex3D& d);
    Vertex3D operator*(double s) const;
    // Division by exactly 0 gives the origin.
    Vertex3D operator/(double s) const;

    static constexpr double equalityTolerance = 0.000001;
};
