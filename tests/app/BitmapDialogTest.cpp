#include "app/BitmapDialog.h"
#include "app/Pictures.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <numeric>

namespace {

using Turn = std::pair<double, double>;
constexpr int Splash = Pictures::SplashId, Banner = Pictures::CongratulationsId;

// What one run of a dialog did: shown, the count left after each tick, the turns, how long.
struct Outcome {
    bool shown = false;
    std::vector<int> ticks;
    std::vector<Turn> turns;
    qint64 ms = 0;
};

// Runs dialog `id` unshaped, doing `during` at its first tick; a 5 s guard ends it, noting -1.
Outcome RunDialog(int id, QWidget* owner, const std::function<void(BitmapDialog&)>& during = {}) {
    Outcome out;
    BitmapDialog dialog(id, nullptr, owner,
                        [&](double yaw, double pitch) { out.turns.emplace_back(yaw, pitch); });
    QObject::connect(&dialog, &BitmapDialog::ticked, [&](int left) { out.ticks.push_back(left); });
    if (during)
        QObject::connect(
            &dialog, &BitmapDialog::ticked, &dialog, [&] { during(dialog); },
            Qt::SingleShotConnection);
    QTimer::singleShot(5000, &dialog, [&] { out.ticks.push_back(-1), dialog.done(0); });
    QElapsedTimer clock;
    clock.start();
    out.shown = dialog.Run();
    out.ms = clock.elapsed();
    return out;
}

// A picture that cannot be loaded ends it at once, unseen. A left or right release or any key
// closes it early, and closing makes the main window the active one again.
TEST(BitmapDialogTest, SplashLastsSixtyTicksAndTheBannerTwoHundredEachTurningTheCamera) {
    QWidget owner, other;
    owner.show();
    other.show();
    const std::function<void(BitmapDialog&)> ways[] = {
        [](BitmapDialog& d) { QTest::mouseClick(&d, Qt::LeftButton, {}, QPoint(170, 65)); },
        [](BitmapDialog& d) { QTest::mouseClick(&d, Qt::RightButton, {}, QPoint(170, 65)); },
        [](BitmapDialog& d) { QTest::keyClick(&d, Qt::Key_A); },
        [](BitmapDialog& d) { QTest::keyClick(&d, Qt::Key_Shift); }};
    for (const auto& [id, ticks] :
         {std::pair{Splash, 60}, {Banner, 200}, {-1, 0}, {0, 0}, {135, 0}, {138, 0}}) {
        const Outcome out = RunDialog(id, &owner);
        std::vector<int> countdown(ticks);
        std::iota(countdown.rbegin(), countdown.rend(), 0);
        EXPECT_TRUE(out.shown == (ticks > 0) && out.ticks == countdown) << id;
        EXPECT_GE(out.ms, ticks * BitmapDialog::TickMs - 50) << id;
        EXPECT_EQ(out.turns,
                  std::vector<Turn>(id == Banner ? 200 : 0, Turn(-0.05000000074505806, 0)))
            << id;
        for (size_t i = 0; ticks > 0 && i < std::size(ways); ++i) {
            other.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
            EXPECT_EQ(RunDialog(id, &owner, ways[i]).ticks, std::vector<int>{ticks - 1})
                << id << ", way " << i << ": closed at once";
            EXPECT_TRUE(QTest::qWaitForWindowActive(&owner)) << id << ", way " << i;
        }
    }
}

} // namespace
