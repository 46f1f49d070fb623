#include "render/Hairline.h"

#include <QImage>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace {

int FixedDiv16(int a, int b) {
    return static_cast<int>(static_cast<std::int64_t>(a) * 65536 / b);
}

// Cuts the line to the device rectangle grown by a pixel each way, in floating point so far-off
// points cannot overflow the fixed point; the order of the cuts decides the rounding, so it is
// kept. False when nothing is left.
bool ClipRough(double& x1, double& y1, double& x2, double& y2, double xMax, double yMax) {
    constexpr double minimum = -1;
    if (x1 < minimum) {
        if (x2 <= minimum)
            return false;
        y1 += (y2 - y1) / (x2 - x1) * (minimum - x1);
        x1 = minimum;
    } else if (x1 > xMax) {
        if (x2 >= xMax)
            return false;
        y1 += (y2 - y1) / (x2 - x1) * (xMax - x1);
        x1 = xMax;
    }
    if (x2 < minimum) {
        y2 += (y2 - y1) / (x2 - x1) * (minimum - x2);
        x2 = minimum;
    } else if (x2 > xMax) {
        y2 += (y2 - y1) / (x2 - x1) * (xMax - x2);
        x2 = xMax;
    }
    if (y1 < minimum) {
        if (y2 <= minimum)
            return false;
        x1 += (x2 - x1) / (y2 - y1) * (minimum - y1);
        y1 = minimum;
    } else if (y1 > yMax) {
        if (y2 >= yMax)
            return false;
        x1 += (x2 - x1) / (y2 - y1) * (yMax - y1);
        y1 = yMax;
    }
    if (y2 < minimum) {
        x2 += (x2 - x1) / (y2 - y1) * (minimum - y2);
        y2 = minimum;
    } else if (y2 > yMax) {
        x2 += (x2 - x1) / (y2 - y1) * (yMax - y2);
        y2 = yMax;
    }
    return true;
}

int To26Dot6(double v) {
    return static_cast<int>(v * 64.);
}

} // namespace

Hairline::Hairline(QImage& image, const QTransform& toDevice)
    : width(image.width()), height(image.height()), toDevice(toDevice) {
    if (image.depth() == 32) {
        pixels = reinterpret_cast<QRgb*>(image.bits());
        stride = image.bytesPerLine() / 4;
    }
}

void Hairline::Draw(QPoint from, QPoint to, QRgb opaque) const {
    if (pixels == nullptr) {
        return;
    }
    if (from == to) {
        // A point: its nearest pixel.
        const QPointF p = toDevice.map(QPointF(from));
        Put(qRound(p.x()), qRound(p.y()), opaque);
        return;
    }
    const QPointF a = toDevice.map(QPointF(from));
    const QPointF b = toDevice.map(QPointF(to));
    Stroke(a.x(), a.y(), b.x(), b.y(), opaque);
}

// Steps along the major axis one pixel at a time from the first pixel centre after the (capped)
// start to the last one before the (capped) end, the minor coordinate in 16.16.
void Hairline::Stroke(double rx1, double ry1, double rx2, double ry2, QRgb colour) const {
    if (!ClipRough(rx1, ry1, rx2, ry2, width + 1, height + 1)) {
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
