#include "math3d/Vector3D.h"
#include "math3d/Vertex3D.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

void ExpectCoords(const Vertex3D& p, double x, double y, double z) {
    EXPECT_EQ(p.x, x);
    EXPECT_EQ(p.y, y);
    EXPECT_EQ(p.z, z);
}

TEST(Vector3D, LengthAndNormalizeIgnoreVectorsBelowOneMillionth) {
    Vector3D tiny(0.0000005, 0, 0);
    EXPECT_EQ(tiny.Length(), 0);
    tiny.Normalize();
    EXPECT_EQ(tiny.x, 0.0000005);

    Vector3D zero;
    zero.Normalize();
    EXPECT_EQ(zero.x, 0);
    EXPECT_EQ(zero.y, 0);

    Vector3D small(0.000001, 0, 0);
    small.Normalize();
    EXPECT_DOUBLE_EQ(small.x, 1);

    Vector3D v(0, 3, -4);
    EXPECT_DOUBLE_EQ(v.Length(), 5);
    v.Normalize();
    EXPECT_DOUBLE_EQ(v.y, 0.6);
    EXPECT_DOUBLE_EQ(v.z, -0.8);
}

TEST(Vector3D, DisplacementPointsFromFirstToSecond) {
    const Vector3D d(Vertex3D(1, 2, 3), Vertex3D(4, 0, 3));
    EXPECT_EQ(d.x, 3);
    EXPECT_EQ(d.y, -2);
    EXPECT_EQ(d.z, 0);
    Vector3D e = d + Vector3D(1, 1, 1) * 2;
    e -= Vector3D(5, 0, 2);
    EXPECT_EQ(e.x, 0);
    EXPECT_EQ(e.y, 0);
    EXPECT_EQ(e.z, 0);
}

TEST(Vertex3D, EqualityIsStrictlyWithinOneMillionthPerCoordinate) {
    const Vertex3D origin;
    EXPECT_TRUE(Vertex3D(0.0000009, 0, 0) == origin);
    EXPECT_TRUE(Vertex3D(-0.0000009, 0.0000009, -0.0000009) == origin);
    for (const Vertex3D& p :
         {Vertex3D(0.000001, 0, 0), Vertex3D(0, -0.000001, 0), Vertex3D(0, 0, 0.000001)}) {
        EXPECT_FALSE(p == origin);
        EXPECT_TRUE(p != origin);
    }
    const Vertex3D nan(std::numeric_limits<double>::quiet_NaN(), 0, 0);
    EXPECT_FALSE(nan == nan);
    EXPECT_TRUE(nan != nan);
}

TEST(Vertex3D, DivisionByExactlyZeroGivesTheOrigin) {
    ExpectCoords(Vertex3D(2, 4, 6) / 2, 1, 2, 3);
    ExpectCoords(Vertex3D(2, 4, 6) / 0, 0, 0, 0);
    ExpectCoords(Vertex3D(2, 4, 6) / -0.0, 0, 0, 0);
}

TEST(Vertex3D, ArithmeticAndAssignment) {
    Vertex3D p(1, 2, 3);
    p += Vertex3D(1, 1, 1);
    ExpectCoords(p + Vertex3D(0, 0, -4), 2, 3, 0);
    ExpectCoords(p * -2, -4, -6, -8);
    Vertex3D q;
    q = p;
    ExpectCoords(q, 2, 3, 4);
    ExpectCoords(Vertex3D().Copy(p), 2, 3, 4);
}

TEST(Vertex3D, PrintWritesV3WithDefaultStreamFormat) {
    testing::internal::CaptureStdout();
    Vertex3D(1.5, -2, 0.1234567).Print();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "V3(1.5, -2, 0.123457)\n");
}

} // namespace
