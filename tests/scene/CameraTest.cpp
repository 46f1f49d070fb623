#include "SceneSketch.h"
#include "math3d/Angles.h"
#include "math3d/Geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <random>
#include <vector>

namespace {

TEST(Ls3dObject, UpIsNormalisedAndRotateTurnsThePoseAboutTheWorldOrigin) {
    Ls3dObject o(0, 0, 300, 0, 0, 0, 0, 0, 2), offset(10, 0, 0, 10, 0, -5, 0, 1, 0);
    EXPECT_TRUE(ToVertex(o.GetUp()) == Vertex3D(0, 0, 1));
    o.Rotate(Rad90, AxisY);
    offset.Rotate(Rad90, AxisZ);
    EXPECT_TRUE(o.GetPosition() == Vertex3D(300, 0, 0) && o.GetTarget() == Vertex3D());
    EXPECT_TRUE(ToVertex(o.GetUp()) == Vertex3D(1, 0, 0)); // turned like the points
    EXPECT_TRUE(offset.GetPosition() == Vertex3D(0, 10, 0) &&
                offset.GetTarget() == Vertex3D(0, 10, -5));
    o.SetUp(0.0000005, 0, 0); // too short to normalise: kept as given
    EXPECT_EQ(o.GetUp().x, 0.0000005);
}

// The start-up pose's view rows and pixels, truncated toward zero (-150 lands on -20.7; at the
// eye's depth w is 0 and taken as 1; NaN gives 0), rebuilt on every change; unprojection and the
// first rotation; the live camera is current until destroyed; random orbits keep the pose.
TEST(Camera, StartUpViewProjectionUnprojectionAndRandomOrbits) {
    {
        Camera camera = StartUpCamera();
        EXPECT_EQ(currentCamera, &camera);
        const double rows[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, -1, 300}, {0, 0, 0, 1}};
        for (int i = 0; i < 16; ++i)
            EXPECT_EQ(camera.GetView().m[i / 4][i % 4], rows[i / 4][i % 4]) << i;
        const Vertex3D points[] = {{0, 0, 0},    {30, 0, 0},   {0, 30, 0},
                                   {-150, 0, 0}, {30, 0, 300}, {std::nan(""), 0, 0}};
        const ScreenPoint pixels[] = {{100, 100}, {124, 100}, {100, 75},
                                      {-20, 100}, {7242, 0},  {0, 0}};
        for (int i = 0; i < 6; ++i) {
            const ScreenPoint p = camera.Project(points[i]);
            EXPECT_TRUE(p == pixels[i]) << i << ": " << p.x << "," << p.y;
        }
        EXPECT_EQ(camera.Project(Vertex3D(30, 0, 300 - 1e-10)).x, INT_MAX);
        EXPECT_TRUE(camera.Unproject(ScreenPoint{100, 100}) == Vertex3D(0, 0, 299));
        camera.Rotate(Rad30, -Rad20);
        EXPECT_LT(Distance(camera.GetPosition(), Vertex3D(140.954, 102.606, 244.139)), 1e-3);
        EXPECT_LT(Distance(ToVertex(camera.GetUp()), Vertex3D(-0.171, 0.940, -0.296)), 1e-3);
        const ScreenPoint centre = camera.Project(Vertex3D());
        EXPECT_TRUE(centre == (ScreenPoint{99, 100}) || centre == (ScreenPoint{100, 100}));
    }
    EXPECT_EQ(currentCamera, nullptr);
    Camera camera = StartUpCamera();
    camera.SetViewport(0, 0, 400, 200); // near, far and field of view stay
    EXPECT_TRUE(camera.Project(Vertex3D(30, 30, 0)) == (ScreenPoint{224, 75}));
    camera.SetPosition(0, 0, 150);
    EXPECT_TRUE(camera.Project(Vertex3D(30, 30, 0)) == (ScreenPoint{248, 51}));
    camera.Rotate(Rad90, AxisY); // the axis rotation stays reachable
    EXPECT_TRUE(camera.Project(Vertex3D(0, 30, 30)) == (ScreenPoint{151, 51}));
    Camera orbit = StartUpCamera();
    std::mt19937 random(11);
    std::uniform_real_distribution<double> angle(-Rad180, Rad180);
    std::uniform_int_distribution<int> pixel(0, 199);
    for (int step = 0; step < 500; ++step) {
        const Vertex3D before = ToVertex(orbit.GetUp());
        orbit.Rotate(angle(random), 0); // yaw turns about up itself
        ASSERT_TRUE(ToVertex(orbit.GetUp()) == before) << step;
        orbit.Rotate(angle(random), angle(random));
        const Vector3D up = orbit.GetUp();
        const Vector3D sight(orbit.GetPosition(), orbit.GetTarget());
        ASSERT_NEAR(up.Length(), 1, 1e-12);
        ASSERT_NEAR(Dot(up, sight), 0, 1e-9);
        ASSERT_NEAR(sight.Length(), 300, 1e-9);
        const ScreenPoint p{pixel(random), pixel(random)};
        const ScreenPoint back = orbit.Project(orbit.Unproject(p));
        ASSERT_TRUE(std::abs(back.x - p.x) <= 1 && std::abs(back.y - p.y) <= 1) << step;
    }
}

