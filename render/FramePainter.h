#pragma once

#include <QImage>
#include <QSize>
#include <vector>

class Camera;
class D3DRenderer;
class QWidget;
class WindowRegion;

// What one frame is made from; nothing here is owned.
struct FrameInputs {
    Camera* camera = nullptr;
    // The main window: the region's target. Without it nothing is painted.
    QWidget* window = nullptr;
    // In window (logical) pixels.
    QSize clientSize;
    bool regionMode = false;
    WindowRegion* region = nullptr;
    bool useDirect3D = false;
    D3DRenderer* renderer = nullptr;
    // Device pixels per window pixel: the frame is painted at device pixels.
    qreal pixelRatio = 1.0;
};

// Composes one complete picture of the scene: background, the camera's painting, the window shape
// cut from that picture in region mode, and the OpenGL sticker picture ORed in last, so it never
// widens the shape. The window shows Frame(); nothing is drawn on it directly.
class FramePainter {
public:
    void PaintFrame(const FrameInputs& inputs);

    // The last finished frame; null before the first one and after a frame of no size.
    const QImage& Frame() const { return frame; }

private:
    // Cuts the window shape of the HiDPI frame into shape, and blackens the frame to fit it.
    const QImage& LogicalShape(const QSize& logical, qreal ratio);

    QImage frame;
    // Kept between frames, so a HiDPI frame allocates nothing.
    QImage shape;
    std::vector<int> shapeColumn;
};
