#pragma once

#include <cstdint>

// One completed layer twist.
struct MoveRecord {
    std::int32_t axis = 0;  // 0, 1, 2 = X, Y, Z; a damaged history.ini can bring other values
    std::int32_t layer = 0; // 0 .. N-1 along the axis; a damaged file can bring others
    bool positive = false;  // the layer ended a positive quarter turn about the axis
};
