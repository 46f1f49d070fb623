#include "PuzzleTestSupport.h"

#include "puzzle/ScreenMotion.h"

#include <algorithm>
#include <array>

namespace {

using StartUpView = WiredPuzzle;

// Every visible sticker of every size in several views (side faces seen head-on, at a slant and
// edge-on) is dragged from its centre along the screen's axes and, on faces seen within 15 degrees
// of edge-on, along the diagonals too; then let go. Judged as a person sees the cube: the first
// move recorded turns the grabbed sticker's layer so that it slides across its own face (the
// part of its first degree that lies in the face, as drawn) along the pointer, of the four ways
// the two layers through it could slide it the one drawn closest to the pointer. A drag records
// one layer one way, and in the first view the same path in other steps records the same moves.
class DragSweep : public WiredPuzzle {
protected:
    struct {
        int drags, along, wrongWay, notClosest, mixed, few, rateDiffers, rateDiffersFacing, slanted,
            diagonals;
    } s{};

    void Sweep(int length, int viewCount, int step, int otherStep) {
        const double views[][2] = {{0, 0}, {-1.2, 0.9}, {2.5, 0.3}};
        s = {};
        for (int n = 2, v = 0; n <= 10; v = (v + 1) % viewCount, n += v == 0) {
            camera = MakeStartUpCamera(n);
            camera->Rotate(views[v][0], views[v][1]);
            Restart(n);
            // Off solved, so that no drag's turns solve the cube and empty the history.
            QuarterTurn(*puzzle, 0, 0, true);
            QuarterTurn(*puzzle, 1, 0, true);
            puzzle->SortFaces(camera->GetPosition());
            for (int id = 0; id < n * n * n; ++id)
                for (int f = 0; f < 6; ++f) {
                    CCube& cubie = *puzzle->FindCubie(id);
                    const auto [o, d] = RayAt(*camera, camera->Project(cubie.Face(f)->Centre()));
                    if (cubie.Face(f)->colour != NoSticker && puzzle->Pick(o, d) == FacePick{id, f})
                        DragEachWay(length, step, v == 0 ? otherStep : step, cubie, f);
                }
        }
    }

    // The moves, as 20 axis + 2 layer + positive, of a drag of `length` px along dir made of
    // `step` px movements; undone.
    std::vector<int> MovesOf(ScreenPoint from, ScreenPoint dir, int length, int step) {
        puzzle->SetHold(true);
        for (int done = 0; done < length; done += step)
            Drag({from.x + dir.x * done, from.y + dir.y * done}, dir.x * step, dir.y * step);
        puzzle->SetHold(false);
        TickUntilIdle(*puzzle);
        std::vector<int> moves;
        while (const MoveRecord* m = history.StepBack()) {
            QuarterTurn(*puzzle, m->axis, m->layer, !m->positive);
            moves.insert(moves.begin(), 20 * m->axis + 2 * m->layer + m->positive);
        }
        history.Clear();
        return moves;
    }

