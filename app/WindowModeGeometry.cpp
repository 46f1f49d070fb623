#include "app/WindowModeGeometry.h"

QRect RegionRectFromFramed(const QRect& framed, const FrameMetrics& m) {
    return QRect(framed.x() + m.left, framed.y() + m.top + m.menu,
                 framed.width() - m.left - m.right, framed.height() - m.top - m.menu);
}

QRect FramedRectFromRegion(const QRect& region, const FrameMetrics& m) {
    return QRect(region.x() - m.left, region.y() - m.top - m.menu,
                 region.width() + m.left + m.right, region.height() + m.top + m.menu);
}

QRect GeometryFromFramed(const QRect& framed, const FrameMetrics& m) {
    return QRect(framed.x() + m.left, framed.y() + m.top, framed.width() - m.left - m.right,
                 framed.height() - m.top - m.bottom);
}

QRect FramedFromGeometry(const QRect& geometry, const FrameMetrics& m) {
    return QRect(geometry.x() - m.left, geometry.y() - m.top, geometry.width() + m.left + m.right,
                 geometry.height() + m.top + m.bottom);
}
