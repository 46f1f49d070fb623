#include <QWidget>
#include <gtest/gtest.h>

#include "GuiTestApp.h"
#include "Pixels.h"
#include "SceneSketch.h"
#include "render/ColourConversion.h"
#include "render/FramePainter.h"
#include "render/WindowRegion.h"

namespace {

constexpr QRgb background = ToQRgb(backgroundColour);
constexpr COLORREF red = Rgb(200, 0, 0);

class FramePainterTest : public ::testing::Test {
protected:
    FramePainterTest() {
        camera.SetScene(&scene);
        in.camera = &camera;
        in.window = &window;
        in.clientSize = QSize(200, 200);
        in.regionMode = true;
        in.region = &region;
    }

    void DrawQuads(std::vector<const Vertex3D*> quads) {
        scene.draw = [quads](RenderObject* r) {
            for (const Vertex3D* quad : quads) {
                r->DrawPolygon(quad, 4, red, false);
            }
        };
    }

    Camera camera = MakeCamera();
    SceneSketch scene;
    QWidget window;
    WindowRegion region;
    FrameInputs in;
    FramePainter painter;
};

} // namespace

TEST_F(FramePainterTest, PaintsTheSceneAndCutsTheWindowKeyedOnTheBackground) {
    DrawQuads({cornerQuad, centreQuad});
    painter.PaintFrame(in);
    const QImage& frame = painter.Frame();
    ASSERT_EQ(frame.size(), QSize(200, 200));
    EXPECT_EQ(frame.pixel(100, 100), ToQRgb(red));
    EXPECT_EQ(frame.pixel(0, 0), ToQRgb(red)); // the top-left pixel does not key the shape
    EXPECT_EQ(frame.pixel(150, 150), background);
    EXPECT_TRUE(SamePixels(window.mask(), PixelsNot(frame, background)));
}

TEST_F(FramePainterTest, FramedModeGivesAFreshUnshapedFrameOfTheClientSize) {
    DrawQuads({centreQuad});
    in.regionMode = false;
    painter.PaintFrame(in);
    EXPECT_TRUE(window.mask().isEmpty());
    scene.draw = [](RenderObject*) {};
    in.clientSize = QSize(120, 80);
    for (int frame = 0; frame < 2; ++frame) {
        painter.PaintFrame(in);
        ASSERT_EQ(painter.Frame().size(), QSize(120, 80));
        EXPECT_TRUE(PixelsNot(painter.Frame(), background).isEmpty());
    }
}

TEST_F(FramePainterTest, NothingIsPaintedWithoutCameraOrWindow) {
    DrawQuads({centreQuad});
    painter.PaintFrame(in);
    const QImage before = painter.Frame();
    const QRegion mask = window.mask();
    in.clientSize = QSize(50, 50);
    in.camera = nullptr;
    painter.PaintFrame(in);
    in.camera = &camera;
    in.window = nullptr;
    painter.PaintFrame(in);
    EXPECT_EQ(painter.Frame().size(), QSize(200, 200));
    EXPECT_TRUE(ChangedPixels(before, painter.Frame()).isEmpty());
    EXPECT_EQ(window.mask(), mask);
    EXPECT_EQ(scene.draws, 1);
}

TEST_F(FramePainterTest, AClientOfNoSizeGivesNoPictureAndAnUnshapedWindow) {
    DrawQuads({centreQuad});
    painter.PaintFrame(in);
    ASSERT_FALSE(window.mask().isEmpty());
    for (const QSize& size : {QSize(0, 0), QSize(200, 0), QSize(-5, 10)}) {
        in.clientSize = size;
        painter.PaintFrame(in);
        EXPECT_TRUE(painter.Frame().isNull());
        EXPECT_TRUE(window.mask().isEmpty());
    }
}
