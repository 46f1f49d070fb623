#include "SceneSketch.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

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

    // The colours filled when the quads are drawn in these colours.
    Colours Fills(bool shade, const std::vector<const Vertex3D*>& quads, const Colours& colours) {
        sketch.draw = [&](RenderObject* r) {
            for (std::size_t i = 0; i < quads.size(); ++i) {
                r->DrawPolygon(quads[i], 4, colours[i], shade);
            }
        };
        RecordingCanvas canvas;
        camera.Render(&canvas);
        return canvas.fills;
    }

    Camera camera = StartUpCamera();
    SceneSketch sketch;
};

TEST_F(Painter, ShadesByTheAngleToTheLineOfSightAndCullsFacesTurnedAwayUnlessStickerOnly) {
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

TEST_F(Painter, ProjectsCornersAndLinesInOrderOnlyWhileRendering) {
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
}

} // namespace
