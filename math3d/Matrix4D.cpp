#include "math3d/Matrix4D.h"

#include <utility>

namespace {
constexpr int order = 4;
constexpr int augmentedWidth = 2 * order;
using AugmentedRow = double[augmentedWidth];

void ScaleRow(AugmentedRow& row, double divisor) {
    for (double& v : row) {
        v /= divisor;
    }
}
} // namespace

Matrix4D::Matrix4D() {
    Identity();
}

void Matrix4D::Identity() {
    for (int i = 0; i < order; ++i) {
        for (int j = 0; j < order; ++j) {
            m[i][j] = i == j ? 1 : 0;
        }
    }
}

Matrix4D Matrix4D::operator*(const Matrix4D& b) const {
    Matrix4D r;
    for (int i = 0; i < order; ++i) {
        for (int j = 0; j < order; ++j) {
            double sum = 0;
            for (int k = 0; k < order; ++k) {
                sum += m[i][k] * b.m[k][j];
            }
            r.m[i][j] = sum;
        }
    }
    return r;
}

void Matrix4D::Invert() {
    double a[order][augmentedWidth];
    for (int i = 0; i < order; ++i) {
        for (int j = 0; j < order; ++j) {
            a[i][j] = m[i][j];
            a[i][order + j] = i == j ? 1 : 0;
        }
    }
    for (int c = 0; c < order; ++c) {
        const double p = a[c][c];
        if (p == 0) {
            int swapRow = c + 1;
            while (swapRow < order && a[swapRow][c] == 0) {
                ++swapRow;
            }
            if (swapRow == order) {
                Identity();
                return;
            }
            std::swap(a[c], a[swapRow]);
            ScaleRow(a[c], a[c][c]);
        } else if (p != 1) {
            ScaleRow(a[c], p);
        }
        for (int r = 0; r < order; ++r) {
            const double f = a[r][c];
            // Rows with a zero factor stay untouched, so an infinity elsewhere cannot spread.
            if (r == c || f == 0) {
                continue;
            }
            for (int j = 0; j < augmentedWidth; ++j) {
                a[r][j] -= f * a[c][j];
            }
        }
    }
    for (int i = 0; i < order; ++i) {
        for (int j = 0; j < order; ++j) {
            m[i][j] = a[i][order + j];
        }
    }
}
