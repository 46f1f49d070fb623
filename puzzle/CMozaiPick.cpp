#include "puzzle/CMozai.h"

#include "math3d/Angles.h"
#include "math3d/Geometry.h"
#include "puzzle/CubieTurn.h"
#include "puzzle/ScreenMotion.h"

#include <algorithm>
#include <cmath>

namespace {

// Determinants this close to 0 mean a ray parallel to the triangle's plane.
constexpr double parallelEpsilon = 0.001;

// A twist follows the sticker while this share of the pointer's motion goes its way.
constexpr double followShare = 0.3;
// A first movement far off the sticker's way speeds the following up to twice.
constexpr double minFollowShare = 0.5;
// Faces seen at less than this from edge-on choose the twist by the cube's axes on the screen.
constexpr double edgeOnAngle = Rad10;
// The start of a turn that decides a drag's twist: what its first few pixels show.
constexpr double firstTurn = Rad5;

// 0, 1 or 2 for the world axis nearest to unit vector n; 3 for the zero vector.
int NearestAxis(const Vector3D& n) {
    const double a[3] = {std::abs(n.x), std::abs(n.y), std::abs(n.z)};
    if (a[0] < 0.5 && a[1] < 0.5 && a[2] < 0.5) {
        return 3;
    }
    return a[0] >= a[1] && a[0] >= a[2] ? 0 : (a[1] >= a[2] ? 1 : 2);
}

// The unit screen direction in which a positive turn about axis moves point p; zero where it
// moves along the line of sight.
Vector3D TwistDirection(const ScreenMotion& screen, const Vertex3D& p, int axis) {
    return screen.Direction(p, Cross(AxisByIndex(axis), ToVector(p)));
}

// How far p turned by angle about axis moves on the screen.
Vector3D TwistChord(const ScreenMotion& screen, const Vertex3D& p, int axis, double angle) {
    Vertex3D turned = p;
    RotatePoint(CubieTurn(angle, axis).corners, turned);
    return Vector3D(screen.At(p), screen.At(turned));
}

struct TwistChoice {
    int axis = CMozai::axisCount;
    double sign = 1;
};

// The twist a drag starts on the sticker centred at c of a face with unit normal n: none (axis
// 3) unless n lies along an axis.
TwistChoice ChooseTwist(const ScreenMotion& screen, const Vertex3D& c, const Vector3D& n,
                        const Vector3D& pointer) {
    const int normalAxis = NearestAxis(n);
    if (normalAxis >= CMozai::axisCount) {
        return {};
    }
    // The face's rows and columns as the user sees them: the pointer along one of the face's
    // axes on the screen turns the layer about the other, so the sticker goes along with it.
    // Seen almost edge-on, one of them is seen end-on and only the other one counts.
    const int tangent[2] = {normalAxis == 0 ? 1 : 0, normalAxis == 2 ? 1 : 2};
    Vector3D seen[2] = {screen.Velocity(c, AxisByIndex(tangent[0])),
                        screen.Velocity(c, AxisByIndex(tangent[1]))};
    const int better = seen[0].Length() > seen[1].Length() ? 0 : 1;
    seen[0].Normalize();
    seen[1].Normalize();
    const double along[2] = {std::abs(Dot(pointer, seen[0])), std::abs(Dot(pointer, seen[1]))};
    // Along the first axis turns about the second, the later axis on a tie.
    int axis = along[0] >= along[1] ? tangent[1] : tangent[0];
    if (screen.Facing(c, n) < std::sin(edgeOnAngle)) {
        const double a = along[better];
        axis = a * a * 2 > Dot(pointer, pointer) ? tangent[1 - better] : tangent[better];
    }
    // Each axis turns the way that moves the sticker farther along the pointer; an axis that
    // cannot move it the pointer's way at all gives way to one that can.
    double sign[CMozai::axisCount] = {};
    double best[CMozai::axisCount] = {};
    for (const int a : tangent) {
        const double forth = Dot(pointer, TwistChord(screen, c, a, firstTurn));
        const double back = Dot(pointer, TwistChord(screen, c, a, -firstTurn));
        sign[a] = forth >= back ? 1 : -1;
        best[a] = std::max(forth, back);
    }
    const int other = axis == tangent[0] ? tangent[1] : tangent[0];
    if (best[axis] <= 0 && best[other] > 0) {
        axis = other;
    }
    return {axis, sign[axis]};
}

} // namespace

void CMozai::Drag(const Vertex3D& origin, const Vector3D& direction, const Vector3D& h,
                  const Vector3D& v, const RenderObject& view) {
    if (shuffleRemaining > 0) {
        return;
    }
    if (activeTwist && activeTwist->kind != TwistKind::UserTwist) {
        return;
    }
    int axis = 0;
    int layer = 0;
    double angle = 0;
    if (!DecideTwist(origin, direction, h + v, ScreenMotion(view), axis, layer, angle)) {
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
                         const ScreenMotion& screen, int& axis, int& layer, double& angle) {
    const Vector3D pointer = screen.Pointer(d);
    if (!(pointer.Length() > 0)) { // also a drag vector that is not a number
        return false;
    }
    if (activeTwist) {
        axis = activeTwist->axis;
        layer = activeTwist->layer;
        if (activeTwist->face == nullptr) {
            return false;
        }
        // The sticker follows the pointer while it can, at the pace the first movement set; where
        // it moves across or against the pointer on the screen (round the cube's outline), the
        // layer goes on by the pointer's progress the way the drag began.
        const ActiveTwist& t = *activeTwist;
        const double now =
            Dot(pointer, TwistDirection(screen, t.face->Centre(), axis)) * t.followGain;
        const double onward = Dot(pointer, t.onward);
        const bool follows = now * onward > 0 && std::abs(now) >= followShare * pointer.Length();
        angle = follows ? now : onward;
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
    CubeFace* face = cubie->Face(pick.faceIndex);
    const Vertex3D c = face->Centre();
    const TwistChoice choice = ChooseTwist(screen, c, cubie->FaceNormal(pick.faceIndex), pointer);
    if (choice.axis >= axisCount) {
        return false;
    }
    axis = choice.axis;
    // The first movement turns by its whole length; later ones follow the sticker at the pace
    // it set.
    angle = choice.sign * pointer.Length();
    const double cellAlong[axisCount] = {cell.x, cell.y, cell.z};
    layer = static_cast<int>(cellAlong[axis]);
    ActiveTwist& twist = BeginTwist(cubie, face, axis, layer, angle > 0, TwistKind::UserTwist);
    twist.onward = pointer * (1 / angle);
    const double share = std::abs(Dot(pointer, TwistDirection(screen, c, axis)));
    twist.followGain = 1 / std::max(share / pointer.Length(), minFollowShare);
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
