#include <QPainter>
#include <QTransform>
#include <QWidget>
#include <random>

#include "GuiTestApp.h"
#include "Pixels.h"
#include "render/ColourConversion.h"
#include "render/D3DRenderer.h"
#include "render/FramePainter.h"
#include "render/ImageRaster.h"
#include "render/WindowRegion.h"
#include "tests/puzzle/PuzzleTestSupport.h"
#include "tests/scene/SceneSketch.h"

namespace {

// The offscreen platform has OpenGL only through an X display: without one there is none.
[[maybe_unused]] const bool noDisplay = qunsetenv("DISPLAY") && qunsetenv("WAYLAND_DISPLAY");

constexpr QRgb background = 0xFFDCDDDD;
constexpr QRgb shaded = 0xFFFE9600, red = 0xFFC80000;

class FramePainterTest : public ::testing::Test {
protected:
    FramePainterTest() {
        camera.SetScene(&scene);
        // A sticker facing the eye at (100, 100), a body over the top-left pixel, a line at y 180.
        scene.draw = [](RenderObject* r) {
            const Vertex3D sticker[4] = {{-20, -20, 0}, {20, -20, 0}, {20, 20, 0}, {-20, 20, 0}};
            const Vertex3D body[4] = {{-150, 60, 0}, {-60, 60, 0}, {-60, 150, 0}, {-150, 150, 0}};
            r->DrawPolygon(sticker, 4, Rgb(200, 100, 0), true);
            r->DrawPolygon(body, 4, Rgb(200, 0, 0), false);
            r->DrawLine(Vertex3D(-100, -100, 0), Vertex3D(100, -100, 0), Rgb(0, 180, 0));
        };
    }

    Camera camera = StartUpCamera();
    SceneSketch scene;
    QWidget window;
    WindowRegion region;
    FrameInputs in{&camera, &window, QSize(200, 200), true, &region};
    FramePainter painter;
};

// QPainter alone: each fill, then its edges as cosmetic lines.
class PainterCanvas : public Canvas {
public:
    explicit PainterCanvas(QImage& image) : painter(&image) {}
    void FillPolygon(const ScreenPoint* points, int count, COLORREF fill) override {
        QPolygon polygon;
        for (int i = 0; i < count; ++i)
            polygon << QPoint(points[i].x, points[i].y);
        painter.setPen(Qt::NoPen);
        painter.setBrush(ToQColor(fill));
        painter.drawPolygon(polygon);
        for (int i = 0; i < count; ++i)
            DrawLine(points[i], points[(i + 1) % count], 0);
    }
    void DrawLine(ScreenPoint from, ScreenPoint to, COLORREF colour) override {
        painter.setPen(QPen(ToQColor(colour), 0));
        painter.drawLine(from.x, from.y, to.x, to.y);
    }

private:
    QPainter painter;
};

} // namespace

// Without OpenGL the renderer is unavailable and the frame is the GDI one.
TEST_F(FramePainterTest, FillsOutlinesInBlackDrawsLinesAndCutsTheWindowOnTheBackground) {
    painter.PaintFrame(in);
    const QImage frame = painter.Frame();
    EXPECT_EQ(frame.pixel(100, 100), shaded);
    EXPECT_EQ(frame.pixel(0, 0), red); // the top-left pixel does not key the shape
    QImage expected = Filled(200, 200, background);
    camera.Render(std::make_unique<PainterCanvas>(expected).get());
    EXPECT_TRUE(frame == expected); // black outlines, the line, no antialiasing
    EXPECT_TRUE(SamePixels(window.mask(), PixelsNot(frame, background)));
    D3DRenderer renderer(&window, 324);
    EXPECT_FALSE(renderer.available() || renderer.Create() || renderer.ClearTarget() ||
                 renderer.DrawVertices(nullptr, 3, false) || renderer.ResetForSize());
    in.useDirect3D = true;
    in.renderer = &renderer;
    painter.PaintFrame(in);
    EXPECT_TRUE(painter.Frame() == frame);
    // At twice the density: device pixels, and a shape in window pixels that shows no background.
    in.pixelRatio = 2;
    painter.PaintFrame(in);
    EXPECT_EQ(painter.Frame().size(), QSize(400, 400));
    EXPECT_TRUE(SamePixels(QTransform::fromScale(2, 2).map(window.mask()),
                           PixelsNot(painter.Frame(), background)));
}

TEST_F(FramePainterTest, FramesAreFreshAtTheClientSizeAndNeedACameraAndAWindow) {
    in.regionMode = false; // framed: no shape
    painter.PaintFrame(in);
    EXPECT_TRUE(window.mask().isEmpty());
    scene.draw = [](RenderObject*) {};
    for (const QSize& size : {QSize(200, 200), QSize(120, 80), QSize(260, 220)}) {
        in.clientSize = size;
        painter.PaintFrame(in);
        ASSERT_EQ(painter.Frame().size(), size);
        EXPECT_TRUE(PixelsNot(painter.Frame(), background).isEmpty());
    }
    const QImage last = painter.Frame();
    painter.PaintFrame(FrameInputs{nullptr, &window, QSize(50, 50)});
    painter.PaintFrame(FrameInputs{&camera, nullptr, QSize(50, 50)});
    EXPECT_TRUE(painter.Frame() == last && scene.draws == 4);
    in.regionMode = true;
    painter.PaintFrame(in);
    in.clientSize = QSize(-5, 10);
    painter.PaintFrame(in);
    EXPECT_TRUE(painter.Frame().isNull() && window.mask().isEmpty()); // no picture, no shape
}

