#include "math3d/Quaternion.h"
#include "math3d/Angles.h"
#include "math3d/Geometry.h"

#include <gtest/gtest.h>

namespace {

constexpr double rounding = 1e-9;

void ExpectNear(const Vertex3D& p, double x, double y, double z, double tolerance = rounding) {
    EXPECT_NEAR(p.x, x, tolerance);
    EXPECT_NEAR(p.y, y, tolerance);
    EXPECT_NEAR(p.z, z, tolerance);
}

TEST(Quaternion, ConstructorTakesTheScalarPartLast) {
    const Quaternion q(1, 2, 3, 4);
    EXPECT_EQ(q.w, 4);
    EXPECT_EQ(q.x, 1);
    EXPECT_EQ(q.z, 3);
}

TEST(Quaternion, ProductFollowsHamiltonsRules) {
    Quaternion ij(1, 0, 0, 0);
    ij.Multiply(Quaternion(0, 1, 0, 0));
    EXPECT_EQ(ij.z, 1);
    Quaternion ji(0, 1, 0, 0);
    ji.Multiply(1, 0, 0, 0);
    EXPECT_EQ(ji.z, -1);
    Quaternion q(1, 2, 3, 4);
    q.Multiply(-1, -2, -3, 4); // q times its conjugate: the squared norm
    EXPECT_EQ(q.w, 30);
    EXPECT_EQ(q.x, 0);
    EXPECT_EQ(q.y, 0);
    EXPECT_EQ(q.z, 0);
}

TEST(Quaternion, NormalizeScalesToUnitAndKeepsZero) {
    Quaternion q(0, 3, 0, 4);
    q.Normalize();
    EXPECT_DOUBLE_EQ(q.y, 0.6);
    EXPECT_DOUBLE_EQ(q.w, 0.8);
    Quaternion zero(0, 0, 0, 0);
    zero.Normalize();
    EXPECT_EQ(zero.w, 0);
    EXPECT_EQ(zero.x, 0);
}

TEST(Quaternion, RotatePointIsRightHandedAboutTheAxis) {
    Vertex3D eye(0, 0, 300);
    RotatePoint(Quaternion(-Rad20, AxisX), eye);
    ExpectNear(eye, 0, 102.60604299770063, 281.90778623577253);

    Vertex3D p(1, 0, 0);
    RotatePoint(Quaternion(Rad90, AxisY), p);
    ExpectNear(p, 0, 0, -1);

    Vertex3D q(1, 0, 0);
    RotatePoint(Quaternion(Rad90, AxisZ), q);
    ExpectNear(q, 0, 1, 0);
}

TEST(Quaternion, RotateVectorTurnsByTheInverse) {
    Vector3D v(1, 0, 0);
    RotateVector(Quaternion(Rad90, AxisY), v);
    ExpectNear(ToVertex(v), 0, 0, 1);

    Vector3D w(0, 0, 300);
    RotateVector(Quaternion(Rad20, AxisX), w);
    ExpectNear(ToVertex(w), 0, 102.60604299770063, 281.90778623577253);
}

} // namespace
