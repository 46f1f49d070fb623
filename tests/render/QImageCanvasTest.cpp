#include <QSet>
#include <gtest/gtest.h>

#include "Pixels.h"
#include "render/ColourConversion.h"
#include "render/QImageCanvas.h"

namespace {
constexpr QRgb background = ToQRgb(backgroundColour);
constexpr QRgb black = 0xFF000000;
} // namespace

TEST(ColourConversion, SwapsRedAndBlueAndDropsAlpha) {
    EXPECT_EQ(ToQRgb(Rgb(0x12, 0x34, 0x56)), 0xFF123456u);
    EXPECT_EQ(FromQRgb(0x00123456u), Rgb(0x12, 0x34, 0x56));
    EXPECT_EQ(ToQColor(Rgb(0x12, 0x34, 0x56)), QColor(0x12, 0x34, 0x56));
}

TEST(QImageCanvas, FillsPolygonsInsideABlackOutlineAndDrawsLinesWithoutAntialiasing) {
    QImage image = Filled(64, 48, background);
    const ScreenPoint quad[4] = {{10, 10}, {40, 10}, {40, 30}, {10, 30}};
    const COLORREF red = Rgb(200, 30, 10), green = Rgb(0, 180, 0);
    {
        QImageCanvas canvas(image);
        canvas.FillPolygon(quad, 4, red);
        canvas.DrawLine({5, 40}, {50, 40}, green);
    }
    EXPECT_EQ(image.pixel(25, 20), ToQRgb(red));
    for (const QPoint& p : {QPoint(10, 10), QPoint(40, 30), QPoint(25, 10), QPoint(10, 20)}) {
        EXPECT_EQ(image.pixel(p), black) << p.x() << "," << p.y();
    }
    EXPECT_EQ(image.pixel(5, 5), background);
    EXPECT_TRUE(SamePixels(
        PixelsWhere(image, [&](int x, int y) { return image.pixel(x, y) == ToQRgb(green); }),
        QRegion(5, 40, 46, 1)));
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            colours.insert(image.pixel(x, y));
        }
    }
    EXPECT_EQ(colours, (QSet<QRgb>{background, black, ToQRgb(red), ToQRgb(green)}));
}

TEST(QImageCanvas, IgnoresDegeneratePolygonsAndNullImages) {
    QImage image = Filled(16, 16, background);
    const ScreenPoint points[3] = {{1, 1}, {12, 1}, {1, 12}};
    {
        QImageCanvas canvas(image);
        canvas.FillPolygon(points, 2, Rgb(255, 0, 0));
        canvas.FillPolygon(nullptr, 3, Rgb(255, 0, 0));
    }
    EXPECT_TRUE(PixelsNot(image, background).isEmpty());
    QImage none;
    QImageCanvas canvas(none);
    canvas.FillPolygon(points, 3, 0);
    canvas.DrawLine({0, 0}, {5, 5}, 0);
    EXPECT_TRUE(none.isNull());
}
