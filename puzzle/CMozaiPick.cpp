#include "puzzle/CMozai.h"

#include "math3d/Angles.h"
#include "math3d/Geometry.h"

#include <cmath>

namespace {

// Determinants this close to 0 mean a ray parallel to the triangle's plane.
constexpr double parallelEpsilon = 0.001;

// Unit outward normal from the face's current corners, as CCube::FaceNormal computes it.
Vector3D UnitNormal(const CubeFace& face) {
    Vector3D n = Cross(Vector3D(*face.corner[0], *face.corner[1]),
                       Vector3D(*face.corner[0], *face.corner[2]));
    n.Normalize();
    return n;
}

} // namespace

void CMozai::Drag(const Vertex3D& origin, const Vector3D& direction, const Vector3D& h,
                  const Vector3D& v) {
    if (shuffleRemaining > 0) {
        return;
    }
    if (activeTwist && activeTwist->kind != TwistKind::UserTwist) {
        return;
    }
    int axis = 0;
    int layer = 0;
    double angle = 0;
    if (!DecideTwist(origin, direction, h + v, axis, layer, angle)) {
        return;
    }
    TurnLayer(axis, layer, angle);
    // A drag never continues a twist of another kind, so what completes here is a user twist.
    const TwistResult r = SettleLayer(axis, layer);
    if (r == TwistResult::TwistDonePositive || r == TwistResult::TwistDoneNegative) {
        CompleteUserTwist(axis, layer, r == TwistResult::TwistDonePositive);
    }
}

bool CMozai::DecideTwist(const Vertex3D& origin, const Vector3D& direction, const Vector3D& d,
                         int& axis, int& layer, double& angle) {
    angle = d.Length();
    if (!(angle > 0)) { // also a drag vector that is not a number
        return false;
    }
    if (activeTwist) {
        axis = activeTwist->axis;
        layer = activeTwist->layer;
        const Vector3D n =
            activeTwist->face != nullptr ? UnitNormal(*activeTwist->face) : Vector3D();
        if (n.Length() == 0) {
            return false;
        }
        Vector3D t = Cross(n, d);
        t.Normalize();
        if (Dot(t, AxisByIndex(axis)) < 0) {
            angle = -angle;
        }
        activeTwist->positive = angle > 0;
        return true;
    }

    const FacePick pick = Pick(origin, direction);
    if (pick.cubieId == cubieCount || pick.faceIndex == CCube::faceCount) {
        return false;
    }
    CCube* cubie = FindCubie(pick.cubieId);
    Vertex3D cell;
    if (cubie == nullptr || !FindCell(pick.cubieId, cell)) {
        return false;
    }
    const Vector3D n = cubie->FaceNormal(pick.faceIndex);
    if (n.Length() == 0) {
        return false;
    }
    // A positive turn about n x d moves the grabbed face along d, so the sticker follows the
    // pointer; the world axis closest to it is turned, the later one on a tie.
    Vector3D t = Cross(n, d);
    t.Normalize();
    const double ax = std::abs(Dot(t, AxisX));
    const double ay = std::abs(Dot(t, AxisY));
    const double az = std::abs(Dot(t, AxisZ));
    double m = ax;
    if (ay > m) {
        m = ay;
    }
    if (az > m) {
        m = az;
    }
    Vector3D chosen;
    if (ax == m) {
        chosen = AxisX;
    }
    if (ay == m) {
        chosen = AxisY;
    }
    if (az == m) {
        chosen = AxisZ;
    }
    if (Dot(t, chosen) < 0) {
        angle = -angle;
    }
    axis = AxisIndex(chosen);
    if (axis >= axisCount) {
        return false;
    }
    const double along[axisCount] = {cell.x, cell.y, cell.z};
    layer = static_cast<int>(along[axis]);
    BeginTwist(cubie, cubie->Face(pick.faceIndex), axis, layer, angle > 0, TwistKind::UserTwist);
    return true;
}

FacePick CMozai::Pick(const Vertex3D& origin, const Vector3D& direction) const {
    for (auto it = faceList.rbegin(); it != faceList.rend(); ++it) {
        const CubeFace* face = *it;
        if (face == nullptr) {
            continue;
        }
        const Vertex3D& c0 = *face->corner[0];
        const Vertex3D& c1 = *face->corner[1];
        const Vertex3D& c2 = *face->corner[2];
        const Vertex3D& c3 = *face->corner[3];
        const Vector3D n = Cross(Vector3D(c0, c1), Vector3D(c0, c2));
        if (Dot(n, direction) > 0) {
            continue;
        }
        const bool first = IntersectRayTriangle(origin, direction, c0, c1, c2);
        const bool second = IntersectRayTriangle(origin, direction, c2, c3, c0);
        if (first || second) {
            return FacePick{face->cubieId, face->faceIndex};
        }
    }
    return FacePick{cubieCount, CCube::faceCount};
}

bool CMozai::StickerColourAt(const Vertex3D& origin, const Vector3D& direction,
                             COLORREF& colour) const {
    const FacePick pick = Pick(origin, direction);
    if (pick.cubieId == cubieCount) {
        return false;
    }
    CCube* cubie = FindCubie(pick.cubieId);
    const CubeFace* face = cubie != nullptr ? cubie->Face(pick.faceIndex) : nullptr;
    if (face == nullptr) {
        return false;
    }
    colour = face->colour;
    return true;
}

bool CMozai::IntersectRayTriangle(const Vertex3D& origin, const Vector3D& direction,
                                  const Vertex3D& p0, const Vertex3D& p1, const Vertex3D& p2,
                                  double* t, double* u, double* v) {
    const Vector3D e1(p0, p1);
    const Vector3D e2(p0, p2);
    const Vector3D p = Cross(direction, e2);
    const double det = Dot(e1, p);
    const Vector3D s(p0, origin);
    const double a = Dot(s, p);
    const Vector3D q = Cross(s, e1);
    const double b = Dot(direction, q);
    if (det > parallelEpsilon) {
        if (a < 0 || a > det || b < 0 || a + b > det) {
            return false;
        }
    } else if (det < -parallelEpsilon) {
        if (a > 0 || a < det || b > 0 || a + b < det) {
            return false;
        }
    } else {
        return false;
    }
    const double k = 1 / det;
    if (t != nullptr) {
        *t = Dot(e2, q) * k;
    }
    if (u != nullptr) {
        *u = a * k;
    }
    if (v != nullptr) {
        *v = b * k;
    }
    return true;
}
