#include "puzzle/CCube.h"
#include "math3d/Angles.h"
#include "math3d/Geometry.h"
#include "math3d/Quaternion.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using Corners = std::array<Vertex3D, CCube::cornerCount>;

CCube MakeCubie(double x, double y, double z) {
    return CCube(7, x, y, z, 0, 0, 1, 0, 1, 0);
}

void ExpectSameBits(const Corners& a, const Corners& b) {
    for (int c = 0; c < CCube::cornerCount; ++c) {
        EXPECT_EQ(a[c].x, b[c].x) << "corner " << c;
        EXPECT_EQ(a[c].y, b[c].y) << "corner " << c;
        EXPECT_EQ(a[c].z, b[c].z) << "corner " << c;
    }
}

TEST(CCube, FreshFacesPointOutwardsAndLieOnTheirSides) {
    CCube cube = MakeCubie(0, 0, 0);
    const Vertex3D outward[CCube::faceCount] = {{0, 1, 0},  {1, 0, 0}, {0, 0, -1},
                                                {-1, 0, 0}, {0, 0, 1}, {0, -1, 0}};
    for (int f = 0; f < CCube::faceCount; ++f) {
        EXPECT_TRUE(ToVertex(cube.FaceNormal(f)) == outward[f]) << "face " << f;
        const CubeFace* face = cube.Face(f);
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(face->cubieId, 7);
        EXPECT_EQ(face->faceIndex, f);
        EXPECT_EQ(face->colour, NoSticker);
        // All four corners are distinct points on the face's own side of the cubie.
        for (int c = 0; c < CubeFace::cornerCount; ++c) {
            EXPECT_DOUBLE_EQ(Dot(ToVector(*face->corner[c]), ToVector(outward[f])), 15);
            EXPECT_FALSE(*face->corner[c] == *face->corner[(c + 1) % 4]);
        }
    }
    EXPECT_TRUE(ToVertex(cube.FaceNormal(6)) == Vertex3D(0, 0, 0));
    EXPECT_TRUE(ToVertex(cube.FaceNormal(-1)) == Vertex3D(0, 0, 0));
    EXPECT_EQ(cube.Face(6), nullptr);
    EXPECT_EQ(cube.Face(-1), nullptr);
}

TEST(CCube, SetCornerSetsBothCornerSetsAndIgnoresBadIndices) {
    CCube cube = MakeCubie(0, 0, 0);
    const Corners before = cube.Corners();
    cube.SetCorner(8, 1, 2, 3);
    cube.SetCorner(-1, 1, 2, 3);
    ExpectSameBits(cube.Corners(), before);
    ExpectSameBits(cube.RestCorners(), before);
    cube.SetCorner(2, 1, 2, 3);
    EXPECT_TRUE(cube.Corners()[2] == Vertex3D(1, 2, 3));
    EXPECT_TRUE(cube.RestCorners()[2] == Vertex3D(1, 2, 3));
    // Faces link to the live corners, so they see the change.
    EXPECT_TRUE(*cube.Face(0)->corner[2] == Vertex3D(1, 2, 3));
}

TEST(CCube, CommitInsideTheWindowRestoresTheCornersExactly) {
    CCube cube = MakeCubie(30, -30, 0);
    const Corners before = cube.Corners();
    for (double b : {0.0, 1.5, -1.5707949, 1.5707949}) {
        cube.TurnCorners(0.3, 0);
        cube.TurnCorners(-0.1, 0);
        cube.CommitTurn(b, 0);
        ExpectSameBits(cube.Corners(), before);
        ExpectSameBits(cube.RestCorners(), before);
    }
    EXPECT_TRUE(cube.GetPosition() == Vertex3D(30, -30, 0));
}

TEST(CCube, StepsThenCommitGiveAnExactQuarterTurn) {
    CCube stepped = MakeCubie(30, 0, 0);
    CCube direct = MakeCubie(30, 0, 0);
    for (double step : {0.17, 0.2, 0.31, 0.4, 0.49}) {
        stepped.TurnCorners(step, 2);
    }
    stepped.CommitTurn(Rad90, 2);
    direct.CommitTurn(Rad90, 2);
    ExpectSameBits(stepped.Corners(), stepped.RestCorners());
    ExpectSameBits(stepped.RestCorners(), direct.RestCorners());
    // +90 degrees about Z takes +X to +Y: the cubie, its placement and its +X face follow.
    EXPECT_TRUE(stepped.GetPosition() == Vertex3D(0, 30, 0));
    EXPECT_TRUE(ToVertex(stepped.FaceNormal(1)) == Vertex3D(0, 1, 0));
    EXPECT_TRUE(stepped.Face(1)->Centre() == Vertex3D(0, 45, 0));
}

