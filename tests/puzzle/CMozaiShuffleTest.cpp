#include "PuzzleTestSupport.h"

#include <cstring>

namespace {

using Shuffle = WiredPuzzle;
using Navigation = WiredPuzzle;

// Fifty twists on the axes 2, 1, 0, 2, ..., layer and direction from one random value r (the
// generator from seed 1 gives 41, 18467, 6334 ...: layer r mod N, positive for even r), recorded,
// so fifty steps back restore the solved cube.
TEST_F(Shuffle, FiftyRecordedTwistsUndoneByFiftyStepsBack) {
    for (int n : {2, 3}) {
        Restart(n);
        const std::vector<long long> solved = State(*puzzle);
        puzzle->StartShuffle();
        puzzle->StartShuffle(); // not extended
        EXPECT_EQ(TickUntilIdle(*puzzle), 100);
        ASSERT_EQ(history.Count(), 50);
        history.BeginReplay();
        const MoveRecord first[3] = {
            {2, 41 % n, false}, {1, 18467 % n, false}, {0, 6334 % n, true}};
        for (int m = 0; m < 50; ++m) {
            const MoveRecord* r = history.NextReplay();
            EXPECT_TRUE(r->axis == 2 - m % 3 && (n == 3 || r->positive == (r->layer == 0))) << m;
            EXPECT_TRUE(m > 2 || (r->layer == first[m].layer && r->positive == first[m].positive));
        }
        EXPECT_NE(State(*puzzle), solved);
        for (int m = 0; m < 50; ++m, TickUntilIdle(*puzzle))
            puzzle->StepBack();
        EXPECT_TRUE(State(*puzzle) == solved && solvedCalls == 0) << n;
    }
    Restart(1); // a single cubie is solved after every twist; the shuffle goes on
    puzzle->StartShuffle();
    EXPECT_EQ(TickUntilIdle(*puzzle), 100);
    EXPECT_TRUE(solvedCalls == 50 && history.Count() == 0) << solvedCalls;
}

// The demo's twists are recorded as they complete, the last one after switching off, so steps
// back undo the demo; at the cap no new twist starts.
TEST_F(Shuffle, DemoTwistsAreRecordedUntilTheCapAndTheHistoryRebuildsTheCube) {
    const std::vector<long long> solved = State(*puzzle);
    QuarterTurn(*puzzle, 0, 0, true);
    history.Append(0, 0, true);
    puzzle->SetDemo(true);
    for (int t = 0; t < 700; ++t) { // more than 50 twists of a dozen ticks
        puzzle->Tick();
        ASSERT_GE(puzzle->ShuffleRemaining(), 1);
    }
    puzzle->StepBack(); // refused in demo mode
    EXPECT_EQ(puzzle->CurrentTwist()->kind, TwistKind::DemoTwist);
    const int recorded = history.Count();
    EXPECT_GT(recorded, 51);
    puzzle->SetDemo(false);
    EXPECT_GT(TickUntilIdle(*puzzle), 0);
    EXPECT_TRUE(history.Count() == recorded + 1 && solvedCalls == 0) << history.Count();
    for (int m = 0; m < recorded + 1; ++m, TickUntilIdle(*puzzle))
        puzzle->StepBack();
    EXPECT_EQ(State(*puzzle), solved);

    Restart();
    for (int m = 1; m < maxLoadedMoves; ++m)
        history.Append(1, m % 3, true);
    for (bool demo : {true, false}) { // one more demo twist; then neither it nor a shuffle starts
        puzzle->SetDemo(demo);
        puzzle->StartShuffle();
        for (int t = 0; t < 100; ++t)
            puzzle->Tick();
        EXPECT_TRUE(history.Count() == maxLoadedMoves && puzzle->CurrentTwist() == nullptr &&
                    (demo || puzzle->ShuffleRemaining() == 0));
    }
}

// Solved: the stickers of each colour face one way within 2 degrees, whatever the orientation.
TEST_F(Shuffle, SolvedCheck) {
    auto tilted = MakePuzzle(3);
    tilted->TurnLayer(0, 0, 1.9 * Rad1);
    EXPECT_TRUE(tilted->IsSolved());
    tilted->TurnLayer(0, 0, 0.2 * Rad1);
    EXPECT_FALSE(tilted->IsSolved());
    for (int layer = 0; layer < 3; ++layer) { // what a solve does: the stroke test
        QuarterTurn(*puzzle, 1, layer, true);
        EXPECT_EQ(puzzle->IsSolved(), layer == 2);
    }
    const COLORREF others[6] = {1, 2, 3, 4, 5, 6}; // the stickers' colours are in no slot
    puzzle->SetColours(others);
    EXPECT_FALSE(puzzle->IsSolved());
}

// Back undoes the other way, forward redoes the recorded way; records that do not fit are
// consumed without turning; nothing starts while a twist runs or the puzzle is held.
TEST_F(Navigation, StepsAndReplayTurnTheRecordedWaysAndSkipRecordsThatDoNotFit) {
    for (const MoveRecord& m : {MoveRecord{0, 1, true}, {1, 7, false}, {-1, 0, true}, {3, 0, true}})
        history.Append(m.axis, m.layer, m.positive);
    for (int s = 0; s < 4; ++s)
        puzzle->StepBack();
    EXPECT_EQ(puzzle->CurrentTwist()->kind, TwistKind::BackTwist);
    puzzle->StepForward();
    EXPECT_EQ(puzzle->LayerAngle(0, 1), -Rad10);
    TickUntilIdle(*puzzle);
    puzzle->SetHold(true);
    puzzle->StepForward();
    EXPECT_EQ(puzzle->CurrentTwist(), nullptr);
    puzzle->SetHold(false);
    puzzle->StepForward();
    EXPECT_TRUE(puzzle->CurrentTwist()->kind == TwistKind::ForwardTwist &&
                puzzle->LayerAngle(0, 1) == Rad10);
    TickUntilIdle(*puzzle);
    for (int s = 0; s < 3; ++s)
        puzzle->StepForward();
    EXPECT_TRUE(puzzle->CurrentTwist() == nullptr && history.StepForward() == nullptr);
    // Replay turns each cubie once by all its quarter turns together and gives the very bits of
    // making the moves one by one, up to the first record that does not fit; it runs no solved
    // check and rewinds for the next reader. Exact quarter turns, undone, restore the cube.
    const auto coordinates = [](const CMozai& p) {
        std::vector<double> out;
        const int n = p.Size();
        for (int c = 0; c < n * n * n; ++c) {
            CCube& cubie = *p.Cubie(c / (n * n), c / n % n, c % n);
            out.push_back(cubie.Id());
            std::vector<Vertex3D> points(cubie.Corners().begin(), cubie.Corners().end());
            points.insert(points.end(), cubie.RestCorners().begin(), cubie.RestCorners().end());
            points.insert(points.end(),
                          {cubie.GetPosition(), cubie.GetTarget(), ToVertex(cubie.GetUp())});
            for (const Vertex3D& v : points)
                out.insert(out.end(), {v.x, v.y, v.z});
        }
        return out;
    };
    for (int n : {2, 3, 10}) {
        Restart(n);
        auto played = MakePuzzle(n, table.data());
        const std::vector<double> solved = coordinates(*played);
        LcgRandom random(5);
        std::vector<MoveRecord> moves(400);
        for (MoveRecord& m : moves) {
            const int r = random.Next();
            m = MoveRecord{r % 3, r / 3 % n, r / 7 % 2 == 0};
            QuarterTurn(*played, m.axis, m.layer, m.positive);
            history.Append(m.axis, m.layer, m.positive);
        }
        history.Append(0, n, true); // no such layer: this and what follows is not replayed
        history.Append(moves[0].axis, moves[0].layer, !moves[0].positive);
        puzzle->Replay();
        const std::vector<double> replayed = coordinates(*puzzle), one = coordinates(*played);
        EXPECT_EQ(std::memcmp(replayed.data(), one.data(), one.size() * sizeof(double)), 0) << n;
        EXPECT_EQ(history.Count() + solvedCalls, 402) << n;
        const MoveRecord* next = history.NextReplay(); // the first again: rewound
        EXPECT_TRUE(next != nullptr && next->positive == moves[0].positive) << n;
        for (auto m = moves.rbegin(); m != moves.rend(); ++m)
            QuarterTurn(*played, m->axis, m->layer, !m->positive);
        EXPECT_TRUE(coordinates(*played) == solved) << n;
    }
}

} // namespace
