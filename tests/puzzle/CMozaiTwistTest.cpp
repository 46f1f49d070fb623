#include "PuzzleTestSupport.h"

#include "math3d/Geometry.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF customColours[6] = {0x000001, 0x000002, 0x000003, 0x000004, 0x000005, 0x000006};

// The sticker colour facing the given outward direction, per cell, must be the slot's colour.
TEST(CMozaiConstruction, CellsIdsAndStickersFollowTheGrid) {
    for (int n : {1, 2, 3, 5}) {
        auto p = MakePuzzle(n, customColours);
        const Vertex3D side[6] = {{-1, 0, 0}, {1, 0, 0},  {0, -1, 0},
                                  {0, 1, 0},  {0, 0, -1}, {0, 0, 1}};
        int stickers[6] = {};
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j) {
                for (int k = 0; k < n; ++k) {
                    CCube* cubie = p->Cubie(i, j, k);
                    const int id = (n * i + j) * n + k;
                    ASSERT_EQ(cubie->Id(), id);
                    EXPECT_TRUE(SitsAt(*cubie, CellCentre(*p, i, j, k)));
                    EXPECT_EQ(p->FindCubie(id), cubie);
                    Vertex3D cell;
                    ASSERT_TRUE(p->FindCell(id, cell));
                    EXPECT_TRUE(cell == Vertex3D(i, j, k));
                    const int index[3] = {i, j, k};
                    for (int f = 0; f < 6; ++f) {
                        EXPECT_EQ(p->Faces()[6 * id + f], cubie->Face(f));
                        const COLORREF colour = cubie->Face(f)->colour;
                        int slot = 0;
                        while (slot < 6 && !(ToVertex(cubie->FaceNormal(f)) == side[slot])) {
                            ++slot;
                        }
                        ASSERT_LT(slot, 6);
                        const bool outer = index[slot / 2] == (slot % 2 == 1 ? n - 1 : 0);
                        EXPECT_EQ(colour, outer ? customColours[slot] : NoSticker);
                        stickers[slot] += outer ? 1 : 0;
                    }
                }
            }
        }
        for (int s = 0; s < 6; ++s) {
            EXPECT_EQ(stickers[s], n * n) << "N " << n << " slot " << s;
        }
        EXPECT_EQ(p->CubieCount(), n * n * n);
        EXPECT_EQ(p->FaceCount(), 6 * n * n * n);
        EXPECT_EQ(p->FindCubie(p->CubieCount()), nullptr);
        Vertex3D none(9, 9, 9);
        EXPECT_FALSE(p->FindCell(-1, none));
        EXPECT_TRUE(none == Vertex3D(9, 9, 9));
    }
}

TEST(CMozaiConstruction, DefaultsAndStartState) {
    auto p = MakePuzzle(3);
    const COLORREF defaults[6] = {0xD1D1D1, 0x0000B0, 0x009F34, 0x00EAEA, 0x0080FF, 0x80400F};
    for (int s = 0; s < 6; ++s) {
        EXPECT_EQ(p->Colour(s), defaults[s]);
    }
    EXPECT_EQ(p->Colour(6), NoColour);
    EXPECT_EQ(p->Cubie(2, 2, 2)->Face(0)->colour, 0x00EAEAu);
    EXPECT_TRUE(p->Direct3D());
    EXPECT_FALSE(p->Hold());
    EXPECT_FALSE(p->Demo());
    EXPECT_EQ(p->ShuffleRemaining(), 0);
    EXPECT_EQ(p->CurrentTwist(), nullptr);
    EXPECT_EQ(p->Cubie(3, 0, 0), nullptr);
    EXPECT_EQ(p->Cubie(0, -1, 0), nullptr);
}

TEST(CMozaiConstruction, ASizeOutsideOneToTenIsClamped) {
    EXPECT_EQ(MakePuzzle(0)->Size(), 1);
    EXPECT_EQ(MakePuzzle(-7)->Size(), 1);
    auto big = MakePuzzle(11);
    EXPECT_EQ(big->Size(), 10);
    EXPECT_EQ(big->FaceCount(), 6000);
    EXPECT_EQ(QuarterTurn(*big, 2, 9, true), TwistResult::TwistDonePositive);
    EXPECT_TRUE(SitsAt(*big->Cubie(9, 9, 9), CellCentre(*big, 9, 9, 9)));
    EXPECT_EQ(MakePuzzle(1 << 30)->Size(), 10);
}

