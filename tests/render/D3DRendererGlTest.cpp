#include <QWidget>
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

#include "GuiTestApp.h"
#include "Pixels.h"
#include "render/D3DRenderer.h"
#include "render/FramePainter.h"
#include "render/WindowRegion.h"
#include "tests/scene/SceneSketch.h"

namespace {

constexpr QRgb black = 0xFF000000;

// Appends two triangles over the rectangle's pixels, clockwise on screen, as a sticker is sent.
std::vector<ScreenVertex> Sticker(const QRect& r, std::uint32_t argb,
                                  std::vector<ScreenVertex> v = {}) {
    const auto at = [argb](int x, int y) { return ScreenVertex{float(x), float(y), 0, 1, argb}; };
    const int x0 = r.x(), y0 = r.y(), x1 = x0 + r.width(), y1 = y0 + r.height();
    v.insert(v.end(), {at(x0, y0), at(x1, y0), at(x0, y1), at(x1, y0), at(x1, y1), at(x0, y1)});
    return v;
}

class D3DRendererGl : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(renderer.available()) << "no OpenGL under Xvfb"; }

    // The pixels lit in a black frame by drawing count vertices (all when negative) into r, after
    // clearing it unless told otherwise.
    QRegion Painted(const std::vector<ScreenVertex>& v, int count = -1, bool cull = false,
                    D3DRenderer* r = nullptr, bool clear = true) {
        r = r ? r : &renderer;
        frame = Filled(client.width(), client.height(), black);
        EXPECT_TRUE((!clear || r->ClearTarget()) &&
                    r->DrawVertices(v.data(), count < 0 ? int(v.size()) : count, cull) &&
                    r->CopyToDC(frame, client.width(), client.height()));
        return PixelsNot(frame, black);
    }

    QSize client{64, 48};
    D3DRenderer renderer{[this] { return client; }, 12}; // vertices: two stickers
    QImage frame;
};

} // namespace

TEST_F(D3DRendererGl, DrawsBlendedTrianglesOfAtMostTheCapacityIntoExactlyTheirPixels) {
    const QRect first(12, 10, 18, 10), later(20, 15, 20, 15);
    EXPECT_TRUE(SamePixels(Painted(Sticker(later, 0x500000FF, Sticker(first, 0x50FF8040))),
                           QRegion(first) + later));
    // Alpha 0x50 over the black clear, then the later one over it; the blend may round a step.
    const QRgb both = frame.pixel(25, 17);
    EXPECT_LE(std::abs(qRed(both) - 55) + std::abs(qGreen(both) - 28) + std::abs(qBlue(both) - 94),
              3);

    std::vector<ScreenVertex> v;
    for (int i = 0; i < 4; ++i)
        v = Sticker(QRect(i * 12, 0, 10, 10), ~0u, v);
    EXPECT_TRUE(SamePixels(Painted(v, 24), QRegion(0, 0, 10, 10) + QRect(12, 0, 10, 10)));
    const QRegion firstTriangle = Painted(v, 5); // the sixth vertex is still in the buffer
    EXPECT_TRUE(firstTriangle.contains(QPoint(1, 1)) && !firstTriangle.contains(QPoint(9, 9)));
    EXPECT_TRUE(firstTriangle.subtracted(QRegion(0, 0, 10, 10)).isEmpty());
    EXPECT_TRUE(renderer.DrawVertices(nullptr, 6, false) &&
                renderer.DrawVertices(v.data(), -6, false));
    // Cull drops the triangles that run clockwise on screen.
    const std::vector<ScreenVertex> clockwise(v.begin(), v.begin() + 3), anti = {v[0], v[2], v[1]};
    EXPECT_TRUE(Painted(clockwise, -1, true).isEmpty());
    EXPECT_TRUE(Painted(anti, -1, true).contains(QPoint(2, 2)));
    EXPECT_TRUE(SamePixels(Painted(clockwise), Painted(anti, -1, true)));
}

