#include "app/Pictures.h"
#include "app/PictureColours.h"

#include <QImage>

#include <gtest/gtest.h>

#include <set>

namespace {

using namespace PictureColours;

// The colours of the picture's pixels (of its outer border only), alpha cut off.
std::set<QRgb> Colours(const QImage& image, bool borderOnly = false) {
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!borderOnly || x % (image.width() - 1) == 0 || y % (image.height() - 1) == 0)
                colours.insert(image.pixel(x, y) & 0xFFFFFFu);
        }
    }
    return colours;
}

TEST(PicturesTest, SplashIsTheLogoOnAPlainBackground) {
    const QImage splash = Pictures::BitmapById(Pictures::SplashId);
    ASSERT_EQ(splash.size(), QSize(BannerWidth, BannerHeight));
    EXPECT_EQ(Colours(splash, true), std::set<QRgb>{SplashBackground & 0xFFFFFFu});
    const std::set<QRgb> all = Colours(splash);
    EXPECT_TRUE(all.count(SplashStrip & 0xFFFFFFu) && all.count(SplashSmallText & 0xFFFFFFu));
    EXPECT_GE(all.size(), 8u); // background, strip, text, outline and one colour per letter
}

TEST(PicturesTest, BannerIsYellowLettersWithARedShadowAndNothingElse) {
    const QImage banner = Pictures::BitmapById(Pictures::CongratulationsId);
    ASSERT_EQ(banner.size(), QSize(BannerWidth, BannerHeight));
    EXPECT_EQ(Colours(banner, true), std::set<QRgb>{CongratulationsBackground & 0xFFFFFFu});
    // No blended edge pixels, so the shaped window keeps only letters and shadow.
    EXPECT_EQ(Colours(banner), (std::set<QRgb>{CongratulationsBackground & 0xFFFFFFu,
                                               CongratulationsLetters & 0xFFFFFFu,
                                               CongratulationsShadow & 0xFFFFFFu}));
}

TEST(PicturesTest, UnknownNumbersGiveNoPictureAndTheIconHasTwoSizes) {
    EXPECT_TRUE(Pictures::BitmapById(-1).isNull() && Pictures::BitmapById(135).isNull());
    const QList<QSize> sizes = Pictures::ProgramIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(32, 32)) && sizes.contains(QSize(64, 64)));
}

} // namespace
