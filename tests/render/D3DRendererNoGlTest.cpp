#include <QWidget>
#include <gtest/gtest.h>

#include "GuiTestApp.h"
#include "Pixels.h"
#include "render/D3DRenderer.h"

namespace {
// The offscreen platform has OpenGL only through an X display: without one there is none.
[[maybe_unused]] const bool noDisplay = qunsetenv("DISPLAY") && qunsetenv("WAYLAND_DISPLAY");
} // namespace

TEST(D3DRendererWithoutOpenGL, IsUnavailableAndEveryCallSaysSo) {
    QWidget window;
    window.resize(64, 64);
    D3DRenderer fromWindow(&window, 324);
    D3DRenderer fromSize([] { return QSize(64, 64); }, 324);
    D3DRenderer noWindow(static_cast<QWidget*>(nullptr), 324);
    const ScreenVertex triangle[3] = {
        {0, 0, 0, 1, ~0u, 0, 0}, {9, 0, 0, 1, ~0u, 0, 0}, {0, 9, 0, 1, ~0u, 0, 0}};
    for (D3DRenderer* renderer : {&fromWindow, &fromSize, &noWindow}) {
        EXPECT_FALSE(renderer->available());
        EXPECT_FALSE(renderer->Create());
        renderer->SetClearColour(0xFFFFFFFF);
        EXPECT_FALSE(renderer->ClearTarget());
        EXPECT_FALSE(renderer->DrawVertices(triangle, 3, false));
        QImage frame = Filled(16, 16, 0xFF000000);
        EXPECT_FALSE(renderer->CopyToDC(frame, 16, 16));
        EXPECT_TRUE(PixelsNot(frame, 0xFF000000).isEmpty());
        EXPECT_FALSE(renderer->ResetForSize());
        EXPECT_TRUE(renderer->TargetSize().isEmpty());
        renderer->Release();
        renderer->Release();
        EXPECT_FALSE(renderer->available());
        EXPECT_EQ(renderer->StickerCapacity(), 0);
    }
}
