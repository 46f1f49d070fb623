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
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using namespace PictureColours;

constexpr int Splash = Pictures::SplashId;
constexpr int Banner = Pictures::CongratulationsId;

// What one run of a dialog did.
struct Outcome {
    bool shown = false;
    std::vector<int> ticks; // the count left after each tick
    std::vector<double> yaws, pitches;
    int callerTicks = 0; // of a 30 ms timer running beside the dialog
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
    EXPECT_TRUE(out.yaws.empty());
    EXPECT_GE(out.callerTicks, 20); // about 40 in 1.2 s
}

TEST(BitmapDialogTest, BannerTurnsTheCameraOnEachOfItsTwoHundredTicks) {
    QWidget owner;
    const Outcome out = RunDialog(Banner, nullptr, &owner);
    EXPECT_EQ(out.ticks, Countdown(BitmapDialog::CongratulationsTicks));
    EXPECT_EQ(out.yaws, std::vector<double>(200, -0.05000000074505806));
    EXPECT_EQ(out.pitches, std::vector<double>(200, 0.0));
    EXPECT_GE(out.elapsedMs, 3900); // 200 x 20 ms
}

TEST(BitmapDialogTest, ALeftOrRightReleaseOrAnyKeyClosesItEarlyAMiddleClickDoesNot) {
    const QPoint inside(170, 65);
    const std::function<void(BitmapDialog&)> ways[] = {
        [&](BitmapDialog& d) { QTest::mouseClick(&d, Qt::LeftButton, {}, inside); },
        [&](BitmapDialog& d) { QTest::mouseClick(&d, Qt::RightButton, {}, inside); },
        [](BitmapDialog& d) { QTest::keyClick(&d, Qt::Key_A); },
        [](BitmapDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); },
        [](BitmapDialog& d) { QTest::keyClick(&d, Qt::Key_Shift); },
    };
    for (int id : {Splash, Banner}) {
        for (const auto& way : ways) {
            const Outcome out = RunDialog(id, nullptr, nullptr, way);
            EXPECT_GT(out.remaining, 0) << id;
            EXPECT_LT(out.elapsedMs, 1000) << id;
            EXPECT_EQ(out.yaws.size(), id == Banner ? out.ticks.size() : 0u);
        }
    }
    int leftAfterMiddle = -1;
    const Outcome out = RunDialog(Banner, nullptr, nullptr, [&](BitmapDialog& d) {
        QTest::mouseClick(&d, Qt::MiddleButton, {}, inside);
        QTimer::singleShot(200, &d, [&] {
            leftAfterMiddle = d.RemainingTicks();
            QTest::keyClick(&d, Qt::Key_Space);
        });
    });
    EXPECT_LT(leftAfterMiddle, BitmapDialog::CongratulationsTicks - 10); // still counting
    EXPECT_EQ(out.remaining, leftAfterMiddle);
    EXPECT_GT(out.remaining, 0);
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
        EXPECT_FALSE(dialog.mask().isEmpty());
        EXPECT_TRUE(SamePixels(dialog.mask(), PixelsNot(picture, background))) << id;
        EXPECT_FALSE(region.HasRegion()); // the window owns it now
        EXPECT_EQ(dialog.grab().toImage().convertToFormat(QImage::Format_RGB32), picture) << id;

        BitmapDialog unshaped(id, nullptr, nullptr);
        EXPECT_TRUE(unshaped.mask().isEmpty());
        EXPECT_EQ(unshaped.geometry(), centred);
    }
}

// Counts widgets shown.
class ShowCounter : public QObject {
public:
    int shows = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        shows += event->type() == QEvent::Show && watched->isWidgetType();
        return false;
    }
};

TEST(BitmapDialogTest, APictureThatCannotBeLoadedEndsItAtOnceUnseen) {
    ShowCounter counter;
    qApp->installEventFilter(&counter);
    for (int id : {-1, 0, 135, 138}) {
        WindowRegion region;
        const Outcome out = RunDialog(id, &region, nullptr);
        EXPECT_FALSE(out.shown) << id;
        EXPECT_TRUE(out.ticks.empty() && out.yaws.empty()) << id;
        EXPECT_LT(out.elapsedMs, 100) << id;
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
}

} // namespace
