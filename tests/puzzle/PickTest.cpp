#include "PuzzleTestSupport.h"

namespace {

using StartUpView = WiredPuzzle;

double TwistAngle(const CMozai& p) {
    const ActiveTwist* t = p.CurrentTwist();
    return t != nullptr ? p.LayerAngle(t->axis, t->layer) : 0;
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

// Every sticker of the three visible sides (+X, +Y, +Z), dragged 12 pixels (0.2 rad) each way:
// the picked cubie's layer turns about an axis across the face, and the sticker moves along the
// drag within its face; on the front, seen most nearly head-on, it follows the pointer on screen.
TEST_F(StartUpView, DragTurnsTheGrabbedLayerSoTheStickerFollows) {
    const int sideFace[3] = {1, 0, 4}, moves[4][2] = {{12, 0}, {-12, 0}, {0, 12}, {0, -12}};
    for (int c = 0; c < 3 * 9 * 4; ++c) {
        const int axis = c / 36, *move = moves[c % 4];
        int cell[3];
        cell[axis] = 2;
        cell[(axis + 1) % 3] = c / 12 % 3;
        cell[(axis + 2) % 3] = c / 4 % 3;
        Restart();
        CubeFace& face = *puzzle->Cubie(cell[0], cell[1], cell[2])->Face(sideFace[axis]);
        const Vertex3D before = face.Centre();
        const ScreenPoint from = camera->Project(before);
        Drag(from, move[0], move[1]);
        const ActiveTwist* twist = puzzle->CurrentTwist();
        ASSERT_NE(twist, nullptr);
        EXPECT_TRUE(twist->face == &face && twist->kind == TwistKind::UserTwist);
        EXPECT_TRUE(twist->axis != axis && twist->layer == cell[twist->axis]);
        EXPECT_NEAR(std::abs(TwistAngle(*puzzle)), 0.2, 1e-12);
        EXPECT_EQ(twist->positive, TwistAngle(*puzzle) > 0);
        Vector3D moved(before, face.Centre());
        moved -= AxisByIndex(axis) * Dot(moved, AxisByIndex(axis));
        EXPECT_GT(Dot(moved, camera->GetRight() * move[0] + camera->GetUp() * -move[1]), 0);
        const ScreenPoint to = camera->Project(face.Centre());
        const bool follows = (to.x - from.x) * move[0] + (to.y - from.y) * move[1] > 0;
        EXPECT_TRUE(axis != 2 || (follows && twist->axis == (move[0] != 0 ? 1 : 0)));
    }
}

// On a tie between axes the later one turns: Y over X, Z over Y.
TEST_F(StartUpView, TiedAxesGoToTheLaterOne) {
    const Vertex3D eyes[] = {{0, 0, 200}, {200, 0, 0}};
    const Vector3D drags[][2] = {{{0.3, 0, 0}, {0, 0.3, 0}}, {{0, 0.3, 0}, {0, 0, 0.3}}};
    for (int e = 0; e < 2; ++e) {
        Restart();
        puzzle->SortFaces(eyes[e]);
        puzzle->Drag(eyes[e], Vector3D(eyes[e], {0, 0, 0}), drags[e][0], drags[e][1]);
        ASSERT_NE(puzzle->CurrentTwist(), nullptr);
        EXPECT_EQ(puzzle->CurrentTwist()->axis, e + 1);
        EXPECT_NEAR(TwistAngle(*puzzle), 0.3 * std::sqrt(2.0), 1e-12);
    }
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
    puzzle->Drag(origin, direction, camera->GetRight() * 1e-7, {});
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