TEST(CCube, TurnsMatchTheLibraryRotationsBitForBit) {
    for (int axis = 0; axis < 3; ++axis) {
        for (double angle : {Rad90, -Rad90, 1.6, -2.5, 0.1}) {
            CCube cube(3, 30, -60, 90, 0, 0, 1, 0, 1, 0);
            Ls3dObject placement(30, -60, 90, 0, 0, 1, 0, 1, 0);
            Corners expected = cube.RestCorners();
            Quaternion q(angle, AxisByIndex(axis));
            q.Normalize();
            for (Vertex3D& c : expected) {
                RotatePoint(q, c);
            }
            cube.TurnCorners(angle, axis);
            ExpectSameBits(cube.Corners(), expected);
            cube.CommitTurn(angle, axis);
            if (angle == 0.1) {
                continue;
            }
            ExpectSameBits(cube.RestCorners(), expected);
            placement.Rotate(angle, AxisByIndex(axis));
            const Vertex3D positions[] = {cube.GetPosition(), cube.GetTarget(),
                                          ToVertex(cube.GetUp())};
            const Vertex3D reference[] = {placement.GetPosition(), placement.GetTarget(),
                                          ToVertex(placement.GetUp())};
            for (int i = 0; i < 3; ++i) {
                EXPECT_EQ(positions[i].x, reference[i].x);
                EXPECT_EQ(positions[i].y, reference[i].y);
                EXPECT_EQ(positions[i].z, reference[i].z);
            }
        }
    }
}

TEST(CCube, TheThresholdItselfTurns) {
    for (double angle : {CCube::turnThreshold, -CCube::turnThreshold}) {
        CCube cube = MakeCubie(0, 30, 0);
        cube.CommitTurn(angle, 0);
        // Turned about X by a little less than a quarter: +Y goes to about +-Z.
        EXPECT_NEAR(cube.GetPosition().z, angle > 0 ? 30 : -30, 1e-4);
        ExpectSameBits(cube.Corners(), cube.RestCorners());
    }
}

TEST(CCube, AnOtherAxisLeavesTheCornersAlone) {
    CCube cube = MakeCubie(30, 0, 0);
    const Corners before = cube.Corners();
    cube.TurnCorners(0.5, 3);
    cube.TurnCorners(0.5, -1);
    for (int c = 0; c < CCube::cornerCount; ++c) {
        EXPECT_TRUE(cube.Corners()[c] == before[c]);
    }
}

TEST(CubeFace, CentreFollowsTheTurnedCorners) {
    CCube cube = MakeCubie(30, 0, 0);
    CubeFace* face = cube.Face(1);
    EXPECT_TRUE(face->Centre() == Vertex3D(45, 0, 0));
    cube.TurnCorners(Rad90, 1);
    // +90 degrees about Y takes +X to -Z; the stored centre is refreshed, not reused.
    EXPECT_TRUE(face->Centre() == Vertex3D(0, 0, -45));
    EXPECT_TRUE(face->centre == Vertex3D(0, 0, -45));
}

TEST(CubeFace, StickerCornersUseSinglePrecisionWeights) {
    CCube cube = MakeCubie(0, 0, 0);
    CubeFace* top = cube.Face(0);
    // Corner 0 (15, 15, 15) towards the centre (0, 15, 0) with the weights 0.9f and 1 - 0.9f.
    const Vertex3D s = top->StickerCorner(0);
    EXPECT_DOUBLE_EQ(s.x, 0.89999997615814209 * 15);
    EXPECT_NE(s.x, 0.9 * 15);
    EXPECT_DOUBLE_EQ(s.y, 0.89999997615814209 * 15 + 0.10000002384185791 * 15);
    EXPECT_DOUBLE_EQ(s.z, s.x);
    EXPECT_TRUE(top->StickerCorner(4) == Vertex3D(0, 0, 0));
    EXPECT_TRUE(top->StickerCorner(-1) == Vertex3D(0, 0, 0));
    // An unwired face keeps its stored centre and has no sticker corners.
    CubeFace loose;
    loose.centre.Set(1, 2, 3);
    EXPECT_TRUE(loose.Centre() == Vertex3D(1, 2, 3));
    EXPECT_TRUE(loose.StickerCorner(0) == Vertex3D(0, 0, 0));
}

} // namespace
