#include "app/CommandLine.h"
#include "app/FolderLock.h"
#include "app/LayeredWindowApi.h"
#include "app/QuitSignals.h"
#include "app/SingleInstance.h"
#include "app/TrayIcon.h"
#include "app/WindowSystem.h"
#include "tests/persist/PersistTestSupport.h"

#include <gmock/gmock.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QLocalServer>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QWidget>

#include <array>
#include <csignal>
#include <memory>
#include <sys/stat.h>
#include <tuple>

namespace {

CommandLine Parse(const QStringList& options) {
    return CommandLine(QStringList{QStringLiteral("mozai")} + options);
}

// --version, --help and a bad option as the installed program prints them: tests/e2e/install.
TEST(CommandLineTest, ActionsUsageErrorsQtsOwnOptionsAndThePrivateDataFolder) {
    using A = CommandLine::Action;
    const std::tuple<QStringList, A, const char*> cases[] = {
        {{"-h", "--data-dir", "x"}, A::ShowHelp, "--data-dir <folder>"},
        {{"-dx"}, A::UsageError, "mozai: Unknown option 'dx'.\nUsage: "},
        {{"stray"}, A::UsageError, "mozai: Unexpected argument 'stray'.\nUsage: "},
        {{"--data-dir"}, A::UsageError, "Missing value after '--data-dir'."},
        {{"--data-dir="}, A::UsageError, "--data-dir needs a folder."},
        {{"-platform", "offscreen", "-reverse", "--display=:3", "--data-dir", "here"}, A::Run, ""},
    };
    for (const auto& [options, action, text] : cases) {
        const CommandLine line = Parse(options);
        SCOPED_TRACE(options.join(' ').toStdString());
        EXPECT_TRUE(line.action() == action && line.ExitStatus() == (action == A::UsageError) * 2);
        EXPECT_THAT(line.Text().toStdString(), ::testing::HasSubstr(text));
    }
    const CommandLine last = Parse(std::get<0>(std::end(cases)[-1]));
    EXPECT_EQ(last.DataFolder() + last.QtOption("platform") + last.QtOption("display"),
              "hereoffscreen:3");

    // The XDG rules: an empty or relative XDG_DATA_HOME means ~/.local/share.
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    const QString fallback = QDir::homePath() + "/.local/share/mozai";
    for (const char* value : {"/data/home", "relative/path", ""}) {
        qputenv("XDG_DATA_HOME", value);
        EXPECT_EQ(Parse({}).DataFolder(), *value == '/' ? "/data/home/mozai" : fallback);
    }
    qputenv("XDG_DATA_HOME", saved);

    const QString before = QDir::currentPath();
    QTemporaryDir scratch;
    ASSERT_TRUE(QDir::setCurrent(scratch.path()));
    QString error, warning; // a relative folder is taken from the current one
    ASSERT_TRUE(Parse({"--data-dir", "share/deeper/mozai"}).EnterDataFolder(&error, &warning));
    EXPECT_TRUE(warning.isEmpty()) << qPrintable(warning);
    const QString entered = QFileInfo(scratch.filePath("share/deeper/mozai")).canonicalFilePath();
    EXPECT_EQ(QDir::currentPath(), entered);
    for (const char* made : {"share", "share/deeper", "share/deeper/mozai"}) {
        struct stat info {};
        EXPECT_TRUE(::stat(QFile::encodeName(scratch.filePath(made)).constData(), &info) == 0 &&
                    (info.st_mode & 0777) == 0700)
            << made;
    }
    // A file where a folder should be: an error naming it, and the working folder unchanged.
    QFile(scratch.filePath("blocker")).open(QIODevice::WriteOnly);
    for (const char* bad : {"blocker", "blocker/mozai"}) {
        EXPECT_FALSE(
            Parse({"--data-dir", scratch.filePath(bad)}).EnterDataFolder(&error, &warning));
        EXPECT_TRUE(error.contains("blocker") && QDir::currentPath() == entered) << bad;
    }
    QDir::setCurrent(before);
}

TEST(QuitSignalsTest, EachQuitSignalArrivesOnTheEventLoop) {
    QuitSignals quitSignals;
    ASSERT_TRUE(quitSignals.installed());
    for (int number : {SIGTERM, SIGINT, SIGHUP}) {
        QSignalSpy quit(&quitSignals, &QuitSignals::quitRequested);
        ASSERT_EQ(::raise(number), 0);
        ASSERT_TRUE(quit.wait() && quit.takeFirst().at(0).toInt() == number) << number;
    }
}

// One display by any of its names; one holder of a folder by any path, also where no lock can be
// made in it (0500, "mozai.lock" a link), and nothing made there. Activation: the e2e test.
TEST(SingleInstanceTest, OneHolderPerFolderByWhateverPath) {
    if (!RunsUnprivileged())
        return;
    for (const char* name : {":85", ":85.0", "unix:85.1", ":085"})
        EXPECT_EQ(SingleInstance::NormalisedDisplay(name), ":85") << name;
    EXPECT_EQ(SingleInstance::NormalisedDisplay("host:3.0"), "host:3");
    EXPECT_EQ(SingleInstance::NormalisedDisplay("wayland-0"), "wayland-0");

    QTemporaryDir scratch;
    const QString folder = scratch.filePath("data");
    QDir().mkpath(folder + "/inner");
    QFile::link(scratch.filePath("elsewhere"), folder + "/mozai.lock");
    QFile::link(folder, scratch.filePath("link"));
    ::chmod(QFile::encodeName(folder).constData(), 0500);
    QString error, warning;
    const QString before = QDir::currentPath();
    ASSERT_TRUE(Parse({"--data-dir", folder}).EnterDataFolder(&error, &warning));
    EXPECT_EQ(warning, "cannot save in " + folder + ": Permission denied");
    QDir::setCurrent(before);
    auto first = std::make_unique<FolderLock>(folder);
    EXPECT_TRUE(first->Held() && first->Problem().isEmpty()) << qPrintable(first->Problem());
    for (const QString& path : {folder, folder + "/inner/..", scratch.filePath("link")})
        EXPECT_FALSE(FolderLock(path).Held()) << qPrintable(path);
    EXPECT_TRUE(FolderLock(folder + "/inner").Held());
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden |
                                     QDir::System),
              QStringList({"inner", "mozai.lock"}));
    EXPECT_FALSE(QFileInfo::exists(scratch.filePath("elsewhere")));
    first.reset();
    EXPECT_TRUE(FolderLock(scratch.filePath("link")).Held());
    ::chmod(QFile::encodeName(folder).constData(), 0700);
}

