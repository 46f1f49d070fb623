#include "math3d/Angles.h"

// Constant-initialised (the constructor is constexpr), so they hold before any code runs.
const Vector3D AxisX(1, 0, 0);
const Vector3D AxisY(0, 1, 0);
const Vector3D AxisZ(0, 0, 1);
