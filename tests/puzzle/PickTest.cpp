#include "ViewTestSupport.h"

#include "persist/MoveHistory.h"

#include <gtest/gtest.h>

namespace {

// A side seen in the start-up view: the cubie face that carries its stickers and the axis along
// which its cells sit at index N - 1.
struct Side {
    int face;
    int axis;
};
constexpr Side front{4, 2};
constexpr Side visibleSides[] = {{1, 0}, {0, 1}, front};

TEST(IntersectRayTriangle, BothWindingsEdgesParallelAndBehind) {
    const Vertex3D a(0, 0, 0), b(1, 0, 0), c(0, 1, 0);
    const Vector3D down(0, 0, -1);
    double t = 42, u = 42, v = 42;
    ASSERT_TRUE(CMozai::IntersectRayTriangle({0.2, 0.3, 5}, down, a, b, c, &t, &u, &v));
    EXPECT_DOUBLE_EQ(t, 5);
    EXPECT_DOUBLE_EQ(u, 0.2);
    EXPECT_DOUBLE_EQ(v, 0.3);
    ASSERT_TRUE(CMozai::IntersectRayTriangle({0.2, 0.3, 5}, down, a, c, b, &t, &u, &v));
    EXPECT_DOUBLE_EQ(t, 5);
    EXPECT_DOUBLE_EQ(u, 0.3);
    EXPECT_DOUBLE_EQ(v, 0.2);
    // Behind the origin still counts.
    ASSERT_TRUE(CMozai::IntersectRayTriangle({0.2, 0.3, -5}, down, a, b, c, &t));
    EXPECT_DOUBLE_EQ(t, -5);
    EXPECT_TRUE(CMozai::IntersectRayTriangle({0.2, 0.3, 5}, down, a, b, c));
    // Edges belong to the triangle; a hair outside does not.
    for (const Vertex3D& p : {Vertex3D(0, 0.5, 1), Vertex3D(0.5, 0, 1), Vertex3D(0.5, 0.5, 1)}) {
        EXPECT_TRUE(CMozai::IntersectRayTriangle(p, down, a, b, c));
        EXPECT_TRUE(CMozai::IntersectRayTriangle(p, down, a, c, b));
    }
    t = 42;
    for (const Vertex3D& p : {Vertex3D(-1e-9, 0.5, 1), Vertex3D(0.5, 0.5 + 1e-9, 1),
                              Vertex3D(0.5, -1e-9, 1), Vertex3D(3, 3, 1)}) {
        EXPECT_FALSE(CMozai::IntersectRayTriangle(p, down, a, b, c, &t));
        EXPECT_FALSE(CMozai::IntersectRayTriangle(p, down, a, c, b, &t));
    }
    EXPECT_EQ(t, 42);
    EXPECT_FALSE(CMozai::IntersectRayTriangle({-1, 0.2, 0}, {1, 0, 0}, a, b, c));
    // A determinant within 0.001 of 0 counts as parallel, even when the ray meets the triangle.
    EXPECT_FALSE(
        CMozai::IntersectRayTriangle({0.001, 0.001, 1}, down, a, {0.01, 0, 0}, {0, 0.01, 0}));
    EXPECT_FALSE(CMozai::IntersectRayTriangle({0.2, 0.3, 5}, {0, 0, 0}, a, b, c));
}

class StartUpView : public testing::Test {
protected:
    std::unique_ptr<CMozai> puzzle = MakePuzzle(3);
    std::unique_ptr<Camera> camera = MakeStartUpCamera(3);
    MoveHistory history;
    int solvedCalls = 0;