TEST(CMozaiColours, ReplaceColourRecoloursFacesAndTable) {
    auto p = MakePuzzle(2, customColours);
    EXPECT_TRUE(p->ReplaceColour(customColours[1], 0x00FF00));
    EXPECT_EQ(p->Colour(1), 0x00FF00u);
    for (int j = 0; j < 2; ++j) {
        for (int k = 0; k < 2; ++k) {
            EXPECT_EQ(p->Cubie(1, j, k)->Face(1)->colour, 0x00FF00u);
        }
    }
    // A new table reaches the table only; replacing one of its colours leaves every face alone.
    p->SetColours(nullptr);
    EXPECT_EQ(p->Colour(0), 0xD1D1D1u);
    EXPECT_TRUE(p->ReplaceColour(0xD1D1D1, 0x777777));
    EXPECT_EQ(p->Colour(0), 0x777777u);
    EXPECT_EQ(p->Cubie(0, 0, 0)->Face(3)->colour, customColours[0]);
    EXPECT_TRUE(p->ReplaceColour(0x123456, 0x654321));
    for (const CubeFace* face : p->Faces()) {
        EXPECT_NE(face->colour, 0x654321u);
    }
}

TEST(CMozaiTwist, TurnLayerIsRefusedWhileAnotherAxisTurns) {
    auto p = MakePuzzle(3);
    p->TurnLayer(1, 0, 0.4);
    const auto before = p->Cubie(1, 1, 1)->Corners();
    p->TurnLayer(0, 1, 0.3);
    EXPECT_EQ(p->LayerAngle(0, 1), 0);
    EXPECT_TRUE(p->Cubie(1, 1, 1)->Corners()[0] == before[0]);
    // Other layers of the same axis may turn, but then none of them settles.
    p->TurnLayer(1, 2, 0.3);
    EXPECT_EQ(p->LayerAngle(1, 2), 0.3);
    p->BeginTwist(nullptr, nullptr, 1, 0, true, TwistKind::UserTwist);
    EXPECT_EQ(p->SettleLayer(1, 0), TwistResult::TwistRefused);
    EXPECT_EQ(p->CurrentTwist(), nullptr);
    EXPECT_EQ(p->LayerAngle(1, 0), 0.4);
}

TEST(CMozaiTwist, BadAxesAndLayersAreIgnoredAndRefused) {
    auto p = MakePuzzle(3);
    for (int axis : {-1, 3}) {
        p->TurnLayer(axis, 0, 0.5);
    }
    for (int layer : {-1, 3, 10}) {
        p->TurnLayer(0, layer, 0.5);
        p->BeginTwist(nullptr, nullptr, 0, layer, true, TwistKind::UserTwist);
        EXPECT_EQ(p->SettleLayer(0, layer), TwistResult::TwistRefused);
        EXPECT_EQ(p->CurrentTwist(), nullptr);
    }
    EXPECT_EQ(p->SettleLayer(3, 0), TwistResult::TwistRefused);
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            for (int k = 0; k < 3; ++k) {
                EXPECT_TRUE(SitsAt(*p->Cubie(i, j, k), CellCentre(*p, i, j, k)));
            }
        }
    }
}

struct SettleCase {
    int axis;
    double angle;
    TwistResult result;
};

