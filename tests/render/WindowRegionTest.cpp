#include <QImage>
#include <QRandomGenerator>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

#include "render/ColourConversion.h"
#include "render/WindowRegion.h"

namespace {

constexpr QRgb keyPixel = ToQRgb(backgroundColour);

QImage Picture(int width, int height, QRgb fill = keyPixel) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

// Pixel by pixel: the shape a region builder must produce.
QRegion Reference(const QImage& picture, const std::function<bool(QRgb)>& inShape) {
    QRegion region;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (inShape(picture.pixel(x, y))) {
                region += QRect(x, y, 1, 1);
            }
        }
    }
    return region;
}

bool NotKey(QRgb p) {
    return (p & rgbMask) != (keyPixel & rgbMask);
}

// Regions from batches and from unions may band differently; compare their pixels.
bool SamePixels(const QRegion& a, const QRegion& b) {
    return a.xored(b).isEmpty();
}

QImage RandomPicture(int width, int height, quint32 seed) {
    QRandomGenerator random(seed);
    const QRgb palette[] = {keyPixel, keyPixel, 0xFF000000, ToQRgb(Rgb(255, 0, 0)),
                            0x00DCDDDD /* the key without its alpha byte */};
    QImage image = Picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, palette[random.bounded(5)]);
        }
    }
    return image;
}

// Rows of "X.", i.e. exactly one run per row.
QImage PictureWithRuns(int runs) {
    QImage image = Picture(2, runs);
    for (int y = 0; y < runs; ++y) {
        image.setPixel(0, y, 0xFF000000);
    }
    return image;
}

} // namespace

TEST(WindowRegion, BitmapRegionIsExactlyTheNonKeyPixels) {
    for (quint32 seed = 1; seed <= 5; ++seed) {
        const QImage picture = RandomPicture(37, 23, seed);
        WindowRegion region;
        region.BuildFromBitmap(picture, backgroundColour);
        ASSERT_TRUE(region.HasRegion());
        // Random rows hold well over 200 runs in all: several batches.
        EXPECT_TRUE(SamePixels(region.Region(), Reference(picture, NotKey))) << seed;
    }
}

TEST(WindowRegion, BatchBoundariesGiveTheSameRegion) {
    for (int runs : {1, 199, 200, 201, 400, 401}) {
        const QImage picture = PictureWithRuns(runs);
        WindowRegion region;
        region.BuildFromBitmap(picture, backgroundColour);
        EXPECT_TRUE(SamePixels(region.Region(), QRegion(0, 0, 1, runs))) << runs;
        EXPECT_EQ(region.Region().boundingRect(), QRect(0, 0, 1, runs)) << runs;
    }
}

TEST(WindowRegion, RunsReachTheRightEdge) {
    QImage picture = Picture(10, 3);
    for (int x = 7; x < 10; ++x) {
        picture.setPixel(x, 0, 0xFF000000);
    }
    for (int x = 0; x < 10; ++x) {
        picture.setPixel(x, 2, 0xFFFF0000);
    }
    const QRegion expected = QRegion(7, 0, 3, 1) + QRegion(0, 2, 10, 1);

    WindowRegion region;
    region.BuildFromBitmap(picture, backgroundColour);
    EXPECT_TRUE(SamePixels(region.Region(), expected));
    region.BuildFromDC(picture, 10, 3, backgroundColour);
    EXPECT_TRUE(SamePixels(region.Region(), expected));
}

TEST(WindowRegion, KeyIsAModelColourComparedOnTheLow24Bits) {
    const COLORREF key = Rgb(10, 20, 30);
    QImage picture = Picture(4, 1, qRgb(10, 20, 30));
    picture.setPixel(1, 0, qRgb(30, 20, 10)); // red and blue exchanged: not the key
    picture.setPixel(2, 0, 0x000A141E);       // the key with a zero alpha byte
    WindowRegion region;
    region.BuildFromBitmap(picture, key);
    EXPECT_TRUE(SamePixels(region.Region(), QRegion(1, 0, 1, 1)));

    // A key with a high byte matches no pixel.
    region.BuildFromBitmap(picture, key | 0x01000000);
    EXPECT_TRUE(SamePixels(region.Region(), QRegion(0, 0, 4, 1)));
}

TEST(WindowRegion, NoKeyMeansTheBottomLeftPixelForBitmapsAndTopLeftForDCs) {
    QImage picture = Picture(3, 3);
    picture.setPixel(0, 2, 0xFF000000);
    picture.setPixel(2, 2, 0xFF000000);
    picture.setPixel(0, 0, 0xFFFF0000);
    WindowRegion region;
    region.BuildFromBitmap(picture, WindowRegion::noKey);
    EXPECT_TRUE(
        SamePixels(region.Region(), Reference(picture, [](QRgb p) { return (p & rgbMask) != 0; })));
    region.BuildFromDC(picture, 3, 3, WindowRegion::noKey);
    EXPECT_TRUE(SamePixels(region.Region(),
                           Reference(picture, [](QRgb p) { return (p & rgbMask) != 0xFF0000; })));
}

