// Entry point: one Mozai per session, the main window, and an orderly exit on every way out.

#include "app/CommandLine.h"
#include "app/ExitPaths.h"
#include "app/FolderLock.h"
#include "app/LayeredWindowApi.h"
#include "app/MainWindow.h"
#include "app/QtColourEditUi.h"
#include "app/QuitSignals.h"
#include "app/SingleInstance.h"
#include "app/StartupTrace.h"

#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>

#include <cstdio>

namespace {

// The window shapes, moves and raises itself, which a Wayland compositor does not allow a
// client; XWayland does. Wayland itself remains the fallback. An explicit choice is kept.
void PreferX11InWaylandSession() {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return;
    if (qgetenv("XDG_SESSION_TYPE") == "wayland" || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb;wayland");
}

// llvmpipe, Mesa's software rasteriser, draws in the calling thread unless the user chose
// otherwise: handing the small sticker pass to worker threads costs more than it saves. Only
// llvmpipe reads the variable, once, as the driver starts, so it is set before Qt starts.
void PreferSingleThreadedRasteriser() {
    const QByteArray driver = qgetenv("GALLIUM_DRIVER");
    if (!qEnvironmentVariableIsSet("LP_NUM_THREADS") && (driver.isEmpty() || driver == "llvmpipe"))
        qputenv("LP_NUM_THREADS", "0");
}

} // namespace

int main(int argc, char** argv) {
    StartupTrace trace;

    // The command line first, so --help and --version need no display; then the data folder
    // becomes the working directory, before anything opens a file: history.ini and color.ini
    // keep their bare names wherever Mozai is started from.
    const CommandLine commandLine(CommandLine::Arguments(argc, argv));
    if (commandLine.action() != CommandLine::Action::Run) {
        const QCoreApplication core(argc, argv); // the help text names the program through it
        return commandLine.Report();
    }
    QString dataFolderError;
    if (!commandLine.EnterDataFolder(&dataFolderError)) {
        std::fprintf(stderr, "mozai: %s\n", qPrintable(dataFolderError));
        return 1;
    }

    PreferX11InWaylandSession();
    PreferSingleThreadedRasteriser();
    QApplication app(argc, argv);
    // Closing a message box or a dialog must not end a program whose window is a tool window.
    QApplication::setQuitOnLastWindowClosed(false);

    // One Mozai per data folder; a second start brings the first to the front and ends.
    const FolderLock folderLock;
    SingleInstance instance;
    if (!folderLock.Held()) {
        if (instance.ActivateRunning())
            return 0;
        qCritical("Mozai: another Mozai, on another display, uses this data folder.");
        return 1;
    }
    instance.Listen();

    const LayeredWindowApi layered;
    MainWindow window(layered.supported);
    if (!window.Created())
        return 0;

    window.SetCompositorProbe([] { return LayeredWindowApi().supported; });
    QObject::connect(&instance, &SingleInstance::activateRequested, &window, &MainWindow::Activate);
    QtColourEditUi colourEditUi(&window);
    window.SetColourEditUi(&colourEditUi);
    QuitSignals quitSignals;
    ConnectExitPaths(window, quitSignals);
    if (trace.enabled())
        QObject::connect(&window, &MainWindow::firstFramePainted, [&trace, &window] {
            trace.FirstFrame(window.SplashShown(), window.SplashClosed());
        });

    window.ShowInitially();
    return QApplication::exec();
}
