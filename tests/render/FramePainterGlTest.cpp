#include <QWidget>
#include <gtest/gtest.h>

#include "GuiTestApp.h"
#include "SceneSketch.h"
#include "render/ColourConversion.h"
#include "render/D3DRenderer.h"
#include "render/FramePainter.h"
#include "render/WindowRegion.h"

TEST(FramePainterWithOpenGL, StickersAreOredInAfterTheShapeIsCut) {
    QWidget window;
    window.resize(200, 200);
    D3DRenderer renderer(&window, 324);
    ASSERT_TRUE(renderer.available());
    Camera camera = MakeCamera();
    SceneSketch scene;
    camera.SetScene(&scene);
    // As the puzzle draws: bodies through the camera, stickers to the renderer.
    const ScreenVertex sticker[3] = {{150, 150, 0, 1, 0xFF0000FF, 0, 0},
                                     {190, 150, 0, 1, 0xFF0000FF, 0, 0},
                                     {150, 190, 0, 1, 0xFF0000FF, 0, 0}};
    scene.draw = [&](RenderObject* r) {
        r->DrawPolygon(centreQuad, 4, 0, false);
        renderer.ClearTarget();
        renderer.DrawVertices(sticker, 3, false);
    };
    WindowRegion region;
    FrameInputs in{&camera, &window, QSize(200, 200), true, &region, true, &renderer};
    FramePainter painter;
    painter.PaintFrame(in);

    const QRgb background = ToQRgb(backgroundColour);
    EXPECT_EQ(painter.Frame().pixel(100, 100), 0xFF000000u);
    EXPECT_EQ(painter.Frame().pixel(155, 155), background | 0xFF);
    EXPECT_TRUE(window.mask().contains(QPoint(100, 100)));
    EXPECT_FALSE(window.mask().intersects(QRect(150, 150, 40, 40)));

    in.useDirect3D = false;
    painter.PaintFrame(in);
    EXPECT_EQ(painter.Frame().pixel(155, 155), background);
}
