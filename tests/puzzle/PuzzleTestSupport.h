#pragma once

#include "math3d/Angles.h"
#include "puzzle/CMozai.h"

#include <cmath>
#include <memory>

// A puzzle placed as the application places it, with a fixed random seed.
inline std::unique_ptr<CMozai> MakePuzzle(int n, const COLORREF* colours = nullptr) {
    auto p = std::make_unique<CMozai>(n, 0, 0, 0, -1, 0, 1, 0, 0, 1, colours);
    p->Seed(1);
    return p;
}

inline Vertex3D CellCentre(const CMozai& p, int i, int j, int k) {
    const double c = 15.0 * (p.Size() - 1);
    return Vertex3D(30.0 * i - c, 30.0 * j - c, 30.0 * k - c);
}

// True when the cubie's rest corners are the corners of the 30-unit cell centred at centre and
// its current corners equal them (the cubie is at rest there).
inline bool SitsAt(const CCube& cubie, const Vertex3D& centre) {
    Vertex3D sum;
    for (int c = 0; c < CCube::cornerCount; ++c) {
        const Vertex3D& r = cubie.RestCorners()[c];
        if (cubie.Corners()[c] != r || std::abs(std::abs(r.x - centre.x) - 15) > 1e-6 ||
            std::abs(std::abs(r.y - centre.y) - 15) > 1e-6 ||
            std::abs(std::abs(r.z - centre.z) - 15) > 1e-6) {
            return false;
        }
        sum += r;
    }
    return sum / CCube::cornerCount == centre;
}

// A quarter turn made at once, as the replay makes it.
inline TwistResult QuarterTurn(CMozai& p, int axis, int layer, bool positive) {
    p.TurnLayer(axis, layer, positive ? Rad90 : -Rad90);
    return p.SettleLayer(axis, layer);
}

// A quarter turn animated by the timer from a first step of 10 degrees; returns the ticks taken.
inline int AnimatedTurn(CMozai& p, int axis, int layer, bool positive, TwistKind kind) {
    CCube* placeholder = p.Cubie(0, 0, 0);
    p.BeginTwist(placeholder, placeholder->Face(0), axis, layer, positive, kind);
    p.TurnLayer(axis, layer, positive ? Rad10 : -Rad10);
    int ticks = 0;
    while (p.CurrentTwist() != nullptr && ticks < 100) {
        p.Tick();
        ++ticks;
    }
    return ticks;
}
