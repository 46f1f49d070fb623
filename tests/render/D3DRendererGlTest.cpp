#include <QImage>
#include <QRegion>
#include <QString>
#include <QWidget>
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

#include "render/D3DRenderer.h"

namespace {

constexpr int width = 64;
constexpr int height = 48;
constexpr QRgb black = 0xFF000000;
constexpr QRgb background = 0xFFDCDDDD;

ScreenVertex At(float x, float y, std::uint32_t argb) {
    ScreenVertex v;
    v.x = x;
    v.y = y;
    v.diffuse = argb;
    return v;
}

// Two triangles covering the pixels [x0, x1) x [y0, y1), both clockwise on screen, as the
// puzzle sends a sticker.
std::vector<ScreenVertex> Sticker(int x0, int y0, int x1, int y1, std::uint32_t argb) {
    const float l = static_cast<float>(x0), t = static_cast<float>(y0);
    const float r = static_cast<float>(x1), b = static_cast<float>(y1);
    return {At(l, t, argb), At(r, t, argb), At(l, b, argb),
            At(r, t, argb), At(r, b, argb), At(l, b, argb)};
}

QImage Frame(QRgb fill = black, int w = width, int h = height) {
    QImage frame(w, h, QImage::Format_RGB32);
    frame.fill(fill);
    return frame;
}

QRegion ChangedPixels(const QImage& before, const QImage& after) {
    QRegion changed;
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            if (before.pixel(x, y) != after.pixel(x, y)) {
                changed += QRect(x, y, 1, 1);
            }
        }
    }
    return changed;
}

QString Describe(const QRegion& region) {
    QString text;
    for (const QRect& r : region) {
        text += QString("(%1,%2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    }
    return text.isEmpty() ? QString("nothing") : text;
}

::testing::AssertionResult SamePixels(const QRegion& actual, const QRegion& expected) {
    if (actual.xored(expected).isEmpty()) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "got " << Describe(actual).toStdString()
                                         << ", expected " << Describe(expected).toStdString();
}

// Rounding of the blend may differ by one step from the exact value.
void ExpectNear(QRgb pixel, int red, int green, int blue) {
    EXPECT_LE(std::abs(qRed(pixel) - red), 1) << std::hex << pixel;
    EXPECT_LE(std::abs(qGreen(pixel) - green), 1) << std::hex << pixel;
    EXPECT_LE(std::abs(qBlue(pixel) - blue), 1) << std::hex << pixel;
}

class D3DRendererGl : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(renderer.available()) << "no OpenGL under Xvfb"; }

    // Clears, draws, and ORs the picture into `frame`.
    void Paint(QImage& frame, const std::vector<ScreenVertex>& vertices, int count = -1,
               bool cull = false) {
        ASSERT_TRUE(renderer.ClearTarget());
        ASSERT_TRUE(renderer.DrawVertices(
            vertices.data(), count < 0 ? static_cast<int>(vertices.size()) : count, cull));
        ASSERT_TRUE(renderer.CopyToDC(frame, frame.width(), frame.height()));
    }

    QSize clientSize{width, height};
    D3DRenderer renderer{[this] { return clientSize; }, 324};
};

} // namespace

TEST_F(D3DRendererGl, OrLightensExactlyThePixelsUnderStickersAndNoOthers) {
    // A black cubie body on the background.
    QImage frame = Frame(background);
    for (int y = 6; y < 36; ++y) {
        for (int x = 8; x < 48; ++x) {
            frame.setPixel(x, y, black);
        }
    }
    const QImage before = frame;
    Paint(frame, Sticker(12, 10, 30, 20, 0x50FF8040));

    EXPECT_TRUE(SamePixels(ChangedPixels(before, frame), QRegion(12, 10, 18, 10)));
    ExpectNear(frame.pixel(12, 10), 80, 40, 20); // 0x50 of 255 of each channel
    ExpectNear(frame.pixel(29, 19), 80, 40, 20);
    EXPECT_EQ(frame.pixel(2, 2), background);
}

