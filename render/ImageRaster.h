#pragma once

#include <QRgb>

#include "scene/Canvas.h"

class QImage;

// Opaque one-pixel lines and aliased polygon fills written straight into a 32-bit image, pixel
// for pixel as QPainter's raster engine draws them: lines as with a cosmetic pen of width 0 and
// a square cap (device pixel ratio, rough clip, 26.6 fixed point, half a pixel added at each
// end); fills as with no pen, an opaque brush and the odd-even rule (pixel centres inside each
// edge's 16.16 crossing). A face then costs no painter state change, no span list and no blend
// call.
class ImageRaster {
public:
    // `image` must be RGB32 or ARGB32(_Premultiplied) and outlive this; points are scaled by its
    // device pixel ratio, as a painter on it scales them.
    explicit ImageRaster(QImage& image);

    void DrawLine(ScreenPoint from, ScreenPoint to, QRgb opaque) const;
    // False, drawing nothing, for what only QPainter itself fills exactly: a polygon reaching
    // outside the image (clipped), more than 32 corners, or a device pixel ratio other than 1.
    bool FillPolygon(const ScreenPoint* points, int count, QRgb opaque) const;

private:
    void Stroke(double x1, double y1, double x2, double y2, QRgb colour) const;
    void Put(int x, int y, QRgb colour) const {
        if (x >= 0 && y >= 0 && x < width && y < height)
            pixels[static_cast<qsizetype>(y) * stride + x] = colour;
    }

    QRgb* pixels = nullptr;
    qsizetype stride = 0;
    int width = 0;
    int height = 0;
    qreal ratio = 1;
};
