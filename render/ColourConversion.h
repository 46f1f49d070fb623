#pragma once

#include <QColor>
#include <QRgb>

#include "scene/Colour.h"

// Where a model colour (0x00BBGGRR) meets Qt. Frame pixels read back as 0xFFRRGGBB, so pixels
// are compared on their low 24 bits.

constexpr QRgb rgbMask = 0x00FFFFFF;

// COLORREF -> opaque QRgb (0xFFRRGGBB).
constexpr QRgb ToQRgb(COLORREF c) {
    return 0xFF000000u | (static_cast<QRgb>(RedOf(c)) << 16) |
           (static_cast<QRgb>(GreenOf(c)) << 8) | static_cast<QRgb>(BlueOf(c));
}

// The pixel's colour as the model names it; the alpha byte is dropped.
constexpr COLORREF FromQRgb(QRgb p) {
    return Rgb(qRed(p), qGreen(p), qBlue(p));
}

inline QColor ToQColor(COLORREF c) {
    return QColor::fromRgb(ToQRgb(c));
}
