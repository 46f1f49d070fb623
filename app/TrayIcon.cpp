#include "app/TrayIcon.h"

#include <QGuiApplication>
#include <QIcon>
#include <QString>
#include <QSystemTrayIcon>
#include <QWidget>

namespace {
const char* const Tip = "Mozai";
}

TrayIcon::TrayIcon() = default;

TrayIcon::~TrayIcon() = default; // the icons are children of this object

bool TrayIcon::Add(QWidget* window, const QIcon& icon, int id) {
    const Key key{window, id};
    // On X11 a notification area may start later; Qt embeds the waiting icon when it does.
    const bool trayMayCome = QGuiApplication::platformName() == QLatin1String("xcb");
    if ((!QSystemTrayIcon::isSystemTrayAvailable() && !trayMayCome) || icons.count(key) != 0)
        return false;
    auto* shown = new QSystemTrayIcon(icon, this);
    shown->setToolTip(QString::fromLatin1(Tip));
    connect(shown, &QSystemTrayIcon::activated, this,
            [this, window](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Context)
                    emit popupRequested(window);
            });
    shown->show();
    icons[key] = shown;
    ++count;
    return true;
}

bool TrayIcon::Delete(QWidget* window, int id) {
    const auto found = icons.find(Key{window, id});
    if (found == icons.end())
        return false;
    found->second->hide();
    delete found->second;
    icons.erase(found);
    --count;
    return true;
}
