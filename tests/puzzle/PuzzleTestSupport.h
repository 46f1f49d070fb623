#pragma once

#include "math3d/Angles.h"
#include "puzzle/CMozai.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

// A puzzle placed as the application places it, with a fixed random seed.
inline std::unique_ptr<CMozai> MakePuzzle(int n, const COLORREF* colours = nullptr) {
    auto p = std::make_unique<CMozai>(n, 0, 0, 0, -1, 0, 1, 0, 0, 1, colours);
    p->Seed(1);
    return p;
}

// True when the cubie is at rest and its rest corners are those of the cell (i, j, k).
inline bool SitsAt(const CCube& cubie, const CMozai& p, int i, int j, int k) {
    const double c = 15.0 * (p.Size() - 1);
    const Vertex3D centre(30.0 * i - c, 30.0 * j - c, 30.0 * k - c);
    Vertex3D sum;
    for (int n = 0; n < CCube::cornerCount; ++n) {
        const Vertex3D& r = cubie.RestCorners()[n];
        const Vertex3D d(std::abs(r.x - centre.x), std::abs(r.y - centre.y),
                         std::abs(r.z - centre.z));
        if (cubie.Corners()[n] != r || !(d == Vertex3D(15, 15, 15))) {
            return false;
        }
        sum += r;
    }
    return sum / CCube::cornerCount == centre;
}

// The id of the cubie in each cell, i outermost.
inline std::vector<int> CellIds(const CMozai& p) {
    std::vector<int> ids;
    const int n = p.Size();
    for (int c = 0; c < n * n * n; ++c) {
        ids.push_back(p.Cubie(c / (n * n), c / n % n, c % n)->Id());
    }
    return ids;
}

// Every cubie's current corners equal those of the same cubie in the other puzzle: bit for bit
// when exact, else within the point tolerance.
inline void ExpectSameCorners(const CMozai& a, const CMozai& b, bool exact) {
    for (int id = 0; id < a.CubieCount(); ++id) {
        for (int c = 0; c < CCube::cornerCount; ++c) {
            const Vertex3D& x = a.FindCubie(id)->Corners()[c];
            const Vertex3D& y = b.FindCubie(id)->Corners()[c];
            ASSERT_TRUE(exact ? x.x == y.x && x.y == y.y && x.z == y.z : x == y) << "cubie " << id;
        }
    }
}

// A quarter turn made at once, as the replay makes it.
inline TwistResult QuarterTurn(CMozai& p, int axis, int layer, bool positive) {
    p.TurnLayer(axis, layer, positive ? Rad90 : -Rad90);
    return p.SettleLayer(axis, layer);
}

// Ticks until nothing moves or is pending; returns the ticks taken.
inline int TickUntilIdle(CMozai& p, int limit = 2000) {
    int ticks = 0;
    while ((p.CurrentTwist() != nullptr || p.ShuffleRemaining() > 0) && ticks < limit) {
        p.Tick();
        ++ticks;
    }
    return ticks;
}

// A quarter turn animated by the timer from a first step of 10 degrees.
inline void AnimatedTurn(CMozai& p, int axis, int layer, bool positive, TwistKind kind) {
    CCube* placeholder = p.Cubie(0, 0, 0);
    p.BeginTwist(placeholder, placeholder->Face(0), axis, layer, positive, kind);
    p.TurnLayer(axis, layer, positive ? Rad10 : -Rad10);
    TickUntilIdle(p);
}
