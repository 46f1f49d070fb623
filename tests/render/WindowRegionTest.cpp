#include <QRandomGenerator>
#include <QWidget>
#include <gtest/gtest.h>

#include "GuiTestApp.h"
#include "Pixels.h"
#include "render/ColourConversion.h"
#include "render/WindowRegion.h"

namespace {

constexpr QRgb key = ToQRgb(backgroundColour);
constexpr QRgb black = 0xFF000000;

QRegion Built(const QImage& picture, COLORREF k, bool perPixel = false) {
    WindowRegion region;
    if (perPixel) {
        region.BuildFromDC(picture, picture.width(), picture.height(), k);
    } else {
        region.BuildFromBitmap(picture, k);
    }
    return region.Region();
}

// Column 0 of each row is black: exactly one run per row.
QImage Runs(int rows) {
    QImage picture = Filled(2, rows, key);
    for (int y = 0; y < rows; ++y) {
        picture.setPixel(0, y, black);
    }
    return picture;
}

} // namespace

TEST(WindowRegion, IsExactlyTheNonKeyPixelsInBothVariants) {
    for (quint32 seed = 1; seed <= 4; ++seed) {
        // The key without its alpha byte is still the key; far more than 200 runs in all.
        const QRgb palette[] = {key, key, key & rgbMask, black, 0xFFDDDDDC};
        QRandomGenerator random(seed);
        QImage picture = Filled(37, 23, key);
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                picture.setPixel(x, y, palette[random.bounded(5)]);
            }
        }
        const QRegion expected = PixelsWhere(picture, [&](int x, int y) {
            return (picture.pixel(x, y) & rgbMask) != (key & rgbMask);
        });
        EXPECT_TRUE(SamePixels(Built(picture, backgroundColour), expected)) << seed;
        EXPECT_TRUE(SamePixels(Built(picture, backgroundColour, true), expected)) << seed;
    }
}

TEST(WindowRegion, BatchesOf200RunsGiveTheSameRegionAsOne) {
    for (int rows : {1, 199, 200, 201, 401}) {
        EXPECT_TRUE(SamePixels(Built(Runs(rows), backgroundColour), QRegion(0, 0, 1, rows)));
    }
}

TEST(WindowRegion, RunsReachTheRightEdgeInBothVariants) {
    QImage picture = Filled(10, 2, key);
    for (int x = 7; x < 10; ++x) {
        picture.setPixel(x, 0, black);
    }
    for (bool perPixel : {false, true}) {
        EXPECT_TRUE(SamePixels(Built(picture, backgroundColour, perPixel), QRegion(7, 0, 3, 1)));
        EXPECT_TRUE(SamePixels(Built(Filled(10, 2, black), backgroundColour, perPixel),
                               QRegion(0, 0, 10, 2)));
    }
}

TEST(WindowRegion, KeysOnAModelColourOrOnAPixelOfThePicture) {
    QImage picture = Filled(4, 2, qRgb(10, 20, 30));
    picture.setPixel(1, 0, qRgb(30, 20, 10)); // red and blue exchanged: not the key
    EXPECT_TRUE(SamePixels(Built(picture, Rgb(10, 20, 30)), QRegion(1, 0, 1, 1)));
    EXPECT_TRUE(SamePixels(Built(picture, Rgb(10, 20, 30) | 0x01000000), QRegion(0, 0, 4, 2)));

    // No key: the bottom-left pixel (first in memory of a bottom-up bitmap), or the top-left.
    picture.setPixel(0, 0, black);
    picture.setPixel(0, 1, key);
    EXPECT_TRUE(SamePixels(Built(picture, WindowRegion::noKey), PixelsNot(picture, key)));
    EXPECT_TRUE(SamePixels(Built(picture, WindowRegion::noKey, true), PixelsNot(picture, black)));
}

TEST(WindowRegion, EmptyNullAndOversizedPictures) {
    WindowRegion region;
    EXPECT_FALSE(region.HasRegion());
    region.BuildFromBitmap(Filled(50, 40, key), backgroundColour);
    EXPECT_TRUE(region.HasRegion());
    EXPECT_TRUE(region.Region().isEmpty());
    region.Release();
    region.BuildFromBitmap(QImage(), backgroundColour);
    EXPECT_FALSE(region.HasRegion());

    // Per pixel, what lies outside the picture never matches the key.
    region.BuildFromDC(Filled(4, 2, key), 6, 3, backgroundColour);
    EXPECT_TRUE(SamePixels(region.Region(), QRegion(0, 0, 6, 3) - QRegion(0, 0, 4, 2)));
    region.BuildFromDC(QImage(), 5, 5, WindowRegion::noKey);
    EXPECT_TRUE(region.HasRegion() && region.Region().isEmpty());
    region.BuildFromDC(Filled(4, 2, black), -3, 2, backgroundColour);
    EXPECT_TRUE(region.Region().isEmpty());
}

TEST(WindowRegion, AppliedRegionsBelongToTheWidget) {
    QWidget window;
    window.resize(20, 10);
    QImage picture = Filled(20, 10, key);
    picture.setPixel(19, 9, black);
    WindowRegion region;
    region.ApplyFromBitmap(&window, picture, backgroundColour);
    EXPECT_FALSE(region.HasRegion());
    EXPECT_TRUE(SamePixels(window.mask(), QRegion(19, 9, 1, 1)));
    region.ApplyFromDC(&window, Runs(10), 2, 10, WindowRegion::noKey);
    EXPECT_TRUE(SamePixels(window.mask(), QRegion(1, 0, 1, 10)));

    region.ApplyFromBitmap(&window, QImage(), backgroundColour); // failed build: unshaped
    EXPECT_TRUE(window.mask().isEmpty());
    region.ApplyFromBitmap(&window, picture, backgroundColour);
    region.ClearWindowRegion(&window);
    EXPECT_TRUE(window.mask().isEmpty());

    region.BuildFromBitmap(picture, backgroundColour);
    region.ApplyFromBitmap(nullptr, picture, backgroundColour);
    region.ClearWindowRegion(nullptr);
    EXPECT_FALSE(region.HasRegion());
}

TEST(WindowRegion, AnEmptyPictureLeavesAWindowThatShowsNothingAndTakesNoClicks) {
    QWidget parent;
    parent.resize(100, 100);
    auto* window = new QWidget(&parent);
    window->setGeometry(10, 10, 40, 30);
    WindowRegion region;
    region.ApplyFromBitmap(window, Filled(40, 30, key), backgroundColour);
    EXPECT_FALSE(window->mask().isEmpty()); // an empty mask would mean "unshaped"
    EXPECT_FALSE(window->mask().intersects(window->rect()));
    EXPECT_TRUE(PixelsWhere(Filled(100, 100, key), [&](int x, int y) {
                    return parent.childAt(x, y) == window;
                }).isEmpty());

    QImage dot = Filled(40, 30, key);
    dot.setPixel(5, 6, black);
    region.ApplyFromBitmap(window, dot, backgroundColour);
    EXPECT_EQ(parent.childAt(15, 16), window);
    EXPECT_NE(parent.childAt(16, 16), window);
}
