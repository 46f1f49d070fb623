#include "render/QImageCanvas.h"

#include <QImage>
#include <QPoint>
#include <vector>

#include "render/ColourConversion.h"

QImageCanvas::QImageCanvas(QImage& image) {
    if (image.isNull()) {
        return;
    }
    painter.begin(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    raster = ImageRaster(image, painter.deviceTransform());
}

void QImageCanvas::FillPolygon(const ScreenPoint* points, int count, COLORREF fill) {
    if (!painter.isActive() || points == nullptr || count < 3) {
        return;
    }
    constexpr int usualCorners = 4;
    QPoint corners[usualCorners];
    std::vector<QPoint> many;
    QPoint* out = corners;
    if (count > usualCorners) {
        many.resize(static_cast<std::size_t>(count));
        out = many.data();
    }
    for (int i = 0; i < count; ++i) {
        out[i] = QPoint(points[i].x, points[i].y);
    }
    if (!raster.FillPolygon(out, count, ToQRgb(fill))) {
        painter.setBrush(ToQColor(fill));
        painter.drawPolygon(out, count);
    }
    // A closed outline is stroked with its own rounding at each corner, so two faces sharing an
    // edge could each paint a pixel the other does not, and a face hidden behind its neighbours
    // peek out. Edges drawn as lines, each in one direction, cover the same pixels for both.
    constexpr QRgb black = 0xFF000000;
    for (int i = 0; i < count; ++i) {
        const QPoint& a = out[i];
        const QPoint& b = out[(i + 1) % count];
        const bool forward = a.y() < b.y() || (a.y() == b.y() && a.x() <= b.x());
        raster.DrawLine(forward ? a : b, forward ? b : a, black);
    }
}

void QImageCanvas::DrawLine(ScreenPoint from, ScreenPoint to, COLORREF colour) {
    raster.DrawLine(QPoint(from.x, from.y), QPoint(to.x, to.y), ToQRgb(colour));
}
