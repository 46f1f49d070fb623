#include "math3d/Geometry.h"

#include "math3d/Angles.h"

#include <cmath>

double Dot(const Vector3D& a, const Vector3D& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vector3D Cross(const Vector3D& a, const Vector3D& b) {
    return Vector3D(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

Vertex3D ToVertex(const Vector3D& v) {
    return Vertex3D(v.x, v.y, v.z);
}

Vector3D ToVector(const Vertex3D& p) {
    return Vector3D(p.x, p.y, p.z);
}

double Distance(const Vertex3D& a, const Vertex3D& b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double dz = b.z - a.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

Vector3D AxisByIndex(int i) {
    switch (i) {
    case 0:
        return AxisX;
    case 1:
        return AxisY;
    case 2:
        return AxisZ;
    default:
        return Vector3D();
    }
}

int AxisIndex(const Vector3D& v) {
    const Vertex3D p = ToVertex(v);
    if (p == ToVertex(AxisX)) {
        return 0;
    }
    if (p == ToVertex(AxisY)) {
        return 1;
    }
    if (p == ToVertex(AxisZ)) {
        return 2;
    }
    return 3;
}

void RotatePoint(const Quaternion& q, Vertex3D& p) {
    Quaternion r = q;
    r.Multiply(p.x, p.y, p.z, 0);
    r.Multiply(-q.x, -q.y, -q.z, q.w);
    p.Set(r.x, r.y, r.z);
}

void RotateVector(const Quaternion& q, Vector3D& v) {
    Quaternion r(-q.x, -q.y, -q.z, q.w);
    r.Multiply(v.x, v.y, v.z, 0);
    r.Multiply(q);
    v.x = r.x;
    v.y = r.y;
    v.z = r.z;
}

void TransformPoint(const Matrix4D& m, Vertex3D& p) {
    const double x = m.m[0][0] * p.x + m.m[0][1] * p.y + m.m[0][2] * p.z + m.m[0][3];
    const double y = m.m[1][0] * p.x + m.m[1][1] * p.y + m.m[1][2] * p.z + m.m[1][3];
    const double z = m.m[2][0] * p.x + m.m[2][1] * p.y + m.m[2][2] * p.z + m.m[2][3];
    p.Set(x, y, z);
}
