#pragma once

#include "math3d/Vector3D.h"

#include <cstdint>

class CCube;
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
    // The grabbed cubie and face of a drag; for other twists the cubie in cell (0, 0, 0) and its
    // face 0, placeholders only.
    CCube* cubie = nullptr;
    CubeFace* face = nullptr;
    // A drag twist's first movement on the screen, as a unit vector turned to the way that
    // turns the layer positively, and the pace at which the layer follows the grabbed sticker.
    Vector3D onward;
    double followGain = 1;
    int axis = 0;
    int layer = 0;
    // The direction in which the animation moves the layer.
    bool positive = true;
    TwistKind kind = TwistKind::UserTwist;
};
