#include "PuzzleTestSupport.h"

#include "math3d/Geometry.h"

namespace {

constexpr COLORREF customColours[6] = {1, 2, 3, 4, 5, 6};
// The outward direction of each colour slot's side.
const Vertex3D slotSide[6] = {{-1, 0, 0}, {1, 0, 0}, {0, -1, 0}, {0, 1, 0}, {0, 0, -1}, {0, 0, 1}};

int SlotFacing(const Vector3D& n) {
    int slot = 0;
    while (slot < 6 && !(ToVertex(n) == slotSide[slot])) {
        ++slot;
    }
    return slot;
}

TEST(CMozaiConstruction, CellsIdsFacesAndStickersFollowTheGrid) {
    for (int n : {1, 2, 3, 5}) {
        auto p = MakePuzzle(n, customColours);
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j) {
                for (int k = 0; k < n; ++k) {
                    CCube* cubie = p->Cubie(i, j, k);
                    const int id = (n * i + j) * n + k;
                    ASSERT_EQ(cubie->Id(), id);
                    EXPECT_TRUE(SitsAt(*cubie, *p, i, j, k));
                    EXPECT_EQ(p->FindCubie(id), cubie);
                    Vertex3D cell;
                    EXPECT_TRUE(p->FindCell(id, cell) && cell == Vertex3D(i, j, k));
                    const int index[3] = {i, j, k};
                    for (int f = 0; f < 6; ++f) {
                        EXPECT_EQ(p->Faces()[6 * id + f], cubie->Face(f));
                        const int s = SlotFacing(cubie->FaceNormal(f));
                        const bool outer = index[s / 2] == (s % 2 == 1 ? n - 1 : 0);
                        EXPECT_EQ(cubie->Face(f)->colour, outer ? customColours[s] : NoSticker);
                    }
                }
            }
        }
        EXPECT_EQ(p->FaceCount(), 6 * n * n * n);
        EXPECT_EQ(p->FindCubie(p->CubieCount()), nullptr);
        Vertex3D none;
        EXPECT_FALSE(p->FindCell(-1, none));
    }
    auto p = MakePuzzle(3);
    EXPECT_EQ(p->Cubie(2, 2, 2)->Face(0)->colour, 0x00EAEAu); // the +Y default
    EXPECT_EQ(p->Cubie(3, 0, 0), nullptr);
}

TEST(CMozaiConstruction, ASizeOutsideOneToTenIsClamped) {
    EXPECT_EQ(MakePuzzle(0)->Size(), 1);
    EXPECT_EQ(MakePuzzle(-7)->Size(), 1);
    auto big = MakePuzzle(11);
    ASSERT_EQ(big->Size(), 10);
    EXPECT_EQ(QuarterTurn(*big, 2, 9, true), TwistResult::TwistDonePositive);
    EXPECT_TRUE(SitsAt(*big->Cubie(9, 9, 9), *big, 9, 9, 9));
}

TEST(CMozaiColours, ReplaceColourRecoloursFacesAndTable) {
    auto p = MakePuzzle(2, customColours);
    EXPECT_TRUE(p->ReplaceColour(2, 0x00FF00));
    EXPECT_EQ(p->Colour(1), 0x00FF00u);
    EXPECT_EQ(p->Cubie(1, 0, 1)->Face(1)->colour, 0x00FF00u);
    // A new table reaches the table only: replacing its colours leaves every face alone.
    p->SetColours(nullptr);
    EXPECT_TRUE(p->ReplaceColour(0xD1D1D1, 0x777777));
    EXPECT_EQ(p->Colour(0), 0x777777u);
    EXPECT_EQ(p->Cubie(0, 0, 0)->Face(3)->colour, 1u);
}

TEST(CMozaiTwist, TurnsAreRefusedForBadLayersAndWhileAnotherAxisTurns) {
    auto p = MakePuzzle(3);
    p->TurnLayer(1, 0, 0.4);
    const Vertex3D corner = p->Cubie(1, 1, 1)->Corners()[0];
    p->TurnLayer(0, 1, 0.3);
    EXPECT_EQ(p->LayerAngle(0, 1), 0);
    EXPECT_TRUE(p->Cubie(1, 1, 1)->Corners()[0] == corner);
    // Another layer of the same axis turns, but then neither settles.
    p->TurnLayer(1, 2, 0.3);
    EXPECT_EQ(p->LayerAngle(1, 2), 0.3);
    p->BeginTwist(nullptr, nullptr, 1, 0, true, TwistKind::UserTwist);
    EXPECT_EQ(p->SettleLayer(1, 0), TwistResult::TwistRefused);
    EXPECT_EQ(p->CurrentTwist(), nullptr);
    EXPECT_EQ(p->LayerAngle(1, 0), 0.4);
    for (int layer : {-1, 3, 10}) {
        p->BeginTwist(nullptr, nullptr, 1, layer, true, TwistKind::UserTwist);
        EXPECT_EQ(p->SettleLayer(1, layer), TwistResult::TwistRefused);
        EXPECT_EQ(p->CurrentTwist(), nullptr);
    }
    EXPECT_EQ(p->SettleLayer(3, 0), TwistResult::TwistRefused);
    EXPECT_EQ(p->SettleLayer(-1, 0), TwistResult::TwistRefused);
}

