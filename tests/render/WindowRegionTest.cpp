#include <QRandomGenerator>
#include <QWidget>
#include <vector>

#include "GuiTestApp.h"
#include "Pixels.h"
#include "render/ColourConversion.h"
#include "render/WindowRegion.h"

namespace {

constexpr QRgb key = ToQRgb(backgroundColour);
constexpr QRgb black = 0xFF000000;

QRegion Built(const QImage& picture, COLORREF k, bool perPixel) {
    WindowRegion region;
    perPixel ? region.BuildFromDC(picture, picture.width(), picture.height(), k)
             : region.BuildFromBitmap(picture, k);
    return region.Region();
}

} // namespace

TEST(WindowRegion, BothVariantsGiveThePixelsThatDifferFromTheKeyAndApplyToTheWidget) {
    // Empty, full (every run reaches the right edge), and random pictures of several batches of
    // runs that also hold the key with red and blue exchanged.
    std::vector<QImage> pictures = {Filled(10, 2, key), Filled(10, 2, black)};
    const QRgb palette[] = {key, key, black, 0xFFDDDDDC};
    QRandomGenerator random(7);
    for (int i = 0; i < 4; ++i) {
        QImage& picture = pictures.emplace_back(Filled(61, 31, key));
        for (int j = 0; j < 61 * 31; ++j)
            picture.setPixel(j % 61, j / 61, palette[random.bounded(4)]);
    }
    for (const QImage& p : pictures) {
        for (bool perPixel : {false, true}) {
            SCOPED_TRACE(testing::Message() << p.width() << "x" << p.height() << " " << perPixel);
            // No key: the first pixel in memory of a bottom-up bitmap, or the top-left one. A
            // key with a high byte names no pixel.
            const QRgb first = p.pixel(0, perPixel ? 0 : p.height() - 1);
            EXPECT_TRUE(SamePixels(Built(p, backgroundColour, perPixel), PixelsNot(p, key)));
            EXPECT_TRUE(SamePixels(Built(p, WindowRegion::noKey, perPixel), PixelsNot(p, first)));
            EXPECT_TRUE(SamePixels(Built(p, backgroundColour | 0x01000000, perPixel), p.rect()));
        }
    }

    QWidget parent;
    auto* window = new QWidget(&parent);
    window->setGeometry(10, 10, 40, 30);
    WindowRegion region;
    // An empty mask would mean unshaped: this one lies outside, so no pixel shows or takes clicks.
    region.ApplyFromBitmap(window, Filled(40, 30, key), backgroundColour);
    EXPECT_FALSE(window->mask().isEmpty() || window->mask().intersects(window->rect()));
    QImage dot = Filled(40, 30, key);
    dot.setPixel(5, 6, black);
    region.ApplyFromBitmap(window, dot, backgroundColour);
    EXPECT_FALSE(region.HasRegion());
    EXPECT_TRUE(parent.childAt(15, 16) == window && parent.childAt(16, 16) == nullptr);
    region.ApplyFromDC(window, dot, 40, 30, WindowRegion::noKey);
    EXPECT_TRUE(SamePixels(window->mask(), QRegion(5, 6, 1, 1)));

    region.ApplyFromBitmap(window, QImage(), backgroundColour); // failed build: unshaped
    EXPECT_TRUE(window->mask().isEmpty());
    region.ApplyFromBitmap(window, dot, backgroundColour);
    region.ClearWindowRegion(window);
    region.BuildFromBitmap(dot, backgroundColour);
    region.ApplyFromBitmap(nullptr, dot, backgroundColour);
    EXPECT_TRUE(window->mask().isEmpty() && !region.HasRegion());

    // On screen: shaped natively, with no widget mask to clip each repaint; an unchanged shape
    // is not sent again, and a window made anew gets it again.
    QWidget top;
    top.winId();
    region.ApplyFromBitmap(&top, dot, backgroundColour);
    top.windowHandle()->setMask(QRegion(1, 1, 1, 1));
    region.ApplyFromBitmap(&top, dot, backgroundColour);
    EXPECT_TRUE(top.mask().isEmpty() && top.windowHandle()->mask() == QRegion(1, 1, 1, 1));
    top.windowHandle()->destroy();
    top.windowHandle()->create();
    region.ApplyFromBitmap(&top, dot, backgroundColour);
    EXPECT_EQ(top.windowHandle()->mask(), QRegion(5, 6, 1, 1));

    // Per pixel, what lies outside the picture never matches the key.
    region.BuildFromDC(Filled(4, 2, key), 6, 3, backgroundColour);
    EXPECT_TRUE(SamePixels(region.Region(), QRegion(0, 0, 6, 3) - QRegion(0, 0, 4, 2)));
    region.BuildFromDC(QImage(), -3, 5, WindowRegion::noKey);
    EXPECT_TRUE(region.HasRegion() && region.Region().isEmpty());
}
