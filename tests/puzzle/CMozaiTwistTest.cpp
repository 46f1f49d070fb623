// Face normals and corner order are checked by the sticker colouring, stepped turns by the
// quarter turns, which for every size keep the grid of links and the cubies' geometry in step.
#include "PuzzleTestSupport.h"

#include <array>
#include <random>
#include <tuple>

namespace {

TEST(CCube, ACommitInsideTheThresholdRestoresTheCornersAndTheThresholdItselfTurns) {
    CCube cube(0, 30, -30, 0, 0, 0, 1, 0, 1, 0);
    const auto before = cube.Corners();
    for (double b : {0.0, -1.5707949, 1.5707949}) {
        cube.TurnCorners(0.3, 0);
        cube.CommitTurn(b, 0);
        EXPECT_TRUE(cube.Corners() == before && cube.RestCorners() == before) << b;
    }
    cube.CommitTurn(CCube::turnThreshold, 2);
    EXPECT_NEAR(cube.GetPosition().y, 30, 1e-4); // the placement turns too
    EXPECT_TRUE(ToVertex(cube.FaceNormal(6)) == Vertex3D(0, 0, 0) && cube.Face(6) == nullptr);
    // Sticker corner 0.9f corner + (1 - 0.9f) centre, in single precision: top corner 0 is x 15.
    EXPECT_EQ(CCube(0, 0, 0, 0, 0, 0, 1, 0, 1, 0).Face(0)->StickerCorner(0).x, 0.9f * 15.0);
}

class QuarterTurns : public ::testing::TestWithParam<int> {};

// Random turns keep grid and geometry in step and their inverse undoes them; four equal turns
// are the identity; layers of one axis commute.
TEST_P(QuarterTurns, KeepGridAndGeometryInStepAndComposeAsTheyShould) {
    const int n = GetParam();
    std::mt19937 rng(n);
    const std::vector<long long> solved = State(*MakePuzzle(n));
    auto p = MakePuzzle(n);
    std::vector<std::array<int, 3>> moves; // axis, layer, positive
    for (int m = 0; m < 20; ++m) {
        moves.push_back({int(rng() % 3), int(rng() % n), int(rng() % 2)});
        const auto [axis, layer, positive] = moves.back();
        if (m % 2 == 0) {
            QuarterTurn(*p, axis, layer, positive);
        } else { // animated by the timer from a first step of 10 degrees
            p->BeginTwist(nullptr, axis, layer, positive, TwistKind::DemoTwist);
            p->TurnLayer(axis, layer, positive ? Rad10 : -Rad10);
            TickUntilIdle(*p);
        }
        for (int c = 0; c < n * n * n; ++c)
            ASSERT_TRUE(SitsAt(*p, c / (n * n), c / n % n, c % n)) << "N " << n << " cell " << c;
    }
    EXPECT_NE(State(*p), solved);
    for (auto m = moves.rbegin(); m != moves.rend(); ++m)
        QuarterTurn(*p, (*m)[0], (*m)[1], (*m)[2] == 0);
    EXPECT_EQ(State(*p), solved);
    for (int axis = 0; axis < 3; ++axis) {
        p = MakePuzzle(n);
        for (int t = 1; t <= 4 * n; ++t) {
            QuarterTurn(*p, axis, (t - 1) / 4, (t - 1) / 4 % 2 == 0);
            EXPECT_EQ(State(*p) == solved, t % 4 == 0) << axis << " " << t;
        }
        auto q = MakePuzzle(n);
        const int a = axis % (n - 1), b = n - 1;
        QuarterTurn(*p, axis, a, true);
        QuarterTurn(*p, axis, b, false);
        QuarterTurn(*q, axis, b, false);
        QuarterTurn(*q, axis, a, true);
        EXPECT_EQ(State(*p), State(*q)) << "axis " << axis;
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, QuarterTurns, ::testing::Range(2, 11));

// Each cell holds the cubie of its id; a face has the colour of the side it faces when outer.
TEST(CMozai, CellsIdsFacesAndStickersFollowTheGrid) {
    const COLORREF colours[6] = {1, 2, 3, 4, 5, 6};
    const Vertex3D side[6] = {{-1, 0, 0}, {1, 0, 0}, {0, -1, 0}, {0, 1, 0}, {0, 0, -1}, {0, 0, 1}};
    for (int n : {1, 2, 3}) {
        auto p = MakePuzzle(n, colours);
        for (int id = 0; id < n * n * n; ++id) {
            const int cell[3] = {id / (n * n), id / n % n, id % n};
            CCube* cubie = p->Cubie(cell[0], cell[1], cell[2]);
            ASSERT_EQ(cubie->Id(), id);
            for (int f = 0; f < 6; ++f) {
                EXPECT_EQ(p->Faces()[6 * id + f], cubie->Face(f));
                const int s = std::find(side, side + 5, ToVertex(cubie->FaceNormal(f))) - side;
                const bool outer = cell[s / 2] == (s % 2 == 1 ? n - 1 : 0);
                EXPECT_EQ(cubie->Face(f)->colour, outer ? colours[s] : NoSticker);
            }
        }
        Vertex3D none;
        EXPECT_TRUE(p->FindCubie(p->CubieCount()) == nullptr && !p->FindCell(-1, none));
    }
    EXPECT_TRUE(MakePuzzle(0)->Size() == 1 && MakePuzzle(11)->Size() == 10);
    // Faces keep their colours as the table changes; replacing an unused colour changes the table.
    auto p = MakePuzzle(2);
    p->SetColours(colours);
    p->ReplaceColour(1, 0x777777);
    EXPECT_TRUE(p->Colour(0) == 0x777777 && p->Cubie(0, 0, 0)->Face(3)->colour == 0xD1D1D1);
}

// Bad layers and a second axis are refused. Inside the cancel window (+-2 degrees, +-1 about Z,
// lower bound open) the layer snaps back; past +-88 it completes a quarter; between, it runs.
TEST(CMozai, SettlingRefusesBadLayersSnapsBackCompletesOrKeepsRunningAndTicksEaseToTheEnd) {
    auto p = MakePuzzle(3);
    p->TurnLayer(1, 0, 0.4);
    const Vertex3D corner = p->Cubie(1, 1, 1)->Corners()[0];
    p->TurnLayer(0, 1, 0.3);
    EXPECT_TRUE(p->LayerAngle(0, 1) == 0 && p->Cubie(1, 1, 1)->Corners()[0] == corner);
    p->TurnLayer(1, 2, 0.3); // another layer of the same axis turns, but then neither settles
    EXPECT_EQ(p->LayerAngle(1, 2), 0.3);
    for (const auto& bad : {std::pair(1, 0), {1, -1}, {1, 3}, {3, 0}, {-1, 0}}) {
        p->BeginTwist(nullptr, bad.first, bad.second, true, TwistKind::UserTwist);
        EXPECT_EQ(p->SettleLayer(bad.first, bad.second), TwistResult::TwistRefused);
        EXPECT_EQ(p->CurrentTwist(), nullptr);
    }
    EXPECT_EQ(p->LayerAngle(1, 0), 0.4);
    p->BeginTwist(nullptr, 7, 0, true, TwistKind::BackTwist);
    p->Tick(); // the timer drops a twist of a layer that does not exist
    EXPECT_EQ(p->CurrentTwist(), nullptr);
    using R = TwistResult;
    const std::tuple<int, double, TwistResult> cases[] = {{0, Rad2, R::TwistCancelled},
                                                          {0, -Rad2, R::TwistRunning},
                                                          {0, 1.5 * Rad1, R::TwistCancelled},
                                                          {2, 1.5 * Rad1, R::TwistRunning},
                                                          {2, Rad1, R::TwistCancelled},
                                                          {1, Rad90 - Rad2, R::TwistRunning},
                                                          {1, DegToRad(95), R::TwistDonePositive},
                                                          {2, -DegToRad(89), R::TwistDoneNegative}};
    for (const auto& [axis, angle, result] : cases) {
        p = MakePuzzle(3);
        p->BeginTwist(nullptr, axis, 0, true, TwistKind::UserTwist);
        p->TurnLayer(axis, 0, angle);
        EXPECT_EQ(p->SettleLayer(axis, 0), result) << "axis " << axis << " angle " << angle;
        const bool running = result == R::TwistRunning;
        EXPECT_TRUE(running == (p->CurrentTwist() != nullptr) &&
                    p->LayerAngle(axis, 0) == (running ? angle : 0));
    }
    p = MakePuzzle(3);
    CCube* moved = p->Cubie(0, 1, 0);
    p->BeginTwist(moved->Face(0), 0, 0, true, TwistKind::DemoTwist);
    p->TurnLayer(0, 0, Rad10);
    p->SetHold(true);
    p->Tick();
    p->SetHold(false);
    for (int degrees : {12, 22, 32, 42, 52, 62, 72, 82, 84, 86}) {
        p->Tick();
        EXPECT_NEAR(p->LayerAngle(0, 0), DegToRad(degrees), 1e-12);
    }
    p->Tick(); // the steps add up to a hair above the 88 degree bound: done
    // +90 about X takes (j, k) to (N - 1 - k, j)
    EXPECT_TRUE(p->CurrentTwist() == nullptr && SitsAt(*p, 0, 2, 1, moved));
}

} // namespace
