#include "math3d/Matrix4D.h"
#include "math3d/Geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

Matrix4D FromRows(const double (&rows)[4][4]) {
    Matrix4D a;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            a.m[i][j] = rows[i][j];
        }
    }
    return a;
}

void ExpectIdentity(const Matrix4D& a, double tolerance = 0) {
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            EXPECT_NEAR(a.m[i][j], i == j ? 1 : 0, tolerance) << i << "," << j;
        }
    }
}

TEST(Matrix4D, ProductAppliesTheRightFactorFirst) {
    Matrix4D move;
    move.m[0][3] = 10;
    Matrix4D scale;
    scale.m[0][0] = 2;
    Vertex3D p(1, 0, 0);
    TransformPoint(move * scale, p);
    EXPECT_EQ(p.x, 12);
    Vertex3D q(1, 0, 0);
    TransformPoint(scale * move, q);
    EXPECT_EQ(q.x, 22);
}

TEST(Matrix4D, InvertOfIdentityIsExactIdentity) {
    Matrix4D a;
    a.Invert();
    ExpectIdentity(a);
}

TEST(Matrix4D, SingularMatricesInvertToTheIdentity) {
    Matrix4D zeroColumn = FromRows({{0, 1, 2, 3}, {0, 4, 5, 6}, {0, 7, 8, 9}, {0, 0, 0, 1}});
    zeroColumn.Invert();
    ExpectIdentity(zeroColumn);
    Matrix4D equalRows = FromRows({{1, 2, 3, 4}, {2, 4, 6, 8}, {0, 0, 1, 0}, {0, 0, 0, 1}});
    equalRows.Invert();
    ExpectIdentity(equalRows);
}

TEST(Matrix4D, ZeroPivotSwapsWithTheFirstRowBelowThatHasOne) {
    const Matrix4D swap01 = FromRows({{0, 2, 0, 0}, {3, 0, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}});
    const Matrix4D swap02 = FromRows({{0, 1, 0, 5}, {0, 2, 1, 0}, {4, 0, 0, 0}, {0, 0, 0, 1}});
    for (const Matrix4D& a : {swap01, swap02}) {
        Matrix4D inverse = a;
        inverse.Invert();
        ExpectIdentity(inverse * a, 1e-15);
        ExpectIdentity(a * inverse, 1e-15);
    }
}

TEST(Matrix4D, NonZeroPivotIsUsedHoweverSmall) {
    // Pivoting by magnitude would give m[0][0] close to -1 here.
    Matrix4D a = FromRows({{1e-20, 1, 0, 0}, {1, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}});
    a.Invert();
    EXPECT_EQ(a.m[0][0], 0);
    EXPECT_EQ(a.m[0][1], 1);
}

TEST(Matrix4D, RowsWithZeroFactorAreNotTouched) {
    Matrix4D a;
    a.m[0][3] = std::nan("");
    a.Invert();
    for (int i = 1; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            EXPECT_EQ(a.m[i][j], i == j ? 1 : 0) << i << "," << j;
        }
    }
}

TEST(Matrix4D, InverseOfRandomWellConditionedMatrices) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> entry(-1, 1);
    for (int trial = 0; trial < 200; ++trial) {
        Matrix4D a;
        for (int i = 0; i < 4; ++i) {
            for (int j = 0; j < 4; ++j) {
                // A dominant diagonal keeps the matrix well conditioned without magnitude pivots.
                a.m[i][j] = entry(random) + (i == j ? 5 * (trial % 2 ? 1 : -1) : 0);
            }
        }
        Matrix4D inverse = a;
        inverse.Invert();
        ExpectIdentity(inverse * a, 1e-12);
    }
}

} // namespace
