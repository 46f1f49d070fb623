#pragma once

// A direction, as opposed to a point.
class Vector {
public:
    virtual ~Vector() = default;
    virtual void Normalize() = 0;
    virtual double Length() const = 0;

protected:
    constexpr Vector() = default;
    constexpr Vector(const Vector&) = default;
    Vector& operator=(const Vector&) = default;
};
