#include "app/BitmapDialog.h"
#include "app/PictureColours.h"
#include "app/Pictures.h"
#include "render/WindowRegion.h"
#include "tests/render/Pixels.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using PictureColours::BannerHeight;
using PictureColours::BannerWidth;

constexpr int Splash = Pictures::SplashId;
constexpr int Banner = Pictures::CongratulationsId;

// What one run of a dialog did.
struct Outcome {
    bool shown = false;
    std::vector<int> ticks;            // remaining count after each tick
    std::vector<double> yaws, pitches; // camera turns asked for
    int callerTicks = 0;               // ticks of a 30 ms timer running beside it
    qint64 elapsedMs = 0;
    int remaining = -1;
};

// Runs dialog `id`, doing `during` 100 ms after it opens. A 5 s guard ends a stuck dialog.
Outcome RunDialog(int id, WindowRegion* region, QWidget* owner,
                  const std::function<void(BitmapDialog&)>& during = {}) {
    Outcome out;
    BitmapDialog dialog(id, region, owner, [&](double yaw, double pitch) {
        out.yaws.push_back(yaw);
        out.pitches.push_back(pitch);
    });
    QObject::connect(&dialog, &BitmapDialog::ticked, [&](int left) { out.ticks.push_back(left); });
    QTimer caller;
    caller.setTimerType(Qt::PreciseTimer);
    QObject::connect(&caller, &QTimer::timeout, [&] { ++out.callerTicks; });
    caller.start(30);
    if (during) {
        QTimer::singleShot(100, &dialog, [&] { during(dialog); });
    }
    QTimer::singleShot(5000, &dialog, [&] { dialog.done(0); });
    QElapsedTimer clock;
    clock.start();
    out.shown = dialog.Run();
    out.elapsedMs = clock.elapsed();
    out.remaining = dialog.RemainingTicks();
    return out;
}

std::vector<int> Countdown(int from) {
    std::vector<int> left;
    for (int i = from - 1; i >= 0; --i) {
        left.push_back(i);
    }
    return left;
}

TEST(BitmapDialogTest, SplashLastsSixtyTicksWhileTheCallersTimerKeepsRunning) {
    QWidget owner;
    const Outcome out = RunDialog(Splash, nullptr, &owner);
    EXPECT_TRUE(out.shown);
    EXPECT_EQ(out.ticks, Countdown(BitmapDialog::SplashTicks));
    EXPECT_GE(out.elapsedMs, 1150); // 60 x 20 ms
    EXPECT_LT(out.elapsedMs, 4500);
    EXPECT_TRUE(out.yaws.empty());  // the splash leaves the camera alone
    EXPECT_GE(out.callerTicks, 20); // about 40 in 1.2 s
}

TEST(BitmapDialogTest, BannerTurnsTheCameraOnEachOfItsTwoHundredTicks) {
    QWidget owner;
    const Outcome out = RunDialog(Banner, nullptr, &owner);
    EXPECT_EQ(out.ticks, Countdown(BitmapDialog::CongratulationsTicks));
    ASSERT_EQ(out.yaws.size(), 200u);
    for (size_t i = 0; i < out.yaws.size(); ++i) {
        ASSERT_EQ(out.yaws[i], -0.05000000074505806) << i;
        ASSERT_EQ(out.pitches[i], 0.0) << i;
    }
    EXPECT_GE(out.elapsedMs, 3900); // 200 x 20 ms
}

TEST(BitmapDialogTest, ALeftOrRightReleaseOrAnyKeyClosesItEarly) {
    const std::function<void(BitmapDialog&)> ways[] = {
        [](BitmapDialog& d) { QTest::mouseClick(&d, Qt::LeftButton, {}, QPoint(170, 65)); },
        [](BitmapDialog& d) { QTest::mouseClick(&d, Qt::RightButton, {}, QPoint(170, 65)); },
        [](BitmapDialog& d) { QTest::keyClick(&d, Qt::Key_A); },
        [](BitmapDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); },
        [](BitmapDialog& d) { QTest::keyClick(&d, Qt::Key_Shift); },
    };
    for (int id : {Splash, Banner}) {
        for (const auto& way : ways) {
            QWidget owner;
            const Outcome out = RunDialog(id, nullptr, &owner, way);
            EXPECT_GT(out.remaining, 0) << id;
            EXPECT_LT(out.elapsedMs, 1000) << id;
            EXPECT_EQ(out.yaws.size(), id == Banner ? out.ticks.size() : 0u);
        }
    }
}

