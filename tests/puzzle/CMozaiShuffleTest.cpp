#include "PuzzleTestSupport.h"

#include "persist/MoveHistory.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Ticks until nothing moves or is pending; returns the ticks taken.
int TickUntilIdle(CMozai& p, int limit = 2000) {
    int ticks = 0;
    while ((p.CurrentTwist() != nullptr || p.ShuffleRemaining() > 0) && ticks < limit) {
        p.Tick();
        ++ticks;
    }
    return ticks;
}

std::vector<MoveRecord> Records(MoveHistory& h) {
    std::vector<MoveRecord> records;
    h.BeginReplay();
    for (const MoveRecord* r = h.NextReplay(); r != nullptr; r = h.NextReplay()) {
        records.push_back(*r);
    }
    h.BeginReplay();
    return records;
}

std::vector<int> CellIds(const CMozai& p) {
    std::vector<int> ids;
    const int n = p.Size();
    for (int i = 0; i < n * n * n; ++i) {
        ids.push_back(p.Cubie(i / (n * n), i / n % n, i % n)->Id());
    }
    return ids;
}

struct Fixture {
    std::unique_ptr<CMozai> puzzle;
    MoveHistory history;
    int solvedCalls = 0;
    explicit Fixture(int n) : puzzle(MakePuzzle(n)) {
        puzzle->SetHistory(&history);
        puzzle->onSolved = [this] { ++solvedCalls; };
    }
};

TEST(LcgRandom, FollowsTheMultiplierAndIncrement) {
    LcgRandom r(1);
    for (int expected : {41, 18467, 6334, 26500, 19169}) {
        EXPECT_EQ(r.Next(), expected);
    }
    r.Seed(0);
    EXPECT_EQ(r.Next(), 38);
}

TEST(Shuffle, FiftyRecordedTwistsUndoneByFiftyStepsBack) {
    Fixture f(3);
    const std::vector<int> solved = CellIds(*f.puzzle);
    f.puzzle->StartShuffle();
    f.puzzle->StartShuffle();
    EXPECT_EQ(TickUntilIdle(*f.puzzle), 100);
    const std::vector<MoveRecord> records = Records(f.history);
    ASSERT_EQ(records.size(), 50u);
    // The generator seeded as MakePuzzle seeds it decides each layer and direction.
    LcgRandom r(1);
    for (int m = 0; m < 50; ++m) {
        const int value = r.Next();
        EXPECT_EQ(records[m].axis, (50 - m) % 3);
        EXPECT_EQ(records[m].layer, value % 3);
        EXPECT_EQ(records[m].positive, value % 2 == 0);
    }
    EXPECT_NE(CellIds(*f.puzzle), solved);
    for (int m = 0; m < 50; ++m) {
        f.puzzle->StepBack();
        ASSERT_EQ(f.puzzle->CurrentTwist()->kind, TwistKind::BackTwist);
        TickUntilIdle(*f.puzzle);
    }
    EXPECT_EQ(CellIds(*f.puzzle), solved);
    EXPECT_EQ(f.solvedCalls, 0);
    EXPECT_EQ(f.history.Count(), 50);
    EXPECT_TRUE(f.puzzle->IsSolved());
    EXPECT_EQ(f.solvedCalls, 1);
    EXPECT_EQ(f.history.Count(), 0);
}

TEST(Shuffle, AStepBackBetweenTwoShuffleTwistsIsFinishedFirst) {
    Fixture f(4);
    f.puzzle->StartShuffle();
    f.puzzle->Tick();
    f.puzzle->Tick();
    ASSERT_EQ(f.puzzle->CurrentTwist(), nullptr);
    f.puzzle->StepBack();
    ASSERT_NE(f.puzzle->CurrentTwist(), nullptr);
    TickUntilIdle(*f.puzzle);
    // The undone first twist is dropped by the next append.
    EXPECT_EQ(f.history.Count(), 49);
}

TEST(Shuffle, ForTwoLayersEvenLayersTurnPositivelyAndOddOnesNegatively) {
    Fixture f(2);
    f.puzzle->StartShuffle();
    TickUntilIdle(*f.puzzle);
    const std::vector<MoveRecord> records = Records(f.history);
    ASSERT_EQ(records.size(), 50u);
    for (const MoveRecord& m : records) {
        EXPECT_EQ(m.positive, m.layer == 0);
    }
}

TEST(Shuffle, ATwistThatLeavesTheCubeSolvedCongratulatesMidShuffle) {
    // A single cubie is solved after every twist.
    Fixture f(1);
    f.puzzle->StartShuffle();
    EXPECT_EQ(TickUntilIdle(*f.puzzle), 100);
    EXPECT_EQ(f.solvedCalls, 50);
    EXPECT_EQ(f.history.Count(), 0);
}

TEST(Demo, DemoTwistsKeepGoingAndAreNeverRecorded) {
    Fixture f(3);
    f.history.Append(0, 0, true);
    f.puzzle->SetDemo(true);
    EXPECT_EQ(f.history.Count(), 0);
    for (int t = 0; t < 700; ++t) {
        f.puzzle->Tick();
        ASSERT_GE(f.puzzle->ShuffleRemaining(), 1);
        if (f.puzzle->CurrentTwist() != nullptr) {
            EXPECT_EQ(f.puzzle->CurrentTwist()->kind, TwistKind::DemoTwist);
        }
    }
    EXPECT_EQ(f.history.Count(), 0);
    EXPECT_EQ(f.solvedCalls, 0);
    // Stepping is refused in demo mode; switching it off lets the twist in progress finish.
    f.history.Append(1, 1, true);
    f.puzzle->StepBack();
    ASSERT_NE(f.puzzle->CurrentTwist(), nullptr);
    EXPECT_EQ(f.puzzle->CurrentTwist()->kind, TwistKind::DemoTwist);
    f.puzzle->SetDemo(false);
    EXPECT_EQ(f.puzzle->ShuffleRemaining(), 0);
    EXPECT_EQ(f.history.Count(), 0);
    TickUntilIdle(*f.puzzle);
    EXPECT_EQ(f.history.Count(), 0);
}

