#include "puzzle/CMozai.h"

#include "math3d/Angles.h"
#include "math3d/Geometry.h"
#include "puzzle/ScreenMotion.h"

#include <algorithm>
#include <cmath>

namespace {

// Determinants this close to 0 mean a ray parallel to the triangle's plane.
constexpr double parallelEpsilon = 0.001;

// Movements longer than this many quarter turns go on turning with the next movement.
constexpr int maxQuartersPerMovement = 4;

// 0, 1 or 2 for the world axis nearest to unit vector n; 3 for the zero vector.
int NearestAxis(const Vector3D& n) {
    const double a[3] = {std::abs(n.x), std::abs(n.y), std::abs(n.z)};
    if (a[0] < 0.5 && a[1] < 0.5 && a[2] < 0.5) {
        return 3;
    }
    return a[0] >= a[1] && a[0] >= a[2] ? 0 : (a[1] >= a[2] ? 1 : 2);
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
    // Without the button held (a caller that never presses), a stroke lasts as long as its twist.
    if (!hold && !activeTwist) {
        stroke.reset();
    }
    double progress = 0;
    if (DecideTwist(origin, direction, h + v, ScreenMotion(view), progress)) {
        FollowStroke(progress);
    }
}

bool CMozai::DecideTwist(const Vertex3D& origin, const Vector3D& direction, const Vector3D& d,
                         const ScreenMotion& screen, double& progress) {
    const Vector3D pointer = screen.Pointer(d);
    const double length = pointer.Length();
    if (!(length > 0) || !std::isfinite(length)) {
        return false;
    }
    if (stroke) {
        progress = Dot(pointer, stroke->line);
        return true;
    }
    if (activeTwist) {
        FinishTwist();
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
    const Vector3D n = cubie->FaceNormal(pick.faceIndex);
    const int normalAxis = NearestAxis(n);
    if (normalAxis >= axisCount) {
        return false;
    }
    // A positive turn about axis a slides the sticker across its face along a x n (outer faces;
    // the distance of the face from the centre gives the sign). Of the two layers through the
    // sticker and their two ways, the one whose slide is drawn closest to the pointer's way wins.
    DragStroke chosen;
    double best = -2;
    for (const int a : {normalAxis == 0 ? 1 : 0, normalAxis == 2 ? 1 : 2}) {
        const Vector3D slide = Cross(AxisByIndex(a), n) * Dot(ToVector(c), n);
        const Vector3D seen = screen.Direction(c, slide);
        for (const double way : {1.0, -1.0}) {
            const double closeness = way * Dot(pointer, seen) / length;
            if (seen.Length() > 0 && closeness > best) {
                best = closeness;
                chosen.axis = a;
                chosen.way = way;
                chosen.line = seen * way;
            }
        }
    }
    if (best < -1) {
        return false;
    }
    const double cellAlong[axisCount] = {cell.x, cell.y, cell.z};
    chosen.layer = static_cast<int>(cellAlong[chosen.axis]);
    chosen.face = face;
    stroke = chosen;
    progress = Dot(pointer, chosen.line);
    return true;
}

void CMozai::FollowStroke(double progress) {
    stroke->progress += progress;
    if (progress != 0) {
        stroke->onward = progress > 0;
    }
    for (int q = 0; q < maxQuartersPerMovement; ++q) {
        const DragStroke& s = *stroke;
        const double target = std::max(0.0, s.progress - s.quarters * Rad90);
        if (!activeTwist) {
            if (target <= 0) {
                return;
            }
            BeginTwist(s.face, s.axis, s.layer, true, TwistKind::UserTwist);
        }
        TurnLayer(s.axis, s.layer, (target - LayerAngle(s.axis, s.layer) * s.way) * s.way);
        // Let go now, the ticks would finish the twist the way the pointer last went.
        activeTwist->positive = (s.way > 0) == s.onward;
        const int axis = s.axis;
        const int layer = s.layer;
        const TwistResult r = SettleLayer(axis, layer);
        if (r != TwistResult::TwistDonePositive && r != TwistResult::TwistDoneNegative) {
            return;
        }
        ++stroke->quarters;
        // Solving opens the congratulations, which take the hold and end the stroke.
        CompleteUserTwist(axis, layer, r == TwistResult::TwistDonePositive);
        if (!stroke) {
            return;
        }
    }
}

void CMozai::FinishTwist() {
    const int axis = activeTwist->axis;
    const int layer = activeTwist->layer;
    const double a = LayerAngle(axis, layer);
    const double end = activeTwist->positive == (a > 0) ? (a > 0 ? Rad90 : -Rad90) : 0;
    TurnLayer(axis, layer, end - a);
    const TwistResult r = SettleLayer(axis, layer);
    if (r == TwistResult::TwistDonePositive || r == TwistResult::TwistDoneNegative) {
        CompleteUserTwist(axis, layer, r == TwistResult::TwistDonePositive);
    }
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
