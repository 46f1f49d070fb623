#include "math3d/Angles.h"
#include "math3d/Geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

namespace {

// Read while this file's statics are initialised: the axes must hold their values by then.
const Vector3D axisSeenAtStartUp = AxisByIndex(1);
static_assert(Rad360 == 0 && Rad1 > 0, "angle constants are fixed at compile time");

bool Same(const Vertex3D& p, double x, double y, double z) {
    return p.x == x && p.y == y && p.z == z;
}

TEST(Angles, DegToRadReducesOnlyBeyond359KeepingTheSign) {
    const std::pair<int, double> cases[] = {{45, 0.7853981633974483},
                                            {359, 6.265732014659643},
                                            {-359, -6.265732014659643},
                                            {360, 0},
                                            {-360, 0},
                                            {720, 0},
                                            {400, 0.6981317007977318},
                                            {-370, -0.17453292519943295}};
    for (const auto& [degrees, radians] : cases) {
        EXPECT_EQ(DegToRad(degrees), radians) << degrees;
    }
    EXPECT_TRUE(Same(ToVertex(axisSeenAtStartUp), 0, 1, 0));
}

TEST(Vector3D, LengthAndNormalizeIgnoreVectorsBelowOneMillionth) {
    Vector3D tiny(0.0000005, 0, 0);
    EXPECT_EQ(tiny.Length(), 0);
    tiny.Normalize();
    EXPECT_EQ(tiny.x, 0.0000005);
    Vector3D small(0.000001, 0, 0);
    small.Normalize();
    EXPECT_DOUBLE_EQ(small.x, 1);
    Vector3D v = Vector3D(Vertex3D(1, 2, 3), Vertex3D(1, 5, -1)); // to - from
    EXPECT_EQ(v.Length(), 5);
    v.Normalize();
    EXPECT_TRUE(ToVertex(v) == Vertex3D(0, 0.6, -0.8));
}

TEST(Vertex3D, EqualityIsStrictlyWithinOneMillionthOnEveryCoordinate) {
    const Vertex3D origin;
    EXPECT_TRUE(Vertex3D(0.0000009, -0.0000009, 0.0000009) == origin);
    for (const Vertex3D& p : {Vertex3D(0.000001, 0, 0), Vertex3D(0, -0.000001, 0),
                              Vertex3D(0, 0, 0.000001), Vertex3D(std::nan(""), 0, 0)}) {
        EXPECT_FALSE(p == origin);
        EXPECT_TRUE(p != origin);
    }
}

TEST(Vertex3D, DivisionByExactlyZeroGivesTheOriginAndPrintUsesTheStreamFormat) {
    EXPECT_TRUE(Same(Vertex3D(2, 4, 6) / 2, 1, 2, 3));
    EXPECT_TRUE(Same(Vertex3D(2, 4, 6) / 0, 0, 0, 0));
    testing::internal::CaptureStdout();
    Vertex3D(1.5, -2, 0.1234567).Print();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "V3(1.5, -2, 0.123457)\n");
}

TEST(Geometry, AxesByIndexAndBackWithTolerance) {
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(AxisIndex(AxisByIndex(i)), i);
    }
    EXPECT_TRUE(Same(ToVertex(AxisByIndex(5)), 0, 0, 0));
    EXPECT_TRUE(Same(ToVertex(AxisByIndex(-1)), 0, 0, 0));
    EXPECT_EQ(AxisIndex(Vector3D(1, 0.0000005, 0)), 0);
    EXPECT_EQ(AxisIndex(Vector3D(0, 0, -1)), 3);
    EXPECT_EQ(AxisIndex(Vector3D(0, 1.0000011, 0)), 3);
    EXPECT_EQ(AxisIndex(Vector3D()), 3);
    EXPECT_EQ(AxisIndex(Cross(AxisX, AxisY)), 2); // right-handed
    EXPECT_EQ(Distance(Vertex3D(1, 2, 3), Vertex3D(4, 6, 3)), 5);
}

} // namespace
