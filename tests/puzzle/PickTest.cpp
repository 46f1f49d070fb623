#include "PuzzleTestSupport.h"

namespace {

using StartUpView = WiredPuzzle;

// The window pixel of p turned by angle about world axis 0, 1 or 2, unrounded.
std::pair<double, double> ExactPixel(const Camera& camera, Vertex3D p, int axis, double angle) {
    RotatePoint(Quaternion(angle, AxisByIndex(axis)), p);
    const Matrix4D m = camera.GetScreen() * camera.GetProjection() * camera.GetView();
    auto row = [&](int r) {
        return Dot({m.m[r][0], m.m[r][1], m.m[r][2]}, ToVector(p)) + m.m[r][3];
    };
    return {row(0) / row(3), row(1) / row(3)};
}

// Every visible sticker of every size in several views, dragged `length` px each way in 5 px
// movements, then let go; the first turns the grabbed layer 5/60 radian. The first twist recorded
// is judged by the sticker's first 5 degrees on screen: along the pointer, or the wrong way (the
// other way or another layer would have been along it) for faces within 15 degrees of edge-on.
class DragSweep : public WiredPuzzle {
protected:
    struct {
        int drags, along, wrongWay, doneHeld, firstOff;
    } s{};

    void Sweep(int length, int viewCount) {
        const double views[][2] = {{0, 0}, {-1.2, 0.9}, {0.9, -0.5}, {2.5, 0.3}, {-0.45, -0.25}};
        s = {};
        for (int n = 2; n <= 10; ++n) {
            for (int v = 0; v < viewCount; ++v) {
                camera = MakeStartUpCamera(n);
                camera->Rotate(views[v][0], views[v][1]);
                Restart(n);
                for (int sticker = 0; sticker < n * n * n * 6; ++sticker) {
                    const int id = sticker / 6, face = sticker % 6;
                    CubeFace* f = puzzle->FindCubie(id)->Face(face);
                    const auto [o, d] = RayAt(*camera, camera->Project(f->Centre()));
                    if (f->colour != NoSticker && puzzle->Pick(o, d) == FacePick{id, face})
                        for (const ScreenPoint dir : {ScreenPoint{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                            DragOne(length, *puzzle->FindCubie(id), face, dir);
                }
            }
        }
    }

    void DragOne(int length, CCube& cubie, int face, ScreenPoint dir) {
        const Vertex3D c = cubie.Face(face)->Centre();
        const Vector3D normal = cubie.FaceNormal(face);
        Vertex3D cell;
        puzzle->FindCell(cubie.Id(), cell);
        const ScreenPoint from = camera->Project(c);
        puzzle->SetHold(true);
        for (int step = 0; step < length && history.Count() == 0; step += 5) {
            Drag({from.x + dir.x * step, from.y + dir.y * step}, dir.x * 5, dir.y * 5);
            const ActiveTwist* t = puzzle->CurrentTwist();
            s.firstOff +=
                step == 0 &&
                (t == nullptr || t->face != cubie.Face(face) ||
                 std::abs(std::abs(puzzle->LayerAngle(t->axis, t->layer)) - 5 / 60.0) > 1e-12);
        }
        s.doneHeld += history.Count() > 0;
        puzzle->SetHold(false);
        TickUntilIdle(*puzzle);
        ++s.drags;
        history.BeginReplay();
        if (history.Count() == 0)
            return;
        const MoveRecord first = *history.NextReplay();
        const auto p0 = ExactPixel(*camera, c, 0, 0);
        auto along = [&](bool positive) {
            const auto p1 = ExactPixel(*camera, c, first.axis, positive ? Rad5 : -Rad5);
            return (p1.first - p0.first) * dir.x + (p1.second - p0.second) * dir.y;
        };
        const double cellAlong[3] = {cell.x, cell.y, cell.z};
        const bool layer = std::abs(Dot(AxisByIndex(first.axis), normal)) < 0.5 &&
                           first.layer == static_cast<int>(cellAlong[first.axis]);
        s.along += layer && along(first.positive) > 0;
        Vector3D toEye(c, camera->GetPosition());
        toEye.Normalize();
        s.wrongWay += Dot(normal, toEye) > std::sin(Rad15) &&
                      (!layer || (along(first.positive) <= 0 && along(!first.positive) > 0));
        while (const MoveRecord* m = history.StepBack())
            QuarterTurn(*puzzle, m->axis, m->layer, !m->positive);
        history.Clear();
    }
};

// Long drags complete while held and short ones after release, the sticker going the pointer's
// way on the screen wherever the user grabs it.
TEST_F(DragSweep, EveryDragTurnsTheGrabbedStickerThePointersWay) {
    for (const int length : {300, 60}) {
        // Short drags in the start view only: the sweep is costly under the sanitizers.
        Sweep(length, length == 300 ? 5 : 1);
        EXPECT_TRUE(s.drags > 3000 && s.along >= 0.995 * s.drags && s.wrongWay == 0 &&
                    s.firstOff == 0 && (length < 300 || s.doneHeld == s.drags))
            << length << " px: " << s.drags << " drags, " << s.along << " along the pointer, "
            << s.wrongWay << " the wrong way, " << s.doneHeld << " done while held, " << s.firstOff
            << " started off the grabbed face or step";
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
// twist, records it and runs the solved check; either way the next movement picks anew. Released
// at about 50 degrees, a drag goes on by 10 degree ticks the way of its last movement (here back
// towards the cancel window), but not while the button is held.
TEST_F(StartUpView, AStrokeSnapsBackCompletesOrFinishesTheWayOfItsLastMovement) {
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
    const ScreenPoint middle = FrontPixel(1, 1);
    puzzle->SetHold(true);
    Drag(middle, 52, 0);
    Drag({middle.x + 52, middle.y}, -2, 0);
    const double held = puzzle->LayerAngle(1, 1);
    puzzle->Tick();
    puzzle->SetHold(false);
    puzzle->Tick();
    EXPECT_NEAR(puzzle->LayerAngle(1, 1), held - Rad10, 1e-12);
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
