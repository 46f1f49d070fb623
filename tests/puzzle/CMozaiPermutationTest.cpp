// Properties of completed quarter turns for every size from 2 to 10: the grid of cubie links and
// the cubies' own geometry must always agree.
#include "PuzzleTestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

struct Move {
    int axis;
    int layer;
    bool positive;
};

std::vector<Move> RandomMoves(int n, int count, std::mt19937& rng) {
    std::vector<Move> moves;
    for (int m = 0; m < count; ++m) {
        moves.push_back({static_cast<int>(rng() % 3), static_cast<int>(rng() % n), rng() % 2 == 0});
    }
    return moves;
}

// Alternates the two ways a quarter turn completes: at once and by the timer's animation.
void Apply(CMozai& p, const Move& m, int index) {
    if (index % 2 == 0) {
        ASSERT_NE(QuarterTurn(p, m.axis, m.layer, m.positive), TwistResult::TwistRunning);
    } else {
        AnimatedTurn(p, m.axis, m.layer, m.positive, TwistKind::DemoTwist);
    }
}

// Every cell's cubie sits at rest around that cell's centre.
void ExpectGridMatchesGeometry(const CMozai& p) {
    const int n = p.Size();
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            for (int k = 0; k < n; ++k) {
                ASSERT_TRUE(SitsAt(*p.Cubie(i, j, k), CellCentre(p, i, j, k)))
                    << "N " << n << " cell " << i << " " << j << " " << k;
            }
        }
    }
}

// Cell -> id and each cubie's corners, to compare two states.
struct Snapshot {
    std::vector<int> ids;
    std::vector<Vertex3D> corners;
    explicit Snapshot(const CMozai& p) {
        const int n = p.Size();
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j) {
                for (int k = 0; k < n; ++k) {
                    ids.push_back(p.Cubie(i, j, k)->Id());
                    for (const Vertex3D& c : p.Cubie(i, j, k)->Corners()) {
                        corners.push_back(c);
                    }
                }
            }
        }
    }
    bool operator==(const Snapshot& o) const { return ids == o.ids && corners == o.corners; }
};

class QuarterTurns : public ::testing::TestWithParam<int> {};

TEST_P(QuarterTurns, RandomTurnsKeepGridAndGeometryInStepAndTheInverseUndoesThem) {
    const int n = GetParam();
    std::mt19937 rng(n);
    auto p = MakePuzzle(n);
    const Snapshot solved(*p);
    const std::vector<Move> moves = RandomMoves(n, 30, rng);
    for (size_t m = 0; m < moves.size(); ++m) {
        Apply(*p, moves[m], static_cast<int>(m));
        ExpectGridMatchesGeometry(*p);
    }
    EXPECT_FALSE(Snapshot(*p) == solved);
    for (size_t m = moves.size(); m-- > 0;) {
        const Move& move = moves[m];
        Apply(*p, {move.axis, move.layer, !move.positive}, static_cast<int>(m));
    }
    EXPECT_TRUE(Snapshot(*p) == solved);
}

TEST_P(QuarterTurns, FourEqualTurnsAreTheIdentity) {
    const int n = GetParam();
    auto p = MakePuzzle(n);
    const Snapshot start(*p);
    for (int axis = 0; axis < 3; ++axis) {
        for (int layer = 0; layer < n; ++layer) {
            for (bool positive : {true, false}) {
                for (int t = 0; t < 4; ++t) {
                    QuarterTurn(*p, axis, layer, positive);
                    EXPECT_EQ(Snapshot(*p) == start, t == 3) << axis << " " << layer << " " << t;
                }
            }
        }
    }
}

TEST_P(QuarterTurns, TurnsOfDifferentLayersOfOneAxisCommute) {
    const int n = GetParam();
    std::mt19937 rng(100 + n);
    for (int axis = 0; axis < 3; ++axis) {
        const int a = static_cast<int>(rng() % n);
        const int b = (a + 1 + static_cast<int>(rng() % (n - 1))) % n;
        auto p = MakePuzzle(n);
        auto q = MakePuzzle(n);
        QuarterTurn(*p, axis, a, true);
        QuarterTurn(*p, axis, b, false);
        QuarterTurn(*q, axis, b, false);
        QuarterTurn(*q, axis, a, true);
        EXPECT_TRUE(Snapshot(*p) == Snapshot(*q)) << "axis " << axis << " layers " << a << b;
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, QuarterTurns, ::testing::Range(2, 11));

} // namespace
