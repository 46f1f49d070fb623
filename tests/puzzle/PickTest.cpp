#include "ViewTestSupport.h"

#include "persist/MoveHistory.h"

#include <gtest/gtest.h>

namespace {

TEST(IntersectRayTriangle, BothWindingsEdgesParallelAndBehind) {
    const Vertex3D a(0, 0, 0), b(1, 0, 0), c(0, 1, 0);
    const Vector3D down(0, 0, -1);
    auto hit = [&](const Vertex3D& from, bool reversed, const Vector3D& dir = {0, 0, -1}) {
        double tuv[3] = {42, 42, 42};
        const bool h = CMozai::IntersectRayTriangle(from, dir, a, reversed ? c : b,
                                                    reversed ? b : c, &tuv[0], &tuv[1], &tuv[2]);
        return h ? std::vector<double>(tuv, tuv + 3) : std::vector<double>{tuv[0]};
    };
    EXPECT_EQ(hit({0.25, 0.5, 4}, false), (std::vector<double>{4, 0.25, 0.5}));
    EXPECT_EQ(hit({0.25, 0.5, 4}, true), (std::vector<double>{4, 0.5, 0.25}));
    EXPECT_EQ(hit({0.25, 0.5, -4}, false), (std::vector<double>{-4, 0.25, 0.5})); // behind
    for (bool reversed : {false, true}) {
        // Edges belong to the triangle, a hair outside does not; misses write nothing.
        for (const Vertex3D& p :
             {Vertex3D(0, 0.5, 1), Vertex3D(0.5, 0, 1), Vertex3D(0.5, 0.5, 1)}) {
            EXPECT_EQ(hit(p, reversed).size(), 3u);
        }
        for (const Vertex3D& p :
             {Vertex3D(-1e-9, 0.5, 1), Vertex3D(0.5, 0.5 + 1e-9, 1), Vertex3D(0.5, -1e-9, 1)}) {
            EXPECT_EQ(hit(p, reversed), std::vector<double>{42});
        }
        EXPECT_EQ(hit({-1, 0.2, 0}, reversed, {1, 0, 0}).size(), 1u); // parallel
    }
    EXPECT_TRUE(CMozai::IntersectRayTriangle({0.2, 0.3, 5}, down, a, b, c));
    // A determinant within 0.001 of 0 counts as parallel, even when the ray meets the triangle.
    EXPECT_FALSE(
        CMozai::IntersectRayTriangle({0.001, 0.001, 1}, down, a, {0.01, 0, 0}, {0, 0.01, 0}));
}

// A side seen in the start-up view: the cubie face carrying its stickers, and the axis along
// which its cells sit at index 2.
struct Side {
    int face;
    int axis;
};
constexpr Side front{4, 2};
constexpr Side visibleSides[] = {{1, 0}, {0, 1}, front};

class StartUpView : public testing::Test {
protected:
    std::unique_ptr<CMozai> puzzle;
    std::unique_ptr<Camera> camera = MakeStartUpCamera(3);
    MoveHistory history;
    int solvedCalls = 0;

