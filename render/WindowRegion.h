#pragma once

#include <QRegion>
#include <QtGui/qwindowdefs.h>
#include <optional>

#include "scene/Colour.h"

class QImage;
class QWidget;

// Builds a window shape from a picture: every pixel that differs from a key colour belongs to
// the window. It holds at most one region, the one it built and has not yet given to a window;
// a region given to a widget belongs to the widget from then on. A window on screen is shaped
// natively rather than through the widget's mask, which would clip each repaint into one copy
// and one upload per rectangle; a shape that did not change is not sent again.
class WindowRegion {
public:
    // The key that names no colour: the builder picks one from the picture.
    static constexpr COLORREF noKey = 0xFFFFFFFF;
    // Run rectangles handed over per batch.
    static constexpr int batchSize = 200;

    // Scans the picture row by row for runs of non-key pixels. noKey keys on the picture's
    // bottom-left pixel. A null picture leaves no region.
    void BuildFromBitmap(const QImage& picture, COLORREF key);
    // Pixel by pixel over width x height; pixels outside the picture never match the key.
    // noKey keys on the top-left pixel.
    void BuildFromDC(const QImage& picture, int width, int height, COLORREF key);

    // Release, build, give the result to the window. No region built: the window is unshaped.
    void ApplyFromBitmap(QWidget* window, const QImage& picture, COLORREF key);
    void ApplyFromDC(QWidget* window, const QImage& picture, int width, int height, COLORREF key);
    void ClearWindowRegion(QWidget* window);
    // Drops a held region that was never given to a window.
    void Release();

    bool HasRegion() const { return held.has_value(); }
    // The held region; empty when none is held.
    QRegion Region() const { return held.value_or(QRegion()); }

    // What a window gets for a region without pixels: a mask outside the widget, so it shows
    // nothing and takes no clicks (an empty mask would remove the shape instead).
    static QRegion MaskFor(const QRegion& region);

private:
    void GiveTo(QWidget* window);
    void Merge(const QRegion& part);

    std::optional<QRegion> held;
    // The shape last given natively, and to which native window: a window made anew has none.
    WId shapedWindow = 0;
    QRegion shapedAs;
};
