#include "render/QImageCanvas.h"

#include <QImage>
#include <QPoint>
#include <utility>
#include <vector>

#include "render/ColourConversion.h"

QImageCanvas::QImageCanvas(QImage& image)
    : target(image.isNull() ? nullptr : &image), raster(image) {}

QPainter& QImageCanvas::Painter() {
    if (!painter.isActive()) {
        painter.begin(target);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(Qt::NoPen);
    }
    return painter;
}

void QImageCanvas::FillPolygon(const ScreenPoint* points, int count, COLORREF fill) {
    if (target == nullptr || points == nullptr || count < 3) {
        return;
    }
    if (!raster.FillPolygon(points, count, ToQRgb(fill))) {
        std::vector<QPoint> corners(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) {
            corners[static_cast<std::size_t>(i)] = QPoint(points[i].x, points[i].y);
        }
        Painter().setBrush(ToQColor(fill));
        painter.drawPolygon(corners.data(), count);
    }
    // A closed outline is stroked with its own rounding at each corner, so two faces sharing an
    // edge could each paint a pixel the other does not, and a face hidden behind its neighbours
    // peek out. Edges drawn as lines, each top to bottom (a clipped line's pixels depend on its
    // direction), cover the same pixels for both.
    constexpr QRgb black = 0xFF000000;
    for (int i = 0; i < count; ++i) {
        ScreenPoint a = points[i], b = points[(i + 1) % count];
        if (b.y < a.y || (b.y == a.y && b.x < a.x)) {
            std::swap(a, b);
        }
        raster.DrawLine(a, b, black);
    }
}

void QImageCanvas::DrawLine(ScreenPoint from, ScreenPoint to, COLORREF colour) {
    raster.DrawLine(from, to, ToQRgb(colour));
}
