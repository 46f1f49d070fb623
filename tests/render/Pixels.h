#pragma once

#include <QImage>
#include <QRegion>
#include <QWindow> // shapes of windows on screen
#include <functional>
#include <gtest/gtest.h>

inline QImage Filled(int width, int height, QRgb colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Pixel by pixel, the region a shape must equal.
inline QRegion PixelsWhere(const QImage& image, const std::function<bool(int, int)>& in) {
    QRegion region;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (in(x, y))
                region += QRect(x, y, 1, 1);
    return region;
}

inline QRegion PixelsNot(const QImage& image, QRgb colour) {
    return PixelsWhere(image, [&](int x, int y) { return image.pixel(x, y) != colour; });
}

// Batched and united regions may band differently: compares the pixels they cover.
inline ::testing::AssertionResult SamePixels(const QRegion& actual, const QRegion& expected) {
    const QRect r = actual.xored(expected).boundingRect();
    return r.isEmpty() ? ::testing::AssertionSuccess()
                       : ::testing::AssertionFailure()
                             << "differ within " << r.width() << "x" << r.height() << "+" << r.x()
                             << "+" << r.y();
}