TEST(CMozaiTwist, SettleWindowsAndExactQuarterTurns) {
    const struct {
        int axis;
        double angle;
        TwistResult result;
    } cases[] = {
        {0, Rad2, TwistResult::TwistCancelled},
        {0, -Rad2, TwistResult::TwistRunning},
        {2, 1.5 * Rad1, TwistResult::TwistRunning},
        {0, 1.5 * Rad1, TwistResult::TwistCancelled},
        {2, Rad1, TwistResult::TwistCancelled},
        {1, Rad90 - Rad2, TwistResult::TwistRunning},
        {1, DegToRad(95), TwistResult::TwistDonePositive},
        {2, -DegToRad(89), TwistResult::TwistDoneNegative},
    };
    for (const auto& c : cases) {
        auto p = MakePuzzle(3);
        CCube* moved = p->Cubie(0, 0, 0);
        p->BeginTwist(nullptr, nullptr, c.axis, 0, true, TwistKind::UserTwist);
        p->TurnLayer(c.axis, 0, c.angle);
        const TwistResult r = p->SettleLayer(c.axis, 0);
        EXPECT_EQ(r, c.result) << "axis " << c.axis << " angle " << c.angle;
        const bool running = r == TwistResult::TwistRunning;
        EXPECT_EQ(p->CurrentTwist() != nullptr, running);
        EXPECT_EQ(p->LayerAngle(c.axis, 0), running ? c.angle : 0);
        // +90 degrees about Y takes (i, k) to (k, N - 1 - i); -90 about Z (i, j) to (j, N - 1 - i).
        const int j = r == TwistResult::TwistDoneNegative ? 2 : 0;
        const int k = r == TwistResult::TwistDonePositive ? 2 : 0;
        if (!running) {
            EXPECT_EQ(p->Cubie(0, j, k), moved);
            EXPECT_TRUE(SitsAt(*moved, *p, 0, j, k));
        }
    }
}

TEST(CMozaiTwist, ASingleCubieTurnsInPlace) {
    auto p = MakePuzzle(1);
    CCube* only = p->Cubie(0, 0, 0);
    EXPECT_EQ(QuarterTurn(*p, 0, 0, true), TwistResult::TwistDonePositive);
    EXPECT_EQ(p->Cubie(0, 0, 0), only);
    EXPECT_TRUE(ToVertex(only->FaceNormal(0)) == Vertex3D(0, 0, 1)); // +Y turned to +Z
}

TEST(CMozaiTick, EasesFromTenDegreesToTheQuarterTurn) {
    auto p = MakePuzzle(3);
    CCube* moved = p->Cubie(0, 1, 0);
    p->BeginTwist(moved, moved->Face(0), 0, 0, true, TwistKind::DemoTwist);
    p->TurnLayer(0, 0, Rad10);
    for (int degrees : {12, 22, 32, 42, 52, 62, 72, 82, 84, 86}) {
        p->Tick();
        ASSERT_NE(p->CurrentTwist(), nullptr) << degrees;
        EXPECT_NEAR(p->LayerAngle(0, 0), DegToRad(degrees), 1e-12);
    }
    // The eleventh tick adds up to 88 degrees, which in doubles lands one unit in the last place
    // above the 88 degree bound: the twist completes there, not one tick later at 90.
    p->Tick();
    EXPECT_EQ(p->CurrentTwist(), nullptr);
    EXPECT_EQ(p->LayerAngle(0, 0), 0);
    EXPECT_EQ(p->Cubie(0, 2, 1), moved); // +90 about X takes (j, k) to (N - 1 - k, j)
}

TEST(CMozaiTick, AReleasedTwistGoesOnInTheDirectionOfPositiveAndPausesWhileHeld) {
    // From +44 degrees moving negatively it falls into the cancel window (44, 34 ... 4, 2, 0);
    // from -45 it completes as a negative quarter turn (-55 ... -85, -87, -89).
    for (int start : {44, -45}) {
        auto p = MakePuzzle(3);
        CCube* moved = p->Cubie(2, 2, 0);
        p->BeginTwist(moved, moved->Face(4), 2, 0, false, TwistKind::UserTwist);
        p->TurnLayer(2, 0, DegToRad(start));
        p->SetHold(true);
        p->Tick();
        EXPECT_EQ(p->LayerAngle(2, 0), DegToRad(start));
        p->SetHold(false);
        EXPECT_EQ(TickUntilIdle(*p), 6);
        const int j = start > 0 ? 2 : 0; // -90 about Z takes (i, j) to (j, N - 1 - i)
        EXPECT_TRUE(p->Cubie(2, j, 0) == moved && SitsAt(*moved, *p, 2, j, 0)) << start;
    }
}

TEST(CMozaiTick, ATwistOfALayerThatDoesNotExistIsDropped) {
    auto p = MakePuzzle(2);
    for (int axis : {7, -1, 0}) {
        p->BeginTwist(nullptr, nullptr, axis, axis == 0 ? 99 : 0, true, TwistKind::BackTwist);
        p->Tick();
        EXPECT_EQ(p->CurrentTwist(), nullptr);
    }
}

} // namespace
