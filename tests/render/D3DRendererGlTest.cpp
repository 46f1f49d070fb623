#include <QWidget>
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

#include "GuiTestApp.h"
#include "Pixels.h"
#include "render/D3DRenderer.h"

namespace {

constexpr int width = 64, height = 48;
constexpr QRgb black = 0xFF000000;

ScreenVertex At(int x, int y, std::uint32_t argb) {
    return {static_cast<float>(x), static_cast<float>(y), 0, 1, argb, 0, 0};
}

// Two triangles over the pixels [x0, x1) x [y0, y1), clockwise on screen, as a sticker is sent.
std::vector<ScreenVertex> Sticker(int x0, int y0, int x1, int y1, std::uint32_t argb) {
    return {At(x0, y0, argb), At(x1, y0, argb), At(x0, y1, argb),
            At(x1, y0, argb), At(x1, y1, argb), At(x0, y1, argb)};
}

// The blend may round one step away from the exact value.
bool Near(QRgb pixel, int red, int green, int blue) {
    return std::abs(qRed(pixel) - red) <= 1 && std::abs(qGreen(pixel) - green) <= 1 &&
           std::abs(qBlue(pixel) - blue) <= 1;
}

QWidget* Sized(QWidget& window) {
    window.resize(width, height);
    return &window;
}

class D3DRendererGl : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(renderer.available()) << "no OpenGL under Xvfb"; }

    // Clears, draws count vertices (all when negative), and returns what the OR changed.
    QRegion Paint(QImage& frame, const std::vector<ScreenVertex>& v, int count = -1,
                  bool cull = false) {
        const QImage before = frame.copy();
        EXPECT_TRUE(renderer.ClearTarget());
        EXPECT_TRUE(renderer.DrawVertices(v.data(), count < 0 ? int(v.size()) : count, cull));
        EXPECT_TRUE(renderer.CopyToDC(frame, frame.width(), frame.height()));
        return ChangedPixels(before, frame);
    }

    QWidget window;
    D3DRenderer renderer{Sized(window), 324};
};

} // namespace

TEST_F(D3DRendererGl, OrsBlendedStickersIntoExactlyThePixelsTheyCover) {
    QImage frame = Filled(width, height, black);
    std::vector<ScreenVertex> v = Sticker(12, 10, 30, 20, 0x50FF8040);
    const std::vector<ScreenVertex> later = Sticker(20, 15, 40, 30, 0x500000FF);
    v.insert(v.end(), later.begin(), later.end());
    EXPECT_TRUE(SamePixels(Paint(frame, v), QRegion(12, 10, 18, 10) + QRegion(20, 15, 20, 15)));
    EXPECT_TRUE(Near(frame.pixel(12, 10), 80, 40, 20)); // alpha 0x50 over the black clear
    EXPECT_TRUE(Near(frame.pixel(25, 17), 55, 28, 94)); // the later one blended over it
    EXPECT_TRUE(Near(frame.pixel(39, 29), 0, 0, 80));
}

TEST_F(D3DRendererGl, TheClearColourFillsTheTargetAndOpaqueBlackChangesNothing) {
    QImage frame = Filled(width, height, black);
    renderer.SetClearColour(0xFF102030);
    EXPECT_TRUE(SamePixels(Paint(frame, {}), QRegion(0, 0, width, height)));
    EXPECT_EQ(frame.pixel(width - 1, height - 1), 0xFF102030u);
    renderer.SetClearColour(D3DRenderer::initialClearColour);
    QImage background = Filled(width, height, 0xFFDCDDDD);
    EXPECT_TRUE(Paint(background, {}).isEmpty());
}

