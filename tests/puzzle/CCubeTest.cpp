#include "puzzle/CCube.h"
#include "math3d/Angles.h"
#include "math3d/Geometry.h"
#include "math3d/Quaternion.h"

#include <gtest/gtest.h>

namespace {

using Corners = std::array<Vertex3D, CCube::cornerCount>;

bool SameBits(const Vertex3D& a, const Vertex3D& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

void ExpectSameBits(const Corners& a, const Corners& b) {
    for (int c = 0; c < CCube::cornerCount; ++c) {
        EXPECT_TRUE(SameBits(a[c], b[c])) << "corner " << c;
    }
}

TEST(CCube, FreshFacesPointOutwards) {
    CCube cube(7, 0, 0, 0, 0, 0, 1, 0, 1, 0);
    const Vertex3D outward[] = {{0, 1, 0},  {1, 0, 0}, {0, 0, -1},
                                {-1, 0, 0}, {0, 0, 1}, {0, -1, 0}};
    for (int f = 0; f < CCube::faceCount; ++f) {
        EXPECT_TRUE(ToVertex(cube.FaceNormal(f)) == outward[f]) << "face " << f;
        EXPECT_TRUE(cube.Face(f)->Centre() == outward[f] * 15);
        EXPECT_EQ(cube.Face(f)->cubieId, 7);
        EXPECT_EQ(cube.Face(f)->faceIndex, f);
        EXPECT_EQ(cube.Face(f)->colour, NoSticker);
    }
    EXPECT_TRUE(ToVertex(cube.FaceNormal(6)) == Vertex3D(0, 0, 0));
    EXPECT_EQ(cube.Face(6), nullptr);
    EXPECT_EQ(cube.Face(-1), nullptr);
}

TEST(CCube, CommitInsideTheThresholdRestoresTheCornersAndTheThresholdItselfTurns) {
    CCube cube(0, 30, -30, 0, 0, 0, 1, 0, 1, 0);
    const Corners before = cube.Corners();
    for (double b : {0.0, 1.5, -1.5707949, 1.5707949}) {
        cube.TurnCorners(0.3, 0);
        cube.CommitTurn(b, 0);
        ExpectSameBits(cube.Corners(), before);
        ExpectSameBits(cube.RestCorners(), before);
    }
    cube.CommitTurn(CCube::turnThreshold, 2);
    EXPECT_NEAR(cube.GetPosition().x, 30, 1e-4);
    EXPECT_NEAR(cube.GetPosition().y, 30, 1e-4);
    ExpectSameBits(cube.Corners(), cube.RestCorners());
}

// Steps of any size, then a commit: one exact quarter turn, the same bits as the library's own
// point rotation and the placement turned as Ls3dObject turns it.
TEST(CCube, StepsThenCommitGiveExactlyTheLibraryQuarterTurn) {
    for (int axis = 0; axis < 3; ++axis) {
        for (double angle : {Rad90, -Rad90, -2.5}) {
            CCube cube(3, 30, -60, 90, 0, 0, 1, 0, 1, 0);
            Ls3dObject placement(30, -60, 90, 0, 0, 1, 0, 1, 0);
            Corners expected = cube.RestCorners();
            Quaternion q(angle, AxisByIndex(axis));
            q.Normalize();
            for (Vertex3D& c : expected) {
                RotatePoint(q, c);
            }
            for (double step : {0.17, 0.2, -0.31, 0.4}) {
                cube.TurnCorners(step, axis);
            }
            cube.CommitTurn(angle, axis);
            ExpectSameBits(cube.Corners(), expected);
            ExpectSameBits(cube.RestCorners(), expected);
            placement.Rotate(angle, AxisByIndex(axis));
            EXPECT_TRUE(SameBits(cube.GetPosition(), placement.GetPosition()));
            EXPECT_TRUE(SameBits(cube.GetTarget(), placement.GetTarget()));
            EXPECT_TRUE(SameBits(ToVertex(cube.GetUp()), ToVertex(placement.GetUp())));
        }
    }
    // +90 degrees about Z takes +X to +Y; the face centre follows the turned corners.
    CCube cube(0, 30, 0, 0, 0, 0, 1, 0, 1, 0);
    cube.TurnCorners(Rad90, 2);
    EXPECT_TRUE(cube.Face(1)->Centre() == Vertex3D(0, 45, 0));
    EXPECT_TRUE(ToVertex(cube.FaceNormal(1)) == Vertex3D(0, 1, 0));
}

TEST(CubeFace, StickerCornersUseSinglePrecisionWeights) {
    CCube cube(0, 0, 0, 0, 0, 0, 1, 0, 1, 0);
    // Corner 0 (15, 15, 15) towards the centre (0, 15, 0) with the weights 0.9f and 1 - 0.9f.
    const Vertex3D s = cube.Face(0)->StickerCorner(0);
    EXPECT_DOUBLE_EQ(s.x, 0.89999997615814209 * 15);
    EXPECT_NE(s.x, 0.9 * 15);
    EXPECT_DOUBLE_EQ(s.y, 0.89999997615814209 * 15 + 0.10000002384185791 * 15);
    EXPECT_DOUBLE_EQ(s.z, s.x);
    EXPECT_TRUE(cube.Face(0)->StickerCorner(4) == Vertex3D(0, 0, 0));
}

} // namespace