TEST(WindowRegion, DCRegionMatchesThePixels) {
    const QImage picture = RandomPicture(29, 17, 42);
    WindowRegion region;
    region.BuildFromDC(picture, 29, 17, backgroundColour);
    EXPECT_TRUE(SamePixels(region.Region(), Reference(picture, NotKey)));
}

TEST(WindowRegion, DCPixelsOutsideThePictureNeverMatchTheKey) {
    const QImage picture = Picture(4, 2);
    WindowRegion region;
    region.BuildFromDC(picture, 6, 3, backgroundColour);
    EXPECT_TRUE(SamePixels(region.Region(), QRegion(0, 0, 6, 3) - QRegion(0, 0, 4, 2)));

    region.BuildFromDC(QImage(), 5, 5, WindowRegion::noKey);
    ASSERT_TRUE(region.HasRegion());
    EXPECT_TRUE(region.Region().isEmpty());
    region.BuildFromDC(picture, -3, 2, backgroundColour);
    EXPECT_TRUE(region.Region().isEmpty());
}

TEST(WindowRegion, EmptyPictureGivesAnEmptyRegionAndANullOneNone) {
    WindowRegion region;
    EXPECT_FALSE(region.HasRegion());
    region.BuildFromBitmap(Picture(50, 40), backgroundColour);
    ASSERT_TRUE(region.HasRegion());
    EXPECT_TRUE(region.Region().isEmpty());

    region.Release();
    region.BuildFromBitmap(QImage(), backgroundColour);
    EXPECT_FALSE(region.HasRegion());
}

TEST(WindowRegion, OtherPixelFormatsAreReadAsTheirColours) {
    const QImage picture = RandomPicture(13, 11, 7);
    WindowRegion region;
    region.BuildFromBitmap(picture.convertToFormat(QImage::Format_RGB888), backgroundColour);
    EXPECT_TRUE(SamePixels(region.Region(), Reference(picture, NotKey)));
}

TEST(WindowRegion, ApplyGivesTheRegionToTheWidgetAndForgetsIt) {
    QWidget window;
    window.resize(20, 10);
    QImage picture = Picture(20, 10);
    picture.setPixel(3, 4, 0xFF000000);
    picture.setPixel(19, 9, 0xFF000000);
    WindowRegion region;
    region.ApplyFromBitmap(&window, picture, backgroundColour);
    EXPECT_FALSE(region.HasRegion());
    EXPECT_TRUE(SamePixels(window.mask(), QRegion(3, 4, 1, 1) + QRegion(19, 9, 1, 1)));

    region.ApplyFromDC(&window, picture, 20, 10, WindowRegion::noKey);
    EXPECT_FALSE(region.HasRegion());
    EXPECT_TRUE(SamePixels(window.mask(), QRegion(3, 4, 1, 1) + QRegion(19, 9, 1, 1)));

    region.ClearWindowRegion(&window);
    EXPECT_TRUE(window.mask().isEmpty());
}

TEST(WindowRegion, AFailedBuildLeavesTheWholeWindow) {
    QWidget window;
    window.resize(20, 10);
    WindowRegion region;
    region.ApplyFromBitmap(&window, PictureWithRuns(10), backgroundColour);
    ASSERT_FALSE(window.mask().isEmpty());
    region.ApplyFromBitmap(&window, QImage(), backgroundColour);
    EXPECT_TRUE(window.mask().isEmpty());

    region.BuildFromBitmap(PictureWithRuns(3), backgroundColour);
    region.ApplyFromBitmap(nullptr, PictureWithRuns(3), backgroundColour);
    region.ClearWindowRegion(nullptr);
    EXPECT_FALSE(region.HasRegion());
}

TEST(WindowRegion, AnEmptyPictureLeavesAWindowThatShowsNothingAndTakesNoClicks) {
    QWidget parent;
    parent.resize(100, 100);
    auto* window = new QWidget(&parent);
    window->setGeometry(10, 10, 40, 30);
    WindowRegion region;
    region.ApplyFromBitmap(window, Picture(40, 30), backgroundColour);

    EXPECT_FALSE(window->mask().isEmpty()); // an empty mask would mean "no shape"
    EXPECT_FALSE(window->mask().intersects(window->rect()));
    for (int y = 10; y < 40; ++y) {
        for (int x = 10; x < 50; ++x) {
            ASSERT_NE(parent.childAt(x, y), window) << x << "," << y;
        }
    }

    // A picture with visible pixels brings the window back where they are.
    QImage dot = Picture(40, 30);
    dot.setPixel(5, 6, 0xFF000000);
    region.ApplyFromBitmap(window, dot, backgroundColour);
    EXPECT_EQ(parent.childAt(15, 16), window);
    EXPECT_NE(parent.childAt(16, 16), window);
}