    void SetUp() override { Restart(); }
    void Restart() {
        puzzle = MakePuzzle(3);
        puzzle->SetHistory(&history);
        puzzle->onSolved = [this] { ++solvedCalls; };
        Redraw();
    }
    // Picking walks the order of the last frame.
    void Redraw() { puzzle->SortFaces(camera->GetPosition()); }
    CubeFace& StickerOf(const Side& side, int u, int v, int (&cell)[3]) {
        cell[side.axis] = 2;
        cell[(side.axis + 1) % 3] = u;
        cell[(side.axis + 2) % 3] = v;
        return *puzzle->Cubie(cell[0], cell[1], cell[2])->Face(side.face);
    }
    ScreenPoint FrontPixel(int i, int j) {
        int cell[3];
        return PixelOf(*camera, StickerOf(front, i, j, cell));
    }
    FacePick PickAt(ScreenPoint pt) const {
        const Vertex3D origin = camera->Unproject(pt);
        return puzzle->Pick(origin, Vector3D(camera->GetPosition(), origin));
    }
    double Angle() const {
        const ActiveTwist* t = puzzle->CurrentTwist();
        return t != nullptr ? puzzle->LayerAngle(t->axis, t->layer) : 0;
    }
};

TEST_F(StartUpView, EveryVisibleStickerIsPickedAndAMissIsNoFace) {
    for (const Side& side : visibleSides) {
        for (int c = 0; c < 9; ++c) {
            int cell[3];
            CubeFace& face = StickerOf(side, c / 3, c % 3, cell);
            const ScreenPoint pt = PixelOf(*camera, face);
            EXPECT_EQ(PickAt(pt), (FacePick{face.cubieId, side.face}));
            const Vertex3D origin = camera->Unproject(pt);
            COLORREF colour = 0;
            EXPECT_TRUE(
                puzzle->StickerColourAt(origin, Vector3D(camera->GetPosition(), origin), colour));
            EXPECT_EQ(colour, face.colour);
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

// Every sticker of the three visible sides, dragged 12 pixels (0.2 rad) each way: the grabbed
// cubie's layer turns about an axis across the face, and the sticker moves along the drag within
// its face. A side seen at a slant also tips its far row towards the eye, so only on the front,
// seen most nearly head-on, is the sticker sure to follow the pointer on the screen too.
TEST_F(StartUpView, DragTurnsTheGrabbedLayerSoTheStickerFollows) {
    const int moves[4][2] = {{12, 0}, {-12, 0}, {0, 12}, {0, -12}};
    for (const Side& side : visibleSides) {
        for (int c = 0; c < 9 * 4; ++c) {
            const int* move = moves[c % 4];
            Restart();
            int cell[3];
            CubeFace& face = StickerOf(side, c / 12, c / 4 % 3, cell);
            const ScreenPoint from = PixelOf(*camera, face);
            const Vertex3D before = face.Centre();
            MouseDrag(*puzzle, *camera, from, {from.x + move[0], from.y + move[1]});
            const ActiveTwist* twist = puzzle->CurrentTwist();
            ASSERT_NE(twist, nullptr);
            EXPECT_EQ(twist->face, &face);
            EXPECT_EQ(twist->cubie, puzzle->Cubie(cell[0], cell[1], cell[2]));
            EXPECT_EQ(twist->kind, TwistKind::UserTwist);
            EXPECT_NE(twist->axis, side.axis);
            EXPECT_EQ(twist->layer, cell[twist->axis]);
            EXPECT_NEAR(std::abs(Angle()), 0.2, 1e-12);
            EXPECT_EQ(twist->positive, Angle() > 0);

            const Vector3D n = AxisByIndex(side.axis);
            Vector3D moved(before, face.Centre());
            moved -= n * Dot(moved, n);
            EXPECT_GT(Dot(moved, camera->GetRight() * move[0] + camera->GetUp() * -move[1]), 0);
            if (side.axis == front.axis) {
                EXPECT_EQ(twist->axis, move[0] != 0 ? 1 : 0);
                const ScreenPoint to = PixelOf(*camera, face);
                EXPECT_GT((to.x - from.x) * move[0] + (to.y - from.y) * move[1], 0);
            }
        }
    }
}

// On a tie between axes the later one turns: Y over X, Z over Y.
TEST_F(StartUpView, TiedAxesGoToTheLaterOne) {
    puzzle->SortFaces({0, 0, 200});
    puzzle->Drag({0, 0, 200}, {0, 0, -1}, {0.3, 0, 0}, {0, 0.3, 0});
    ASSERT_NE(puzzle->CurrentTwist(), nullptr);
    EXPECT_EQ(puzzle->CurrentTwist()->axis, 1);
    EXPECT_NEAR(Angle(), 0.3 * std::sqrt(2.0), 1e-12);
    Restart();
    puzzle->SortFaces({200, 0, 0});
    puzzle->Drag({200, 0, 0}, {-1, 0, 0}, {0, 0.3, 0}, {0, 0, 0.3});
    ASSERT_NE(puzzle->CurrentTwist(), nullptr);
    EXPECT_EQ(puzzle->CurrentTwist()->axis, 2);
    EXPECT_GT(Angle(), 0);
}

TEST_F(StartUpView, DraggingBackIntoTheCancelWindowSnapsBackThenPicksAnew) {
    const ScreenPoint from = FrontPixel(1, 0);
    MouseDrag(*puzzle, *camera, from, {from.x + 10, from.y});
    ASSERT_NE(puzzle->CurrentTwist(), nullptr);
    MouseDrag(*puzzle, *camera, {from.x + 10, from.y}, from);
    EXPECT_EQ(puzzle->CurrentTwist(), nullptr);
    EXPECT_EQ(puzzle->LayerAngle(1, 0), 0);
    EXPECT_TRUE(SitsAt(*puzzle->Cubie(1, 0, 2), *puzzle, 1, 0, 2));
    MouseDrag(*puzzle, *camera, from, {from.x, from.y - 10});
    ASSERT_NE(puzzle->CurrentTwist(), nullptr);
    EXPECT_EQ(puzzle->CurrentTwist()->axis, 0);
    EXPECT_EQ(history.Count(), 0);
}

TEST_F(StartUpView, ALongDragCompletesRecordsAndChecksThenPicksAnew) {
    CCube* grabbed = puzzle->Cubie(0, 2, 2);
    const ScreenPoint from = FrontPixel(0, 2);
    const ScreenPoint to{from.x + 100, from.y};
    MouseDrag(*puzzle, *camera, from, to);
    EXPECT_EQ(puzzle->CurrentTwist(), nullptr);
    EXPECT_EQ(puzzle->LayerAngle(1, 2), 0);
    ASSERT_EQ(history.Count(), 1);
    EXPECT_EQ(history.Newest()->axis, 1);
    EXPECT_EQ(history.Newest()->layer, 2);
    EXPECT_TRUE(history.Newest()->positive);
    EXPECT_EQ(puzzle->Cubie(2, 2, 2), grabbed); // front-left went front-right
    EXPECT_EQ(solvedCalls, 0);

    // The button is still held: the next movement grabs whatever is under the pointer now.
    Redraw();
    const FacePick under = PickAt(to);
    MouseDrag(*puzzle, *camera, to, {to.x, to.y + 5});
    ASSERT_NE(puzzle->CurrentTwist(), nullptr);
    EXPECT_EQ(puzzle->CurrentTwist()->cubie->Id(), under.cubieId);
    MouseDrag(*puzzle, *camera, {to.x, to.y + 5}, to);

    // Turning the row back solves the cube: the check runs and empties the history.
    Redraw();
    MouseDrag(*puzzle, *camera, from, {from.x - 100, from.y});
    EXPECT_EQ(solvedCalls, 1);
    EXPECT_EQ(history.Count(), 0);
}

TEST_F(StartUpView, AReleasedDragFinishesInTheDirectionOfItsLastMovement) {
    for (const bool back : {false, true}) {
        Restart();
        const ScreenPoint from = FrontPixel(1, 1);
        puzzle->SetHold(true);
        MouseDrag(*puzzle, *camera, from, {from.x + 52, from.y}); // about 50 degrees
        if (back) {
            MouseDrag(*puzzle, *camera, {from.x + 52, from.y}, {from.x + 50, from.y});
        }
        const double held = Angle();
        puzzle->Tick();
        EXPECT_EQ(Angle(), held);
        puzzle->SetHold(false);
        puzzle->Tick();
        EXPECT_NEAR(Angle(), held + (back ? -Rad10 : Rad10), 1e-12);
        TickUntilIdle(*puzzle);
        EXPECT_EQ(puzzle->LayerAngle(1, 1), 0);
        EXPECT_EQ(history.Count(), back ? 0 : 1);
        history.Clear();
    }
}

TEST_F(StartUpView, DragsOfNoLengthOrWhileAnotherTwistRunsDoNothing) {
    const ScreenPoint from = FrontPixel(1, 1);
    MouseDrag(*puzzle, *camera, from, from);
    const Vertex3D origin = camera->Unproject(from);
    puzzle->Drag(origin, Vector3D(camera->GetPosition(), origin), camera->GetRight() * 1e-7, {});
    EXPECT_EQ(puzzle->CurrentTwist(), nullptr);

    history.Append(0, 1, true);
    puzzle->StepBack();
    const double stepping = puzzle->LayerAngle(0, 1);
    MouseDrag(*puzzle, *camera, from, {from.x + 30, from.y});
    EXPECT_EQ(puzzle->CurrentTwist()->kind, TwistKind::BackTwist);
    EXPECT_EQ(puzzle->LayerAngle(0, 1), stepping);
    EXPECT_EQ(puzzle->LayerAngle(1, 1), 0);

    Restart();
    puzzle->StartShuffle();
    MouseDrag(*puzzle, *camera, from, {from.x + 30, from.y});
    EXPECT_EQ(puzzle->CurrentTwist(), nullptr);
    puzzle->SetDemo(true);
    puzzle->Tick();
    MouseDrag(*puzzle, *camera, from, {from.x + 30, from.y});
    EXPECT_EQ(puzzle->CurrentTwist()->kind, TwistKind::DemoTwist);
}

} // namespace
