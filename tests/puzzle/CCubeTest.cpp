// Face normals and the corner order of the faces are checked by the puzzle's sticker colouring,
// turns made in steps and then committed by the quarter-turn property tests.
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
    // A sticker corner is 0.9f of the corner plus 1 - 0.9f of the centre, in single precision:
    // corner 0 (15, 15, 15) of the top face goes towards the centre (0, 15, 0).
    EXPECT_EQ(CCube(0, 0, 0, 0, 0, 0, 1, 0, 1, 0).Face(0)->StickerCorner(0).x, 0.9f * 15.0);
}

} // namespace
