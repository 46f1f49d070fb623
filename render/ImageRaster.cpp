#include "render/ImageRaster.h"

#include <QImage>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace {

int FixedDiv16(int a, int b) {
    return static_cast<int>(static_cast<std::int64_t>(a) * 65536 / b);
}

// Cuts the line to -1 <= u <= uMax (u is x or y, v the other), in floating point so far-off
// points cannot overflow the fixed point; the order of the cuts decides the rounding, so it is
// kept. False when nothing is left.
bool ClipRough(double& u1, double& v1, double& u2, double& v2, double uMax) {
    constexpr double minimum = -1;
    if (u1 < minimum) {
        if (u2 <= minimum)
            return false;
        v1 += (v2 - v1) / (u2 - u1) * (minimum - u1);
        u1 = minimum;
    } else if (u1 > uMax) {
        if (u2 >= uMax)
            return false;
        v1 += (v2 - v1) / (u2 - u1) * (uMax - u1);
        u1 = uMax;
    }
    if (u2 < minimum) {
        v2 += (v2 - v1) / (u2 - u1) * (minimum - u2);
        u2 = minimum;
    } else if (u2 > uMax) {
        v2 += (v2 - v1) / (u2 - u1) * (uMax - u2);
        u2 = uMax;
    }
    return true;
}

int To26Dot6(double v) {
    return static_cast<int>(v * 64.);
}

} // namespace

ImageRaster::ImageRaster(QImage& image)
    : width(image.width()), height(image.height()), ratio(image.devicePixelRatio()) {
    if (image.depth() == 32) {
        pixels = reinterpret_cast<QRgb*>(image.bits());
        stride = image.bytesPerLine() / 4;
    }
}

void ImageRaster::DrawLine(ScreenPoint from, ScreenPoint to, QRgb opaque) const {
    if (pixels == nullptr) {
        return;
    }
    if (from == to) {
        // A point: its nearest pixel.
        Put(qRound(from.x * ratio), qRound(from.y * ratio), opaque);
        return;
    }
    Stroke(from.x * ratio, from.y * ratio, to.x * ratio, to.y * ratio, opaque);
}

// Steps along the major axis one pixel at a time from the first pixel centre after the (capped)
// start to the last one before the (capped) end, the minor coordinate in 16.16.
void ImageRaster::Stroke(double rx1, double ry1, double rx2, double ry2, QRgb colour) const {
    // The device rectangle grown by a pixel each way.
    if (!ClipRough(rx1, ry1, rx2, ry2, width + 1) || !ClipRough(ry1, rx1, ry2, rx2, height + 1)) {
        return;
    }
    int x1 = To26Dot6(rx1), y1 = To26Dot6(ry1), x2 = To26Dot6(rx2), y2 = To26Dot6(ry2);
    const bool steep = std::abs(x2 - x1) < std::abs(y2 - y1);
    if (!steep) {
        if (x1 == x2) {
            return;
        }
        std::swap(x1, y1);
        std::swap(x2, y2);
    }
    // From here "major" is y when steep, x otherwise.
    if (y1 > y2) {
        std::swap(y1, y2);
        std::swap(x1, x2);
    }
    const int step = FixedDiv16(x2 - x1, y2 - y1);
    const int from = y1 - 32;
    int minor = x1 * 1024 - (step >> 1);
    int major = (from + 32) >> 6;
    const int end = (y2 + 32 + 32) >> 6;
    if (major == end) {
        return;
    }
    minor += ((major * 64 + (step > 0 ? 32 : 0) - from) * step) >> 6;
    do {
        if (steep)
            Put(minor >> 16, major, colour);
        else
            Put(major, minor >> 16, colour);
        minor += step;
    } while (++major < end);
}

// Each edge covers the rows whose pixel centres lie in its half-open height and crosses each at a
// 16.16 x, its slope truncated to 16.16 and stepped row by row; a row is filled from crossing to
// crossing by parity, each span from the pixel its start falls in up to, not into, the one its
// end falls in. Rectangles come out as QPainter's rectangle path fills them.
bool ImageRaster::FillPolygon(const ScreenPoint* points, int count, QRgb opaque) const {
    constexpr int maxEdges = 32;
    if (pixels == nullptr || count < 3 || count > maxEdges || ratio != 1) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        if (points[i].x < 0 || points[i].y < 0 || points[i].x >= width || points[i].y >= height) {
            return false;
        }
    }
    struct Edge {
        std::int64_t x, step;
        int top, bottom;
    };
    Edge edges[maxEdges];
    int edgeCount = 0, first = height, last = -1;
    for (int i = 0; i < count; ++i) {
        ScreenPoint a{points[i].x * 64, points[i].y * 64};
        ScreenPoint b{points[(i + 1) % count].x * 64, points[(i + 1) % count].y * 64};
        if (a.y > b.y) {
            std::swap(a, b);
        }
        const int top = (a.y + 32) >> 6, bottom = (b.y - 32) >> 6;
        if (top > bottom) {
            continue;
        }
        Edge& e = edges[edgeCount++];
        e.top = top;
        e.bottom = bottom;
        e.x = 32768 + std::int64_t{a.x} * 1024;
        e.step = 0;
        if (b.x != a.x) {
            const double slope = (b.x - a.x) / double(b.y - a.y);
            e.step = static_cast<std::int64_t>(slope * 65536.);
            e.x += (e.step * (std::int64_t{top} * 65536 + 32768 - std::int64_t{a.y} * 1024)) >> 16;
        }
        first = std::min(first, top);
        last = std::max(last, bottom);
    }
    int crossings[maxEdges];
    for (int y = first; y <= last; ++y) {
        int n = 0;
        for (int i = 0; i < edgeCount; ++i) {
            const Edge& e = edges[i];
            if (y >= e.top && y <= e.bottom)
                crossings[n++] = static_cast<int>((e.x + e.step * (y - e.top)) >> 16);
        }
        std::sort(crossings, crossings + n);
        QRgb* row = pixels + static_cast<qsizetype>(y) * stride;
        for (int i = 0; i + 1 < n; i += 2)
            std::fill(row + std::clamp(crossings[i], 0, width),
                      row + std::clamp(crossings[i + 1], 0, width), opaque);
    }
    return true;
}
