#include "app/WindowSystem.h"

#include <QFile>
#include <QStringList>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

// The name of a platform list's entry, without its options: "offscreen:configfile=x" is
// "offscreen".
QString PlatformName(const QString& entry) {
    return entry.section(QLatin1Char(':'), 0, 0).trimmed();
}

bool IsWayland(const QString& entry) {
    return PlatformName(entry).startsWith(QLatin1String("wayland"));
}

// $WAYLAND_DISPLAY, else Wayland's default.
QString WaylandSocket() {
    const QString socket = qEnvironmentVariable("WAYLAND_DISPLAY");
    return socket.isEmpty() ? QStringLiteral("wayland-0") : socket;
}

// A connection to the X server at `name` (empty: $DISPLAY), or null when none answers.
XConnection ConnectX(const QString& name) {
    const QByteArray encoded = name.toLocal8Bit();
    XConnection connection(xcb_connect(name.isEmpty() ? nullptr : encoded.constData(), nullptr),
                           xcb_disconnect);
    if (xcb_connection_has_error(connection.get()) != 0)
        connection.reset();
    return connection;
}

// Whether a Wayland compositor listens at the socket `name`, as WaylandSocket names it.
bool WaylandAnswers(const QString& name) {
    QString path = name;
    if (!path.startsWith(QLatin1Char('/')))
        path = qEnvironmentVariable("XDG_RUNTIME_DIR") + QLatin1Char('/') + path;
    const QByteArray encoded = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (encoded.size() >= static_cast<qsizetype>(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, encoded.constData(), static_cast<std::size_t>(encoded.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool answers =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return answers;
}

} // namespace

WindowSystem::WindowSystem(const QString& platformOption, const QString& displayOption) {
    QString platforms = platformOption;
    if (platforms.isEmpty()) {
        platforms = qEnvironmentVariable("QT_QPA_PLATFORM");
        const bool waylandSession =
            qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland") ||
            !qEnvironmentVariable("WAYLAND_DISPLAY").isEmpty();
        if (platforms.isEmpty() && waylandSession) {
            // Qt's own choice there may be Wayland; XWayland first, Wayland the fallback.
            platforms = QStringLiteral("xcb;wayland");
            qputenv("QT_QPA_PLATFORM", platforms.toLatin1());
        } else if (IsWayland(platforms.section(QLatin1Char(';'), 0, 0)) &&
                   !qEnvironmentVariable("DISPLAY").isEmpty() && ConnectX(QString())) {
            note = QStringLiteral("QT_QPA_PLATFORM is %1, but Mozai shapes and places its own "
                                  "window, which Wayland does not allow: running on X display %2")
                       .arg(platforms, qEnvironmentVariable("DISPLAY"));
            platforms = QStringLiteral("xcb");
            qputenv("QT_QPA_PLATFORM", "xcb");
        }
    }
    if (platforms.isEmpty())
        platforms = QStringLiteral("xcb");
    // Qt takes the first entry of the list it can open.
    const QStringList entries = platforms.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString& entry : entries) {
        if (Check(entry, displayOption)) {
            reachable = true;
            problem.clear();
            return;
        }
    }
}

bool WindowSystem::Check(const QString& entry, const QString& displayOption) {
    const QString platform = PlatformName(entry);
    QString failed;
    if (platform == QLatin1String("xcb")) {
        display = displayOption.isEmpty() ? qEnvironmentVariable("DISPLAY") : displayOption;
        if (display.isEmpty())
            failed = QStringLiteral("(DISPLAY is not set)");
        else if (!(heldX = ConnectX(display)))
            failed = display;
    } else if (IsWayland(entry)) {
        display = WaylandSocket();
        if (!WaylandAnswers(display))
            failed = display;
    } else {
        display = platform; // nothing to reach beforehand: Qt says what is wrong
    }
    if (failed.isEmpty())
        return true;
    if (problem.isEmpty()) // the first choice is the one to name
        problem = QStringLiteral("cannot open display %1").arg(failed);
    return false;
}
