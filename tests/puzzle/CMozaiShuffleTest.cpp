#include "PuzzleTestSupport.h"

#include "persist/MoveHistory.h"

namespace {

std::vector<MoveRecord> Records(MoveHistory& h) {
    std::vector<MoveRecord> records;
    h.BeginReplay();
    for (const MoveRecord* r = h.NextReplay(); r != nullptr; r = h.NextReplay()) {
        records.push_back(*r);
    }
    h.BeginReplay();
    return records;
}

// A puzzle wired to a history and counting its congratulations.
struct Wired {
    std::unique_ptr<CMozai> puzzle;
    MoveHistory history;
    int solvedCalls = 0;
    explicit Wired(int n) : puzzle(MakePuzzle(n)) {
        puzzle->SetHistory(&history);
        puzzle->onSolved = [this] { ++solvedCalls; };
    }
};

TEST(LcgRandom, FollowsTheMultiplierAndIncrement) {
    LcgRandom r(1);
    for (int expected : {41, 18467, 6334, 26500, 19169}) {
        EXPECT_EQ(r.Next(), expected);
    }
}

TEST(Shuffle, FiftyRecordedTwistsUndoneByFiftyStepsBack) {
    Wired w(3);
    const std::vector<int> solved = CellIds(*w.puzzle);
    w.puzzle->StartShuffle();
    w.puzzle->StartShuffle();
    EXPECT_EQ(TickUntilIdle(*w.puzzle), 100);
    const std::vector<MoveRecord> records = Records(w.history);
    ASSERT_EQ(records.size(), 50u);
    LcgRandom r(1); // as MakePuzzle seeds the puzzle's
    for (int m = 0; m < 50; ++m) {
        const int value = r.Next();
        EXPECT_EQ(records[m].axis, (50 - m) % 3);
        EXPECT_EQ(records[m].layer, value % 3);
        EXPECT_EQ(records[m].positive, value % 2 == 0);
    }
    EXPECT_NE(CellIds(*w.puzzle), solved);
    for (int m = 0; m < 50; ++m) {
        w.puzzle->StepBack();
        ASSERT_EQ(w.puzzle->CurrentTwist()->kind, TwistKind::BackTwist);
        TickUntilIdle(*w.puzzle);
    }
    EXPECT_EQ(CellIds(*w.puzzle), solved);
    EXPECT_EQ(w.solvedCalls, 0);
    EXPECT_EQ(w.history.Count(), 50);
}

TEST(Shuffle, ForTwoLayersEvenLayersTurnPositivelyAndOddOnesNegatively) {
    Wired w(2);
    w.puzzle->StartShuffle();
    TickUntilIdle(*w.puzzle);
    const std::vector<MoveRecord> records = Records(w.history);
    ASSERT_EQ(records.size(), 50u);
    for (const MoveRecord& m : records) {
        EXPECT_EQ(m.positive, m.layer == 0);
    }
}

TEST(Shuffle, ATwistThatLeavesTheCubeSolvedCongratulatesAndTheShuffleGoesOn) {
    Wired w(1); // a single cubie is solved after every twist
    w.puzzle->StartShuffle();
    EXPECT_EQ(TickUntilIdle(*w.puzzle), 100);
    EXPECT_EQ(w.solvedCalls, 50);
    EXPECT_EQ(w.history.Count(), 0);
}

TEST(Demo, DemoTwistsKeepGoingUnrecordedAndTheLastOneFinishes) {
    Wired w(3);
    w.history.Append(0, 0, true);
    w.puzzle->SetDemo(true);
    EXPECT_EQ(w.history.Count(), 0);
    for (int t = 0; t < 700; ++t) { // more than 50 twists of a dozen ticks
        w.puzzle->Tick();
        ASSERT_GE(w.puzzle->ShuffleRemaining(), 1);
    }
    EXPECT_EQ(w.history.Count(), 0);
    w.history.Append(1, 1, true);
    w.puzzle->StepBack(); // refused in demo mode
    ASSERT_NE(w.puzzle->CurrentTwist(), nullptr);
    EXPECT_EQ(w.puzzle->CurrentTwist()->kind, TwistKind::DemoTwist);
    w.puzzle->SetDemo(false);
    EXPECT_EQ(w.history.Count(), 0);
    EXPECT_EQ(TickUntilIdle(*w.puzzle) > 0, true);
    EXPECT_EQ(w.history.Count(), 0);
    EXPECT_EQ(w.solvedCalls, 0);
}

TEST(Solved, AWholeCubeTurnIsSolvedAndAnUnknownColourIsNot) {
    Wired w(3);
    w.history.Append(0, 0, true);
    for (int layer = 0; layer < 3; ++layer) {
        QuarterTurn(*w.puzzle, 1, layer, true);
        EXPECT_EQ(w.puzzle->IsSolved(), layer == 2);
    }
    EXPECT_EQ(w.solvedCalls, 1);
    EXPECT_EQ(w.history.Count(), 0);
    const COLORREF others[6] = {1, 2, 3, 4, 5, 6};
    w.puzzle->SetColours(others);
    EXPECT_FALSE(w.puzzle->IsSolved());
}

TEST(Navigation, StepsTurnTheRecordedWaysAndRecordsThatDoNotFitAreSkipped) {
    Wired w(3);
    w.history.Append(0, 1, true);
    w.history.Append(1, 7, false);
    w.history.Append(-1, 0, true);
    w.history.Append(3, 0, true);
    for (int s = 0; s < 3; ++s) {
        w.puzzle->StepBack();
        EXPECT_EQ(w.puzzle->CurrentTwist(), nullptr);
    }
    w.puzzle->StepBack();
    EXPECT_EQ(w.puzzle->LayerAngle(0, 1), -Rad10);
    w.puzzle->StepForward(); // refused while a twist runs
    EXPECT_EQ(w.puzzle->LayerAngle(0, 1), -Rad10);
    TickUntilIdle(*w.puzzle);
    w.puzzle->SetHold(true);
    w.puzzle->StepForward();
    EXPECT_EQ(w.puzzle->CurrentTwist(), nullptr);
    w.puzzle->SetHold(false);
    w.puzzle->StepForward();
    EXPECT_EQ(w.puzzle->LayerAngle(0, 1), Rad10);
    EXPECT_EQ(w.puzzle->CurrentTwist()->kind, TwistKind::ForwardTwist);
    TickUntilIdle(*w.puzzle);
    for (int s = 0; s < 3; ++s) {
        w.puzzle->StepForward();
        EXPECT_EQ(w.puzzle->CurrentTwist(), nullptr);
    }
    EXPECT_EQ(w.history.StepForward(), nullptr);
    EXPECT_EQ(w.history.Count(), 4);
}

TEST(Replay, AppliesMovesUpToTheFirstThatDoesNotFit) {
    for (const MoveRecord bad : {MoveRecord{0, 3, true}, MoveRecord{-1, 0, true}}) {
        Wired w(3);
        w.history.Append(0, 0, true);
        w.history.Append(2, 1, false);
        w.history.Append(bad.axis, bad.layer, bad.positive);
        w.history.Append(1, 1, true);
        w.puzzle->Replay();
        auto expected = MakePuzzle(3);
        QuarterTurn(*expected, 0, 0, true);
        QuarterTurn(*expected, 2, 1, false);
        EXPECT_EQ(CellIds(*w.puzzle), CellIds(*expected));
        ExpectSameCorners(*w.puzzle, *expected, true);
        EXPECT_EQ(w.history.Count(), 4);
        EXPECT_EQ(w.solvedCalls, 0);
        ASSERT_NE(w.history.NextReplay(), nullptr); // rewound for the next reader
    }
}

TEST(Replay, ALayerLeftTurnedMakesTheReplayTurnAndSettleStepByStep) {
    Wired w(3);
    w.history.Append(0, 0, true);
    w.history.Append(0, 2, false);
    // A layer left away from rest (a refused settle leaves it so) blocks every settle of its axis.
    w.puzzle->TurnLayer(0, 1, 0.25);
    w.puzzle->Replay();
    EXPECT_EQ(w.puzzle->LayerAngle(0, 0), Rad90 - Rad1);
    EXPECT_EQ(w.puzzle->LayerAngle(0, 2), Rad1 - Rad90);
    EXPECT_EQ(w.puzzle->Cubie(0, 0, 0)->Id(), 0);
}

} // namespace
