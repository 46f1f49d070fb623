#include "render/FramePainter.h"

#include "render/ColourConversion.h"
#include "render/D3DRenderer.h"
#include "render/QImageCanvas.h"
#include "render/WindowRegion.h"
#include "scene/Camera.h"

void FramePainter::PaintFrame(const FrameInputs& in) {
    if (in.camera == nullptr || in.window == nullptr) {
        return;
    }
    if (in.clientSize.isEmpty()) {
        // No picture: the scene still renders (into nothing) and the window loses its shape.
        frame = QImage();
    } else {
        if (frame.size() != in.clientSize) {
            frame = QImage(in.clientSize, QImage::Format_RGB32);
        }
        frame.fill(ToQRgb(backgroundColour));
    }
    {
        QImageCanvas canvas(frame);
        in.camera->Render(&canvas);
    }
    // Keyed on the background itself, never on a pixel read back from the screen.
    if (in.regionMode && in.region != nullptr) {
        in.region->ApplyFromBitmap(in.window, frame, backgroundColour);
    }
    if (in.useDirect3D && in.renderer != nullptr) {
        in.renderer->CopyToDC(frame, in.clientSize.width(), in.clientSize.height());
    }
}
