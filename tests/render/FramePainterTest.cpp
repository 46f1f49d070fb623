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
#include "render/QImageCanvas.h"
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

// QPainter alone: each fill, then (if outlined) its edges as cosmetic lines drawn top to bottom.
class PainterCanvas : public Canvas {
public:
    explicit PainterCanvas(QImage& image, bool outlined = true)
        : painter(&image), outlined(outlined) {}
    void FillPolygon(const ScreenPoint* points, int count, COLORREF fill) override {
        QPolygon polygon;
        for (int i = 0; i < count; ++i)
            polygon << QPoint(points[i].x, points[i].y);
        painter.setPen(Qt::NoPen);
        painter.setBrush(ToQColor(fill));
        painter.drawPolygon(polygon);
        for (int i = 0; outlined && i < count; ++i) {
            ScreenPoint a = points[i], b = points[(i + 1) % count];
            if (b.y < a.y || (b.y == a.y && b.x < a.x))
                std::swap(a, b);
            DrawLine(a, b, 0);
        }
    }
    void DrawLine(ScreenPoint from, ScreenPoint to, COLORREF colour) override {
        painter.setPen(QPen(ToQColor(colour), 0));
        painter.drawLine(from.x, from.y, to.x, to.y);
    }

private:
    QPainter painter;
    bool outlined;
};

} // namespace

// Without OpenGL the renderer is unavailable and the frame is the GDI one.
TEST_F(FramePainterTest, FillsOutlinesInBlackDrawsLinesAndCutsTheWindowOnTheBackground) {
    painter.PaintFrame(in);
    const QImage frame = painter.Frame();
    EXPECT_TRUE(frame.pixel(100, 100) == shaded && frame.pixel(0, 0) == red); // red: not the key
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
// image, and points; faces of three to five corners, rectangles among them, one in ten reaching
// outside; at four pixel ratios: the same pixels as QPainter alone paints.
TEST(QImageCanvasTest, DrawsThePixelsOfQPainter) {
    std::mt19937 random(7);
    const auto at = [&](int size) { // one in ten far off
        return random() % 10 ? int(random() % (size + 9)) - 4 : int(random() % 200001) - 100000;
    };
    int differing = 0;
    for (const qreal ratio : {1.0, 1.25, 1.5, 2.0}) {
        QImage expected = Filled(64, 48, background);
        expected.setDevicePixelRatio(ratio);
        for (int i = 0; i < 20000; ++i) {
            const ScreenPoint a{at(64 / ratio), at(48 / ratio)};
            const ScreenPoint b = i % 4 ? ScreenPoint{at(64 / ratio), at(48 / ratio)}
                                        : ScreenPoint{a.x + i % 3 - 1, a.y + i / 4 % 3 - 1};
            const int count = 3 + i % 3;
            ScreenPoint face[5];
            for (ScreenPoint& c : face)
                c = {int(random() % 64), int(random() % 48)};
            face[i % count].x -= i % 10 ? 0 : 64;
            if (count == 4 && i % 2)
                face[1] = {face[2].x, face[0].y}, face[3] = {face[0].x, face[2].y};
            const COLORREF colour = random() & 0xFFFFFF;
            QImage actual = expected.copy();
            PainterCanvas reference(expected);
            QImageCanvas canvas(actual);
            for (Canvas* c : std::initializer_list<Canvas*>{&reference, &canvas}) {
                c->DrawLine(a, b, colour);
                c->FillPolygon(face, count, colour);
            }
            // The fill alone, with no outline over its edge pixels, where it needs no QPainter.
            QImage alone = Filled(64, 48, background), direct = alone.copy();
            PainterCanvas(alone, false).FillPolygon(face, count, colour);
            differing +=
                expected != actual ||
                (ImageRaster(direct).FillPolygon(face, count, ToQRgb(colour)) && alone != direct);
        }
    }
    EXPECT_EQ(differing, 0) << "of 80000 pictures";
}

// Each frame equals, pixel for pixel, the one painting every face gives (the faces left out could
// not show) and the one QPainter alone paints, and a shown window gets the same shape. Views every
// 30 degrees of yaw and pitch, three sticker-only; at rest, then twists of each axis, both ways.
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
                QImage frame[2];
                for (int every : {0, 1}) {
                    puzzle->SetDrawEveryFace(every);
                    painter.PaintFrame(
                        {camera.get(), every ? &shown : &window, QSize(300, 300), true, &region});
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
