#include "app/ExitPaths.h"

#include "app/MainWindow.h"
#include "app/QuitSignals.h"

#include <QApplication>
#include <QEvent>
#include <QSessionManager>

namespace {

// Qt's quit ends the main event loop with status 0 (and does nothing where that loop does not
// run); an exit whose last save failed ends with 1.
class ExitStatus : public QObject {
public:
    explicit ExitStatus(MainWindow& w) : QObject(&w), window(w) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != QCoreApplication::instance() || event->type() != QEvent::Quit ||
            window.SavedAtExit())
            return false;
        QCoreApplication::exit(1);
        return true;
    }

private:
    MainWindow& window;
};

} // namespace

void ConnectExitPaths(MainWindow& window, QuitSignals& quitSignals) {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (app == nullptr)
        return;
    QObject::connect(&window, &MainWindow::windowDestroyed, app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    app->installEventFilter(new ExitStatus(window));
    QObject::connect(&quitSignals, &QuitSignals::quitRequested, &window,
                     &MainWindow::DestroyWindow);
#ifndef QT_NO_SESSIONMANAGER
    QObject::connect(app, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager&) { window.DestroyWindow(); });
#endif
    QObject::connect(app, &QCoreApplication::aboutToQuit, &window, &MainWindow::DestroyWindow);
}