    void SetUp() override {
        Redraw();
        puzzle->SetHistory(&history);
        puzzle->onSolved = [this] { ++solvedCalls; };
    }
    // Picking walks the order of the last frame.
    void Redraw() { puzzle->SortFaces(camera->GetPosition()); }
    CubeFace& StickerOf(const Side& side, int u, int v, int (&cell)[3]) {
        cell[side.axis] = 2;
        cell[(side.axis + 1) % 3] = u;
        cell[(side.axis + 2) % 3] = v;
        return *puzzle->Cubie(cell[0], cell[1], cell[2])->Face(side.face);
    }
    FacePick PickAt(ScreenPoint pt) const {
        const Vertex3D origin = camera->Unproject(pt);
        return puzzle->Pick(origin, Vector3D(camera->GetPosition(), origin));
    }
    bool AtRest() const {
        for (int axis = 0; axis < 3; ++axis) {
            for (int layer = 0; layer < 3; ++layer) {
                if (puzzle->LayerAngle(axis, layer) != 0) {
                    return false;
                }
            }
        }
        return true;
    }
};

TEST_F(StartUpView, EveryVisibleStickerIsPickedAndAMissIsNoFace) {
    for (const Side& side : visibleSides) {
        for (int u = 0; u < 3; ++u) {
            for (int v = 0; v < 3; ++v) {
                int cell[3];
                CubeFace& face = StickerOf(side, u, v, cell);
                const ScreenPoint pt = PixelOf(*camera, face);
                EXPECT_EQ(PickAt(pt), (FacePick{face.cubieId, side.face}));
                const Vertex3D origin = camera->Unproject(pt);
                COLORREF colour = 0;
                EXPECT_TRUE(puzzle->StickerColourAt(origin, Vector3D(camera->GetPosition(), origin),
                                                    colour));
                EXPECT_EQ(colour, face.colour);
            }
        }
    }
    for (ScreenPoint corner : {ScreenPoint{0, 0}, ScreenPoint{299, 299}, ScreenPoint{0, 150}}) {
        EXPECT_EQ(PickAt(corner), (FacePick{27, 6}));
        const Vertex3D origin = camera->Unproject(corner);
        COLORREF colour = 7;
        EXPECT_FALSE(
            puzzle->StickerColourAt(origin, Vector3D(camera->GetPosition(), origin), colour));
        EXPECT_EQ(colour, 7u);
        MouseDrag(*puzzle, *camera, corner, {corner.x + 30, corner.y});
        EXPECT_EQ(puzzle->CurrentTwist(), nullptr);
    }
}

TEST_F(StartUpView, AnInnerFaceBaredByATwistHasNoSticker) {
    puzzle->TurnLayer(1, 2, Rad45);
    puzzle->SortFaces({40, 200, 40});
    COLORREF colour = 0;
    ASSERT_TRUE(puzzle->StickerColourAt({40, 200, 40}, {0, -1, 0}, colour));
    EXPECT_EQ(colour, NoSticker);
    EXPECT_EQ(puzzle->Pick({40, 200, 40}, {0, -1, 0}), (FacePick{puzzle->Cubie(2, 1, 2)->Id(), 0}));
}

// Every sticker of the three visible sides, dragged a little in each of four directions: the
// grabbed cubie's layer turns about an axis across the face, and the sticker moves along the drag
// within its face. The far row of a side seen at a slant also tips towards the eye, so only on
// the front, seen most nearly head-on, does it follow the pointer on the screen too.
TEST_F(StartUpView, DragTurnsTheGrabbedLayerSoTheStickerFollows) {
    const int moves[4][2] = {{12, 0}, {-12, 0}, {0, 12}, {0, -12}};
    for (const Side& side : visibleSides) {
        for (int u = 0; u < 3; ++u) {
            for (int v = 0; v < 3; ++v) {
                for (const auto& move : moves) {
                    puzzle = MakePuzzle(3);
                    Redraw();
                    int cell[3];
                    CubeFace& face = StickerOf(side, u, v, cell);
                    const ScreenPoint from = PixelOf(*camera, face);
                    const Vertex3D before = face.Centre();
                    const Vector3D n = AxisByIndex(side.axis);
                    MouseDrag(*puzzle, *camera, from, {from.x + move[0], from.y + move[1]});
                    const ActiveTwist* twist = puzzle->CurrentTwist();
                    ASSERT_NE(twist, nullptr);
                    EXPECT_EQ(twist->face, &face);
                    EXPECT_EQ(twist->cubie, puzzle->Cubie(cell[0], cell[1], cell[2]));
                    EXPECT_EQ(twist->kind, TwistKind::UserTwist);
                    EXPECT_NE(twist->axis, side.axis);
                    EXPECT_EQ(twist->layer, cell[twist->axis]);
                    const double angle = puzzle->LayerAngle(twist->axis, twist->layer);
                    EXPECT_NEAR(std::abs(angle), 0.2, 1e-12);
                    EXPECT_EQ(twist->positive, angle > 0);

                    Vector3D moved(before, face.Centre());
                    moved -= n * Dot(moved, n);
                    const Vector3D drag = camera->GetRight() * move[0] + camera->GetUp() * -move[1];
                    EXPECT_GT(Dot(moved, drag), 0) << side.axis << " " << u << v;
                    if (&side == &visibleSides[2]) {
                        EXPECT_EQ(twist->axis, move[0] != 0 ? 1 : 0);
                        const ScreenPoint to = PixelOf(*camera, face);
                        EXPECT_GT((to.x - from.x) * move[0] + (to.y - from.y) * move[1], 0);
                    }
                }
            }
        }
    }
}

// On a tie between axes the later one turns: Y over X, Z over Y.
TEST_F(StartUpView, TiedAxesGoToTheLaterOne) {
    const Vertex3D eyeFront(0, 0, 200), eyeRight(200, 0, 0);
    puzzle->SortFaces(eyeFront);
    puzzle->Drag(eyeFront, {0, 0, -1}, {0.3, 0, 0}, {0, 0.3, 0});
    ASSERT_NE(puzzle->CurrentTwist(), nullptr);
    EXPECT_EQ(puzzle->CurrentTwist()->axis, 1);
    EXPECT_NEAR(puzzle->LayerAngle(1, 1), 0.3 * std::sqrt(2.0), 1e-12);
    puzzle->TurnLayer(1, 1, -puzzle->LayerAngle(1, 1));
    puzzle->SettleLayer(1, 1);
    puzzle->SortFaces(eyeRight);
    puzzle->Drag(eyeRight, {-1, 0, 0}, {0, 0.3, 0}, {0, 0, 0.3});
    ASSERT_NE(puzzle->CurrentTwist(), nullptr);
    EXPECT_EQ(puzzle->CurrentTwist()->axis, 2);
    EXPECT_GT(puzzle->LayerAngle(2, 1), 0);
}

TEST_F(StartUpView, DraggingBackIntoTheCancelWindowSnapsBackThenANewTwistStarts) {
    int cell[3];
    const ScreenPoint from = PixelOf(*camera, StickerOf(front, 1, 0, cell));
    MouseDrag(*puzzle, *camera, from, {from.x + 10, from.y});
    ASSERT_NE(puzzle->CurrentTwist(), nullptr);
    MouseDrag(*puzzle, *camera, {from.x + 10, from.y}, from);
    EXPECT_EQ(puzzle->CurrentTwist(), nullptr);
    EXPECT_TRUE(AtRest());
    EXPECT_TRUE(SitsAt(*puzzle->Cubie(1, 0, 2), *puzzle, 1, 0, 2));
    MouseDrag(*puzzle, *camera, from, {from.x, from.y - 10});
    ASSERT_NE(puzzle->CurrentTwist(), nullptr);
    EXPECT_EQ(puzzle->CurrentTwist()->axis, 0);
    EXPECT_EQ(history.Count(), 0);
}

TEST_F(StartUpView, ALongDragCompletesRecordsAndChecksThenPicksAnew) {
    int cell[3];
    CubeFace& grabbed = StickerOf(front, 0, 2, cell);
    CCube* moved = puzzle->Cubie(cell[0], cell[1], cell[2]);
    const ScreenPoint from = PixelOf(*camera, grabbed);
    const ScreenPoint to{from.x + 100, from.y};
    MouseDrag(*puzzle, *camera, from, to);
    EXPECT_EQ(puzzle->CurrentTwist(), nullptr);
    EXPECT_TRUE(AtRest());
    ASSERT_EQ(history.Count(), 1);
    EXPECT_EQ(history.Newest()->axis, 1);
    EXPECT_EQ(history.Newest()->layer, 2);
    EXPECT_TRUE(history.Newest()->positive);
    EXPECT_EQ(puzzle->Cubie(2, 2, 2), moved); // front-left went front-right
    EXPECT_EQ(solvedCalls, 0);

    // The button is still held: the next movement grabs whatever is under the pointer now.
    Redraw();
    const FacePick under = PickAt(to);
    MouseDrag(*puzzle, *camera, to, {to.x, to.y + 5});
    ASSERT_NE(puzzle->CurrentTwist(), nullptr);
    EXPECT_EQ(puzzle->CurrentTwist()->cubie->Id(), under.cubieId);
    MouseDrag(*puzzle, *camera, {to.x, to.y + 5}, to);
    ASSERT_EQ(puzzle->CurrentTwist(), nullptr);

    // Turning the row back solves the cube: the check runs and empties the history.
    Redraw();
    MouseDrag(*puzzle, *camera, from, {from.x - 100, from.y});
    EXPECT_EQ(solvedCalls, 1);
    EXPECT_EQ(history.Count(), 0);
}

TEST_F(StartUpView, AReleasedDragFinishesInTheDirectionOfItsLastMovement) {
    for (const bool backwards : {false, true}) {
        puzzle = MakePuzzle(3);
        Redraw();
        puzzle->SetHistory(&history);
        history.Clear();
        int cell[3];
        const ScreenPoint from = PixelOf(*camera, StickerOf(front, 1, 1, cell));
        puzzle->SetHold(true);
        MouseDrag(*puzzle, *camera, from, {from.x + 52, from.y}); // about 50 degrees
        if (backwards) {
            MouseDrag(*puzzle, *camera, {from.x + 52, from.y}, {from.x + 50, from.y});
        }
        const double held = puzzle->LayerAngle(1, 1);
        puzzle->Tick();
        EXPECT_EQ(puzzle->LayerAngle(1, 1), held);
        puzzle->SetHold(false);
        puzzle->Tick();
        EXPECT_NEAR(puzzle->LayerAngle(1, 1), held + (backwards ? -Rad10 : Rad10), 1e-12);
        for (int i = 0; i < 20 && puzzle->CurrentTwist() != nullptr; ++i) {
            puzzle->Tick();
        }
        EXPECT_EQ(puzzle->CurrentTwist(), nullptr);
        EXPECT_TRUE(AtRest());
        EXPECT_EQ(history.Count(), backwards ? 0 : 1);
    }
}

TEST_F(StartUpView, DragsWhileAnotherTwistRunsOrOfNoLengthDoNothing) {
    int cell[3];
    const ScreenPoint from = PixelOf(*camera, StickerOf(front, 1, 1, cell));
    MouseDrag(*puzzle, *camera, from, from);
    const Vertex3D origin = camera->Unproject(from);
    const Vector3D tiny = camera->GetRight() * 1e-7;
    puzzle->Drag(origin, Vector3D(camera->GetPosition(), origin), tiny, {0, 0, 0});
    EXPECT_EQ(puzzle->CurrentTwist(), nullptr);

    history.Append(0, 1, true);
    puzzle->StepBack();
    ASSERT_NE(puzzle->CurrentTwist(), nullptr);
    const double stepping = puzzle->LayerAngle(0, 1);
    MouseDrag(*puzzle, *camera, from, {from.x + 30, from.y});
    EXPECT_EQ(puzzle->CurrentTwist()->kind, TwistKind::BackTwist);
    EXPECT_EQ(puzzle->LayerAngle(0, 1), stepping);
    EXPECT_EQ(puzzle->LayerAngle(1, 1), 0);

    puzzle = MakePuzzle(3);
    Redraw();
    puzzle->StartShuffle();
    MouseDrag(*puzzle, *camera, from, {from.x + 30, from.y});
    EXPECT_EQ(puzzle->CurrentTwist(), nullptr);
    puzzle->SetDemo(true);
    puzzle->Tick();
    MouseDrag(*puzzle, *camera, from, {from.x + 30, from.y});
    EXPECT_EQ(puzzle->CurrentTwist()->kind, TwistKind::DemoTwist);
}

} // namespace