TEST_F(D3DRendererGl, LaterTrianglesBlendOverEarlierOnesByTheirAlpha) {
    QImage frame = Frame();
    std::vector<ScreenVertex> vertices = Sticker(0, 0, 20, 20, 0x50FF0000);
    const std::vector<ScreenVertex> second = Sticker(10, 10, 30, 30, 0x500000FF);
    vertices.insert(vertices.end(), second.begin(), second.end());
    Paint(frame, vertices);
    ExpectNear(frame.pixel(5, 5), 80, 0, 0);
    ExpectNear(frame.pixel(15, 15), 55, 0, 80);
    ExpectNear(frame.pixel(25, 25), 0, 0, 80);
}

TEST_F(D3DRendererGl, ClearColourFillsTheTarget) {
    QImage frame = Frame();
    renderer.SetClearColour(0xFF102030);
    Paint(frame, {});
    EXPECT_TRUE(SamePixels(ChangedPixels(Frame(), frame), QRegion(0, 0, width, height)));
    EXPECT_EQ(frame.pixel(0, 0), 0xFF102030u);
    EXPECT_EQ(frame.pixel(width - 1, height - 1), 0xFF102030u);

    renderer.SetClearColour(D3DRenderer::initialClearColour);
    QImage again = Frame(background);
    Paint(again, {});
    EXPECT_TRUE(ChangedPixels(Frame(background), again).isEmpty());
}

TEST_F(D3DRendererGl, CountIsClampedToTheCapacity) {
    D3DRenderer small([] { return QSize(width, height); }, 6);
    ASSERT_TRUE(small.available());
    std::vector<ScreenVertex> vertices;
    for (int i = 0; i < 4; ++i) {
        const std::vector<ScreenVertex> s = Sticker(i * 12, 0, i * 12 + 10, 10, 0xFFFFFFFF);
        vertices.insert(vertices.end(), s.begin(), s.end());
    }
    QImage frame = Frame();
    ASSERT_TRUE(small.ClearTarget());
    ASSERT_TRUE(small.DrawVertices(vertices.data(), 24, false));
    ASSERT_TRUE(small.CopyToDC(frame, width, height));
    EXPECT_TRUE(SamePixels(ChangedPixels(Frame(), frame), QRegion(0, 0, 10, 10)));
}

TEST_F(D3DRendererGl, CountFiveDrawsOneTriangle) {
    const std::vector<ScreenVertex> square = Sticker(0, 0, 10, 10, 0xFFFFFFFF);
    QImage full = Frame();
    Paint(full, square); // leaves all six vertices in the buffer
    QImage frame = Frame();
    Paint(frame, square, 5);
    const QRegion drawn = ChangedPixels(Frame(), frame);
    EXPECT_FALSE(drawn.isEmpty());
    EXPECT_FALSE(drawn.contains(QPoint(9, 9)));
    EXPECT_TRUE(drawn.contains(QPoint(1, 1)));
    EXPECT_TRUE(drawn.subtracted(ChangedPixels(Frame(), full)).isEmpty());
}

TEST_F(D3DRendererGl, DegenerateInputDrawsNothing) {
    const std::vector<ScreenVertex> square = Sticker(0, 0, 10, 10, 0xFFFFFFFF);
    QImage frame = Frame();
    ASSERT_TRUE(renderer.ClearTarget());
    EXPECT_TRUE(renderer.DrawVertices(nullptr, 6, false));
    EXPECT_TRUE(renderer.DrawVertices(square.data(), 2, false));
    EXPECT_TRUE(renderer.DrawVertices(square.data(), -6, false));
    ASSERT_TRUE(renderer.CopyToDC(frame, width, height));
    EXPECT_TRUE(ChangedPixels(Frame(), frame).isEmpty());
}

