#include <QWidget>
#include <gtest/gtest.h>

#include "SceneSketch.h"
#include "render/ColourConversion.h"
#include "render/D3DRenderer.h"
#include "render/FramePainter.h"
#include "render/WindowRegion.h"

namespace {

ScreenVertex At(float x, float y) {
    ScreenVertex v;
    v.x = x;
    v.y = y;
    v.diffuse = 0xFF0000FF;
    return v;
}

} // namespace

TEST(FramePainterWithOpenGL, StickersAreOredInAfterTheShapeIsCut) {
    QWidget window;
    window.resize(200, 200);
    D3DRenderer renderer(&window, 324);
    ASSERT_TRUE(renderer.available());
    Camera camera = MakeCamera();
    SceneSketch scene;
    camera.SetScene(&scene);
    // As the puzzle draws: its bodies through the camera, its stickers to the renderer.
    const ScreenVertex sticker[3] = {At(150, 150), At(190, 150), At(150, 190)};
    scene.draw = [&](RenderObject* r) {
        r->DrawPolygon(centreQuad, 4, 0, false);
        renderer.ClearTarget();
        renderer.DrawVertices(sticker, 3, false);
    };
    WindowRegion region;
    FrameInputs in;
    in.camera = &camera;
    in.window = &window;
    in.clientSize = QSize(200, 200);
    in.regionMode = true;
    in.region = &region;
    in.useDirect3D = true;
    in.renderer = &renderer;
    FramePainter painter;
    painter.PaintFrame(in);

    const QImage& frame = painter.Frame();
    const QRgb background = ToQRgb(backgroundColour);
    EXPECT_EQ(frame.pixel(100, 100), 0xFF000000u);
    EXPECT_NE(frame.pixel(155, 155), background); // blue ORed into the background
    EXPECT_EQ(qBlue(frame.pixel(155, 155)), 0xFF);
    EXPECT_EQ(frame.pixel(185, 185), background);
    EXPECT_TRUE(window.mask().contains(QPoint(100, 100)));
    EXPECT_FALSE(window.mask().intersects(QRect(150, 150, 40, 40)));

    // Without Direct3D mode the renderer's picture stays out of the frame.
    in.useDirect3D = false;
    painter.PaintFrame(in);
    EXPECT_EQ(painter.Frame().pixel(155, 155), background);
}
