#include "app/LayeredWindowApi.h"
#include "app/QuitSignals.h"
#include "app/SingleInstance.h"
#include "app/TrayIcon.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QWidget>

#include <csignal>

namespace {

// Runs the event loop until spy has fired or a second has passed.
bool WaitFor(QSignalSpy& spy) {
    QElapsedTimer clock;
    clock.start();
    while (spy.isEmpty() && clock.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return !spy.isEmpty();
}

TEST(SingleInstanceTest, SecondStartFindsTheFirstAndAsksItToActivate) {
    const QString name = QStringLiteral("mozai-test-%1").arg(QCoreApplication::applicationPid());
    SingleInstance first(name), second(name), third(name);
    EXPECT_FALSE(second.ActivateRunning()) << "nobody listens yet";
    ASSERT_TRUE(first.Listen());
    QSignalSpy activated(&first, &SingleInstance::activateRequested);
    EXPECT_TRUE(second.ActivateRunning());
    EXPECT_TRUE(WaitFor(activated));
    EXPECT_FALSE(third.Listen()) << "the name is taken while the first instance runs";
}

TEST(QuitSignalsTest, EachQuitSignalArrivesOnTheEventLoop) {
    QuitSignals quitSignals;
    ASSERT_TRUE(quitSignals.installed());
    for (int number : {SIGTERM, SIGINT, SIGHUP}) {
        QSignalSpy quit(&quitSignals, &QuitSignals::quitRequested);
        ASSERT_EQ(::raise(number), 0);
        ASSERT_TRUE(WaitFor(quit)) << "signal " << number;
        EXPECT_EQ(quit.takeFirst().at(0).toInt(), number);
    }
}

TEST(LayeredWindowApiTest, NoTranslucencyWithoutAWindowSystem) {
    // The tests run on the offscreen platform, which cannot show a translucent window.
    EXPECT_FALSE(LayeredWindowApi().supported);
}

// Offscreen there is no tray; where one exists (trayer under Xvfb) Add has to succeed instead.
// That a right click, and only a right click, on the icon opens the menu is shown end to end.
TEST(TrayIconTest, WithoutATrayAddFailsAndTheCountStaysZero) {
    const bool trayPresent = QSystemTrayIcon::isSystemTrayAvailable();
    QWidget window;
    TrayIcon tray;
    EXPECT_EQ(tray.Add(&window, QIcon(), 1), trayPresent);
    EXPECT_EQ(tray.Count(), trayPresent ? 1 : 0);
    EXPECT_FALSE(tray.Delete(&window, 2));
    EXPECT_EQ(tray.Delete(&window, 1), trayPresent);
    EXPECT_EQ(tray.Count(), 0);
}

} // namespace
