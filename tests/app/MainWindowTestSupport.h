#pragma once

// The real main window on the offscreen platform, started in the test's own working directory
// with fresh settings and no history.ini or color.ini left from an earlier test.

#include "app/AppSettings.h"
#include "app/AutoSave.h"
#include "app/CommandIds.h"
#include "app/FrameView.h"
#include "app/MainWindow.h"
#include "app/MenuManager.h"
#include "app/Pictures.h"
#include "math3d/Angles.h"
#include "puzzle/CMozai.h"
#include "scene/Camera.h"
#include "tests/persist/PersistTestSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>

#include <functional>
#include <memory>

// A menu as one line: entries joined by "|", a popup's entries in brackets (when deep), "~"
// before a greyed entry, "*" after a checked one, "-" for a separator.
inline QString MenuText(const QMenu* menu, bool deep = true) {
    QStringList entries;
    for (const QAction* a : menu->actions()) {
        const QString popup = a->menu() && deep ? "[" + MenuText(a->menu()) + "]" : "";
        entries << (a->isSeparator() ? "-"
                                     : (a->isEnabled() ? "" : "~") + a->text() +
                                           (a->isChecked() ? "*" : "") + popup);
    }
    return entries.join("|");
}

// Hands each modal that opens to `seen`, closing it once `done` holds (none: at once) or 5 s on.
struct ModalWatcher {
    explicit ModalWatcher(const std::function<void(QWidget*)>& seen = {},
                          const std::function<bool()>& done = {}) {
        QObject::connect(&poll, &QTimer::timeout, [this, seen, done] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal != nullptr && modal != current) {
                current = modal;
                ++opened;
                clock.start();
                if (seen)
                    seen(modal);
            }
            if (modal != nullptr && (!done || done() || clock.elapsed() >= 5000))
                modal->close();
        });
        poll.start(5);
    }

    int opened = 0;
    QTimer poll;
    QPointer<QWidget> current;
    QElapsedTimer clock;
};

class MainWindowTest : public StoredFileTest {
protected:
    void SetUp() override {
        StoredFileTest::SetUp();
        appSettings = AppSettings{};
    }

    // Creates the window; closes the splash once `splashDone` holds, at once without one.
    MainWindow& Start(bool layeredSupported = false, const std::function<bool()>& splashDone = {}) {
        window.reset();
        ModalWatcher splash({}, splashDone);
        window = std::make_unique<MainWindow>(layeredSupported);
        window->ShowInitially();
        return *window;
    }

    static bool FileBecomes(const char* name, const std::string& bytes) {
        return QTest::qWaitFor([&] { return ReadBytes(name) == bytes; },
                               5 * AutoSave::periodMilliseconds);
    }

    QString Menu(int position = -1) const {
        const QMenu* menu = window->Menus()->Menu();
        return position < 0 ? MenuText(menu) : MenuText(menu->actions().at(position)->menu());
    }

    // Where an eye at p looking at t goes when it turns by (yaw, pitch).
    static Vertex3D EyeAfter(Vertex3D p, Vertex3D t, Vector3D u, double yaw, double pitch) {
        Camera* const current = currentCamera;
        Camera turned(p.x, p.y, p.z, t.x, t.y, t.z, u.x, u.y, u.z, 1, 1000, 0.4, 0, 0, 1, 1);
        currentCamera = current;
        turned.Rotate(yaw, pitch);
        return turned.GetPosition();
    }

    static bool TickTurns(MainWindow& w, double yaw, double pitch) {
        const Camera& c = *w.SceneCamera();
        const Vertex3D expected = EyeAfter(c.GetPosition(), c.GetTarget(), c.GetUp(), yaw, pitch);
        w.OnTick();
        return w.SceneCamera()->GetPosition() == expected;
    }
    static void Tick(MainWindow& w, int ticks = 40) {
        for (int i = 0; i < ticks; ++i)
            w.OnTick();
    }
    // A point on the front face, left of and below the centre. Dragged sideways, its layer
    // turns a full quarter before the face would point along the drag.
    static QPoint StickerPoint() { return appSettings.clientRect.center() + QPoint(-30, 25); }
    static void LeftDrag(MainWindow& w, QPoint step, int steps, bool release = true) {
        const QPoint from = StickerPoint();
        w.Input().OnLeftButtonDown(from.x(), from.y());
        for (int i = 1; i <= steps; ++i)
            w.Input().OnMouseMove(from.x() + i * step.x(), from.y() + i * step.y());
        if (release)
            w.Input().OnLeftButtonUp();
    }
    static void Throw(MainWindow& w, int dx, int dy, int x = 100, int y = 100) {
        w.Input().OnLeftButtonDown(x, y);
        w.Input().OnRightButtonDown(x, y);
        w.Input().OnMouseMove(x + dx, y + dy);
        w.Input().OnLeftButtonUp();
        w.Input().OnRightButtonUp();
    }

    std::unique_ptr<MainWindow> window;
};
