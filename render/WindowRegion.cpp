#include "render/WindowRegion.h"

#include <QImage>
#include <QRect>
#include <QWidget>
#include <QWindow>
#include <array>
#include <cstdint>

#include "render/ColourConversion.h"

namespace {

// A model colour as it reads in a frame pixel's low 24 bits (red and blue exchanged). A high
// byte survives, so such a key matches no pixel.
std::uint32_t PixelKey(COLORREF key) {
    return (key & 0xFF00FF00u) | ((key & 0xFFu) << 16) | ((key >> 16) & 0xFFu);
}

QImage As32Bit(const QImage& picture) {
    if (picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32) {
        return picture;
    }
    return picture.convertToFormat(QImage::Format_RGB32);
}

COLORREF ColourAt(const QImage& picture, int x, int y) {
    if (x < 0 || y < 0 || x >= picture.width() || y >= picture.height()) {
        return WindowRegion::noKey;
    }
    return FromQRgb(picture.pixel(x, y));
}

// The native window of a top-level widget that is on screen; null before it is made.
QWindow* NativeWindow(const QWidget* window) {
    QWindow* native = window->isWindow() ? window->windowHandle() : nullptr;
    return native != nullptr && native->handle() != nullptr ? native : nullptr;
}

// Collects one-pixel-high run rectangles in y-x order and hands them over in batches.
class RunBatcher {
public:
    template <typename Sink> void Add(const QRect& run, Sink&& sink) {
        runs[count++] = run;
        if (count == WindowRegion::batchSize) {
            Flush(sink);
        }
    }
    template <typename Sink> void Flush(Sink&& sink) {
        QRegion part;
        part.setRects(runs.data(), count);
        sink(part);
        count = 0;
    }

private:
    std::array<QRect, WindowRegion::batchSize> runs;
    int count = 0;
};

} // namespace

void WindowRegion::BuildFromBitmap(const QImage& source, COLORREF key) {
    if (source.isNull()) {
        return;
    }
    const QImage picture = As32Bit(source);
    const int width = picture.width();
    const int height = picture.height();
    std::uint32_t k = PixelKey(key);
    if (k == 0xFFFFFFFFu) {
        // First pixel in memory of a bottom-up bitmap.
        k = picture.pixel(0, height - 1) & rgbMask;
    }

    RunBatcher batcher;
    const auto merge = [this](const QRegion& part) { Merge(part); };
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        int x = 0;
        while (x < width) {
            while (x < width && (row[x] & rgbMask) == k) {
                ++x;
            }
            if (x == width) {
                break;
            }
            const int start = x;
            while (x < width && (row[x] & rgbMask) != k) {
                ++x;
            }
            batcher.Add(QRect(start, y, x - start, 1), merge);
        }
    }
    batcher.Flush(merge);
}

void WindowRegion::BuildFromDC(const QImage& picture, int width, int height, COLORREF key) {
    held = QRegion();
    if (key == noKey) {
        key = ColourAt(picture, 0, 0);
    }
    for (int y = 0; y < height; ++y) {
        int run = 0;
        for (int x = 0; x < width; ++x) {
            if (ColourAt(picture, x, y) != key) {
                ++run;
            } else if (run > 0) {
                *held += QRect(x - run, y, run, 1);
                run = 0;
            }
        }
        if (run > 0) {
            *held += QRect(width - run, y, run, 1);
        }
    }
}

void WindowRegion::ApplyFromBitmap(QWidget* window, const QImage& picture, COLORREF key) {
    Release();
    if (window == nullptr) {
        return;
    }
    BuildFromBitmap(picture, key);
    GiveTo(window);
}

void WindowRegion::ApplyFromDC(QWidget* window, const QImage& picture, int width, int height,
                               COLORREF key) {
    Release();
    if (window == nullptr) {
        return;
    }
    BuildFromDC(picture, width, height, key);
    GiveTo(window);
}

void WindowRegion::ClearWindowRegion(QWidget* window) {
    Release();
    if (window == nullptr) {
        return;
    }
    window->clearMask();
    // The widget does not know a native shape, so clearing its mask leaves that one in place.
    if (QWindow* native = NativeWindow(window)) {
        native->setMask(QRegion());
    }
    shapedWindow = 0;
}

void WindowRegion::Release() {
    held.reset();
}

QRegion WindowRegion::MaskFor(const QRegion& region) {
    if (region.isEmpty()) {
        return QRegion(-1, -1, 1, 1);
    }
    return region;
}

void WindowRegion::GiveTo(QWidget* window) {
    const QRegion shape = held ? MaskFor(*held) : QRegion();
    held.reset();
    QWindow* native = NativeWindow(window);
    if (native == nullptr) {
        // Qt hands the widget's mask to the native window it makes.
        window->setMask(shape);
        return;
    }
    if (!window->mask().isEmpty()) {
        window->clearMask();
        shapedWindow = 0;
    }
    const WId id = native->winId();
    if (id == shapedWindow && shape == shapedAs) {
        return;
    }
    native->setMask(shape);
    shapedWindow = id;
    shapedAs = shape;
}

void WindowRegion::Merge(const QRegion& part) {
    if (held) {
        *held += part;
    } else {
        held = part;
    }
}
