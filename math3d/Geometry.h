#pragma once

#include "math3d/Matrix4D.h"
#include "math3d/Quaternion.h"
#include "math3d/Vector3D.h"
#include "math3d/Vertex3D.h"

double Dot(const Vector3D& a, const Vector3D& b);
Vector3D Cross(const Vector3D& a, const Vector3D& b);
Vertex3D ToVertex(const Vector3D& v);
Vector3D ToVector(const Vertex3D& p);
double Distance(const Vertex3D& a, const Vertex3D& b);

// AxisX, AxisY, AxisZ for 0, 1, 2; the zero vector otherwise.
Vector3D AxisByIndex(int i);
// 0, 1, 2 for a vector equal (within the point tolerance) to AxisX, AxisY, AxisZ; 3 otherwise,
// negative axes included.
int AxisIndex(const Vector3D& v);

// Rotates p in place by q: q * p * conj(q).
void RotatePoint(const Quaternion& q, Vertex3D& p);
// Rotates v in place by the inverse of q: conj(q) * v * q. Pass the quaternion of the negated
// angle to turn a direction the same way as points.
void RotateVector(const Quaternion& q, Vector3D& v);
// p = M p, affine: row 3 is ignored and nothing is divided.
void TransformPoint(const Matrix4D& m, Vertex3D& p);
