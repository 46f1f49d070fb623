#include "math3d/Angles.h"
#include "math3d/Geometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Read while this file's statics are initialised: the axes must hold their values by then.
const Vector3D axisSeenAtStartUp = AxisByIndex(1);
static_assert(Rad360 == 0 && Rad1 > 0, "angle constants are fixed at compile time");

TEST(Angles, DegToRadReducesOnlyBeyond359KeepingTheSign) {
    const int degrees[] = {45, 359, -359, 360, -360, 720, 400, -370};
    const double radians[] = {0.7853981633974483, 6.265732014659643,   -6.265732014659643, 0, 0, 0,
                              0.6981317007977318, -0.17453292519943295};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(DegToRad(degrees[i]), radians[i]) << degrees[i];
    }
    EXPECT_TRUE(ToVertex(axisSeenAtStartUp) == Vertex3D(0, 1, 0));
}

TEST(Vector3D, LengthAndNormalizeIgnoreVectorsBelowOneMillionth) {
    Vector3D tiny(0.0000005, 0, 0), small(0.000001, 0, 0);
    EXPECT_EQ(tiny.Length(), 0);
    tiny.Normalize();
    small.Normalize();
    EXPECT_TRUE(tiny.x == 0.0000005 && small.x == 1);
    Vector3D v(Vertex3D(1, 2, 3), Vertex3D(1, 5, -1)); // to - from
    EXPECT_EQ(v.Length(), 5);
    v.Normalize();
    EXPECT_TRUE(ToVertex(v) == Vertex3D(0, 0.6, -0.8));
}

TEST(Vertex3D, EqualityIsStrictlyWithinOneMillionthAndDivisionByZeroGivesTheOrigin) {
    EXPECT_TRUE(Vertex3D(0.0000009, -0.0000009, 0.0000009) == Vertex3D());
    for (const Vertex3D& p : {Vertex3D(0.000001, 0, 0), Vertex3D(0, -0.000001, 0),
                              Vertex3D(0, 0, 0.000001), Vertex3D(std::nan(""), 0, 0)}) {
        EXPECT_TRUE(!(p == Vertex3D()) && p != Vertex3D());
    }
    EXPECT_TRUE(Vertex3D(2, 4, 6) / 2 == Vertex3D(1, 2, 3) && Vertex3D(2, 4, 6) / 0 == Vertex3D());
    testing::internal::CaptureStdout();
    Vertex3D(1.5, -2, 0.1234567).Print();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "V3(1.5, -2, 0.123457)\n");
}

TEST(Geometry, AxesByIndexAndBackWithTolerance) {
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(AxisIndex(AxisByIndex(i)), i);
    }
    EXPECT_TRUE(ToVertex(AxisByIndex(5)) == Vertex3D() && ToVertex(AxisByIndex(-1)) == Vertex3D());
    // Within the point tolerance of a positive axis only; X cross Y is Z (right-handed).
    const Vector3D vectors[] = {Vector3D(1, 0.0000005, 0), Vector3D(0, 0, -1),
                                Vector3D(0, 1.0000011, 0), Vector3D(), Cross(AxisX, AxisY)};
    const int indices[] = {0, 3, 3, 3, 2};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(AxisIndex(vectors[i]), indices[i]) << i;
    }
    EXPECT_EQ(Distance(Vertex3D(1, 2, 3), Vertex3D(4, 6, 3)), 5);
}

} // namespace
