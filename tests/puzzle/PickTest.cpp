#include "PuzzleTestSupport.h"

#include <array>
#include <cstdio>

namespace {

using StartUpView = WiredPuzzle;

bool Same(const MoveRecord& a, const MoveRecord& b) {
    return a.axis == b.axis && a.layer == b.layer && a.positive == b.positive;
}

// The window pixel of p, unrounded.
std::pair<double, double> ExactPixel(const Camera& camera, const Vertex3D& p) {
    const Matrix4D m = camera.GetScreen() * camera.GetProjection() * camera.GetView();
    auto row = [&](int r) {
        return Dot({m.m[r][0], m.m[r][1], m.m[r][2]}, ToVector(p)) + m.m[r][3];
    };
    return {row(0) / row(3), row(1) / row(3)};
}

// Every visible sticker of every size in several views (side faces seen head-on, at a slant and
// edge-on) is dragged from its centre along the screen's axes and, on faces seen within 15 degrees
// of edge-on, along the diagonals too; then let go. Judged as a person sees the cube: the turn
// first recorded slides the grabbed sticker across its own face (the part of its first degree
// that lies in the face, as drawn) along the pointer, on the sticker's layer, and of the four
// ways the two layers through it could slide it, along the one drawn closest to the pointer.
// A drag records one layer one way, and the same path in other steps records the same moves.
class DragSweep : public WiredPuzzle {
protected:
    struct {
        int drags, along, wrongWay, notClosest, mixed, short300, rateDiffers, rateDiffersFacing,
            slanted, edgeOnDiagonal;
    } s{};
    double sinEdgeOn = std::sin(Rad15);

    void Sweep(int length, int viewCount, int step, int otherStep) {
        const double views[][2] = {{0, 0}, {-1.2, 0.9}, {0.9, -0.5}, {2.5, 0.3}, {-0.45, -0.25}};
        s = {};
        for (int n = 2; n <= 10; ++n) {
            for (int v = 0; v < viewCount; ++v) {
                camera = MakeStartUpCamera(n);
                camera->Rotate(views[v][0], views[v][1]);
                Restart(n);
                // Off solved, so that no drag's turns solve the cube and empty the history.
                QuarterTurn(*puzzle, 0, 0, true);
                QuarterTurn(*puzzle, 1, 0, true);
                puzzle->SortFaces(camera->GetPosition());
                for (int sticker = 0; sticker < n * n * n * 6; ++sticker) {
                    const int id = sticker / 6, face = sticker % 6;
                    CCube& cubie = *puzzle->FindCubie(id);
                    const auto [o, d] = RayAt(*camera, camera->Project(cubie.Face(face)->Centre()));
                    if (cubie.Face(face)->colour != NoSticker &&
                        puzzle->Pick(o, d) == FacePick{id, face})
                        DragEachWay(length, step, otherStep, cubie, face);
                }
            }
        }
    }

    // The moves recorded by a drag of `length` px along dir made of `step` px movements; undone.
    std::vector<MoveRecord> MovesOf(ScreenPoint from, ScreenPoint dir, int length, int step) {
        puzzle->SetHold(true);
        for (int done = 0; done < length; done += step)
            Drag({from.x + dir.x * done, from.y + dir.y * done}, dir.x * step, dir.y * step);
        puzzle->SetHold(false);
        TickUntilIdle(*puzzle);
        std::vector<MoveRecord> moves;
        history.BeginReplay();
        while (const MoveRecord* m = history.NextReplay())
            moves.push_back(*m);
        for (auto m = moves.rbegin(); m != moves.rend(); ++m)
            QuarterTurn(*puzzle, m->axis, m->layer, !m->positive);
        history.Clear();
        return moves;
    }