TEST(Tick, CompletedUserTwistsAreRecordedAndOthersAreNot) {
    Fixture f(3);
    AnimatedTurn(*f.puzzle, 1, 2, false, TwistKind::UserTwist);
    AnimatedTurn(*f.puzzle, 0, 1, true, TwistKind::UserTwist);
    for (TwistKind kind : {TwistKind::DemoTwist, TwistKind::BackTwist, TwistKind::ForwardTwist}) {
        AnimatedTurn(*f.puzzle, 2, 0, true, kind);
    }
    const std::vector<MoveRecord> records = Records(f.history);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_TRUE(records[0].axis == 1 && records[0].layer == 2 && !records[0].positive);
    EXPECT_TRUE(records[1].axis == 0 && records[1].layer == 1 && records[1].positive);
    EXPECT_EQ(f.solvedCalls, 0);
}

TEST(Solved, AWholeCubeTurnIsSolvedAndAnUnknownColourIsNot) {
    Fixture f(3);
    for (int layer = 0; layer < 3; ++layer) {
        QuarterTurn(*f.puzzle, 1, layer, true);
        EXPECT_EQ(f.puzzle->IsSolved(), layer == 2);
    }
    EXPECT_EQ(f.solvedCalls, 1);
    const COLORREF others[6] = {1, 2, 3, 4, 5, 6};
    f.puzzle->SetColours(others);
    EXPECT_FALSE(f.puzzle->IsSolved());
    EXPECT_EQ(f.solvedCalls, 1);
}

TEST(Solved, WithoutACallbackTheHistoryIsKept) {
    Fixture f(2);
    f.puzzle->onSolved = nullptr;
    f.history.Append(0, 0, true);
    EXPECT_TRUE(f.puzzle->IsSolved());
    EXPECT_EQ(f.history.Count(), 1);
}

TEST(Navigation, StepsBackAndForwardTurnTheRecordedWaysAndSkipBadRecords) {
    Fixture f(3);
    f.history.Append(0, 1, true);
    f.history.Append(1, 7, false);
    f.history.Append(-1, 0, true);
    f.history.Append(3, 0, true);
    f.puzzle->StepBack();
    f.puzzle->StepBack();
    f.puzzle->StepBack();
    EXPECT_EQ(f.puzzle->CurrentTwist(), nullptr);
    f.puzzle->StepBack();
    ASSERT_NE(f.puzzle->CurrentTwist(), nullptr);
    EXPECT_EQ(f.puzzle->LayerAngle(0, 1), -Rad10);
    // Blocked while a twist runs: the history does not move.
    f.puzzle->StepForward();
    EXPECT_EQ(f.puzzle->LayerAngle(0, 1), -Rad10);
    TickUntilIdle(*f.puzzle);
    f.puzzle->StepForward();
    EXPECT_EQ(f.puzzle->LayerAngle(0, 1), Rad10);
    EXPECT_EQ(f.puzzle->CurrentTwist()->kind, TwistKind::ForwardTwist);
    TickUntilIdle(*f.puzzle);
    for (int s = 0; s < 4; ++s) {
        f.puzzle->StepForward();
        EXPECT_EQ(f.puzzle->CurrentTwist(), nullptr);
    }
    EXPECT_EQ(f.history.StepForward(), nullptr);
    EXPECT_EQ(f.history.Count(), 4);
}

TEST(Navigation, NothingStepsWhileHeldOrWithoutAHistory) {
    Fixture f(3);
    f.history.Append(0, 0, true);
    f.puzzle->SetHold(true);
    f.puzzle->StepBack();
    f.puzzle->Replay();
    EXPECT_EQ(f.puzzle->CurrentTwist(), nullptr);
    f.puzzle->SetHold(false);
    f.puzzle->SetHistory(nullptr);
    f.puzzle->StepBack();
    f.puzzle->StepForward();
    f.puzzle->Replay();
    EXPECT_EQ(f.puzzle->CurrentTwist(), nullptr);
    EXPECT_EQ(f.puzzle->LayerAngle(0, 0), 0);
    // The history was never stepped: its newest move is still there to undo.
    ASSERT_NE(f.history.StepBack(), nullptr);
}

TEST(Replay, AppliesMovesUpToTheFirstThatDoesNotFit) {
    for (const MoveRecord bad : {MoveRecord{0, 3, true}, MoveRecord{-1, 0, true}}) {
        Fixture f(3);
        f.history.Append(0, 0, true);
        f.history.Append(2, 1, false);
        f.history.Append(bad.axis, bad.layer, bad.positive);
        f.history.Append(1, 1, true);
        f.puzzle->Replay();
        auto expected = MakePuzzle(3);
        QuarterTurn(*expected, 0, 0, true);
        QuarterTurn(*expected, 2, 1, false);
        EXPECT_EQ(CellIds(*f.puzzle), CellIds(*expected));
        EXPECT_EQ(f.history.Count(), 4);
        EXPECT_EQ(f.solvedCalls, 0);
        EXPECT_EQ(f.puzzle->CurrentTwist(), nullptr);
        // The walk was rewound for the next reader.
        const MoveRecord* first = f.history.NextReplay();
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(first->axis, 0);
    }
}

} // namespace
