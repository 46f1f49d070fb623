#include "app/TrayIcon.h"

#include <QIcon>
#include <QSystemTrayIcon>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

namespace {

// Where a tray exists (an X server running a tray such as trayer) Add has to succeed instead.
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

TEST(TrayIconTest, OnlyARightClickAsksForThePopup) {
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        GTEST_SKIP() << "no system tray";
    QWidget window;
    TrayIcon tray;
    ASSERT_TRUE(tray.Add(&window, QIcon(), 1));
    EXPECT_FALSE(tray.Add(&window, QIcon(), 1)); // the same key twice
    const auto shown = tray.findChildren<QSystemTrayIcon*>();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0]->toolTip(), "Mozai");
    std::vector<QWidget*> requests;
    QObject::connect(&tray, &TrayIcon::popupRequested, [&](QWidget* w) { requests.push_back(w); });
    for (auto reason : {QSystemTrayIcon::Trigger, QSystemTrayIcon::DoubleClick,
                        QSystemTrayIcon::MiddleClick, QSystemTrayIcon::Context})
        emit shown[0]->activated(reason);
    EXPECT_EQ(requests, std::vector<QWidget*>{&window});
}

} // namespace
