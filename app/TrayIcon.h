#pragma once

#include <QObject>

#include <map>
#include <utility>

class QIcon;
class QSystemTrayIcon;
class QWidget;

// The program's icon in the notification area. A right click on it is reported as
// popupRequested() so that the owner can show its menu; every other click is ignored. On X11 an
// icon added before a notification area exists appears when one starts; elsewhere, without a
// system tray, Add fails and the program runs without an icon.
class TrayIcon : public QObject {
    Q_OBJECT

public:
    TrayIcon();
    ~TrayIcon() override;
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Shows `icon` with the tip "Mozai" under the key (window, id); false when there is no
    // system tray or the key is already in use.
    bool Add(QWidget* window, const QIcon& icon, int id);
    // Removes the icon of (window, id); false when there is none.
    bool Delete(QWidget* window, int id);
    // Icons added and not yet deleted.
    int Count() const { return count; }

signals:
    void popupRequested(QWidget* window);

private:
    using Key = std::pair<QWidget*, int>;

    int count = 0;
    std::map<Key, QSystemTrayIcon*> icons;
};
