#include "math3d/Angles.h"
#include "math3d/Geometry.h"
#include "scene/Ls3dObject.h"

#include <gtest/gtest.h>

namespace {

TEST(ObjectBase, ConstructorNormalisesUp) {
    const ObjectBase o(1, 2, 3, 4, 5, 6, 0, 2, 0);
    EXPECT_TRUE(o.GetPosition() == Vertex3D(1, 2, 3));
    EXPECT_TRUE(o.GetTarget() == Vertex3D(4, 5, 6));
    const Vector3D up = o.GetUp();
    EXPECT_EQ(up.x, 0);
    EXPECT_EQ(up.y, 1);
    EXPECT_EQ(up.z, 0);
}

TEST(ObjectBase, SetUpKeepsATooShortVectorAsGiven) {
    ObjectBase o(0, 0, 0, 0, 0, 0, 0, 1, 0);
    o.SetUp(0.0000005, 0, 0);
    EXPECT_EQ(o.GetUp().x, 0.0000005);
    o.SetUp(Vector3D(0, 0, -3));
    EXPECT_EQ(o.GetUp().z, -1);
    o.SetPosition(Vertex3D(7, 8, 9));
    o.SetTarget(-1, -2, -3);
    EXPECT_TRUE(o.GetPosition() == Vertex3D(7, 8, 9));
    EXPECT_TRUE(o.GetTarget() == Vertex3D(-1, -2, -3));
}

TEST(Ls3dObject, RotateTurnsThePoseAboutTheWorldOrigin) {
    Ls3dObject o(0, 0, 300, 0, 0, 0, 0, 0, 1);
    o.Rotate(Rad90, AxisY);
    EXPECT_TRUE(o.GetPosition() == Vertex3D(300, 0, 0));
    EXPECT_TRUE(o.GetTarget() == Vertex3D(0, 0, 0));
    // Up turns the same way as the points: +Z goes to +X.
    const Vector3D up = o.GetUp();
    EXPECT_TRUE(ToVertex(up) == Vertex3D(1, 0, 0));

    Ls3dObject offset(10, 0, 0, 10, 0, -5, 0, 1, 0);
    offset.Rotate(Rad90, AxisZ);
    EXPECT_TRUE(offset.GetPosition() == Vertex3D(0, 10, 0));
    EXPECT_TRUE(offset.GetTarget() == Vertex3D(0, 10, -5));
}

} // namespace
