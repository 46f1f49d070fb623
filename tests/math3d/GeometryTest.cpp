#include "math3d/Geometry.h"
#include "math3d/Angles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

// Read while this file's statics are initialised: the axes must hold their values by then.
const Vector3D axisSeenAtStartUp = AxisByIndex(1);
static_assert(Rad360 == 0 && Rad1 > 0, "angle constants are fixed at compile time");

// DegToRad reduces only beyond 359 degrees, keeping the sign. Axes by index and back: within the
// point tolerance of a positive axis only; X cross Y is Z. Lengths below a millionth count as 0,
// unnormalised; points are equal strictly within a millionth; division by zero gives the origin.
TEST(Geometry, DegreesAxesVectorsAndPointsWithTheirTolerance) {
    const int degrees[] = {45, 359, -359, 360, -360, 720, 400, -370};
    const double radians[] = {0.7853981633974483, 6.265732014659643,   -6.265732014659643, 0, 0, 0,
                              0.6981317007977318, -0.17453292519943295};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(DegToRad(degrees[i]), radians[i]) << degrees[i];
    EXPECT_TRUE(ToVertex(axisSeenAtStartUp) == Vertex3D(0, 1, 0));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(AxisIndex(AxisByIndex(i)), i);
    EXPECT_TRUE(ToVertex(AxisByIndex(5)) == Vertex3D() && ToVertex(AxisByIndex(-1)) == Vertex3D());
    const Vector3D vectors[] = {Vector3D(1, 0.0000005, 0), Vector3D(0, 0, -1),
                                Vector3D(0, 1.0000011, 0), Vector3D(), Cross(AxisX, AxisY)};
    const int indices[] = {0, 3, 3, 3, 2};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(AxisIndex(vectors[i]), indices[i]) << i;
    Vector3D tiny(0.0000005, 0, 0), small(0.000001, 0, 0);
    EXPECT_EQ(tiny.Length(), 0);
    tiny.Normalize();
    small.Normalize();
    EXPECT_TRUE(tiny.x == 0.0000005 && small.x == 1);
    Vector3D v(Vertex3D(1, 2, 3), Vertex3D(1, 5, -1)); // to - from
    EXPECT_EQ(v.Length(), 5);
    v.Normalize();
    EXPECT_TRUE(ToVertex(v) == Vertex3D(0, 0.6, -0.8));
    EXPECT_EQ(Distance(Vertex3D(1, 2, 3), Vertex3D(4, 6, 3)), 5);
    EXPECT_TRUE(Vertex3D(0.0000009, -0.0000009, 0.0000009) == Vertex3D());
    for (const Vertex3D& p : {Vertex3D(0.000001, 0, 0), Vertex3D(0, -0.000001, 0),
                              Vertex3D(0, 0, 0.000001), Vertex3D(std::nan(""), 0, 0)})
        EXPECT_TRUE(!(p == Vertex3D()) && p != Vertex3D());
    EXPECT_TRUE(Vertex3D(2, 4, 6) / 2 == Vertex3D(1, 2, 3) && Vertex3D(2, 4, 6) / 0 == Vertex3D());
    testing::internal::CaptureStdout();
    Vertex3D(1.5, -2, 0.1234567).Print();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "V3(1.5, -2, 0.123457)\n");
}

// The scalar part comes last; Normalize keeps zero; RotatePoint is right-handed, RotateVector not.
TEST(Quaternion, ComponentOrderNormalizeAndRotationSense) {
    Quaternion q(1, 2, 3, 4), zero(0, 0, 0, 0), n(0, 3, 0, 4);
    q.Multiply(-1, -2, -3, 4); // times its conjugate: the squared norm
    zero.Normalize();
    n.Normalize();
    EXPECT_TRUE(q.w == 30 && q.x == 0 && q.y == 0 && q.z == 0);
    EXPECT_EQ(zero.w, 0);
    EXPECT_DOUBLE_EQ(n.w, 0.8);
    Vertex3D eye(0, 0, 300), p(1, 0, 0);
    Vector3D v(1, 0, 0);
    RotatePoint(Quaternion(-Rad20, AxisX), eye);
    RotatePoint(Quaternion(Rad90, AxisY), p);
    RotateVector(Quaternion(Rad90, AxisY), v);
    EXPECT_NEAR(eye.y, 102.60604299770063, 1e-9);
    EXPECT_NEAR(eye.z, 281.90778623577253, 1e-9);
    EXPECT_TRUE(p == Vertex3D(0, 0, -1) && ToVertex(v) == Vertex3D(0, 0, 1));
}

Matrix4D FromRows(const double (&rows)[4][4]) {
    Matrix4D a;
    std::copy(&rows[0][0], &rows[0][0] + 16, &a.m[0][0]);
    return a;
}

// Inverse(a) * a is the identity within tolerance, from row fromRow on.
void ExpectInverseTimes(Matrix4D a, const Matrix4D& times, double tolerance = 0, int fromRow = 0) {
    a.Invert();
    a = a * times;
    for (int i = 4 * fromRow; i < 16; ++i)
        EXPECT_NEAR(a.m[i / 4][i % 4], i / 4 == i % 4 ? 1 : 0, tolerance) << i;
}

// Zero pivots swap with the next row, never by magnitude; singular (or NaN) gives the identity.
TEST(Matrix4D, InvertSwapsZeroPivotsAndGivesTheIdentityWhenSingular) {
    std::vector<Matrix4D> invertible = {
        FromRows({{0, 2, 0, 0}, {3, 0, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}),
        FromRows({{0, 1, 0, 5}, {0, 2, 1, 0}, {4, 0, 0, 0}, {0, 0, 0, 1}})};
    std::mt19937 random(7);
    std::uniform_real_distribution<double> entry(-1, 1);
    for (int trial = 0; trial < 200; ++trial) {
        // A dominant diagonal keeps the matrix well conditioned without magnitude pivots.
        Matrix4D& a = invertible.emplace_back();
        for (int i = 0; i < 16; ++i)
            a.m[i / 4][i % 4] = entry(random) + (i / 4 == i % 4 ? (trial % 2 ? 5 : -5) : 0);
    }
    for (std::size_t i = 0; i < invertible.size(); ++i) {
        SCOPED_TRACE(i);
        ExpectInverseTimes(invertible[i], invertible[i], i < 2 ? 1e-15 : 1e-12);
    }
    for (const Matrix4D& a :
         {Matrix4D(), FromRows({{0, 1, 2, 3}, {0, 4, 5, 6}, {0, 7, 8, 9}, {0, 0, 0, 1}}),
          FromRows({{1, 2, 3, 4}, {2, 4, 6, 8}, {0, 0, 1, 0}, {0, 0, 0, 1}})})
        ExpectInverseTimes(a, Matrix4D());
    // Pivoting by magnitude would give about -1 here, and rows with a zero factor stay.
    Matrix4D a = FromRows({{1e-20, 1, 0, 0}, {1, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}});
    a.Invert();
    EXPECT_EQ(a.m[0][0], 0);
    Matrix4D nan;
    nan.m[0][3] = std::nan("");
    ExpectInverseTimes(nan, Matrix4D(), 0, 1);
}

} // namespace