// The platform and its display are checked before Qt starts. No X server answers at :4093; a
// socket stands in for a Wayland compositor. Columns: QT_QPA_PLATFORM, DISPLAY,
// WAYLAND_DISPLAY, -platform, -display; then QT_QPA_PLATFORM after the choice, and the display
// in use or the one that cannot be opened. (An X server that answers is the end-to-end tests'.)
TEST(WindowSystemTest, ChosenAndCheckedBeforeQtStarts) {
    QLocalServer compositor;
    ASSERT_TRUE(compositor.listen(qgetenv("XDG_RUNTIME_DIR") + "/mozai-test-wayland"));
    const char* const vars[] = {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"};
    qunsetenv("XDG_SESSION_TYPE");
    using Row = std::array<const char*, 7>;
    const Row rows[] = {
        {"wayland", ":4093", "", "", "", "wayland", "cannot open display wayland-0"},
        {"wayland", ":4093", "mozai-test-wayland", "", "", "wayland", "mozai-test-wayland"},
        {"", ":4093", "mozai-test-wayland", "", "", "xcb;wayland", "mozai-test-wayland"},
        {"", "", "", "", "", "", "cannot open display (DISPLAY is not set)"},
        {"offscreen", ":4093", "", "xcb", "", "offscreen", "cannot open display :4093"},
        {"xcb", "", "", "", ":4093", "xcb", "cannot open display :4093"},
        {"wayland", "", "", "offscreen:a=1", "", "wayland", "offscreen"},
        {"offscreen", "", "", "", "", "offscreen", "offscreen"}, // as the other tests run
    };
    for (const Row& row : rows) {
        for (int v = 0; v < 3; ++v)
            qputenv(vars[v], row[v]);
        const WindowSystem chosen(row[3], row[4]);
        const QString shown = chosen.Reachable() ? chosen.Display() : chosen.Problem();
        EXPECT_TRUE(qgetenv("QT_QPA_PLATFORM") == row[5] && shown == row[6] &&
                    chosen.Note().isEmpty())
            << row[0] << " / " << row[1] << " / " << row[3] << ": "
            << qgetenv("QT_QPA_PLATFORM").constData() << ", " << qPrintable(shown);
    }
}

// Offscreen there is neither a compositor nor a tray; with one (the end-to-end tests) Add succeeds.
TEST(TrayIconTest, WithoutATrayAddFailsAndTheCountStaysZero) {
    EXPECT_FALSE(LayeredWindowApi().supported) << "no translucency without a window system";
    const bool trayPresent = QSystemTrayIcon::isSystemTrayAvailable();
    QWidget window;
    TrayIcon tray;
    EXPECT_TRUE(tray.Add(&window, QIcon(), 1) == trayPresent && tray.Count() == trayPresent);
    EXPECT_TRUE(!tray.Delete(&window, 2) && tray.Delete(&window, 1) == trayPresent);
    EXPECT_EQ(tray.Count(), 0);
}

} // namespace