using Colours = std::vector<COLORREF>;

// Fills as corners and colour, lines as from x, from y, to x, to y, colour.
class RecordingCanvas : public Canvas {
public:
    std::vector<std::vector<ScreenPoint>> corners;
    Colours fills;
    std::vector<std::vector<int>> lines;
    void FillPolygon(const ScreenPoint* points, int count, COLORREF fill) override {
        corners.emplace_back(points, points + count);
        fills.push_back(fill);
    }
    void DrawLine(ScreenPoint from, ScreenPoint to, COLORREF colour) override {
        lines.push_back({from.x, from.y, to.x, to.y, static_cast<int>(colour)});
    }
};

// Counter-clockwise seen from the eye on +Z, so facing it head-on; reversed it faces away.
const Vertex3D facing[] = {{-30, -30, 0}, {30, -30, 0}, {30, 30, 0}, {-30, 30, 0}, {0, -40, 0}};
const Vertex3D away[] = {{-30, 30, 0}, {30, 30, 0}, {30, -30, 0}, {-30, -30, 0}};
// In the plane x = 0, which holds the line of sight.
const Vertex3D edgeOn[] = {{0, -30, -30}, {0, 30, -30}, {0, 30, 30}, {0, -30, 30}};

class Painter : public testing::Test {
protected:
    Painter() { camera.SetScene(&sketch); }

    Colours Fills(bool shade, const std::vector<const Vertex3D*>& quads, const Colours& colours) {
        sketch.draw = [&](RenderObject* r) {
            for (std::size_t i = 0; i < quads.size(); ++i)
                r->DrawPolygon(quads[i], 4, colours[i], shade);
        };
        RecordingCanvas canvas;
        camera.Render(&canvas);
        return canvas.fills;
    }

    Camera camera = StartUpCamera();
    SceneSketch sketch;
};

TEST_F(Painter, ShadesByTheAngleToTheSightCullsFacesTurnedAwayAndProjectsOnlyWhileRendering) {
    // Corners and lines are projected in order, only while rendering.
    const Vertex3D degenerate[] = {{5, 5, 5}, {5, 5, 5}, {5, 5, 5}};
    sketch.draw = [&](RenderObject* r) {
        r->DrawPolygon(facing, 5, Rgb(1, 2, 3), false); // only four corners fit
        r->DrawPolygon(facing, 2, Rgb(1, 2, 3), false);
        r->DrawPolygon(nullptr, 4, Rgb(1, 2, 3), false);
        r->DrawPolygon(degenerate, 3, Rgb(200, 100, 0), true); // not culled, shaded black
        r->DrawLine(Vertex3D(0, 0, 0), Vertex3D(30, 0, 0), NoColour);
        r->DrawLine(Vertex3D(0, 30, 0), Vertex3D(0, 0, 0), Rgb(9, 8, 7));
    };
    RecordingCanvas canvas;
    camera.Render(nullptr);
    StartUpCamera().Render(&canvas); // no scene
    camera.Render(&canvas);
    camera.DrawPolygon(facing, 4, Rgb(1, 2, 3), false);
    camera.DrawLine(Vertex3D(), Vertex3D(1, 1, 1), 0);
    EXPECT_EQ(sketch.draws, 1);
    ASSERT_EQ(canvas.fills, (Colours{Rgb(1, 2, 3), 0}));
    EXPECT_EQ(canvas.corners[0],
              (std::vector<ScreenPoint>{{75, 124}, {124, 124}, {124, 75}, {75, 75}}));
    EXPECT_EQ(canvas.lines, (std::vector<std::vector<int>>{{100, 100, 124, 100, 0},
                                                           {100, 75, 100, 100, 0x070809}}));
    // Culling takes the mean of the corners; the origin for fewer than two.
    EXPECT_TRUE(Camera::Centroid(degenerate, 1) == Vertex3D() &&
                Camera::Centroid(nullptr, 3) == Vertex3D());
    EXPECT_TRUE(Camera::Centroid(facing + 1, 3) == Vertex3D(10, 10, 0));
    EXPECT_EQ(
        Fills(true, {facing, edgeOn, away, facing, facing, facing},
              {Rgb(200, 100, 0), Rgb(255, 101, 1), Rgb(9, 9, 9), 0, NoColour, backgroundColour}),
        (Colours{Rgb(254, 150, 0), Rgb(127, 50, 0), 0, backgroundColour, backgroundColour}));
    EXPECT_EQ(Fills(false, {facing, facing}, {Rgb(200, 100, 0), NoColour}),
              (Colours{Rgb(200, 100, 0), backgroundColour}));
    // Sticker-only: no black, and the far side painted (darker when shaded).
    camera.SetStickerOnly(true);
    EXPECT_EQ(Fills(true, {facing, away, away}, {0, 0, Rgb(200, 100, 50)}), (Colours{0}));
    EXPECT_EQ(Fills(false, {away}, {Rgb(200, 100, 50)}), (Colours{Rgb(200, 100, 50)}));
}

} // namespace
