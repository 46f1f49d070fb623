#include "scene/RenderObject.h"

#include "math3d/Geometry.h"

#include <cmath>

RenderObject::RenderObject(double px, double py, double pz, double tx, double ty, double tz,
                           double ux, double uy, double uz)
    : Ls3dObject(px, py, pz, tx, ty, tz, ux, uy, uz) {
    BuildView();
}

void RenderObject::SetPosition(const Vertex3D& p) {
    ObjectBase::SetPosition(p);
    BuildView();
}

void RenderObject::SetPosition(double x, double y, double z) {
    ObjectBase::SetPosition(x, y, z);
    BuildView();
}

void RenderObject::SetTarget(const Vertex3D& p) {
    ObjectBase::SetTarget(p);
    BuildView();
}

void RenderObject::SetTarget(double x, double y, double z) {
    ObjectBase::SetTarget(x, y, z);
    BuildView();
}

void RenderObject::SetUp(const Vector3D& v) {
    ObjectBase::SetUp(v);
    BuildView();
}

void RenderObject::SetUp(double x, double y, double z) {
    ObjectBase::SetUp(x, y, z);
    BuildView();
}

void RenderObject::SetViewport(double l, double t, double r, double b) {
    SetProjection(nearZ, farZ, fov, l, t, r, b);
}

void RenderObject::Rotate(double angle, const Vector3D& axis) {
    Ls3dObject::Rotate(angle, axis);
    BuildView();
}

Vector3D RenderObject::GetRight() const {
    Vector3D f(position, target);
    f.Normalize();
    Vector3D u = up;
    u.Normalize();
    Vector3D r = Cross(f, u);
    r.Normalize();
    return r;
}

const Matrix4D& RenderObject::GetToScreen() const {
    // The constructor has built the view, so the version is never 0 here.
    if (toScreenVersion != matrixVersion) {
        toScreen = screen * projection * view;
        toScreenVersion = matrixVersion;
    }
    return toScreen;
}

void RenderObject::BuildView() {
    ++matrixVersion;
    Vector3D f(position, target);
    f.Normalize();
    // The stored up is used as it is; rotations keep it perpendicular to the line of sight.
    Vector3D u = up;
    u.Normalize();
    const Vector3D s = GetRight();
    const Vector3D p = ToVector(position);
    const Vector3D rows[3] = {s, u, f};
    for (int i = 0; i < 3; ++i) {
        view.m[i][0] = rows[i].x;
        view.m[i][1] = rows[i].y;
        view.m[i][2] = rows[i].z;
        view.m[i][3] = -Dot(rows[i], p);
    }
    view.m[3][0] = 0;
    view.m[3][1] = 0;
    view.m[3][2] = 0;
    view.m[3][3] = 1;
}

void RenderObject::SetProjection(double n, double f, double halfFov, double l, double t, double r,
                                 double b) {
    nearZ = n;
    farZ = f;
    fov = halfFov;
    left = l;
    top = t;
    right = r;
    bottom = b;
    aspect = (bottom - top) / (right - left);
    BuildPerspective();
    BuildScreen();
}

void RenderObject::BuildPerspective() {
    ++matrixVersion;
    const double ct = std::cos(fov) / std::sin(fov);
    const double q = farZ / (farZ - nearZ);
    for (auto& row : projection.m) {
        for (double& v : row) {
            v = 0;
        }
    }
    projection.m[0][0] = ct * aspect;
    projection.m[1][1] = ct;
    projection.m[2][2] = q;
    projection.m[2][3] = -q * nearZ;
    // Clip w is the view depth.
    projection.m[3][2] = 1;
}

void RenderObject::BuildScreen() {
    ++matrixVersion;
    const double q = farZ / (farZ - nearZ);
    const double halfWidth = (right - left) / 2;
    const double halfHeight = (bottom - top) / 2;
    screen.Identity();
    screen.m[0][0] = halfWidth;
    screen.m[0][3] = halfWidth;
    screen.m[1][1] = -halfHeight;
    screen.m[1][3] = halfHeight;
    screen.m[2][2] = q;
    screen.m[2][3] = -q * nearZ;
}
