#pragma once

#include "math3d/Matrix4D.h"
#include "math3d/Vector3D.h"
#include "math3d/Vertex3D.h"

class RenderObject;

// How motion in the world shows on the screen of a view. Screen vectors are in window pixels,
// x to the right and y downwards, held as Vector3D with z = 0.
class ScreenMotion {
public:
    // Reads the view's matrices and axes once; the view is not kept.
    explicit ScreenMotion(const RenderObject& view);

    // The window point of p, unrounded, in the plane z = 0; the origin for a point on the eye's
    // plane.
    Vertex3D At(const Vertex3D& p) const;
    // The screen velocity of point p moving with world velocity v; zero for a point on the eye's
    // plane.
    Vector3D Velocity(const Vertex3D& p, const Vector3D& v) const;
    // The pointer motion a drag vector along the view's right and up axes stands for, in the
    // drag vector's units.
    Vector3D Pointer(const Vector3D& d) const;
    // The screen direction of world direction v at p: Velocity(p, v) as a unit vector, or zero
    // where v is seen end-on.
    Vector3D Direction(const Vertex3D& p, const Vector3D& v) const;

private:
    // Row r of the window matrix applied to p, before the division by w.
    double Row(int r, const Vertex3D& p) const;

    Matrix4D toScreen;
    Vector3D right;
    Vector3D up;
};
