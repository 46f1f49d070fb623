#include "scene/Camera.h"
#include "math3d/Angles.h"
#include "math3d/Geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <random>

namespace {

constexpr double eighthPi = 0.39269908169872414;

// The start-up camera of a 3-cube in a 200 x 200 client, before its first rotation.
Camera StartUpCamera() {
    return Camera(0, 0, 300, 0, 0, 0, 0, 1, 0, 1, 1000, eighthPi, 0, 0, 200, 200);
}

bool At(const ScreenPoint& p, int x, int y) {
    return p.x == x && p.y == y;
}

TEST(Camera, ViewRowsOfTheStartUpPose) {
    const Camera camera = StartUpCamera();
    const double rows[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, -1, 300}, {0, 0, 0, 1}};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(camera.GetView().m[i / 4][i % 4], rows[i / 4][i % 4]) << i;
    }
    EXPECT_EQ(currentCamera, &camera);
}

TEST(Camera, ProjectsWithTruncationTowardZeroAndRebuildsOnEveryChange) {
    Camera camera = StartUpCamera();
    EXPECT_TRUE(At(camera.Project(Vertex3D(0, 0, 0)), 100, 100));
    EXPECT_TRUE(At(camera.Project(Vertex3D(30, 0, 0)), 124, 100));
    EXPECT_TRUE(At(camera.Project(Vertex3D(0, 30, 0)), 100, 75));
    EXPECT_TRUE(At(camera.Project(Vertex3D(-150, 0, 0)), -20, 100)); // -20.7
    EXPECT_TRUE(At(camera.Project(Vertex3D(30, 0, 300)), 7242, 0));  // w 0 taken as 1
    EXPECT_EQ(camera.Project(Vertex3D(30, 0, 300 - 1e-10)).x, INT_MAX);
    EXPECT_TRUE(At(camera.Project(Vertex3D(std::nan(""), 0, 0)), 0, 0));
    camera.SetViewport(0, 0, 400, 200); // near, far and field of view stay
    EXPECT_EQ(camera.GetAspect(), 0.5);
    EXPECT_TRUE(At(camera.Project(Vertex3D(30, 30, 0)), 224, 75));
    camera.SetPosition(0, 0, 150);
    EXPECT_TRUE(At(camera.Project(Vertex3D(30, 30, 0)), 248, 51));
    camera.Rotate(Rad90, AxisY); // the axis rotation stays reachable
    EXPECT_TRUE(At(camera.Project(Vertex3D(0, 30, 30)), 151, 51));
}

TEST(Camera, StartUpRotationAndUnproject) {
    Camera camera = StartUpCamera();
    EXPECT_TRUE(camera.Unproject(ScreenPoint{100, 100}) == Vertex3D(0, 0, 299));
    camera.Rotate(Rad30, -Rad20);
    const Vertex3D p = camera.GetPosition();
    const Vector3D up = camera.GetUp();
    EXPECT_TRUE(std::abs(p.x - 140.954) < 1e-3 && std::abs(p.y - 102.606) < 1e-3 &&
                std::abs(p.z - 244.139) < 1e-3);
    EXPECT_TRUE(std::abs(up.x + 0.171) < 1e-3 && std::abs(up.y - 0.940) < 1e-3 &&
                std::abs(up.z + 0.296) < 1e-3);
    const ScreenPoint centre = camera.Project(Vertex3D());
    EXPECT_TRUE(At(centre, 99, 100) || At(centre, 100, 100));
}

TEST(Camera, RandomOrbitsKeepThePoseAndUnprojectInvertsProject) {
    Camera camera = StartUpCamera();
    std::mt19937 random(11);
    std::uniform_real_distribution<double> angle(-Rad180, Rad180);
    std::uniform_int_distribution<int> pixel(0, 199);
    for (int step = 0; step < 500; ++step) {
        camera.Rotate(angle(random), angle(random));
        const Vector3D up = camera.GetUp();
        const Vector3D sight(camera.GetPosition(), camera.GetTarget());
        ASSERT_NEAR(up.Length(), 1, 1e-12);
        ASSERT_NEAR(Dot(up, sight), 0, 1e-9);
        ASSERT_NEAR(Dot(camera.GetRight(), sight), 0, 1e-9);
        ASSERT_NEAR(sight.Length(), 300, 1e-9);
        ASSERT_TRUE(camera.GetTarget() == Vertex3D());
        const ScreenPoint p{pixel(random), pixel(random)};
        const ScreenPoint back = camera.Project(camera.Unproject(p));
        ASSERT_LE(std::abs(back.x - p.x), 1) << step;
        ASSERT_LE(std::abs(back.y - p.y), 1) << step;
    }
}

TEST(Camera, DestructionClearsCurrentCamera) {
    { const Camera camera = StartUpCamera(); }
    EXPECT_EQ(currentCamera, nullptr);
}

} // namespace
