#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

#include "render/D3DRenderer.h"

namespace {

// The offscreen platform has OpenGL only through an X display: without one there is none.
[[maybe_unused]] const bool noDisplay = qunsetenv("DISPLAY") && qunsetenv("WAYLAND_DISPLAY");

const ScreenVertex triangle[3] = {{0, 0, 0, 1, 0xFFFFFFFF, 0, 0},
                                  {10, 0, 0, 1, 0xFFFFFFFF, 0, 0},
                                  {0, 10, 0, 1, 0xFFFFFFFF, 0, 0}};

void ExpectEveryCallReportsUnavailable(D3DRenderer& renderer) {
    EXPECT_FALSE(renderer.available());
    EXPECT_FALSE(renderer.Create());
    EXPECT_FALSE(renderer.available());
    renderer.SetClearColour(0xFFFFFFFF);
    EXPECT_FALSE(renderer.ClearTarget());
    EXPECT_FALSE(renderer.DrawVertices(triangle, 3, false));
    QImage frame(16, 16, QImage::Format_RGB32);
    frame.fill(0xFF000000);
    const QImage before = frame;
    EXPECT_FALSE(renderer.CopyToDC(frame, 16, 16));
    EXPECT_EQ(frame, before);
    EXPECT_FALSE(renderer.ResetForSize());
    EXPECT_TRUE(renderer.TargetSize().isEmpty());
    renderer.Release();
    renderer.Release();
    EXPECT_FALSE(renderer.available());
    EXPECT_EQ(renderer.StickerCapacity(), 0);
}

} // namespace

TEST(D3DRendererWithoutOpenGL, IsUnavailableAndSaysSoOnEveryCall) {
    QWidget window;
    window.resize(64, 64);
    D3DRenderer fromWindow(&window, 324);
    ExpectEveryCallReportsUnavailable(fromWindow);

    D3DRenderer fromSize([] { return QSize(64, 64); }, 324);
    ExpectEveryCallReportsUnavailable(fromSize);
}

TEST(D3DRendererWithoutOpenGL, NoWindowOrNoCapacityIsUnavailable) {
    D3DRenderer noWindow(static_cast<QWidget*>(nullptr), 324);
    ExpectEveryCallReportsUnavailable(noWindow);
    D3DRenderer noSize(D3DRenderer::SizeSource(), 324);
    ExpectEveryCallReportsUnavailable(noSize);
}
