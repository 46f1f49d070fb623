#include <QWidget>
#include <gtest/gtest.h>

#include "SceneSketch.h"
#include "render/ColourConversion.h"
#include "render/FramePainter.h"
#include "render/WindowRegion.h"

namespace {

constexpr QRgb background = ToQRgb(backgroundColour);
const COLORREF red = Rgb(200, 0, 0);

QRegion NonBackground(const QImage& frame) {
    QRegion region;
    for (int y = 0; y < frame.height(); ++y) {
        for (int x = 0; x < frame.width(); ++x) {
            if (frame.pixel(x, y) != background) {
                region += QRect(x, y, 1, 1);
            }
        }
    }
    return region;
}

bool Uniform(const QImage& frame, QRgb colour) {
    return NonBackground(frame).isEmpty() && frame.pixel(0, 0) == colour;
}

class FramePainterTest : public ::testing::Test {
protected:
    void SetUp() override {
        camera.SetScene(&scene);
        window.resize(200, 200);
    }

    FrameInputs Inputs(QSize size = QSize(200, 200)) {
        FrameInputs in;
        in.camera = &camera;
        in.window = &window;
        in.clientSize = size;
        in.regionMode = true;
        in.region = &region;
        return in;
    }

    void DrawQuads(std::initializer_list<const Vertex3D*> quads) {
        std::vector<const Vertex3D*> list(quads);
        scene.draw = [list](RenderObject* r) {
            for (const Vertex3D* quad : list) {
                r->DrawPolygon(quad, 4, red, false);
            }
        };
    }

    Camera camera = MakeCamera();
    SceneSketch scene;
    QWidget window;
    WindowRegion region;
    FramePainter painter;
};

} // namespace

TEST_F(FramePainterTest, AnEmptySceneInFramedModeIsUniformBackground) {
    FrameInputs in = Inputs();
    in.regionMode = false;
    painter.PaintFrame(in);
    ASSERT_EQ(painter.Frame().size(), QSize(200, 200));
    EXPECT_EQ(painter.Frame().format(), QImage::Format_RGB32);
    EXPECT_TRUE(Uniform(painter.Frame(), background));
    EXPECT_TRUE(window.mask().isEmpty());
    EXPECT_EQ(scene.draws, 1);
}

TEST_F(FramePainterTest, TheCameraPaintsOnTheFrameAndTheRegionFollowsThePicture) {
    DrawQuads({cornerQuad, centreQuad});
    painter.PaintFrame(Inputs());
    const QImage& frame = painter.Frame();
    EXPECT_EQ(frame.pixel(100, 100), ToQRgb(red));
    EXPECT_EQ(frame.pixel(10, 10), ToQRgb(red));
    EXPECT_EQ(frame.pixel(150, 150), background);
    // The picture covers the top-left pixel: the key is still the background.
    EXPECT_TRUE(window.mask().xored(NonBackground(frame)).isEmpty());
    EXPECT_TRUE(window.mask().contains(QPoint(0, 0)));
    EXPECT_FALSE(window.mask().contains(QPoint(150, 150)));
    EXPECT_FALSE(region.HasRegion());
}

TEST_F(FramePainterTest, FramedModeLeavesTheWindowUnshaped) {
    DrawQuads({centreQuad});
    FrameInputs in = Inputs();
    in.regionMode = false;
    painter.PaintFrame(in);
    EXPECT_TRUE(window.mask().isEmpty());
    in.regionMode = true;
    in.region = nullptr;
    painter.PaintFrame(in);
    EXPECT_TRUE(window.mask().isEmpty());
}

TEST_F(FramePainterTest, ANewClientSizeGivesAFreshFrameOfThatSize) {
    DrawQuads({centreQuad});
    painter.PaintFrame(Inputs());
    scene.draw = [](RenderObject*) {};
    painter.PaintFrame(Inputs(QSize(120, 80)));
    ASSERT_EQ(painter.Frame().size(), QSize(120, 80));
    EXPECT_TRUE(Uniform(painter.Frame(), background));
    painter.PaintFrame(Inputs(QSize(120, 80)));
    EXPECT_TRUE(Uniform(painter.Frame(), background));
}

TEST_F(FramePainterTest, NoCameraOrWindowPaintsNothing) {
    DrawQuads({centreQuad});
    painter.PaintFrame(Inputs());
    const QImage before = painter.Frame();
    const QRegion mask = window.mask();

    FrameInputs in = Inputs(QSize(50, 50));
    in.camera = nullptr;
    painter.PaintFrame(in);
    in = Inputs(QSize(50, 50));
    in.window = nullptr;
    painter.PaintFrame(in);
    EXPECT_EQ(painter.Frame(), before);
    EXPECT_EQ(window.mask(), mask);
    EXPECT_EQ(scene.draws, 1);
}

TEST_F(FramePainterTest, AZeroSizedClientDrawsNothingAndUnshapesTheWindow) {
    DrawQuads({centreQuad});
    painter.PaintFrame(Inputs());
    ASSERT_FALSE(window.mask().isEmpty());
    for (const QSize& size : {QSize(0, 0), QSize(200, 0), QSize(-5, 10)}) {
        painter.PaintFrame(Inputs(size));
        EXPECT_TRUE(painter.Frame().isNull());
        EXPECT_TRUE(window.mask().isEmpty());
    }
}
