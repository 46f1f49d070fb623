#include "app/FolderLock.h"
#include "app/LayeredWindowApi.h"
#include "app/QuitSignals.h"
#include "app/SingleInstance.h"
#include "app/TrayIcon.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QIcon>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QWidget>

#include <csignal>
#include <memory>

namespace {

TEST(QuitSignalsTest, EachQuitSignalArrivesOnTheEventLoop) {
    QuitSignals quitSignals;
    ASSERT_TRUE(quitSignals.installed());
    for (int number : {SIGTERM, SIGINT, SIGHUP}) {
        QSignalSpy quit(&quitSignals, &QuitSignals::quitRequested);
        ASSERT_EQ(::raise(number), 0);
        ASSERT_TRUE(quit.wait(1000)) << "signal " << number;
        EXPECT_EQ(quit.takeFirst().at(0).toInt(), number);
    }
}

// Every name of one display gives one activation channel.
TEST(SingleInstanceTest, TheNamesOfOneDisplayAreOneChannel) {
    for (const char* name : {":85", ":85.0", "unix:85.1", ":085"})
        EXPECT_EQ(SingleInstance::NormalisedDisplay(name), ":85") << name;
    EXPECT_EQ(SingleInstance::NormalisedDisplay("host:3.0"), "host:3");
    EXPECT_EQ(SingleInstance::NormalisedDisplay("wayland-0"), "wayland-0");
}

// The data folder has one holder at a time, until the holder lets go.
TEST(FolderLockTest, OneHolderAtATime) {
    auto first = std::make_unique<FolderLock>();
    EXPECT_TRUE(first->Held() && !FolderLock().Held());
    first.reset();
    EXPECT_TRUE(FolderLock().Held());
}

TEST(LayeredWindowApiTest, NoTranslucencyWithoutAWindowSystem) {
    EXPECT_FALSE(LayeredWindowApi().supported);
}

// Offscreen there is no tray; under Xvfb with trayer (the end-to-end tests) Add succeeds.
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
