#include "app/BitmapDialog.h"
#include "app/PictureColours.h"
#include "app/Pictures.h"
#include "render/WindowRegion.h"
#include "tests/render/Pixels.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <numeric>
#include <set>
#include <utility>
#include <vector>

namespace {

using namespace PictureColours;
using Turn = std::pair<double, double>;
constexpr int Splash = Pictures::SplashId;
constexpr int Banner = Pictures::CongratulationsId;

// What one run of a dialog did.
struct Outcome {
    bool shown = false;
    std::vector<int> ticks; // the count left after each tick
    std::vector<Turn> turns;
    qint64 ms = 0;
};

// Runs dialog `id`, doing `during` 100 ms after it opens. A 5 s guard ends a stuck dialog.
Outcome RunDialog(int id, WindowRegion* region, QWidget* owner,
                  const std::function<void(BitmapDialog&)>& during = {}) {
    Outcome out;
    BitmapDialog dialog(id, region, owner,
                        [&](double yaw, double pitch) { out.turns.emplace_back(yaw, pitch); });
    QObject::connect(&dialog, &BitmapDialog::ticked, [&](int left) { out.ticks.push_back(left); });
    if (during)
        QTimer::singleShot(100, &dialog, [&] { during(dialog); });
    QTimer::singleShot(5000, &dialog, [&] { dialog.done(0); });
    QElapsedTimer clock;
    clock.start();
    out.shown = dialog.Run();
    out.ms = clock.elapsed();
    return out;
}

TEST(BitmapDialogTest, SplashLastsSixtyTicksAndTheBannerTwoHundredEachTurningTheCamera) {
    QWidget owner;
    for (const auto& [id, ticks] : {std::pair{Splash, 60}, std::pair{Banner, 200}}) {
        const Outcome out = RunDialog(id, nullptr, &owner);
        std::vector<int> countdown(ticks);
        std::iota(countdown.rbegin(), countdown.rend(), 0);
        EXPECT_TRUE(out.shown);
        EXPECT_EQ(out.ticks, countdown);
        EXPECT_GE(out.ms, ticks * 20 - 50);
        EXPECT_EQ(out.turns, id == Splash ? std::vector<Turn>()
                                          : std::vector<Turn>(200, Turn(-0.05000000074505806, 0)));
    }
}

// Closing makes the main window the active one again.
TEST(BitmapDialogTest, ALeftOrRightReleaseOrAnyKeyClosesItEarly) {
    QWidget owner, other;
    owner.show();
    other.show();
    const QPoint inside(170, 65);
    const std::function<void(BitmapDialog&)> ways[] = {
        [&](BitmapDialog& d) { QTest::mouseClick(&d, Qt::LeftButton, {}, inside); },
        [&](BitmapDialog& d) { QTest::mouseClick(&d, Qt::RightButton, {}, inside); },
        [](BitmapDialog& d) { QTest::keyClick(&d, Qt::Key_A); },
        [](BitmapDialog& d) { QTest::keyClick(&d, Qt::Key_Shift); }};
    for (int id : {Splash, Banner}) {
        for (const auto& way : ways) {
            other.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
            const Outcome out = RunDialog(id, nullptr, &owner, way);
            EXPECT_TRUE(out.ms < 1000) << id;
            EXPECT_TRUE(QTest::qWaitForWindowActive(&owner)) << id;
        }
    }
}

TEST(BitmapDialogTest, SitsCentredOnTheDesktopShowingItsPictureCutToTheForeground) {
    const QRect desktop = QGuiApplication::primaryScreen()->geometry();
    const QRect centred((desktop.x() + desktop.width() - BannerWidth) / 2,
                        (desktop.y() + desktop.height() - BannerHeight) / 2, BannerWidth,
                        BannerHeight);
    for (const auto& [id, background] :
         {std::pair{Splash, SplashBackground}, {Banner, CongratulationsBackground}}) {
        const QImage picture = Pictures::BitmapById(id).convertToFormat(QImage::Format_RGB32);
        WindowRegion region;
        BitmapDialog dialog(id, &region, nullptr);
        EXPECT_EQ(dialog.geometry(), centred) << id;
        EXPECT_TRUE(SamePixels(dialog.mask(), PixelsNot(picture, background))) << id;
        EXPECT_EQ(dialog.grab().toImage().convertToFormat(QImage::Format_RGB32), picture) << id;
    }
}

TEST(BitmapDialogTest, APictureThatCannotBeLoadedEndsItAtOnceUnseen) {
    for (int id : {-1, 0, 135, 138}) {
        WindowRegion region;
        const Outcome out = RunDialog(id, &region, nullptr);
        EXPECT_TRUE(!out.shown && out.ticks.empty() && out.ms < 100) << id;
    }
}

// Three colours, the background all round the border: the shape keeps letters and shadow.
TEST(PicturesTest, BannerIsYellowLettersWithARedShadowOnAPlainBackground) {
    const QImage banner = Pictures::BitmapById(Pictures::CongratulationsId);
    ASSERT_EQ(banner.size(), QSize(BannerWidth, BannerHeight));
    std::set<QRgb> all, border;
    for (int y = 0; y < BannerHeight; ++y) {
        for (int x = 0; x < BannerWidth; ++x) {
            all.insert(banner.pixel(x, y));
            if (x % (BannerWidth - 1) == 0 || y % (BannerHeight - 1) == 0)
                border.insert(banner.pixel(x, y));
        }
    }
    EXPECT_EQ(border, std::set<QRgb>{CongratulationsBackground});
    EXPECT_EQ(all, (std::set<QRgb>{CongratulationsBackground, CongratulationsLetters,
                                   CongratulationsShadow}));
}

} // namespace
