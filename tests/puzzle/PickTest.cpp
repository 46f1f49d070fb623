#include "PuzzleTestSupport.h"

#include "puzzle/ScreenMotion.h"

#include <algorithm>
#include <array>

namespace {

using StartUpView = WiredPuzzle;

// Every visible sticker of every size in views that show side faces head-on, at a slant and
// edge-on, dragged from its centre along the screen's axes (and diagonals on faces within 15
// degrees of edge-on), then let go. As a person sees it: the first move slides the sticker across
// its face along the pointer, the closest of the four ways its two layers could, on its layer;
// every move the same; in the first view, the same path in other steps records the same moves.
TEST_F(StartUpView, EveryDragSlidesTheGrabbedStickerAlongThePointerOnItsLayerOneWay) {
    // The moves (20 axis + 2 layer + positive) of a drag in `step` px movements; undone.
    auto movesOf = [&](ScreenPoint from, ScreenPoint dir, int length, int step) {
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
    };
    const double views[][2] = {{0, 0}, {-1.2, 0.9}, {2.5, 0.3}}, sinEdgeOn = std::sin(Rad15);
    // Short drags and other steps in the start view only: the sweep is costly under sanitizers.
    for (const auto [length, viewCount, step, otherStep] :
         {std::array{300, 3, 25, 5}, {60, 1, 5, 15}}) {
        int drags = 0, along = 0, wrongWay = 0, notClosest = 0, mixed = 0, rateDiffers = 0,
            rateDiffersFacing = 0, slanted = 0, diagonals = 0;
        for (int n = 2, v = 0; n <= 10; v = (v + 1) % viewCount, n += v == 0) {
            camera = MakeStartUpCamera(n);
            camera->Rotate(views[v][0], views[v][1]);
            Restart(n);
            // Off solved, so that no drag's turns solve the cube and empty the history.
            QuarterTurn(*puzzle, 0, 0, true);
            QuarterTurn(*puzzle, 1, 0, true);
            puzzle->SortFaces(camera->GetPosition());
            const ScreenMotion screen(*camera);
            for (int sticker = 0; sticker < 6 * n * n * n; ++sticker) {
                CCube& cubie = *puzzle->FindCubie(sticker / 6);
                const int face = sticker % 6;
                const Vertex3D c = cubie.Face(face)->Centre();
                const auto [o, d] = RayAt(*camera, camera->Project(c));
                if (cubie.Face(face)->colour == NoSticker ||
                    !(puzzle->Pick(o, d) == FacePick{sticker / 6, face}))
                    continue;
                const Vector3D normal = cubie.FaceNormal(face);
                const Vector3D toEye(c, camera->GetPosition());
                const double facing = Dot(normal, toEye) / toEye.Length();
                slanted += facing > sinEdgeOn && facing < std::sin(DegToRad(40));
                std::vector<ScreenPoint> dirs = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
                if (facing < sinEdgeOn)
                    dirs.insert(dirs.end(), {{1, 1}, {-1, 1}, {1, -1}, {-1, -1}});
                for (const ScreenPoint dir : dirs) {
                    const std::vector<int> moves = movesOf(camera->Project(c), dir, length, step);
                    const bool same =
                        v > 0 || moves == movesOf(camera->Project(c), dir, length, otherStep);
                    rateDiffers += !same, rateDiffersFacing += !same && facing > sinEdgeOn;
                    ++drags, diagonals += dir.x != 0 && dir.y != 0;
                    for (const int m : moves)
                        mixed += m != moves[0];
                    const Vector3D pointer =
                        Vector3D(dir.x, dir.y, 0) * (1 / std::hypot(dir.x, dir.y));
                    double best = -1, chosen = -1;
                    for (int axis = 0; axis < 3; ++axis)
                        for (const bool positive : {true, false}) {
                            if (std::abs(Dot(AxisByIndex(axis), normal)) > 0.5)
                                continue;
                            Vertex3D p = c; // the sticker's first degree, the part in its face
                            RotatePoint(Quaternion(positive ? Rad1 : -Rad1, AxisByIndex(axis)), p);
                            Vector3D t(c, p);
                            t -= normal * Dot(t, normal);
                            Vector3D seen(screen.At(c),
                                          screen.At({c.x + t.x, c.y + t.y, c.z + t.z}));
                            const double slide = Dot(seen, pointer) / seen.Length();
                            best = std::max(best, slide);
                            const double at = Dot(ToVector(c), AxisByIndex(axis));
                            if (!moves.empty() &&
                                moves[0] ==
                                    20 * axis + positive + 2 * std::lround(at / 30 + (n - 1) / 2.0))
                                chosen = slide;
                        }
                    along += chosen > 0;
                    wrongWay += facing > sinEdgeOn && chosen <= 0 && best > 0;
                    notClosest += chosen < best - 0.01;
                }
            }
        }
        EXPECT_TRUE(drags > 3000 && along >= 0.995 * drags && wrongWay == 0 && notClosest == 0 &&
                    mixed == 0 && rateDiffers <= 0.01 * drags && rateDiffersFacing == 0 &&
                    slanted > 100 && diagonals > 100)
            << length << " px, " << drags << " drags: " << along << " along, " << wrongWay << "/"
            << notClosest << " wrong/not closest, " << mixed << " mixed, " << rateDiffers << "/"
            << rateDiffersFacing << " other in " << otherStep << " px steps/facing";
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

// One stroke turns one layer one way: back past its start, nothing turns the other way; on, it
// records each quarter past 88 degrees and turns on; back, only the quarter in progress un-turns.
// Let go, the ticks go on the way the pointer last went; a press while they run finishes it.
TEST_F(StartUpView, AStrokeTurnsOneLayerOneWayAndLetGoFinishesTheWayItLastWent) {
    const ScreenPoint from = FrontPixel(0, 2), middle = FrontPixel(1, 1);
    // The ray is the first movement's; later ones only move the pointer.
    auto stroke = [&](ScreenPoint at, std::vector<int> dxs, int dy = 0, bool letGo = true) {
        puzzle->SetHold(true);
        for (const int dx : dxs)
            Drag(at, dx, dy);
        puzzle->SetHold(!letGo);
    };
    stroke(from, {10, -10, -60, 30, 30, 30, 30, 30, 30}, 0, false);
    ASSERT_EQ(history.Count(), 1);
    EXPECT_TRUE(history.Newest()->axis == 1 && history.Newest()->layer == 2 &&
                history.Newest()->positive && puzzle->LayerAngle(1, 2) > Rad15);
    stroke(from, {-90});
    EXPECT_TRUE(puzzle->CurrentTwist() == nullptr && SitsAt(*puzzle, 2, 2, 2));
    puzzle->SortFaces(camera->GetPosition()); // picking anew walks the new frame
    stroke(middle, {52, -2});
    TickUntilIdle(*puzzle);
    EXPECT_TRUE(SitsAt(*puzzle, 1, 1, 2) && history.Count() == 1);
    stroke(middle, {52});
    puzzle->Tick();
    stroke(from, {0}, 10, false);
    ASSERT_EQ(history.Count(), 2);
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
    for (const double bad : {1e-7, HUGE_VAL, std::nan("")})
        puzzle->Drag(origin, direction, camera->GetRight() * bad, {}, *camera);
    EXPECT_TRUE(puzzle->CurrentTwist() == nullptr && history.Count() == 0);
    history.Append(0, 1, true);
    puzzle->StepBack();
    Drag(from, 30, 0);
    EXPECT_TRUE(puzzle->LayerAngle(0, 1) == -Rad10 && puzzle->LayerAngle(1, 1) == 0);
    Restart();
    puzzle->StartShuffle();
    Drag(from, 30, 0);
    EXPECT_EQ(puzzle->CurrentTwist(), nullptr);
    puzzle->Tick(), puzzle->Tick();
    puzzle->StepBack();
    EXPECT_EQ(puzzle->CurrentTwist()->kind, TwistKind::BackTwist);
    TickUntilIdle(*puzzle);
    puzzle->SetDemo(true);
    puzzle->Tick();
    Drag(from, 30, 0);
    EXPECT_EQ(puzzle->CurrentTwist()->kind, TwistKind::DemoTwist);
}

} // namespace
