#pragma once

#include <QPoint>
#include <QRgb>
#include <QTransform>

class QImage;

// Opaque one-pixel lines written straight into a 32-bit image, pixel for pixel as QPainter's
// raster engine draws them with an aliased cosmetic pen of width 0 and a square cap (device
// transform, rough clip, 26.6 fixed point, half a pixel added at each end). A face's outline
// then costs no painter state change and no span blending.
class Hairline {
public:
    // `image` must be RGB32 or ARGB32(_Premultiplied) and outlive this; `toDevice` is what a
    // painter on it maps logical points with (its device pixel ratio).
    Hairline(QImage& image, const QTransform& toDevice);
    Hairline() = default; // draws nothing

    void Draw(QPoint from, QPoint to, QRgb opaque) const;

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
    QTransform toDevice;
};
