// Face normals and the corner order of the faces are checked by the puzzle's sticker colouring.
#include "puzzle/CCube.h"
#include "math3d/Angles.h"
#include "math3d/Geometry.h"

#include <gtest/gtest.h>

namespace {

TEST(CCube, ACommitInsideTheThresholdRestoresTheCornersAndTheThresholdItselfTurns) {
    CCube cube(0, 30, -30, 0, 0, 0, 1, 0, 1, 0);
    const auto before = cube.Corners();
    for (double b : {0.0, -1.5707949, 1.5707949}) {
        cube.TurnCorners(0.3, 0);
        cube.CommitTurn(b, 0);
        EXPECT_TRUE(cube.Corners() == before && cube.RestCorners() == before) << b;
    }
    cube.CommitTurn(CCube::turnThreshold, 2);
    EXPECT_NEAR(cube.GetPosition().y, 30, 1e-4); // the placement turns too
    EXPECT_TRUE(ToVertex(cube.FaceNormal(6)) == Vertex3D(0, 0, 0));
    EXPECT_EQ(cube.Face(6), nullptr);
}

// However the animation went, the commit turns the rest corners by one quarter turn; the face
// centres follow the corners all along.
TEST(CCube, StepsThenCommitGiveTheCornersOfACommitAlone) {
    for (int axis = 0; axis < 3; ++axis) {
        CCube stepped(3, 30, -60, 90, 0, 0, 1, 0, 1, 0), direct(3, 30, -60, 90, 0, 0, 1, 0, 1, 0);
        for (double step : {0.17, 0.2, -0.31, 0.4})
            stepped.TurnCorners(step, axis);
        EXPECT_TRUE(stepped.Face(axis)->Centre() != direct.Face(axis)->Centre());
        stepped.CommitTurn(-Rad90, axis);
        direct.CommitTurn(-Rad90, axis);
        EXPECT_TRUE(stepped.Corners() == direct.Corners());
        EXPECT_TRUE(stepped.RestCorners() == direct.Corners());
        EXPECT_TRUE(stepped.Face(axis)->Centre() == direct.Face(axis)->Centre());
    }
}

TEST(CubeFace, StickerCornersUseSinglePrecisionWeights) {
    CCube cube(0, 0, 0, 0, 0, 0, 1, 0, 1, 0);
    // Corner 0 (15, 15, 15) towards the centre (0, 15, 0) with the weights 0.9f and 1 - 0.9f.
    const Vertex3D s = cube.Face(0)->StickerCorner(0);
    EXPECT_DOUBLE_EQ(s.x, 0.89999997615814209 * 15);
    EXPECT_NE(s.x, 0.9 * 15);
    EXPECT_DOUBLE_EQ(s.y, 0.89999997615814209 * 15 + 0.10000002384185791 * 15);
}

} // namespace
