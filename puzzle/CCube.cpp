#include "puzzle/CCube.h"

#include "math3d/Angles.h"
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

// A plain copy of the coordinates, which the compiler can inline (Vertex3D's own is virtual).
void CopyPoint(const Vertex3D& from, Vertex3D& to) {
    to.x = from.x;
    to.y = from.y;
    to.z = from.z;
}

// RotatePoint's arithmetic step for step (q p conj(q), in the same order, so the same bits),
// written here so that the compiler can inline it: a long replay turns millions of corners.
void TurnPoint(const Quaternion& q, Vertex3D& p) {
    const double w = q.w * 0 - q.x * p.x - q.y * p.y - q.z * p.z;
    const double x = q.w * p.x + q.x * 0 + q.y * p.z - q.z * p.y;
    const double y = q.w * p.y - q.x * p.z + q.y * 0 + q.z * p.x;
    const double z = q.w * p.z + q.x * p.y - q.y * p.x + q.z * 0;
    p.x = w * -q.x + x * q.w + y * -q.z - z * -q.y;
    p.y = w * -q.y - x * -q.z + y * q.w + z * -q.x;
    p.z = w * -q.z + x * -q.y - y * -q.x + z * q.w;
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

void CCube::TurnCorners(const CubieTurn& turn) {
    for (Vertex3D& c : corners) {
        TurnPoint(turn.corners, c);
    }
}

bool CCube::Discards(double angle) {
    // Written so that NaN, which no twist should produce, discards rather than corrupts.
    return !(angle <= -turnThreshold || angle >= turnThreshold);
}

void CCube::RestoreCorners() {
    for (int c = 0; c < cornerCount; ++c) {
        CopyPoint(restCorners[c], corners[c]);
    }
}

void CCube::CommitTurn(double angle, int axis) {
    if (Discards(angle)) {
        RestoreCorners();
        return;
    }
    CommitTurn(CubieTurn(angle, axis));
}

void CCube::CommitTurn(const CubieTurn& turn) {
    if (Discards(turn.angle)) {
        RestoreCorners();
        return;
    }
    // A quarter turn moves coordinates between axes; turned through the quaternion it would
    // leave rounding that grows with every move.
    if ((turn.angle == Rad90 || turn.angle == -Rad90) && turn.axis >= 0 && turn.axis < 3) {
        CommitTurns(QuarterTurns::About(turn.axis, turn.angle > 0));
        return;
    }
    for (int c = 0; c < cornerCount; ++c) {
        TurnPoint(turn.corners, restCorners[c]);
        CopyPoint(restCorners[c], corners[c]);
    }
    // Ls3dObject::Rotate(angle, axis) with its quaternions made once per layer, not per cubie.
    TurnPoint(turn.placement, position);
    TurnPoint(turn.placement, target);
    RotateVector(turn.placementUp, up);
    up.Normalize();
}

void CCube::CommitTurns(const QuarterTurns& turns) {
    for (int c = 0; c < cornerCount; ++c) {
        turns.Apply(restCorners[c]);
        CopyPoint(restCorners[c], corners[c]);
    }
    turns.Apply(position);
    turns.Apply(target);
    turns.Apply(up);
}
