#include "PuzzleTestSupport.h"

#include <array>
#include <cstdio>

namespace {

using StartUpView = WiredPuzzle;

double TwistAngle(const CMozai& p) {
    const ActiveTwist* t = p.CurrentTwist();
    return t != nullptr ? p.LayerAngle(t->axis, t->layer) : 0;
}

// p turned by angle about world axis 0, 1 or 2, and its window pixel unrounded.
Vertex3D Turned(const Vertex3D& p, int axis, double angle) {
    double r[3] = {p.x, p.y, p.z};
    const int u = (axis + 1) % 3, v = (axis + 2) % 3;
    const double ru = r[u], rv = r[v];
    r[u] = ru * std::cos(angle) - rv * std::sin(angle);
    r[v] = ru * std::sin(angle) + rv * std::cos(angle);
    return {r[0], r[1], r[2]};
}
std::pair<double, double> ExactPixel(const Camera& camera, const Vertex3D& p) {
    const Matrix4D m = camera.GetScreen() * camera.GetProjection() * camera.GetView();
    auto row = [&](int r) {
        return m.m[r][0] * p.x + m.m[r][1] * p.y + m.m[r][2] * p.z + m.m[r][3];
    };
    return {row(0) / row(3), row(1) / row(3)};
}

struct DragShares {
    int drags = 0, along = 0, wrongWay = 0, doneHeld = 0;
};

class DragSweep : public WiredPuzzle {
protected:
    // Every visible sticker of every size in several views, dragged `length` pixels each way in
    // 5-pixel movements as the mouse handler drags, then let go. The first twist recorded is
    // judged by the sticker's first 5 degrees on the screen: along the pointer, or the wrong way
    // (the other way would have been along it, or the layer is not the grabbed one's). Faces seen
    // within 15 degrees of edge-on may turn the wrong way.
    DragShares Sweep(int length) {
        const double views[][2] = {{0, 0}, {-1.2, 0.9}, {0.9, -0.5}, {2.5, 0.3}, {-0.45, -0.25}};
        const int directions[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        DragShares s;
        for (int n = 2; n <= 10; ++n) {
            for (const auto& view : views) {
                camera = MakeStartUpCamera(n);
                camera->Rotate(view[0], view[1]);
                Restart(n);
                for (int id = 0; id < n * n * n; ++id) {
                    Vertex3D cell;
                    puzzle->FindCell(id, cell);
                    for (int face = 0; face < 6; ++face)
                        if (Visible(id, face))
                            for (const auto& dir : directions)
                                SweepOne(s, length, id, face, {cell.x, cell.y, cell.z}, dir);
                }
            }
        }
        return s;
    }

    bool Visible(int id, int face) {
        CubeFace& f = *puzzle->FindCubie(id)->Face(face);
        const auto [o, d] = RayAt(*camera, camera->Project(f.Centre()));
        return f.colour != NoSticker && puzzle->Pick(o, d) == FacePick{id, face};
    }

    void SweepOne(DragShares& s, int length, int id, int face, std::array<double, 3> cell,
                  const int dir[2]) {
        const Vertex3D c = puzzle->FindCubie(id)->Face(face)->Centre();
        const Vector3D normal = puzzle->FindCubie(id)->FaceNormal(face);
        Vector3D toEye(c, camera->GetPosition());
        toEye.Normalize();
        const ScreenPoint from = camera->Project(c);
        ++s.drags;
        std::vector<MoveRecord> moves;
        auto note = [&] {
            if (history.Count() > static_cast<int>(moves.size()))
                moves.push_back(*history.Newest());
        };
        puzzle->SetHold(true);
        for (int step = 0; step < length && moves.empty(); step += 5) {
            Drag({from.x + dir[0] * step, from.y + dir[1] * step}, dir[0] * 5, dir[1] * 5);
            note();
        }
        s.doneHeld += !moves.empty();
        puzzle->SetHold(false);
        TickUntilIdle(*puzzle);
        note();
        if (moves.empty())
            return;
        const MoveRecord first = moves.front();
        const auto p0 = ExactPixel(*camera, c);
        auto along = [&](double angle) {
            const auto p1 = ExactPixel(*camera, Turned(c, first.axis, angle));
            return (p1.first - p0.first) * dir[0] + (p1.second - p0.second) * dir[1];
        };
        const bool layer = std::abs(Dot(AxisByIndex(first.axis), normal)) < 0.5 &&
                           first.layer == static_cast<int>(cell[first.axis]);
        const double turned = along(first.positive ? Rad5 : -Rad5);
        s.along += layer && turned > 0;
        s.wrongWay += Dot(normal, toEye) > std::sin(Rad15) &&
                      (!layer || (turned <= 0 && along(first.positive ? -Rad5 : Rad5) > 0));
        for (auto m = moves.rbegin(); m != moves.rend(); ++m)
            QuarterTurn(*puzzle, m->axis, m->layer, !m->positive);
        history.Clear();
    }
};

// Long drags complete while held and short ones after release, the sticker going the pointer's
// way on the screen wherever the user grabs it.
TEST_F(DragSweep, EveryDragTurnsTheGrabbedStickerThePointersWay) {
    for (const int length : {60, 300}) {
        const DragShares s = Sweep(length);
        std::printf("%d px: %d drags, %.2f %% along the pointer, %d the wrong way, %.2f %% done "
                    "while held\n",
                    length, s.drags, 100.0 * s.along / s.drags, s.wrongWay,
                    100.0 * s.doneHeld / s.drags);
        EXPECT_GT(s.drags, 18000);
        EXPECT_GE(s.along, 0.995 * s.drags) << length;
        EXPECT_EQ(s.wrongWay, 0) << length;
        EXPECT_TRUE(length < 300 || s.doneHeld == s.drags);
    }
}

// In the start view, each front sticker's first movement of 12 pixels turns its row about Y
// when horizontal and its column about X when vertical, by 0.2 radians, the sticker following.
TEST_F(StartUpView, AFirstMovementTurnsTheGrabbedRowOrColumnByItsLength) {
    const int moves[4][2] = {{12, 0}, {-12, 0}, {0, 12}, {0, -12}};
    for (int c = 0; c < 9 * 4; ++c) {
        const int i = c / 12, j = c / 4 % 3, *move = moves[c % 4];
        Restart();
        CubeFace& face = *puzzle->Cubie(i, j, 2)->Face(4);
        const ScreenPoint from = FrontPixel(i, j);
        Drag(from, move[0], move[1]);
        const ActiveTwist* twist = puzzle->CurrentTwist();
        ASSERT_NE(twist, nullptr);
        EXPECT_TRUE(twist->face == &face && twist->kind == TwistKind::UserTwist);
        EXPECT_TRUE(twist->axis == (move[0] != 0 ? 1 : 0) && twist->layer == (move[0] ? j : i));
        EXPECT_NEAR(std::abs(TwistAngle(*puzzle)), 0.2, 1e-12);
        EXPECT_EQ(twist->positive, TwistAngle(*puzzle) > 0);
        const ScreenPoint to = camera->Project(face.Centre());
        EXPECT_GT((to.x - from.x) * move[0] + (to.y - from.y) * move[1], 0) << c;
    }
}

// Both windings; edges belong to the triangle, a hair outside does not; hits behind count; a
// determinant within 0.001 of 0 is parallel, even when the ray meets the triangle.
TEST(IntersectRayTriangle, BothWindingsEdgesParallelAndBehind) {
    const Vertex3D a(0, 0, 0), b(1, 0, 0), c(0, 1, 0);
    double t = 42, u = 0, v = 0;
    EXPECT_TRUE(CMozai::IntersectRayTriangle({0.25, 0.5, -4}, {0, 0, -1}, a, c, b, &t, &u, &v) &&
                t == -4 && u == 0.5 && v == 0.25);
    for (const auto& [p1, p2] : {std::pair(b, c), std::pair(c, b)}) {
        for (const Vertex3D& on : {Vertex3D(0, 0.5, 1), Vertex3D(0.5, 0, 1), Vertex3D(0.5, 0.5, 1)})
            EXPECT_TRUE(CMozai::IntersectRayTriangle(on, {0, 0, -1}, a, p1, p2));
        for (const Vertex3D& off :
             {Vertex3D(-1e-9, 0.5, 1), Vertex3D(0.5, 0.5 + 1e-9, 1), Vertex3D(0.5, -1e-9, 1)})
            EXPECT_FALSE(CMozai::IntersectRayTriangle(off, {0, 0, -1}, a, p1, p2));
        EXPECT_FALSE(CMozai::IntersectRayTriangle({-1, 0.2, 0}, {1, 0, 0}, a, p1, p2));
    }
    EXPECT_FALSE(
        CMozai::IntersectRayTriangle({0.001, 0.001, 1}, {0, 0, -1}, a, {0.01, 0, 0}, {0, 0.01, 0}));
}

// Within one stroke: back into the cancel window snaps the layer back; far enough completes the
// twist, records it and runs the solved check; either way the next movement picks anew.
TEST_F(StartUpView, AStrokeSnapsBackOrCompletesAndThenPicksAnew) {
    const ScreenPoint from = FrontPixel(0, 2);
    CCube* grabbed = puzzle->Cubie(0, 2, 2);
    Drag(from, 10, 0);
    Drag({from.x + 10, from.y}, -10, 0);
    EXPECT_TRUE(puzzle->CurrentTwist() == nullptr && SitsAt(*puzzle, 0, 2, 2, grabbed));
    Drag(from, 100, 0);
    EXPECT_TRUE(puzzle->CurrentTwist() == nullptr && SitsAt(*puzzle, 2, 2, 2, grabbed));
    const MoveRecord* done = history.Newest();
    EXPECT_TRUE(history.Count() == 1 && done->axis == 1 && done->layer == 2 && done->positive);
    EXPECT_EQ(solvedCalls, 0);
    puzzle->SortFaces(camera->GetPosition()); // picking anew walks the new frame
    Drag(from, -100, 0); // turning the row back solves the cube: the check empties the history
    EXPECT_TRUE(solvedCalls == 1 && history.Count() == 0);
}

// A drag released at about 50 degrees goes on by 10 degree ticks in the direction of its last
// movement (here back towards the cancel window), but not while the button is held.
TEST_F(StartUpView, AReleasedDragFinishesInTheDirectionOfItsLastMovement) {
    const ScreenPoint from = FrontPixel(1, 1);
    puzzle->SetHold(true);
    Drag(from, 52, 0);
    Drag({from.x + 52, from.y}, -2, 0);
    const double held = TwistAngle(*puzzle);
    puzzle->Tick();
    puzzle->SetHold(false);
    puzzle->Tick();
    EXPECT_NEAR(TwistAngle(*puzzle), held - Rad10, 1e-12);
    TickUntilIdle(*puzzle);
    EXPECT_TRUE(SitsAt(*puzzle, 1, 1, 2) && history.Count() == 0);
}

// Off the cube, of no length, or while a step back, shuffle or demo runs, a drag turns nothing;
// a step back is still taken between two shuffle twists.
TEST_F(StartUpView, SomeDragsDoNothing) {
    for (ScreenPoint corner : {ScreenPoint{0, 0}, ScreenPoint{299, 299}, ScreenPoint{0, 150}}) {
        const auto [origin, direction] = RayAt(*camera, corner);
        COLORREF colour = 7;
        EXPECT_EQ(puzzle->Pick(origin, direction), (FacePick{27, 6}));
        EXPECT_FALSE(puzzle->StickerColourAt(origin, direction, colour));
        Drag(corner, 30, 0);
        EXPECT_EQ(puzzle->CurrentTwist(), nullptr);
    }
    const ScreenPoint from = FrontPixel(1, 1);
    const auto [origin, direction] = RayAt(*camera, from);
    puzzle->Drag(origin, direction, camera->GetRight() * 1e-7, {}, *camera);
    EXPECT_EQ(puzzle->CurrentTwist(), nullptr);
    history.Append(0, 1, true);
    puzzle->StepBack();
    Drag(from, 30, 0);
    EXPECT_TRUE(puzzle->LayerAngle(0, 1) == -Rad10 && puzzle->LayerAngle(1, 1) == 0);
    Restart();
    puzzle->StartShuffle();
    Drag(from, 30, 0);
    EXPECT_EQ(puzzle->CurrentTwist(), nullptr);
    puzzle->Tick();
    puzzle->Tick();
    puzzle->StepBack();
    EXPECT_EQ(puzzle->CurrentTwist()->kind, TwistKind::BackTwist);
    TickUntilIdle(*puzzle);
    puzzle->SetDemo(true);
    puzzle->Tick();
    Drag(from, 30, 0);
    EXPECT_EQ(puzzle->CurrentTwist()->kind, TwistKind::DemoTwist);
}

} // namespace
