#include "render/QImageCanvas.h"

#include <QImage>
#include <QPoint>
#include <vector>

#include "render/ColourConversion.h"

QImageCanvas::QImageCanvas(QImage& image) : outline(Qt::black, 0) {
    if (image.isNull()) {
        return;
    }
    painter.begin(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    outline.setCosmetic(true);
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
    painter.setPen(outline);
    painter.setBrush(ToQColor(fill));
    painter.drawPolygon(out, count);
}

void QImageCanvas::DrawLine(ScreenPoint from, ScreenPoint to, COLORREF colour) {
    if (!painter.isActive()) {
        return;
    }
    QPen pen(ToQColor(colour), 0);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.drawLine(from.x, from.y, to.x, to.y);
}
