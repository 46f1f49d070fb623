#pragma once

#include <QPainter>

#include "render/ImageRaster.h"
#include "scene/Canvas.h"

class QImage;

// The camera's drawing surface on a frame image: aliased fills outlined one pixel wide in black,
// and one-pixel lines. The image must outlive the canvas; a null image draws nothing.
class QImageCanvas : public Canvas {
public:
    explicit QImageCanvas(QImage& image);
    QImageCanvas(const QImageCanvas&) = delete;
    QImageCanvas& operator=(const QImageCanvas&) = delete;

    // Fewer than 3 points draw nothing.
    void FillPolygon(const ScreenPoint* points, int count, COLORREF fill) override;
    void DrawLine(ScreenPoint from, ScreenPoint to, COLORREF colour) override;

private:
    QPainter& Painter();

    QImage* target;
    ImageRaster raster;
    QPainter painter; // begun for the first fill the raster cannot do; it never holds a pen
};
