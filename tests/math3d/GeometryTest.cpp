#include "math3d/Geometry.h"
#include "math3d/Angles.h"

#include <gtest/gtest.h>

namespace {

// Read during static initialisation of this file: the axes must already hold their values.
const Vector3D axisSeenAtStartUp = AxisByIndex(1);

static_assert(Rad360 == 0, "a full turn reduces to nothing");
static_assert(Rad180 > Rad90 && Rad90 > Rad45 && Rad45 > Rad30 && Rad30 > Rad20 && Rad20 > Rad15 &&
                  Rad15 > Rad10 && Rad10 > Rad5 && Rad5 > Rad4 && Rad4 > Rad3 && Rad3 > Rad2 &&
                  Rad2 > Rad1 && Rad1 > 0,
              "angle constants descend");

TEST(Angles, DegToRadReducesOnlyBeyond359WithTruncatingRemainder) {
    EXPECT_EQ(DegToRad(45), 0.7853981633974483);
    EXPECT_EQ(DegToRad(359), 6.265732014659643);
    EXPECT_EQ(DegToRad(-359), -6.265732014659643);
    EXPECT_EQ(DegToRad(360), 0);
    EXPECT_EQ(DegToRad(-360), 0);
    EXPECT_EQ(DegToRad(720), 0);
    EXPECT_EQ(DegToRad(400), 0.6981317007977318);
    EXPECT_EQ(DegToRad(-370), -0.17453292519943295);
    EXPECT_EQ(Rad20, DegToRad(20));
    EXPECT_EQ(Rad90 * 2, Rad180);
}

TEST(Angles, AxesAreSetBeforeAnyCodeRuns) {
    EXPECT_EQ(axisSeenAtStartUp.x, 0);
    EXPECT_EQ(axisSeenAtStartUp.y, 1);
    EXPECT_EQ(axisSeenAtStartUp.z, 0);
}

TEST(Geometry, AxisByIndexAndBack) {
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(AxisIndex(AxisByIndex(i)), i);
    }
    for (int bad : {-1, 3, 5}) {
        const Vector3D v = AxisByIndex(bad);
        EXPECT_TRUE(v.x == 0 && v.y == 0 && v.z == 0) << bad;
    }
    EXPECT_EQ(AxisIndex(Vector3D(0, 0, 1)), 2);
    EXPECT_EQ(AxisIndex(Vector3D(0, 0, -1)), 3);
    EXPECT_EQ(AxisIndex(Vector3D(-1, 0, 0)), 3);
    EXPECT_EQ(AxisIndex(Vector3D(1, 0.0000005, 0)), 0);
    EXPECT_EQ(AxisIndex(Vector3D(0, 1.0000011, 0)), 3);
    EXPECT_EQ(AxisIndex(Vector3D()), 3);
}

TEST(Geometry, DotCrossDistanceFollowTheRightHand) {
    const Vector3D z = Cross(AxisX, AxisY);
    EXPECT_EQ(AxisIndex(z), 2);
    const Vector3D minusX = Cross(AxisZ, AxisY);
    EXPECT_EQ(minusX.x, -1);
    EXPECT_EQ(Dot(Vector3D(1, 2, 3), Vector3D(-4, 5, 0.5)), 7.5);
    EXPECT_EQ(Distance(Vertex3D(1, 2, 3), Vertex3D(4, 6, 3)), 5);
    const Vertex3D p = ToVertex(ToVector(Vertex3D(7, -8, 9)));
    EXPECT_TRUE(p == Vertex3D(7, -8, 9));
}

TEST(Geometry, TransformPointIsAffineAndIgnoresTheBottomRow) {
    Matrix4D m;
    m.m[0][1] = 2;
    m.m[0][3] = 10;
    m.m[2][3] = -1;
    m.m[3][0] = 7;
    m.m[3][3] = 5;
    Vertex3D p(1, 2, 3);
    TransformPoint(m, p);
    EXPECT_TRUE(p == Vertex3D(15, 2, 2));
}

} // namespace
