#include "scene/Ls3dObject.h"

#include "math3d/Geometry.h"
#include "math3d/Quaternion.h"

Ls3dObject::Ls3dObject(double px, double py, double pz, double tx, double ty, double tz, double ux,
                       double uy, double uz)
    : ObjectBase(px, py, pz, tx, ty, tz, ux, uy, uz) {}

void Ls3dObject::Draw(RenderObject* /*renderer*/) {}

void Ls3dObject::Rotate(double angle, const Vector3D& axis) {
    const Quaternion q(angle, axis);
    RotatePoint(q, position);
    RotatePoint(q, target);
    // RotateVector turns by the inverse, so the negated angle turns up along with the points.
    const Quaternion q2(-angle, axis);
    RotateVector(q2, up);
    up.Normalize();
}
