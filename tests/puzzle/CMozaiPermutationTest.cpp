// Completed quarter turns for every size from 2 to 10: the grid of cubie links and the cubies'
// own geometry must always agree.
#include "PuzzleTestSupport.h"

#include <random>

namespace {

class QuarterTurns : public ::testing::TestWithParam<int> {};

void ExpectGridMatchesGeometry(const CMozai& p) {
    const int n = p.Size();
    for (int c = 0; c < n * n * n; ++c) {
        const int i = c / (n * n), j = c / n % n, k = c % n;
        ASSERT_TRUE(SitsAt(*p.Cubie(i, j, k), p, i, j, k)) << "N " << n << " cell " << c;
    }
}

TEST_P(QuarterTurns, RandomTurnsKeepGridAndGeometryInStepAndTheirInverseUndoesThem) {
    const int n = GetParam();
    std::mt19937 rng(n);
    auto p = MakePuzzle(n);
    auto solved = MakePuzzle(n);
    struct Move {
        int axis, layer;
        bool positive;
    };
    std::vector<Move> moves;
    for (int m = 0; m < 30; ++m) {
        moves.push_back({int(rng() % 3), int(rng() % n), rng() % 2 == 0});
        // Half the turns complete at once, half by the timer's animation.
        if (m % 2 == 0) {
            QuarterTurn(*p, moves[m].axis, moves[m].layer, moves[m].positive);
        } else {
            AnimatedTurn(*p, moves[m].axis, moves[m].layer, moves[m].positive,
                         TwistKind::DemoTwist);
        }
        ExpectGridMatchesGeometry(*p);
    }
    EXPECT_NE(CellIds(*p), CellIds(*solved));
    for (int m = 29; m >= 0; --m) {
        QuarterTurn(*p, moves[m].axis, moves[m].layer, !moves[m].positive);
    }
    EXPECT_EQ(CellIds(*p), CellIds(*solved));
    ExpectSameCorners(*p, *solved, false);
}

TEST_P(QuarterTurns, FourEqualTurnsAreTheIdentityAndLayersOfOneAxisCommute) {
    const int n = GetParam();
    auto solved = MakePuzzle(n);
    for (int axis = 0; axis < 3; ++axis) {
        auto p = MakePuzzle(n);
        for (int layer = 0; layer < n; ++layer) {
            for (int t = 1; t <= 4; ++t) {
                QuarterTurn(*p, axis, layer, layer % 2 == 0);
                EXPECT_EQ(CellIds(*p) == CellIds(*solved), t == 4) << axis << " " << layer;
            }
        }
        ExpectSameCorners(*p, *solved, false);
        p = MakePuzzle(n);
        auto q = MakePuzzle(n);
        const int a = axis % (n - 1), b = n - 1;
        QuarterTurn(*p, axis, a, true);
        QuarterTurn(*p, axis, b, false);
        QuarterTurn(*q, axis, b, false);
        QuarterTurn(*q, axis, a, true);
        EXPECT_EQ(CellIds(*p), CellIds(*q)) << "axis " << axis;
        ExpectSameCorners(*p, *q, true);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, QuarterTurns, ::testing::Range(2, 11));

} // namespace