    void DragEachWay(int length, int step, int otherStep, CCube& cubie, int face) {
        const Vertex3D c = cubie.Face(face)->Centre();
        const Vector3D normal = cubie.FaceNormal(face);
        Vector3D toEye(c, camera->GetPosition());
        toEye.Normalize();
        const double facing = Dot(normal, toEye), sinEdgeOn = std::sin(Rad15);
        Vertex3D cell;
        puzzle->FindCell(cubie.Id(), cell);
        const int layers[3] = {int(cell.x), int(cell.y), int(cell.z)};
        // Where the sticker starts to slide across its face on the screen, one way about an axis.
        const ScreenMotion screen(*camera);
        auto slide = [&](int axis, bool positive) {
            Vertex3D p = c;
            RotatePoint(Quaternion(positive ? Rad1 : -Rad1, AxisByIndex(axis)), p);
            Vector3D t(c, p);
            t -= normal * Dot(t, normal);
            Vector3D seen(screen.At(c), screen.At({c.x + t.x, c.y + t.y, c.z + t.z}));
            seen.Normalize();
            return seen;
        };
        std::vector<ScreenPoint> dirs = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        if (facing < sinEdgeOn)
            dirs.insert(dirs.end(), {{1, 1}, {-1, 1}, {1, -1}, {-1, -1}});
        s.slanted += facing > sinEdgeOn && facing < std::sin(DegToRad(40));
        const ScreenPoint from = camera->Project(c);
        for (const ScreenPoint dir : dirs) {
            const std::vector<int> moves = MovesOf(from, dir, length, step);
            const bool same = step == otherStep || moves == MovesOf(from, dir, length, otherStep);
            s.rateDiffers += !same;
            s.rateDiffersFacing += !same && facing > sinEdgeOn;
            ++s.drags;
            s.diagonals += dir.x != 0 && dir.y != 0;
            s.few += length == 300 && facing > sinEdgeOn && moves.size() < 2;
            s.mixed += std::count(moves.begin(), moves.end(), moves.empty() ? 0 : moves[0]) !=
                       static_cast<long>(moves.size());
            Vector3D pointer(dir.x, dir.y, 0);
            pointer.Normalize();
            double best = -1, chosen = -1;
            for (int axis = 0; axis < 3; ++axis)
                for (const bool positive : {true, false})
                    if (std::abs(Dot(AxisByIndex(axis), normal)) < 0.5) {
                        const double along = Dot(slide(axis, positive), pointer);
                        best = std::max(best, along);
                        if (!moves.empty() && moves[0] == 20 * axis + 2 * layers[axis] + positive)
                            chosen = along;
                    }
            s.along += chosen > 0;
            s.wrongWay += facing > sinEdgeOn && chosen <= 0 && best > 0;
            s.notClosest += chosen < best - 0.01;
        }
    }
};

// Long drags turn on by quarters, short ones are finished after release; either way the
// grabbed sticker goes the pointer's way on its face wherever the user grabs it.
TEST_F(DragSweep, EveryDragSlidesTheGrabbedStickerAlongThePointerOnItsLayerOneWay) {
    // Short drags and other steps in the start view only: the sweep is costly under the
    // sanitizers.
    for (const auto [length, views, step, otherStep] :
         {std::array{300, 3, 25, 5}, {60, 1, 5, 15}}) {
        Sweep(length, views, step, otherStep);
        EXPECT_TRUE(s.drags > 3000 && s.along >= 0.995 * s.drags && s.wrongWay == 0 &&
                    s.notClosest == 0 && s.mixed == 0 && s.few == 0 &&
                    s.rateDiffers <= 0.01 * s.drags && s.rateDiffersFacing == 0 &&
                    s.slanted > 100 && s.diagonals > 100)
            << length << " px: " << s.drags << " drags, " << s.along << " along, " << s.wrongWay
            << " the wrong way, " << s.notClosest << " not the closest, " << s.mixed << " mixed, "
            << s.few << " under 2 quarters, " << s.rateDiffers << " (" << s.rateDiffersFacing
            << " seen at over 15 degrees) other in " << otherStep << " px steps; " << s.slanted
            << " faces at a slant, " << s.diagonals << " diagonals";
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
// progress un-turns. A quarter that solves the cube runs the solved check. Let go, the ticks go
// on the way of the last movement along the row; a press while they run finishes that twist.
TEST_F(StartUpView, AStrokeTurnsOneLayerOneWayAndLetGoFinishesTheWayItLastWent) {
    const ScreenPoint from = FrontPixel(0, 2), middle = FrontPixel(1, 1);
    CCube* grabbed = puzzle->Cubie(0, 2, 2);
    puzzle->SetHold(true);
    for (const int dx : {10, -10, -60, 30, 30, 30, 30, 30, 30})
        Drag(from, dx, 0); // the ray is the first movement's; later ones only move the pointer
    ASSERT_EQ(history.Count(), 1);
    EXPECT_TRUE(history.Newest()->axis == 1 && history.Newest()->layer == 2 &&
                history.Newest()->positive && puzzle->LayerAngle(1, 2) > Rad15);
    Drag(from, -90, 0);
    EXPECT_TRUE(puzzle->CurrentTwist() == nullptr && SitsAt(*puzzle, 2, 2, 2, grabbed));
    puzzle->SetHold(false);
    puzzle->SortFaces(camera->GetPosition()); // picking anew walks the new frame
    puzzle->SetHold(true);
    Drag(from, -95, 0); // the row back solves the cube: the check empties the history
    puzzle->SetHold(false);
    EXPECT_TRUE(solvedCalls == 1 && history.Count() == 0 && puzzle->CurrentTwist() == nullptr);
    puzzle->SetHold(true);
    Drag(middle, 52, 0);
    Drag(middle, -2, 0);
    puzzle->SetHold(false);
    TickUntilIdle(*puzzle);
    EXPECT_TRUE(SitsAt(*puzzle, 1, 1, 2) && history.Count() == 0);
    puzzle->SetHold(true);
    Drag(middle, 52, 0);
    puzzle->SetHold(false);
    puzzle->Tick();
    puzzle->SetHold(true);
    Drag(from, 0, 10);
    ASSERT_EQ(history.Count(), 1);
    EXPECT_TRUE(history.Newest()->layer == 1 && puzzle->CurrentTwist()->axis == 0);
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
