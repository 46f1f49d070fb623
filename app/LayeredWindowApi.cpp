#include "app/LayeredWindowApi.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>

namespace {

// A compositing manager owns the selection _NET_WM_CM_S<screen> while it runs.
bool X11CompositorRunning() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return false;
    xcb_connection_t* connection = x11->connection();
    // The window checks every second; once a compositor has named the selection, its atom stays.
    static xcb_connection_t* askedOn = nullptr;
    static xcb_atom_t selection = XCB_ATOM_NONE;
    if (askedOn != connection || selection == XCB_ATOM_NONE) {
        const QByteArray display = qgetenv("DISPLAY");
        int screen = 0;
        const int dot = display.lastIndexOf('.');
        if (dot > display.lastIndexOf(':'))
            screen = std::atoi(display.constData() + dot + 1);
        const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(screen);
        xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 1, name.size(), name.constData()), nullptr);
        if (!atom)
            return false;
        askedOn = connection;
        selection = atom->atom;
        std::free(atom);
    }
    bool owned = false;
    if (selection != XCB_ATOM_NONE) {
        xcb_get_selection_owner_reply_t* owner = xcb_get_selection_owner_reply(
            connection, xcb_get_selection_owner(connection, selection), nullptr);
        owned = owner && owner->owner != XCB_WINDOW_NONE;
        std::free(owner);
    }
    return owned;
}

} // namespace

LayeredWindowApi::LayeredWindowApi() {
    if (!qGuiApp)
        return;
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb"))
        supported = X11CompositorRunning();
    else
        supported = platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}
