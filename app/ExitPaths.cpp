#include "app/ExitPaths.h"

#include "app/MainWindow.h"
#include "app/QuitSignals.h"

#include <QApplication>
#include <QSessionManager>

void ConnectExitPaths(MainWindow& window, QuitSignals& quitSignals) {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (app == nullptr)
        return;
    QObject::connect(&window, &MainWindow::windowDestroyed, app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    QObject::connect(&quitSignals, &QuitSignals::quitRequested, &window,
                     &MainWindow::DestroyWindow);
#ifndef QT_NO_SESSIONMANAGER
    QObject::connect(app, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager&) { window.DestroyWindow(); });
#endif
    QObject::connect(app, &QCoreApplication::aboutToQuit, &window, &MainWindow::DestroyWindow);
}