TEST_F(D3DRendererGl, DrawsCountOver3TrianglesOfAtMostTheCapacity) {
    std::vector<ScreenVertex> v;
    for (int i = 0; i < 4; ++i) {
        const std::vector<ScreenVertex> s = Sticker(i * 12, 0, i * 12 + 10, 10, ~0u);
        v.insert(v.end(), s.begin(), s.end());
    }
    QImage frame = Filled(width, height, black);
    const QRegion firstSticker = Paint(frame, v, 6);
    frame.fill(black);
    const QRegion firstTriangle = Paint(frame, v, 5); // the sixth vertex is still in the buffer
    EXPECT_TRUE(firstTriangle.contains(QPoint(1, 1)));
    EXPECT_FALSE(firstTriangle.contains(QPoint(9, 9)));
    EXPECT_TRUE(firstTriangle.subtracted(firstSticker).isEmpty());
    frame.fill(black);
    EXPECT_TRUE(Paint(frame, v, 2).isEmpty());
    EXPECT_TRUE(renderer.DrawVertices(nullptr, 6, false));
    EXPECT_TRUE(renderer.DrawVertices(v.data(), -6, false));

    D3DRenderer small([] { return QSize(width, height); }, 12);
    QImage clamped = Filled(width, height, black);
    ASSERT_TRUE(small.ClearTarget() && small.DrawVertices(v.data(), 24, false));
    ASSERT_TRUE(small.CopyToDC(clamped, width, height));
    EXPECT_TRUE(
        SamePixels(PixelsNot(clamped, black), QRegion(0, 0, 10, 10) + QRegion(12, 0, 10, 10)));
}

TEST_F(D3DRendererGl, CullDropsTrianglesThatRunClockwiseOnScreen) {
    const std::vector<ScreenVertex> clockwise = {At(0, 0, ~0u), At(10, 0, ~0u), At(0, 10, ~0u)};
    const std::vector<ScreenVertex> anticlockwise = {clockwise[0], clockwise[2], clockwise[1]};
    QImage frame = Filled(width, height, black);
    EXPECT_TRUE(Paint(frame, clockwise, -1, true).isEmpty());
    const QRegion kept = Paint(frame, anticlockwise, -1, true);
    EXPECT_TRUE(kept.contains(QPoint(2, 2)));
    frame.fill(black);
    EXPECT_TRUE(SamePixels(Paint(frame, clockwise, -1, false), kept));
}

TEST_F(D3DRendererGl, CopyStaysInsideTheFrameTheTargetAndTheGivenSize) {
    renderer.SetClearColour(0xFF808080);
    ASSERT_TRUE(renderer.ClearTarget());
    QImage frame = Filled(width, height, black);
    ASSERT_TRUE(renderer.CopyToDC(frame, 20, 10));
    EXPECT_TRUE(SamePixels(PixelsNot(frame, black), QRegion(0, 0, 20, 10)));
    QImage larger = Filled(100, 70, black);
    ASSERT_TRUE(renderer.CopyToDC(larger, 100, 70));
    EXPECT_TRUE(SamePixels(PixelsNot(larger, black), QRegion(0, 0, width, height)));
    QImage smaller = Filled(10, 5, black);
    ASSERT_TRUE(renderer.CopyToDC(smaller, width, height));
    EXPECT_TRUE(PixelsNot(smaller, 0xFF808080).isEmpty());
    QImage none;
    EXPECT_FALSE(renderer.CopyToDC(none, width, height));
}

TEST_F(D3DRendererGl, ResetForSizeFollowsTheWindowUntilReleased) {
    window.resize(120, 90);
    EXPECT_EQ(renderer.TargetSize(), QSize(width, height));
    ASSERT_TRUE(renderer.ResetForSize());
    EXPECT_EQ(renderer.TargetSize(), QSize(120, 90));
    QImage frame = Filled(120, 90, black);
    EXPECT_TRUE(SamePixels(Paint(frame, Sticker(100, 80, 110, 88, ~0u)), QRegion(100, 80, 10, 8)));

    window.resize(0, 0); // still available, with nothing to draw into
    ASSERT_TRUE(renderer.ResetForSize());
    EXPECT_TRUE(renderer.available() && renderer.TargetSize().isEmpty());
    EXPECT_FALSE(renderer.ClearTarget());
    EXPECT_TRUE(renderer.DrawVertices(Sticker(0, 0, 5, 5, ~0u).data(), 6, false));
    EXPECT_FALSE(renderer.CopyToDC(frame, 120, 90));

    renderer.Release();
    EXPECT_FALSE(renderer.available() || renderer.Create() || renderer.ResetForSize());
    EXPECT_FALSE(D3DRenderer(&window, 0).available());
}
