#include "math3d/Geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

Matrix4D FromRows(const double (&rows)[4][4]) {
    Matrix4D a;
    std::copy(&rows[0][0], &rows[0][0] + 16, &a.m[0][0]);
    return a;
}

void ExpectIdentity(const Matrix4D& a, double tolerance = 0, int fromRow = 0) {
    for (int i = 4 * fromRow; i < 16; ++i) {
        EXPECT_NEAR(a.m[i / 4][i % 4], i / 4 == i % 4 ? 1 : 0, tolerance) << i;
    }
}

Matrix4D Inverse(Matrix4D a) {
    a.Invert();
    return a;
}

TEST(Matrix4D, InvertSwapsZeroPivotsWithTheFirstRowBelowAndGivesTheIdentityWhenSingular) {
    for (const Matrix4D& a : {FromRows({{0, 2, 0, 0}, {3, 0, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}),
                              FromRows({{0, 1, 0, 5}, {0, 2, 1, 0}, {4, 0, 0, 0}, {0, 0, 0, 1}})}) {
        ExpectIdentity(Inverse(a) * a, 1e-15);
    }
    for (const Matrix4D& a :
         {Matrix4D(), FromRows({{0, 1, 2, 3}, {0, 4, 5, 6}, {0, 7, 8, 9}, {0, 0, 0, 1}}),
          FromRows({{1, 2, 3, 4}, {2, 4, 6, 8}, {0, 0, 1, 0}, {0, 0, 0, 1}})}) {
        ExpectIdentity(Inverse(a));
    }
    // No pivoting by magnitude (which would give about -1), and rows with a zero factor stay.
    EXPECT_EQ(
        Inverse(FromRows({{1e-20, 1, 0, 0}, {1, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}})).m[0][0], 0);
    Matrix4D nan;
    nan.m[0][3] = std::nan("");
    ExpectIdentity(Inverse(nan), 0, 1);
}

TEST(Matrix4D, InverseOfRandomWellConditionedMatrices) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> entry(-1, 1);
    for (int trial = 0; trial < 200; ++trial) {
        Matrix4D a;
        for (int i = 0; i < 16; ++i) {
            // A dominant diagonal keeps the matrix well conditioned without magnitude pivots.
            a.m[i / 4][i % 4] = entry(random) + (i / 4 == i % 4 ? (trial % 2 ? 5 : -5) : 0);
        }
        ExpectIdentity(Inverse(a) * a, 1e-12);
    }
}

} // namespace
