#include "puzzle/ScreenMotion.h"

#include "math3d/Geometry.h"
#include "scene/RenderObject.h"

ScreenMotion::ScreenMotion(const RenderObject& view)
    : toScreen(view.GetToScreen()), right(view.GetRight()), up(view.GetUp()) {}

double ScreenMotion::Row(int r, const Vertex3D& p) const {
    const auto& m = toScreen.m;
    return m[r][0] * p.x + m[r][1] * p.y + m[r][2] * p.z + m[r][3];
}

Vertex3D ScreenMotion::At(const Vertex3D& p) const {
    const double w = Row(3, p);
    return w == 0 ? Vertex3D() : Vertex3D(Row(0, p) / w, Row(1, p) / w, 0);
}

Vector3D ScreenMotion::Velocity(const Vertex3D& p, const Vector3D& v) const {
    const auto& m = toScreen.m;
    auto rate = [&](int r) { return m[r][0] * v.x + m[r][1] * v.y + m[r][2] * v.z; };
    const double w = Row(3, p);
    if (w == 0) {
        return Vector3D();
    }
    // The derivative of (x / w, y / w).
    const double dw = rate(3);
    return Vector3D((rate(0) * w - Row(0, p) * dw) / (w * w),
                    (rate(1) * w - Row(1, p) * dw) / (w * w), 0);
}

Vector3D ScreenMotion::Pointer(const Vector3D& d) const {
    return Vector3D(Dot(d, right), -Dot(d, up), 0);
}

Vector3D ScreenMotion::Direction(const Vertex3D& p, const Vector3D& v) const {
    Vector3D s = Velocity(p, v);
    s.Normalize();
    return s.Length() == 0 ? Vector3D() : s;
}
