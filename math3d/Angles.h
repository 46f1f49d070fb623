#pragma once

#include "math3d/Vector3D.h"

// The unit axes of world space.
extern const Vector3D AxisX;
extern const Vector3D AxisY;
extern const Vector3D AxisZ;

constexpr double radiansPerDegree = 0.017453292519943295;

// Whole degrees to radians. Beyond +-359 the degrees are first reduced by a truncating remainder
// of 360, which keeps the sign: 400 -> 40, -370 -> -10, and 360 -> 0 (so Rad360 is 0, not 2 pi).
constexpr double DegToRad(int degrees) {
    if (degrees < -359 || degrees > 359) {
        degrees %= 360;
    }
    return degrees * radiansPerDegree;
}

constexpr double Rad360 = DegToRad(360);
constexpr double Rad180 = DegToRad(180);
constexpr double Rad90 = DegToRad(90);
constexpr double Rad45 = DegToRad(45);
constexpr double Rad30 = DegToRad(30);
constexpr double Rad20 = DegToRad(20);
constexpr double Rad15 = DegToRad(15);
constexpr double Rad10 = DegToRad(10);
constexpr double Rad5 = DegToRad(5);
constexpr double Rad4 = DegToRad(4);
constexpr double Rad3 = DegToRad(3);
constexpr double Rad2 = DegToRad(2);
constexpr double Rad1 = DegToRad(1);
