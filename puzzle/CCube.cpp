#include "puzzle/CCube.h"

#include "math3d/Geometry.h"
#include "math3d/Quaternion.h"

namespace {

constexpr double h = CCube::edge / 2;

// Corner offsets from the cubie's centre.
constexpr double cornerOffset[CCube::cornerCount][3] = {
    {+h, +h, +h}, {+h, +h, -h}, {-h, +h, -h}, {-h, +h, +h},
    {+h, -h, +h}, {+h, -h, -h}, {-h, -h, -h}, {-h, -h, +h},
};

// Corners of each face, ordered so that (c1 - c0) x (c2 - c0) points out of the cubie.
// Faces 0..5 are the +Y, +X, -Z, -X, +Z and -Y sides of an unturned cubie.
constexpr int faceCorners[CCube::faceCount][CubeFace::cornerCount] = {
    {0, 1, 2, 3}, {0, 4, 5, 1}, {5, 6, 2, 1}, {6, 7, 3, 2}, {0, 3, 7, 4}, {7, 6, 5, 4},
};

Quaternion AxisTurn(double angle, int axis) {
    Quaternion q(angle, AxisByIndex(axis));
    q.Normalize();
    return q;
}

} // namespace

CCube::CCube(int cubieId, double x, double y, double z, double tx, double ty, double tz, double ux,
             double uy, double uz)
    : Ls3dObject(x, y, z, tx, ty, tz, ux, uy, uz), id(cubieId) {
    const Vertex3D p = GetPosition();
    for (int c = 0; c < cornerCount; ++c) {
        SetCorner(c, p.x + cornerOffset[c][0], p.y + cornerOffset[c][1], p.z + cornerOffset[c][2]);
    }
    for (int f = 0; f < faceCount; ++f) {
        for (int c = 0; c < CubeFace::cornerCount; ++c) {
            faces[f].corner[c] = &corners[faceCorners[f][c]];
        }
        faces[f].faceIndex = f;
        faces[f].cubieId = id;
    }
}

void CCube::SetCorner(int c, double x, double y, double z) {
    if (c < 0 || c >= cornerCount) {
        return;
    }
    corners[c].Set(x, y, z);
    restCorners[c].Set(x, y, z);
}

CubeFace* CCube::Face(int f) {
    if (f < 0 || f >= faceCount) {
        return nullptr;
    }
    return &faces[f];
}

Vector3D CCube::FaceNormal(int f) const {
    if (f < 0 || f >= faceCount) {
        return Vector3D();
    }
    const Vertex3D& c0 = corners[faceCorners[f][0]];
    const Vertex3D& c1 = corners[faceCorners[f][1]];
    const Vertex3D& c2 = corners[faceCorners[f][2]];
    Vector3D n = Cross(Vector3D(c0, c1), Vector3D(c0, c2));
    n.Normalize();
    return n;
}

void CCube::TurnCorners(double angle, int axis) {
    const Quaternion q = AxisTurn(angle, axis);
    for (Vertex3D& c : corners) {
        RotatePoint(q, c);
    }
}

void CCube::CommitTurn(double angle, int axis) {
    // Written so that NaN, which no twist should produce, discards rather than corrupts.
    if (!(angle <= -turnThreshold || angle >= turnThreshold)) {
        corners = restCorners;
        return;
    }
    const Quaternion q = AxisTurn(angle, axis);
    for (int c = 0; c < cornerCount; ++c) {
        RotatePoint(q, restCorners[c]);
        corners[c] = restCorners[c];
    }
    Rotate(angle, AxisByIndex(axis));
}