// Lines in every direction and length, from points inside, just outside and far outside a small
// image, and points; triangles to pentagons, rectangles among them, one in ten reaching outside;
// at four pixel ratios: the same pixels as QPainter's cosmetic pen and brush, or (for what only
// QPainter fills exactly) nothing, left to QPainter.
TEST(ImageRasterTest, DrawsThePixelsOfQPainter) {
    std::mt19937 random(7);
    const auto at = [&](int size) { // one in ten far off
        return random() % 10 ? int(random() % (size + 9)) - 4 : int(random() % 200001) - 100000;
    };
    int differing = 0, filled = 0;
    for (const qreal ratio : {1.0, 1.25, 1.5, 2.0}) {
        QImage expected = Filled(64, 48, background);
        expected.setDevicePixelRatio(ratio);
        for (int i = 0; i < 20000; ++i) {
            const QPoint a(at(64 / ratio), at(48 / ratio));
            const QPoint b = i % 4 ? QPoint(at(64 / ratio), at(48 / ratio))
                                   : a + QPoint(i % 3 - 1, i / 4 % 3 - 1);
            const int count = 3 + i % 3;
            QPoint corners[5];
            for (QPoint& c : corners)
                c = QPoint(random() % 64, random() % 48);
            corners[i % count].rx() -= i % 10 ? 0 : 64;
            if (count == 4 && i % 2)
                corners[1] = {corners[2].x(), corners[0].y()},
                corners[3] = {corners[0].x(), corners[2].y()};
            const QRgb colour = 0xFF000000 | random();
            QImage actual = expected.copy();
            QPainter painter(&expected), fallback(&actual);
            painter.setPen(QPen(QColor(colour), 0));
            painter.drawLine(a, b);
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(colour));
            painter.drawPolygon(corners, count);
            const ImageRaster raster(actual, painter.deviceTransform());
            raster.DrawLine(a, b, colour);
            if (!raster.FillPolygon(corners, count, colour)) {
                fallback.setPen(Qt::NoPen);
                fallback.setBrush(QColor(colour));
                fallback.drawPolygon(corners, count);
            }
            filled += ratio == 1 && fallback.brush().style() == Qt::NoBrush;
            painter.end();
            fallback.end();
            differing += expected != actual;
        }
    }
    EXPECT_EQ(differing, 0) << "of 80000 pictures";
    EXPECT_GT(filled, 15000) << "filled without QPainter";
}

// The faces the puzzle leaves out could not have shown: every frame equals, pixel for pixel, the
// one painting every face gives and the one QPainter alone paints, and a shown window gets a widget
// mask's rectangles. Views every 30 degrees of yaw and pitch (poles, sides edge-on), three
// sticker-only; at rest, then twists of each axis, outer and inner layers, both ways.
TEST(PuzzleFrameTest, LeavingOutHiddenFacesChangesNoPixel) {
    const double angles[] = {0, Rad10, -Rad30, Rad45, -Rad90 + Rad10, Rad90 - Rad15};
    QWidget window, shown;
    shown.winId();
    WindowRegion region;
    FramePainter painter;
    int frames = 0, differing = 0;
    std::string first;
    for (int n : {2, 3, 10}) {
        const int layers[] = {0, 0, n / 2, n - 1, 1, n - 2};
        for (int t = 0; t < 6; ++t) {
            auto puzzle = MakePuzzle(n);
            puzzle->SetDirect3D(false);
            puzzle->StartShuffle();
            TickUntilIdle(*puzzle);
            puzzle->TurnLayer(t % 3, layers[t], angles[t]);
            for (int v = 0; v < 12 * 7 + 3; ++v, ++frames) {
                const auto camera =
                    MakeStartUpCamera(n, Rad30 * (v % 12), Rad30 * (v / 12 % 7 - 3));
                camera->SetScene(puzzle.get());
                camera->SetStickerOnly(v >= 12 * 7);
                const FrameInputs in{camera.get(), &window, QSize(300, 300), true, &region};
                QImage frame[2];
                for (int every : {0, 1}) {
                    puzzle->SetDrawEveryFace(every);
                    painter.PaintFrame(
                        every ? FrameInputs{camera.get(), &shown, QSize(300, 300), true, &region}
                              : in);
                    frame[every] = painter.Frame();
                }
                QImage reference = Filled(300, 300, ToQRgb(backgroundColour));
                camera->Render(std::make_unique<PainterCanvas>(reference).get());
                if ((frame[0] != frame[1] || frame[1] != reference ||
                     shown.windowHandle()->mask() != window.mask()) &&
                    differing++ == 0)
                    first = "N " + std::to_string(n) + ", twist " + std::to_string(t) + ", view " +
                            std::to_string(v);
            }
        }
    }
    EXPECT_EQ(differing, 0) << "of " << frames << " frames, the first at " << first;
}
