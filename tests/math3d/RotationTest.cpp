#include "math3d/Angles.h"
#include "math3d/Geometry.h"

#include <gtest/gtest.h>

namespace {

TEST(Quaternion, ScalarPartComesLastInTheConstructorAndNormalizeKeepsZero) {
    Quaternion q(1, 2, 3, 4), zero(0, 0, 0, 0), n(0, 3, 0, 4);
    q.Multiply(-1, -2, -3, 4); // times its conjugate: the squared norm
    zero.Normalize();
    n.Normalize();
    EXPECT_TRUE(q.w == 30 && q.x == 0 && q.y == 0 && q.z == 0);
    EXPECT_EQ(zero.w, 0);
    EXPECT_DOUBLE_EQ(n.w, 0.8);
}

TEST(Quaternion, RotatePointIsRightHandedAndRotateVectorTurnsBack) {
    Vertex3D eye(0, 0, 300), p(1, 0, 0);
    RotatePoint(Quaternion(-Rad20, AxisX), eye);
    EXPECT_NEAR(eye.y, 102.60604299770063, 1e-9);
    EXPECT_NEAR(eye.z, 281.90778623577253, 1e-9);
    RotatePoint(Quaternion(Rad90, AxisY), p);
    EXPECT_TRUE(p == Vertex3D(0, 0, -1));
    Vector3D v(1, 0, 0);
    RotateVector(Quaternion(Rad90, AxisY), v);
    EXPECT_TRUE(ToVertex(v) == Vertex3D(0, 0, 1));
}

} // namespace
