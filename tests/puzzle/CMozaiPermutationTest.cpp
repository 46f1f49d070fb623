// Completed quarter turns for every size from 2 to 10: the grid of cubie links and the cubies'
// own geometry must always agree.
#include "PuzzleTestSupport.h"

#include <array>
#include <random>

namespace {

class QuarterTurns : public ::testing::TestWithParam<int> {};

TEST_P(QuarterTurns, RandomTurnsKeepGridAndGeometryInStepAndTheirInverseUndoesThem) {
    const int n = GetParam();
    std::mt19937 rng(n);
    auto p = MakePuzzle(n);
    std::vector<std::array<int, 3>> moves; // axis, layer, positive
    for (int m = 0; m < 20; ++m) {
        moves.push_back({int(rng() % 3), int(rng() % n), int(rng() % 2)});
        const auto [axis, layer, positive] = moves.back();
        if (m % 2 == 0) {
            QuarterTurn(*p, axis, layer, positive);
        } else { // animated by the timer from a first step of 10 degrees
            p->BeginTwist(nullptr, nullptr, axis, layer, positive, TwistKind::DemoTwist);
            p->TurnLayer(axis, layer, positive ? Rad10 : -Rad10);
            TickUntilIdle(*p);
        }
        for (int c = 0; c < n * n * n; ++c)
            ASSERT_TRUE(SitsAt(*p, c / (n * n), c / n % n, c % n)) << "N " << n << " cell " << c;
    }
    EXPECT_NE(State(*p), State(*MakePuzzle(n)));
    for (auto m = moves.rbegin(); m != moves.rend(); ++m)
        QuarterTurn(*p, (*m)[0], (*m)[1], (*m)[2] == 0);
    EXPECT_EQ(State(*p), State(*MakePuzzle(n)));
}

TEST_P(QuarterTurns, FourEqualTurnsAreTheIdentityAndLayersOfOneAxisCommute) {
    const int n = GetParam();
    const std::vector<long long> solved = State(*MakePuzzle(n));
    for (int axis = 0; axis < 3; ++axis) {
        auto p = MakePuzzle(n);
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

} // namespace
