#include <QGuiApplication>
#include <QImage>
#include <QPalette>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include "render/ColourConversion.h"
#include "render/WindowRegion.h"

namespace {

constexpr QRect placed(100, 120, 60, 40);
constexpr QRgb red = 0xFFFF0000;
constexpr int settleMs = 3000;

QImage Picture() {
    QImage picture(placed.size(), QImage::Format_RGB32);
    picture.fill(ToQRgb(backgroundColour));
    return picture;
}

// What the screen shows of the window's rectangle: where it is red.
QRegion RedOnScreen() {
    const QImage shot = QGuiApplication::primaryScreen()
                            ->grabWindow(0, placed.x(), placed.y(), placed.width(), placed.height())
                            .toImage()
                            .convertToFormat(QImage::Format_RGB32);
    QRegion region;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            if (shot.pixel(x, y) == red) {
                region += QRect(x, y, 1, 1);
            }
        }
    }
    return region;
}

bool TopLevelAt(int x, int y, const QWidget& window) {
    const QWindow* found = QGuiApplication::topLevelAt(placed.topLeft() + QPoint(x, y));
    return found != nullptr && found == window.windowHandle();
}

} // namespace

TEST(WindowShapeOnX11, TheWindowShowsAndTakesClicksOnlyWhereThePictureDiffersFromTheKey) {
    QWidget window(nullptr, Qt::FramelessWindowHint | Qt::Tool | Qt::WindowStaysOnTopHint);
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(red));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    window.setGeometry(placed);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(QTest::qWaitFor([] { return RedOnScreen() == QRegion(0, 0, 60, 40); }, settleMs));
    EXPECT_TRUE(TopLevelAt(30, 20, window));

    WindowRegion region;
    region.ApplyFromBitmap(&window, Picture(), backgroundColour);
    EXPECT_TRUE(QTest::qWaitFor([] { return RedOnScreen().isEmpty(); }, settleMs));
    EXPECT_FALSE(TopLevelAt(30, 20, window));
    EXPECT_FALSE(TopLevelAt(0, 0, window));

    QImage block = Picture();
    for (int y = 10; y < 15; ++y) {
        for (int x = 20; x < 30; ++x) {
            block.setPixel(x, y, 0xFF000000);
        }
    }
    region.ApplyFromBitmap(&window, block, backgroundColour);
    EXPECT_TRUE(QTest::qWaitFor([] { return RedOnScreen() == QRegion(20, 10, 10, 5); }, settleMs));
    EXPECT_TRUE(TopLevelAt(25, 12, window));
    EXPECT_FALSE(TopLevelAt(5, 5, window));

    region.ClearWindowRegion(&window);
    EXPECT_TRUE(QTest::qWaitFor([] { return RedOnScreen() == QRegion(0, 0, 60, 40); }, settleMs));
}