TEST(BitmapDialogTest, AMiddleClickDoesNotCloseIt) {
    QWidget owner;
    int leftAfterClick = -1;
    const Outcome out = RunDialog(Banner, nullptr, &owner, [&](BitmapDialog& d) {
        QTest::mouseClick(&d, Qt::MiddleButton, {}, QPoint(170, 65));
        QTimer::singleShot(200, &d, [&] {
            leftAfterClick = d.RemainingTicks();
            QTest::keyClick(&d, Qt::Key_Space);
        });
    });
    EXPECT_GT(leftAfterClick, 0);
    EXPECT_LT(leftAfterClick, BitmapDialog::CongratulationsTicks - 10); // still counting
    EXPECT_EQ(out.remaining, leftAfterClick);
}

TEST(BitmapDialogTest, SitsCentredOnTheDesktopShapedToItsPicture) {
    const QRect desktop = QGuiApplication::primaryScreen()->geometry();
    const QRect expected((desktop.x() + desktop.width() - BannerWidth) / 2,
                         (desktop.y() + desktop.height() - BannerHeight) / 2, BannerWidth,
                         BannerHeight);
    for (int id : {Splash, Banner}) {
        WindowRegion region;
        BitmapDialog dialog(id, &region, nullptr);
        const QImage picture = Pictures::BitmapById(id).convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(dialog.geometry(), expected) << id;
        EXPECT_TRUE(SamePixels(dialog.mask(), PixelsNot(picture, picture.pixel(0, 0)))) << id;
        EXPECT_FALSE(region.HasRegion()); // the window owns it now
        EXPECT_EQ(dialog.grab().toImage().convertToFormat(QImage::Format_RGB32), picture) << id;
    }
}

TEST(BitmapDialogTest, TheBannerKeepsLettersAndShadowAndCutsAwayItsPaleBackground) {
    WindowRegion region;
    BitmapDialog dialog(Banner, &region, nullptr);
    const QImage picture = Pictures::Congratulations().convertToFormat(QImage::Format_RGB32);
    const QRegion mask = dialog.mask();
    int letters = 0, shadow = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb p = picture.pixel(x, y);
            const bool in = mask.contains(QPoint(x, y));
            if (p == PictureColours::CongratulationsBackground) {
                ASSERT_FALSE(in) << x << "," << y;
            } else {
                ASSERT_TRUE(in) << x << "," << y;
                letters += p == PictureColours::CongratulationsLetters;
                shadow += p == PictureColours::CongratulationsShadow;
            }
        }
    }
    EXPECT_GT(letters, 500);
    EXPECT_GT(shadow, 100);
}

TEST(BitmapDialogTest, WithoutARegionObjectTheWholeRectangleShows) {
    BitmapDialog dialog(Banner, nullptr, nullptr);
    EXPECT_TRUE(dialog.mask().isEmpty());
    EXPECT_EQ(dialog.size(), QSize(BannerWidth, BannerHeight));
}

// Counts windows that were shown.
class ShowCounter : public QObject {
public:
    int shows = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            ++shows;
        }
        return false;
    }
};

TEST(BitmapDialogTest, APictureThatCannotBeLoadedEndsItAtOnceUnseen) {
    ShowCounter counter;
    qApp->installEventFilter(&counter);
    for (int id : {-1, 0, 135, 138}) {
        WindowRegion region;
        QWidget owner;
        const Outcome out = RunDialog(id, &region, &owner);
        EXPECT_FALSE(out.shown) << id;
        EXPECT_TRUE(out.ticks.empty() && out.yaws.empty()) << id;
        EXPECT_LT(out.elapsedMs, 100) << id;
        EXPECT_FALSE(region.HasRegion()) << id;
    }
    qApp->removeEventFilter(&counter);
    EXPECT_EQ(counter.shows, 0);
}

TEST(BitmapDialogTest, ClosingActivatesTheMainWindowAgain) {
    QWidget owner, other;
    owner.show();
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    RunDialog(Splash, nullptr, &owner,
              [](BitmapDialog& d) { QTest::keyClick(&d, Qt::Key_Return); });
    EXPECT_TRUE(QTest::qWaitForWindowActive(&owner));
    EXPECT_EQ(QApplication::activeWindow(), &owner);
}

} // namespace