TEST(CMozaiTwist, SettleWindows) {
    const SettleCase cases[] = {
        {0, Rad2, TwistResult::TwistCancelled},
        {0, -Rad2, TwistResult::TwistRunning},
        {1, Rad2, TwistResult::TwistCancelled},
        {0, DegToRad(3), TwistResult::TwistRunning},
        {2, 1.5 * Rad1, TwistResult::TwistRunning},
        {0, 1.5 * Rad1, TwistResult::TwistCancelled},
        {2, Rad1, TwistResult::TwistCancelled},
        {2, -Rad1, TwistResult::TwistRunning},
        {1, Rad90 - Rad2, TwistResult::TwistRunning},
        {1, DegToRad(95), TwistResult::TwistDonePositive},
        {2, -DegToRad(89), TwistResult::TwistDoneNegative},
        {0, -(Rad90 - Rad2), TwistResult::TwistRunning},
    };
    for (const SettleCase& c : cases) {
        auto p = MakePuzzle(3);
        const auto start = p->Cubie(0, 0, 0)->Corners();
        p->BeginTwist(nullptr, nullptr, c.axis, 0, true, TwistKind::UserTwist);
        p->TurnLayer(c.axis, 0, c.angle);
        const TwistResult r = p->SettleLayer(c.axis, 0);
        EXPECT_EQ(r, c.result) << "axis " << c.axis << " angle " << c.angle;
        const bool running = r == TwistResult::TwistRunning;
        EXPECT_EQ(p->CurrentTwist() != nullptr, running);
        EXPECT_EQ(p->LayerAngle(c.axis, 0), running ? c.angle : 0);
        if (r == TwistResult::TwistCancelled) {
            for (int corner = 0; corner < CCube::cornerCount; ++corner) {
                EXPECT_EQ(p->Cubie(0, 0, 0)->Corners()[corner].x, start[corner].x);
            }
        }
    }
}

TEST(CMozaiTwist, AnOvershootCompletesExactlyOneQuarterTurn) {
    auto p = MakePuzzle(3);
    CCube* moved = p->Cubie(0, 0, 0);
    p->TurnLayer(1, 0, DegToRad(95));
    EXPECT_EQ(p->SettleLayer(1, 0), TwistResult::TwistDonePositive);
    // +90 degrees about Y takes (i, k) to (k, N - 1 - i).
    EXPECT_EQ(p->Cubie(0, 0, 2), moved);
    CCube reference(0, -30, -30, -30, 0, 0, 1, 0, 1, 0);
    reference.CommitTurn(Rad90, 1);
    for (int c = 0; c < CCube::cornerCount; ++c) {
        EXPECT_EQ(moved->RestCorners()[c].x, reference.RestCorners()[c].x);
        EXPECT_EQ(moved->RestCorners()[c].z, reference.RestCorners()[c].z);
    }
    EXPECT_TRUE(SitsAt(*moved, CellCentre(*p, 0, 0, 2)));
}

TEST(CMozaiTwist, ASingleCubieTurnsInPlace) {
    auto p = MakePuzzle(1);
    CCube* only = p->Cubie(0, 0, 0);
    for (int f = 0; f < 6; ++f) {
        EXPECT_EQ(only->Face(f)->colour, p->Colour((f == 0)   ? 3
                                                   : (f == 1) ? 1
                                                   : (f == 2) ? 4
                                                   : (f == 3) ? 0
                                                   : (f == 4) ? 5
                                                              : 2));
    }
    EXPECT_EQ(QuarterTurn(*p, 0, 0, true), TwistResult::TwistDonePositive);
    EXPECT_EQ(p->Cubie(0, 0, 0), only);
    // +90 degrees about X turns the +Y face to +Z.
    EXPECT_TRUE(ToVertex(only->FaceNormal(0)) == Vertex3D(0, 0, 1));
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
    // +90 degrees about X takes (j, k) to (N - 1 - k, j).
    EXPECT_EQ(p->Cubie(0, 2, 1), moved);
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
        int ticks = 0;
        while (p->CurrentTwist() != nullptr && ticks < 20) {
            p->Tick();
            ++ticks;
        }
        EXPECT_EQ(ticks, 6);
        // -90 degrees about Z takes (i, j) to (j, N - 1 - i).
        const int j = start > 0 ? 2 : 0;
        EXPECT_EQ(p->Cubie(2, j, 0), moved) << start;
        EXPECT_TRUE(SitsAt(*moved, CellCentre(*p, 2, j, 0)));
    }
}

TEST(CMozaiTick, ATwistOfALayerThatDoesNotExistIsDropped) {
    auto p = MakePuzzle(2);
    p->BeginTwist(nullptr, nullptr, 7, 99, true, TwistKind::BackTwist);
    p->Tick();
    EXPECT_EQ(p->CurrentTwist(), nullptr);
    p->BeginTwist(nullptr, nullptr, -1, 0, false, TwistKind::UserTwist);
    p->Tick();
    EXPECT_EQ(p->CurrentTwist(), nullptr);
}

} // namespace
