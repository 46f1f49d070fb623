#include "app/Pictures.h"
#include "app/PictureColours.h"

#include <QImage>

#include <gtest/gtest.h>

#include <set>

namespace {

using namespace PictureColours;

// Low 24 bits only: a loaded pixel carries an alpha byte.
QRgb Rgb(QRgb pixel) {
    return pixel & 0xFFFFFFu;
}

std::set<QRgb> Colours(const QImage& image, bool borderOnly) {
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const bool border =
                x == 0 || y == 0 || x == image.width() - 1 || y == image.height() - 1;
            if (border || !borderOnly)
                colours.insert(Rgb(image.pixel(x, y)));
        }
    }
    return colours;
}

TEST(PicturesTest, SplashIsTheLogoOnAPlainBackground) {
    const QImage splash = Pictures::BitmapById(Pictures::SplashId);
    ASSERT_EQ(splash.size(), QSize(BannerWidth, BannerHeight));
    EXPECT_EQ(Colours(splash, true), std::set<QRgb>{Rgb(SplashBackground)});
    const std::set<QRgb> all = Colours(splash, false);
    EXPECT_TRUE(all.count(Rgb(SplashStrip)) && all.count(Rgb(SplashSmallText)));
    EXPECT_GE(all.size(), 8u); // background, strip, text, outline and one colour per letter
}

TEST(PicturesTest, BannerIsYellowLettersWithARedShadowAndNothingElse) {
    const QImage banner = Pictures::BitmapById(Pictures::CongratulationsId);
    ASSERT_EQ(banner.size(), QSize(BannerWidth, BannerHeight));
    EXPECT_EQ(Colours(banner, true), std::set<QRgb>{Rgb(CongratulationsBackground)});
    // No blended edge pixels, so the shaped window keeps only letters and shadow.
    EXPECT_EQ(Colours(banner, false),
              (std::set<QRgb>{Rgb(CongratulationsBackground), Rgb(CongratulationsLetters),
                              Rgb(CongratulationsShadow)}));
}

TEST(PicturesTest, UnknownNumbersGiveNoPictureAndTheIconHasTwoSizes) {
    EXPECT_TRUE(Pictures::BitmapById(-1).isNull());
    EXPECT_TRUE(Pictures::BitmapById(135).isNull());
    const QList<QSize> sizes = Pictures::ProgramIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(32, 32)) && sizes.contains(QSize(64, 64)));
}

} // namespace
