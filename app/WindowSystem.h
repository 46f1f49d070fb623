#pragma once

#include <QString>

#include <memory>

struct xcb_connection_t;
using XConnection = std::unique_ptr<xcb_connection_t, void (*)(xcb_connection_t*)>;

// The window system Mozai runs on, chosen and checked before Qt starts, so that a start without
// a display says so and makes nothing. Mozai shapes, moves and raises its own window, which X
// allows and a Wayland compositor does not: with an X display at hand it runs on X even when
// QT_QPA_PLATFORM names Wayland. Any other QT_QPA_PLATFORM, and -platform, are obeyed.
class WindowSystem {
public:
    // `platformOption` and `displayOption` are the values of -platform and -display, empty
    // when not given. Reads the environment and sets QT_QPA_PLATFORM when it changes the choice.
    WindowSystem(const QString& platformOption, const QString& displayOption);

    // What was changed and why, for standard error; empty when the environment was obeyed.
    QString Note() const { return note; }
    // Whether Qt can open the chosen platform; else Problem() names the display it cannot open.
    bool Reachable() const { return reachable; }
    QString Problem() const { return problem; }
    // The display the window shows on: the X display name, the Wayland socket, or the name of
    // a platform without one (such as "offscreen").
    QString Display() const { return display; }

private:
    // Checks one entry of a platform list ("xcb", "wayland", "offscreen:opts") at the display
    // option (empty: $DISPLAY); sets display and, when it cannot be opened, problem.
    bool Check(const QString& entry, const QString& displayOption);

    // The checked X display's connection, held while this object lives: an X server resets
    // when its last client leaves, and the check must not be that client just before Qt's own.
    XConnection heldX{nullptr, nullptr};
    QString note;
    QString problem;
    QString display;
    bool reachable = false;
};
