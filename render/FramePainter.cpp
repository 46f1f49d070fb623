#include "render/FramePainter.h"

#include "render/ColourConversion.h"
#include "render/D3DRenderer.h"
#include "render/QImageCanvas.h"
#include "render/WindowRegion.h"
#include "scene/Camera.h"

#include <algorithm>

// A window shape is made of logical pixels, a HiDPI frame of device pixels. The shape takes every
// logical pixel with any device pixel of the scene, and the background left inside it is
// painted black, the colour of the cube's outline, so the shape fits the picture exactly.
const QImage& FramePainter::LogicalShape(const QSize& logical, qreal ratio) {
    if (shape.size() != logical) {
        shape = QImage(logical, QImage::Format_RGB32);
    }
    shape.fill(ToQRgb(backgroundColour));
    const QRgb key = ToQRgb(backgroundColour) & rgbMask;
    const int width = frame.width();
    const int height = frame.height();
    // Each device column's logical one, once a frame instead of once a pixel.
    shapeColumn.resize(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x) {
        shapeColumn[x] = std::min(static_cast<int>(x / ratio), logical.width() - 1);
    }
    const auto ly = [&](int y) {
        return std::min(static_cast<int>(y / ratio), logical.height() - 1);
    };
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(shape.scanLine(ly(y)));
        for (int x = 0; x < width; ++x) {
            if ((row[x] & rgbMask) != key)
                out[shapeColumn[x]] = 0xFF000000;
        }
    }
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(frame.scanLine(y));
        const auto* in = reinterpret_cast<const QRgb*>(shape.constScanLine(ly(y)));
        for (int x = 0; x < width; ++x) {
            if ((row[x] & rgbMask) == key && (in[shapeColumn[x]] & rgbMask) != key)
                row[x] = 0xFF000000;
        }
    }
    return shape;
}

void FramePainter::PaintFrame(const FrameInputs& in) {
    if (in.camera == nullptr || in.window == nullptr) {
        return;
    }
    if (in.clientSize.isEmpty()) {
        // No picture: the scene still renders (into nothing) and the window loses its shape.
        frame = QImage();
    } else {
        const QSize device = (QSizeF(in.clientSize) * in.pixelRatio).toSize();
        if (frame.size() != device || frame.devicePixelRatio() != in.pixelRatio) {
            frame = QImage(device, QImage::Format_RGB32);
            frame.setDevicePixelRatio(in.pixelRatio);
        }
        frame.fill(ToQRgb(backgroundColour));
    }
    {
        QImageCanvas canvas(frame);
        in.camera->Render(&canvas);
    }
    // Keyed on the background itself, never on a pixel read back from the screen.
    if (in.regionMode && in.region != nullptr) {
        if (frame.isNull() || in.pixelRatio == 1.0) {
            in.region->ApplyFromBitmap(in.window, frame, backgroundColour);
        } else {
            in.region->ApplyFromBitmap(in.window, LogicalShape(in.clientSize, in.pixelRatio),
                                       backgroundColour);
        }
    }
    if (in.useDirect3D && in.renderer != nullptr) {
        in.renderer->CopyToDC(frame, frame.width(), frame.height());
    }
}
