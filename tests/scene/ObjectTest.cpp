#include "math3d/Angles.h"
#include "math3d/Geometry.h"
#include "scene/Ls3dObject.h"

#include <gtest/gtest.h>

namespace {

TEST(ObjectBase, UpIsStoredNormalisedUnlessTooShort) {
    ObjectBase o(1, 2, 3, 4, 5, 6, 0, 2, 0);
    EXPECT_TRUE(ToVertex(o.GetUp()) == Vertex3D(0, 1, 0));
    EXPECT_TRUE(o.GetPosition() == Vertex3D(1, 2, 3) && o.GetTarget() == Vertex3D(4, 5, 6));
    o.SetUp(0.0000005, 0, 0);
    EXPECT_EQ(o.GetUp().x, 0.0000005);
}

TEST(Ls3dObject, RotateTurnsThePoseAboutTheWorldOrigin) {
    Ls3dObject o(0, 0, 300, 0, 0, 0, 0, 0, 1);
    o.Rotate(Rad90, AxisY);
    EXPECT_TRUE(o.GetPosition() == Vertex3D(300, 0, 0) && o.GetTarget() == Vertex3D());
    EXPECT_TRUE(ToVertex(o.GetUp()) == Vertex3D(1, 0, 0)); // turned like the points
    Ls3dObject offset(10, 0, 0, 10, 0, -5, 0, 1, 0);
    offset.Rotate(Rad90, AxisZ);
    EXPECT_TRUE(offset.GetPosition() == Vertex3D(0, 10, 0));
    EXPECT_TRUE(offset.GetTarget() == Vertex3D(0, 10, -5));
}

} // namespace
