#include "puzzle/ScreenMotion.h"

#include "math3d/Geometry.h"
#include "scene/RenderObject.h"

ScreenMotion::ScreenMotion(const RenderObject& view)
    : toScreen(view.GetToScreen()), right(view.GetRight()), up(view.GetUp()),
      eye(view.GetPosition()) {}

Vertex3D ScreenMotion::At(const Vertex3D& p) const {
    const auto& m = toScreen.m;
    auto row = [&](int r) { return m[r][0] * p.x + m[r][1] * p.y + m[r][2] * p.z + m[r][3]; };
    const double w = row(3);
    return w == 0 ? Vertex3D() : Vertex3D(row(0) / w, row(1) / w, 0);
}

Vector3D ScreenMotion::Velocity(const Vertex3D& p, const Vector3D& v) const {
    const auto& m = toScreen.m;
    auto row = [&](int r) { return m[r][0] * p.x + m[r][1] * p.y + m[r][2] * p.z + m[r][3]; };
    auto rate = [&](int r) { return m[r][0] * v.x + m[r][1] * v.y + m[r][2] * v.z; };
    const double w = row(3);
    if (w == 0) {
        return Vector3D();
    }
    // The derivative of (x / w, y / w).
    const double dw = rate(3);
    return Vector3D((rate(0) * w - row(0) * dw) / (w * w), (rate(1) * w - row(1) * dw) / (w * w),
                    0);
}

Vector3D ScreenMotion::Pointer(const Vector3D& d) const {
    return Vector3D(Dot(d, right), -Dot(d, up), 0);
}

double ScreenMotion::Facing(const Vertex3D& p, const Vector3D& n) const {
    Vector3D toEye(p, eye);
    toEye.Normalize();
    return Dot(n, toEye);
}

Vector3D ScreenMotion::Direction(const Vertex3D& p, const Vector3D& v) const {
    Vector3D s = Velocity(p, v);
    s.Normalize();
    return s.Length() == 0 ? Vector3D() : s;
}
