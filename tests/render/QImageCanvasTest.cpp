#include <QImage>
#include <QSet>
#include <gtest/gtest.h>

#include "render/ColourConversion.h"
#include "render/QImageCanvas.h"

namespace {

constexpr QRgb background = ToQRgb(backgroundColour);
constexpr QRgb black = 0xFF000000;

QImage Frame(int width = 64, int height = 48) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(background);
    return image;
}

QSet<QRgb> ColoursOf(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            colours.insert(image.pixel(x, y));
        }
    }
    return colours;
}

} // namespace

TEST(ColourConversion, SwapsTheRedAndBlueBytesAndDropsAlpha) {
    const COLORREF c = Rgb(0x12, 0x34, 0x56);
    EXPECT_EQ(c, 0x563412u);
    EXPECT_EQ(ToQRgb(c), 0xFF123456u);
    EXPECT_EQ(FromQRgb(0xFF123456u), c);
    EXPECT_EQ(FromQRgb(0x00123456u), c);
    EXPECT_EQ(ToQColor(c), QColor(0x12, 0x34, 0x56));
}

TEST(QImageCanvas, FillsAPolygonWithItsColourInsideABlackOutline) {
    QImage image = Frame();
    const ScreenPoint quad[4] = {{10, 10}, {40, 10}, {40, 30}, {10, 30}};
    const COLORREF red = Rgb(200, 30, 10);
    {
        QImageCanvas canvas(image);
        canvas.FillPolygon(quad, 4, red);
    }
    EXPECT_EQ(image.pixel(25, 20), ToQRgb(red));
    for (const ScreenPoint& p : quad) {
        EXPECT_EQ(image.pixel(p.x, p.y), black) << p.x << "," << p.y;
    }
    EXPECT_EQ(image.pixel(25, 10), black);
    EXPECT_EQ(image.pixel(10, 20), black);
    EXPECT_EQ(image.pixel(5, 5), background);
    EXPECT_EQ(image.pixel(45, 35), background);
    // Aliased: no blended edge pixels.
    EXPECT_EQ(ColoursOf(image), (QSet<QRgb>{background, black, ToQRgb(red)}));
}

TEST(QImageCanvas, LaterPolygonsCoverEarlierOnes) {
    QImage image = Frame();
    const ScreenPoint big[3] = {{0, 0}, {60, 0}, {0, 45}};
    const ScreenPoint small[3] = {{5, 5}, {20, 5}, {5, 20}};
    QImageCanvas canvas(image);
    canvas.FillPolygon(big, 3, Rgb(0, 0, 255));
    canvas.FillPolygon(small, 3, Rgb(0, 255, 0));
    EXPECT_EQ(image.pixel(8, 8), ToQRgb(Rgb(0, 255, 0)));
    EXPECT_EQ(image.pixel(30, 8), ToQRgb(Rgb(0, 0, 255)));
}

TEST(QImageCanvas, DrawsOnePixelLinesInTheGivenColour) {
    QImage image = Frame();
    const COLORREF green = Rgb(0, 180, 0);
    {
        QImageCanvas canvas(image);
        canvas.DrawLine({5, 20}, {50, 20}, green);
        canvas.DrawLine({30, 2}, {30, 40}, 0);
    }
    for (int x = 5; x < 30; ++x) {
        EXPECT_EQ(image.pixel(x, 20), ToQRgb(green)) << x;
    }
    EXPECT_EQ(image.pixel(30, 10), black);
    EXPECT_EQ(image.pixel(20, 19), background);
    EXPECT_EQ(image.pixel(20, 21), background);
    EXPECT_EQ(image.pixel(29, 10), background);
    EXPECT_EQ(image.pixel(31, 10), background);
}

TEST(QImageCanvas, IgnoresDegeneratePolygonsAndNullImages) {
    QImage image = Frame();
    const QImage before = image;
    const ScreenPoint two[2] = {{1, 1}, {30, 30}};
    {
        QImageCanvas canvas(image);
        canvas.FillPolygon(two, 2, Rgb(255, 0, 0));
        canvas.FillPolygon(nullptr, 4, Rgb(255, 0, 0));
    }
    EXPECT_EQ(image, before);

    QImage none;
    QImageCanvas canvas(none);
    const ScreenPoint tri[3] = {{0, 0}, {5, 0}, {0, 5}};
    canvas.FillPolygon(tri, 3, Rgb(255, 0, 0));
    canvas.DrawLine({0, 0}, {5, 5}, 0);
    EXPECT_TRUE(none.isNull());
}