TEST_F(D3DRendererGl, CullDropsTrianglesThatRunClockwiseOnScreen) {
    const std::vector<ScreenVertex> clockwise = {At(0, 0, 0xFFFFFFFF), At(10, 0, 0xFFFFFFFF),
                                                 At(0, 10, 0xFFFFFFFF)};
    const std::vector<ScreenVertex> anticlockwise = {clockwise[0], clockwise[2], clockwise[1]};
    QImage culled = Frame();
    Paint(culled, clockwise, -1, true);
    EXPECT_TRUE(ChangedPixels(Frame(), culled).isEmpty());
    QImage kept = Frame();
    Paint(kept, anticlockwise, -1, true);
    const QRegion triangle = ChangedPixels(Frame(), kept);
    EXPECT_TRUE(triangle.contains(QPoint(2, 2)));
    QImage unculled = Frame();
    Paint(unculled, clockwise, -1, false);
    EXPECT_TRUE(SamePixels(ChangedPixels(Frame(), unculled), triangle));
}

TEST_F(D3DRendererGl, CopyStaysInsideTheFrameTheTargetAndTheGivenSize) {
    renderer.SetClearColour(0xFF808080);
    ASSERT_TRUE(renderer.ClearTarget());

    QImage frame = Frame();
    ASSERT_TRUE(renderer.CopyToDC(frame, 20, 10));
    EXPECT_TRUE(SamePixels(ChangedPixels(Frame(), frame), QRegion(0, 0, 20, 10)));

    QImage larger = Frame(black, 100, 70);
    ASSERT_TRUE(renderer.CopyToDC(larger, 100, 70));
    EXPECT_TRUE(
        SamePixels(ChangedPixels(Frame(black, 100, 70), larger), QRegion(0, 0, width, height)));

    QImage smaller = Frame(black, 10, 5);
    ASSERT_TRUE(renderer.CopyToDC(smaller, width, height));
    EXPECT_TRUE(ChangedPixels(Frame(0xFF808080, 10, 5), smaller).isEmpty());

    QImage none;
    EXPECT_FALSE(renderer.CopyToDC(none, width, height));
}

TEST_F(D3DRendererGl, ResetForSizeFollowsTheClientSize) {
    EXPECT_EQ(renderer.TargetSize(), QSize(width, height));
    clientSize = QSize(120, 90);
    EXPECT_EQ(renderer.TargetSize(), QSize(width, height));
    ASSERT_TRUE(renderer.ResetForSize());
    EXPECT_EQ(renderer.TargetSize(), QSize(120, 90));
    QImage frame = Frame(black, 120, 90);
    Paint(frame, Sticker(100, 80, 110, 88, 0xFFFFFFFF));
    EXPECT_TRUE(SamePixels(ChangedPixels(Frame(black, 120, 90), frame), QRegion(100, 80, 10, 8)));

    // No client area: still available, but there is nothing to draw into.
    clientSize = QSize(0, 0);
    ASSERT_TRUE(renderer.ResetForSize());
    EXPECT_TRUE(renderer.available());
    EXPECT_TRUE(renderer.TargetSize().isEmpty());
    EXPECT_FALSE(renderer.ClearTarget());
    EXPECT_TRUE(renderer.DrawVertices(Sticker(0, 0, 5, 5, 0xFFFFFFFF).data(), 6, false));
    EXPECT_FALSE(renderer.CopyToDC(frame, 120, 90));
}

TEST(D3DRendererGlWindow, TakesItsSizeFromTheWindowAndForgetsItOnRelease) {
    QWidget window;
    window.resize(90, 70);
    D3DRenderer renderer(&window, 36 * 9);
    ASSERT_TRUE(renderer.available());
    EXPECT_EQ(renderer.StickerCapacity(), 324);
    EXPECT_EQ(renderer.TargetSize(), QSize(90, 70));
    window.resize(40, 30);
    ASSERT_TRUE(renderer.ResetForSize());
    EXPECT_EQ(renderer.TargetSize(), QSize(40, 30));

    renderer.Release();
    EXPECT_FALSE(renderer.available());
    EXPECT_FALSE(renderer.Create());
    EXPECT_FALSE(renderer.ClearTarget());
    EXPECT_FALSE(renderer.ResetForSize());

    D3DRenderer noCapacity(&window, 0);
    EXPECT_FALSE(noCapacity.available());
}
