#pragma once

#include "math3d/Vector3D.h"

#include <cstdint>

class CubeFace;

// Who started a twist, which decides whether its completion is recorded and checked.
enum class TwistKind : std::int32_t {
    UserTwist = 0, // a drag or a plain shuffle twist: recorded, then the solved check
    DemoTwist = 1,
    BackTwist = 2,
    ForwardTwist = 3,
};

// The one layer twist in progress.
struct ActiveTwist {
    // The grabbed face of a drag; for other twists face 0 of the cubie in cell (0, 0, 0), a
    // placeholder only.
    CubeFace* face = nullptr;
    int axis = 0;
    int layer = 0;
    // The direction in which the animation moves the layer.
    bool positive = true;
    TwistKind kind = TwistKind::UserTwist;
};

// One left-button drag: the layer it turns, the way, and how far the pointer has gone along the
// grabbed sticker's grid line. Its twists come and go (each quarter completes, a drag back
// cancels); the stroke lasts until the button is let go.
struct DragStroke {
    CubeFace* face = nullptr;
    int axis = 0;
    int layer = 0;
    // +1 when the way chosen turns the layer positively, else -1.
    double way = 1;
    // The grid line on the screen, a unit vector pointing the chosen way.
    Vector3D line;
    // The pointer's progress along the line since the press, in radians; the quarters recorded.
    double progress = 0;
    int quarters = 0;
    // Whether the last movement along the line went onward, which release finishes.
    bool onward = true;
};
