#include "scene/Camera.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

struct Fill {
    std::vector<ScreenPoint> points;
    COLORREF colour;
};

class RecordingCanvas : public Canvas {
public:
    std::vector<Fill> fills;
    std::vector<std::vector<int>> lines; // from x, from y, to x, to y, colour
    void FillPolygon(const ScreenPoint* points, int count, COLORREF fill) override {
        fills.push_back({std::vector<ScreenPoint>(points, points + count), fill});
    }
    void DrawLine(ScreenPoint from, ScreenPoint to, COLORREF colour) override {
        lines.push_back({from.x, from.y, to.x, to.y, static_cast<int>(colour)});
    }
};

class Sketch : public Ls3dObject {
public:
    Sketch() : Ls3dObject(0, 0, 0, 0, 0, 1, 0, 1, 0) {}
    void Draw(RenderObject* renderer) override { draw(renderer); }
    std::function<void(RenderObject*)> draw = [](RenderObject*) {};
};

// Counter-clockwise seen from the eye on +Z, so facing it head-on; reversed it faces away.
const Vertex3D facing[] = {{-30, -30, 0}, {30, -30, 0}, {30, 30, 0}, {-30, 30, 0}, {0, -40, 0}};
const Vertex3D away[] = {{-30, 30, 0}, {30, 30, 0}, {30, -30, 0}, {-30, -30, 0}};
// In the plane x = 0, which holds the line of sight.
const Vertex3D edgeOn[] = {{0, -30, -30}, {0, 30, -30}, {0, 30, 30}, {0, -30, 30}};

class Painter : public testing::Test {
protected:
    Camera camera{0, 0, 300, 0, 0, 0, 0, 1, 0, 1, 1000, 0.39269908169872414, 0, 0, 200, 200};
    Sketch sketch;
    RecordingCanvas canvas;

    // The colours filled when each polygon is drawn as a 4-corner polygon.
    std::vector<COLORREF> Fills(const std::vector<std::pair<const Vertex3D*, COLORREF>>& polygons,
                                bool shade) {
        sketch.draw = [&](RenderObject* r) {
            for (const auto& [corners, colour] : polygons) {
                r->DrawPolygon(corners, 4, colour, shade);
            }
        };
        camera.SetScene(&sketch);
        camera.Render(&canvas);
        std::vector<COLORREF> colours;
        for (const Fill& f : canvas.fills) {
            colours.push_back(f.colour);
        }
        canvas.fills.clear();
        return colours;
    }
};

using Colours = std::vector<COLORREF>;

TEST_F(Painter, ShadesByTheAngleToTheLineOfSightAndCullsFacesTurnedAway) {
    EXPECT_EQ(Fills({{facing, Rgb(200, 100, 0)},
                     {edgeOn, Rgb(255, 101, 1)},
                     {away, Rgb(9, 9, 9)},
                     {facing, 0},
                     {facing, NoColour},
                     {facing, backgroundColour}},
                    true),
              (Colours{Rgb(254, 150, 0), Rgb(127, 50, 0), 0, backgroundColour, backgroundColour}));
    EXPECT_EQ(Fills({{facing, Rgb(200, 100, 0)}, {facing, NoColour}}, false),
              (Colours{Rgb(200, 100, 0), backgroundColour}));
}

TEST_F(Painter, StickerOnlySkipsBlackAndPaintsTheFarSideDarker) {
    camera.SetStickerOnly(true);
    EXPECT_EQ(Fills({{facing, 0}, {away, 0}, {away, Rgb(200, 100, 50)}}, true), (Colours{0}));
    EXPECT_EQ(Fills({{away, Rgb(200, 100, 50)}}, false), (Colours{Rgb(200, 100, 50)}));
}

TEST_F(Painter, ProjectsCornersAndLinesInOrder) {
    const Vertex3D point(5, 5, 5);
    const Vertex3D degenerate[] = {point, point, point};
    sketch.draw = [&](RenderObject* r) {
        r->DrawPolygon(facing, 5, Rgb(1, 2, 3), false); // only four corners fit
        r->DrawPolygon(facing, 2, Rgb(1, 2, 3), false);
        r->DrawPolygon(nullptr, 4, Rgb(1, 2, 3), false);
        r->DrawPolygon(degenerate, 3, Rgb(200, 100, 0), true); // not culled, shaded black
        r->DrawLine(Vertex3D(0, 0, 0), Vertex3D(30, 0, 0), NoColour);
        r->DrawLine(Vertex3D(0, 30, 0), Vertex3D(0, 0, 0), Rgb(9, 8, 7));
    };
    camera.SetScene(&sketch);
    camera.Render(&canvas);
    ASSERT_EQ(canvas.fills.size(), 2u);
    EXPECT_EQ(canvas.fills[0].points,
              (std::vector<ScreenPoint>{{75, 124}, {124, 124}, {124, 75}, {75, 75}}));
    EXPECT_EQ(canvas.fills[1].colour, 0u);
    EXPECT_EQ(canvas.lines, (std::vector<std::vector<int>>{{100, 100, 124, 100, 0},
                                                           {100, 75, 100, 100, 0x070809}}));
}

TEST_F(Painter, NothingIsDrawnOutsideRenderOrWithoutCanvasOrScene) {
    int draws = 0;
    sketch.draw = [&](RenderObject*) { ++draws; };
    camera.Render(&canvas); // no scene yet
    camera.SetScene(&sketch);
    camera.Render(nullptr);
    EXPECT_EQ(draws, 0);
    camera.DrawPolygon(facing, 4, Rgb(1, 2, 3), false);
    camera.DrawLine(Vertex3D(), Vertex3D(1, 1, 1), 0);
    EXPECT_TRUE(canvas.fills.empty() && canvas.lines.empty());
}

TEST(CameraCentroid, MeanOfTwoOrMoreCornersElseOrigin) {
    const Vertex3D c[3] = {{0, 0, 0}, {6, 0, 3}, {0, 9, 3}};
    EXPECT_TRUE(Camera::Centroid(c, 3) == Vertex3D(2, 3, 2));
    EXPECT_TRUE(Camera::Centroid(c + 1, 1) == Vertex3D());
    EXPECT_TRUE(Camera::Centroid(nullptr, 3) == Vertex3D());
}

} // namespace
