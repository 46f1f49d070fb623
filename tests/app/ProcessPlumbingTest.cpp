#include "app/CommandLine.h"
#include "app/FolderLock.h"
#include "app/LayeredWindowApi.h"
#include "app/QuitSignals.h"
#include "app/SingleInstance.h"
#include "app/TrayIcon.h"

#include <gmock/gmock.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QWidget>

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
    EXPECT_EQ(Parse(std::get<0>(std::end(cases)[-1])).DataFolder(), "here");

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
    QString error; // a relative folder is taken from the current one
    ASSERT_TRUE(Parse({"--data-dir", "share/deeper/mozai"}).EnterDataFolder(&error));
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
        EXPECT_FALSE(Parse({"--data-dir", scratch.filePath(bad)}).EnterDataFolder(&error));
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

// The names of one display are one channel; a folder has one holder at a time.
TEST(SingleInstanceTest, OneChannelPerDisplayAndOneHolderPerFolder) {
    for (const char* name : {":85", ":85.0", "unix:85.1", ":085"})
        EXPECT_EQ(SingleInstance::NormalisedDisplay(name), ":85") << name;
    EXPECT_EQ(SingleInstance::NormalisedDisplay("host:3.0"), "host:3");
    EXPECT_EQ(SingleInstance::NormalisedDisplay("wayland-0"), "wayland-0");
    auto first = std::make_unique<FolderLock>();
    EXPECT_TRUE(first->Held() && !FolderLock().Held());
    first.reset();
    EXPECT_TRUE(FolderLock().Held());
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
