#pragma once

// A 4x4 matrix, m[row][column], applied to column vectors: the translation is in column 3.
class Matrix4D {
public:
    double m[4][4];

    Matrix4D();
    Matrix4D(const Matrix4D& other) = default;
    Matrix4D& operator=(const Matrix4D& other) = default;
    virtual ~Matrix4D() = default;

    void Identity();
    // this * b: transforms by b first.
    Matrix4D operator*(const Matrix4D& b) const;
    // Gauss-Jordan elimination without magnitude pivoting; a singular matrix becomes the identity.
    void Invert();
};