TEST_F(D3DRendererGl, TheTargetFollowsTheClientUntilReleasedAndCopiesStayWithinFrameAndTarget) {
    client = QSize(120, 90);
    ASSERT_TRUE(renderer.TargetStale() && renderer.ResetForSize());
    EXPECT_TRUE(renderer.TargetSize() == client && !renderer.TargetStale());
    const QRect corner(100, 80, 20, 10);
    EXPECT_TRUE(SamePixels(Painted(Sticker(corner, ~0u)), corner));
    // Only what was drawn since the clear is read back: all of it, and only inside the target.
    const QRect across(-5, 85, 10, 20);
    EXPECT_TRUE(SamePixels(Painted(Sticker(across, ~0u), -1, false, &renderer, false),
                           QRegion(corner) + QRect(0, 85, 5, 5)));
    EXPECT_TRUE(SamePixels(Painted(Sticker(across, ~0u)), QRect(0, 85, 5, 5)));
    // At two device pixels a window pixel, a sticker covers twice its size from twice its place
    // (give or take the pixel centres' half-pixel shift).
    qreal ratio = 2;
    D3DRenderer sharp([this] { return client; }, 6, [&ratio] { return ratio; });
    const QRegion lit = Painted(Sticker(QRect(50, 30, 9, 14), ~0u), -1, false, &sharp);
    EXPECT_TRUE(lit.contains(QRect(100, 60, 18, 28)) &&
                QRect(99, 59, 20, 30).contains(lit.boundingRect()));
    ratio = 1; // moved to another screen
    EXPECT_TRUE(sharp.TargetStale() && sharp.ResetForSize() && !sharp.TargetStale());
    sharp.Release();

    renderer.SetClearColour(0xFF102030);
    ASSERT_TRUE(renderer.ClearTarget());
    QImage part = Filled(64, 48, black), larger = Filled(150, 100, black),
           smaller = Filled(10, 5, black), none;
    ASSERT_TRUE(renderer.CopyToDC(part, 20, 10) && renderer.CopyToDC(larger, 150, 100) &&
                renderer.CopyToDC(smaller, 120, 90));
    EXPECT_TRUE(SamePixels(PixelsNot(part, black), QRegion(0, 0, 20, 10)));
    EXPECT_TRUE(SamePixels(PixelsNot(larger, black), QRegion(0, 0, 120, 90)));
    EXPECT_TRUE(PixelsNot(smaller, 0xFF102030).isEmpty());
    EXPECT_FALSE(renderer.CopyToDC(none, 120, 90));

    client = QSize(0, 0); // still available, with nothing to draw into
    ASSERT_TRUE(renderer.ResetForSize());
    EXPECT_TRUE(renderer.available() && renderer.TargetSize().isEmpty() && !renderer.TargetStale());
    EXPECT_FALSE(renderer.ClearTarget() || renderer.CopyToDC(frame, 120, 90));
    EXPECT_TRUE(renderer.DrawVertices(Sticker(corner, ~0u).data(), 6, false));
    renderer.Release();
    EXPECT_FALSE(renderer.available() || renderer.Create() || renderer.ResetForSize());
    EXPECT_FALSE(D3DRenderer([] { return QSize(8, 8); }, 0).available());
}

TEST_F(D3DRendererGl, FramePainterOrsStickersInAfterTheShapeIsCutAndKeepsTheBackground) {
    client = QSize(200, 200);
    const QRect sticker(100, 100, 40, 40);
    ASSERT_TRUE(renderer.ResetForSize() && renderer.ClearTarget());
    ASSERT_TRUE(renderer.DrawVertices(Sticker(sticker, 0xFF0000FF).data(), 6, false));
    Camera camera = StartUpCamera(); // with no scene: an empty picture
    QWidget window;
    WindowRegion region;
    FrameInputs in{&camera, &window, client, true, &region, false, &renderer};
    FramePainter painter;
    painter.PaintFrame(in);
    const QImage gdi = painter.Frame();
    const QRegion shape = window.mask();
    in.useDirect3D = true;
    painter.PaintFrame(in);
    EXPECT_TRUE(SamePixels(window.mask(), shape));
    const QImage& both = painter.Frame();
    const auto changed = [&](int x, int y) { return gdi.pixel(x, y) != both.pixel(x, y); };
    EXPECT_TRUE(SamePixels(PixelsWhere(gdi, changed), sticker));
    EXPECT_EQ(both.pixel(135, 135), 0xFFDCDDFFu); // ORed into the background
}