    void DragEachWay(int length, int step, int otherStep, CCube& cubie, int face) {
        const Vertex3D c = cubie.Face(face)->Centre();
        const Vector3D normal = cubie.FaceNormal(face);
        Vector3D toEye(c, camera->GetPosition());
        toEye.Normalize();
        const double facing = Dot(normal, toEye);
        Vertex3D cell;
        puzzle->FindCell(cubie.Id(), cell);
        const double cellAlong[3] = {cell.x, cell.y, cell.z};
        // How the sticker starts to slide across its face on the screen when its layer about
        // axis turns one way.
        const auto p0 = ExactPixel(*camera, c);
        auto slide = [&](int axis, bool positive) {
            Vertex3D p = c;
            RotatePoint(Quaternion(positive ? Rad1 : -Rad1, AxisByIndex(axis)), p);
            Vector3D t(c, p);
            t -= normal * Dot(t, normal);
            const auto p1 = ExactPixel(*camera, {c.x + t.x, c.y + t.y, c.z + t.z});
            Vector3D onScreen(p1.first - p0.first, p1.second - p0.second, 0);
            onScreen.Normalize();
            return onScreen;
        };
        std::vector<ScreenPoint> dirs = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        if (facing < sinEdgeOn)
            dirs.insert(dirs.end(), {{1, 1}, {-1, 1}, {1, -1}, {-1, -1}});
        s.slanted += facing > sinEdgeOn && facing < std::sin(DegToRad(40));
        const ScreenPoint from = camera->Project(c);
        for (const ScreenPoint dir : dirs) {
            const std::vector<MoveRecord> moves = MovesOf(from, dir, length, step);
            const std::vector<MoveRecord> other = MovesOf(from, dir, length, otherStep);
            const bool sameMoves =
                std::equal(moves.begin(), moves.end(), other.begin(), other.end(), Same);
            s.rateDiffers += !sameMoves;
            s.rateDiffersFacing += !sameMoves && facing > sinEdgeOn;
            ++s.drags;
            s.edgeOnDiagonal += dir.x != 0 && dir.y != 0;
            s.short300 += length == 300 && facing > sinEdgeOn && moves.size() < 2;
            Vector3D pointer(dir.x, dir.y, 0);
            pointer.Normalize();
            double best = -1;
            for (int axis = 0; axis < 3; ++axis)
                for (const bool positive : {true, false})
                    if (std::abs(Dot(AxisByIndex(axis), normal)) < 0.5)
                        best = std::max(best, Dot(slide(axis, positive), pointer));
            if (moves.empty()) {
                s.wrongWay += facing > sinEdgeOn && best > 0;
                continue;
            }
            const MoveRecord& first = moves[0];
            s.mixed += std::any_of(moves.begin(), moves.end(),
                                   [&](const MoveRecord& m) { return !Same(m, first); });
            const bool layer = std::abs(Dot(AxisByIndex(first.axis), normal)) < 0.5 &&
                               first.layer == static_cast<int>(cellAlong[first.axis]);
            const double chosen = layer ? Dot(slide(first.axis, first.positive), pointer) : -1;
            s.along += chosen > 0;
            s.wrongWay += facing > sinEdgeOn && chosen <= 0 && best > 0;
            s.notClosest += chosen < best - 0.01;
        }
    }
};

// Long drags turn on by quarters, short ones are finished after release; either way the
// grabbed sticker goes the pointer's way on its face wherever the user grabs it.
TEST_F(DragSweep, EveryDragSlidesTheGrabbedStickerAlongThePointerOnItsLayerOneWay) {
    for (const auto [length, views, step, otherStep] : {std::array{300, 5, 5, 25}, {60, 1, 5, 1}}) {
        // Short drags in the start view only: the sweep is costly under the sanitizers.
        Sweep(length, views, step, otherStep);
        std::printf("%d px: %d drags, %d along the pointer, %d the wrong way, %d not along the "
                    "closest grid line, %d mixed layers or ways, %d of fewer than 2 quarters, %d "
                    "other moves in %d px steps (%d seen over 15 degrees from edge-on)\n",
                    length, s.drags, s.along, s.wrongWay, s.notClosest, s.mixed, s.short300,
                    s.rateDiffers, otherStep, s.rateDiffersFacing);
        EXPECT_TRUE(s.drags > 3000 && s.along >= 0.995 * s.drags && s.wrongWay == 0 &&
                    s.notClosest == 0 && s.mixed == 0 && s.short300 == 0 &&
                    s.rateDiffers <= 0.01 * s.drags && s.rateDiffersFacing == 0)
            << length << " px";
        EXPECT_TRUE(s.slanted > 100 && s.edgeOnDiagonal > 100)
            << s.slanted << " stickers at a "
            << "slant, " << s.edgeOnDiagonal << " diagonal drags edge-on";
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

// One stroke turns one layer one way. Right and back, the row snaps back to rest; on to the left
// nothing turns, neither the other way nor another layer; right again the same row turns,
// completing and recording a quarter past 88 degrees and turning on; back, only the quarter in
// progress un-turns. A quarter that solves the cube runs the solved check. Let go at about 50
// degrees, the ticks go on the way of the last movement along the row, but not while the button
// is held; a press while they run finishes that twist at once and picks anew.
TEST_F(StartUpView, AStrokeTurnsOneLayerOneWayAndLetGoFinishesTheWayItLastWent) {
    const ScreenPoint from = FrontPixel(0, 2);
    CCube* grabbed = puzzle->Cubie(0, 2, 2);
    puzzle->SetHold(true);
    Drag(from, 10, 0);
    Drag({from.x + 10, from.y}, -10, 0);
    EXPECT_TRUE(puzzle->CurrentTwist() == nullptr && SitsAt(*puzzle, 0, 2, 2, grabbed));
    Drag(from, -60, 0);
    EXPECT_EQ(puzzle->CurrentTwist(), nullptr);
    for (int x = from.x - 60; x < from.x + 120; x += 30)
        Drag({x, from.y}, 30, 0);
    const MoveRecord* done = history.Newest();
    ASSERT_EQ(history.Count(), 1);
    EXPECT_TRUE(done->axis == 1 && done->layer == 2 && done->positive);
    EXPECT_TRUE(puzzle->Cubie(2, 2, 2) == grabbed && puzzle->LayerAngle(1, 2) > Rad15);
    Drag({from.x + 120, from.y}, -90, 0);
    EXPECT_TRUE(puzzle->CurrentTwist() == nullptr && SitsAt(*puzzle, 2, 2, 2, grabbed));
    puzzle->SetHold(false);
    EXPECT_TRUE(history.Count() == 1 && solvedCalls == 0);
    puzzle->SortFaces(camera->GetPosition()); // picking anew walks the new frame
    puzzle->SetHold(true);
    Drag(from, -95, 0); // the row back: the check empties the history
    puzzle->SetHold(false);
    EXPECT_TRUE(solvedCalls == 1 && history.Count() == 0 && puzzle->CurrentTwist() == nullptr);
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
    puzzle->SetHold(true);
    Drag(middle, 52, 0);
    puzzle->SetHold(false);
    puzzle->Tick();
    puzzle->SetHold(true);
    Drag(from, 0, 10);
    ASSERT_EQ(history.Count(), 1);
    EXPECT_TRUE(history.Newest()->axis == 1 && history.Newest()->layer == 1 &&
                history.Newest()->positive && puzzle->CurrentTwist()->axis == 0);
}

// Off the cube, of no length or not a number, or while a step back, shuffle or demo runs, a drag
// turns nothing; a step back is still taken between two shuffle twists.
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
    for (const double length : {1e-7, HUGE_VAL, std::nan("")}) {
        puzzle->Drag(origin, direction, camera->GetRight() * length, {}, *camera);
        EXPECT_EQ(puzzle->CurrentTwist(), nullptr) << length;
    }
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
