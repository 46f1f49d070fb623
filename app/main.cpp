// Entry point: one Mozai per data folder, the main window, and an orderly exit on every way out.

#include "app/CommandLine.h"
#include "app/ExitPaths.h"
#include "app/FolderLock.h"
#include "app/LayeredWindowApi.h"
#include "app/MainWindow.h"
#include "app/QtColourEditUi.h"
#include "app/QuitSignals.h"
#include "app/SingleInstance.h"
#include "app/StartupTrace.h"
#include "app/WindowSystem.h"

#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>

#include <cstdio>

namespace {

void Say(const QString& line) {
    std::fprintf(stderr, "mozai: %s\n", qPrintable(line));
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

    // The command line first, so --help and --version need no display; the display next, so a
    // start without one makes nothing; then the data folder becomes the working directory,
    // before anything opens a file: history.ini and color.ini keep their bare names wherever
    // Mozai is started from.
    const CommandLine commandLine(CommandLine::Arguments(argc, argv));
    if (commandLine.action() != CommandLine::Action::Run) {
        const QCoreApplication core(argc, argv); // the help text names the program through it
        return commandLine.Report();
    }
    const WindowSystem windowSystem(commandLine.QtOption("platform"),
                                    commandLine.QtOption("display"));
    if (!windowSystem.Note().isEmpty())
        Say(windowSystem.Note());
    if (!windowSystem.Reachable()) {
        Say(windowSystem.Problem());
        return 1;
    }
    QString dataFolderError;
    QString dataFolderWarning;
    if (!commandLine.EnterDataFolder(&dataFolderError, &dataFolderWarning)) {
        Say(dataFolderError);
        return 1;
    }

    PreferSingleThreadedRasteriser();
    QApplication app(argc, argv);
    // Closing a message box or a dialog must not end a program whose window is a tool window.
    QApplication::setQuitOnLastWindowClosed(false);

    // One Mozai per data folder; a second start on its display brings it to the front and ends.
    const FolderLock folderLock;
    if (!folderLock.Problem().isEmpty())
        Say(folderLock.Problem());
    SingleInstance instance(folderLock.Key(), windowSystem.Display());
    if (!folderLock.Held()) {
        QString otherDisplay;
        switch (instance.ActivateRunning(&otherDisplay)) {
        case SingleInstance::Answer::Activated:
            return 0;
        case SingleInstance::Answer::OtherDisplay:
            Say(QStringLiteral("another Mozai, on display %1, uses this data folder")
                    .arg(otherDisplay));
            return 1;
        case SingleInstance::Answer::NoAnswer:
            Say(QStringLiteral("another Mozai uses this data folder and does not answer"));
            return 1;
        }
    }
    instance.Listen();
    if (!dataFolderWarning.isEmpty())
        Say(dataFolderWarning);

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
