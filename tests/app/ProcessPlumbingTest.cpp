#include "app/CommandLine.h"
#include "app/LayeredWindowApi.h"
#include "app/QuitSignals.h"
#include "app/TrayIcon.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QWidget>

#include <csignal>
#include <sys/stat.h>

namespace {

CommandLine Parse(const QStringList& options) {
    return CommandLine(QStringList{QStringLiteral("mozai")} + options);
}

unsigned ModeOf(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 0777 : 0;
}

TEST(CommandLineTest, HelpVersionAndUsageErrors) {
    using A = CommandLine::Action;
    const struct {
        QStringList options;
        A action;
        const char* text; // a part of what is printed
    } cases[] = {
        {{"--version"}, A::ShowVersion, "mozai 2.10\n"},
        {{"-v"}, A::ShowVersion, "mozai 2.10\n"},
        {{"--help"}, A::ShowHelp, "--data-dir <folder>"},
        {{"-h", "--data-dir", "x"}, A::ShowHelp, "--version"},
        {{"--bogus"}, A::UsageError, "mozai: Unknown option 'bogus'.\nUsage: "},
        {{"-dx"}, A::UsageError, "Unknown option 'dx'."},
        {{"stray"}, A::UsageError, "mozai: Unexpected argument 'stray'.\nUsage: "},
        {{"--data-dir"}, A::UsageError, "Missing value after '--data-dir'."},
        {{"--data-dir="}, A::UsageError, "--data-dir needs a folder."},
    };
    for (const auto& c : cases) {
        const CommandLine line = Parse(c.options);
        SCOPED_TRACE(c.options.join(' ').toStdString());
        EXPECT_EQ(line.action(), c.action);
        EXPECT_THAT(line.Text().toStdString(), ::testing::HasSubstr(c.text));
        EXPECT_EQ(line.ExitStatus(), c.action == A::UsageError ? 2 : 0);
    }
    // Hidden Qt options stay out of the help.
    EXPECT_THAT(Parse({"--help"}).Text().toStdString(),
                ::testing::Not(::testing::HasSubstr("platform")));
}

TEST(CommandLineTest, QtOptionsPassAndTheDataFolderFollowsXdgRules) {
    const CommandLine withQtOptions =
        Parse({"-platform", "offscreen", "-reverse", "--display=:3", "--data-dir", "here"});
    EXPECT_EQ(withQtOptions.action(), CommandLine::Action::Run);
    EXPECT_EQ(withQtOptions.DataFolder(), "here");
    EXPECT_EQ(Parse({"--data-dir=/tmp/x"}).DataFolder(), "/tmp/x");

    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    const QString fallback = QDir::homePath() + "/.local/share/mozai";
    for (const char* value : {"/data/home", "relative/path", ""}) {
        qputenv("XDG_DATA_HOME", value);
        EXPECT_EQ(Parse({}).DataFolder(),
                  *value == '/' ? QString::fromLatin1(value) + "/mozai" : fallback)
            << value;
    }
    qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(Parse({}).DataFolder(), fallback);
    qputenv("XDG_DATA_HOME", saved);
}

TEST(CommandLineTest, EnteringTheDataFolderMakesMissingFoldersPrivate) {
    const QString before = QDir::currentPath();
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const QString folder = scratch.filePath("share/deeper/mozai");
    QString error;
    ASSERT_TRUE(Parse({"--data-dir", folder}).EnterDataFolder(&error)) << error.toStdString();
    EXPECT_EQ(QDir::currentPath(), QFileInfo(folder).canonicalFilePath());
    for (const char* made : {"share", "share/deeper", "share/deeper/mozai"})
        EXPECT_EQ(ModeOf(scratch.filePath(made)), 0700u) << made;
    // An existing folder is entered as it is; a relative one is taken from the current folder.
    ASSERT_TRUE(QDir::setCurrent(scratch.path()));
    ASSERT_TRUE(Parse({"--data-dir", "share"}).EnterDataFolder(&error));
    EXPECT_EQ(QDir::currentPath(), QFileInfo(scratch.filePath("share")).canonicalFilePath());

    // A file where the folder should be: an error naming it, and the working folder unchanged.
    QFile blocker(scratch.filePath("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    const QString here = QDir::currentPath();
    for (const QString& bad : {scratch.filePath("blocker"), scratch.filePath("blocker/mozai")}) {
        EXPECT_FALSE(Parse({"--data-dir", bad}).EnterDataFolder(&error));
        EXPECT_THAT(error.toStdString(), ::testing::HasSubstr("blocker")) << bad.toStdString();
        EXPECT_EQ(QDir::currentPath(), here);
    }
    QDir::setCurrent(before);
}

TEST(QuitSignalsTest, EachQuitSignalArrivesOnTheEventLoop) {
    QuitSignals quitSignals;
    ASSERT_TRUE(quitSignals.installed());
    for (int number : {SIGTERM, SIGINT, SIGHUP}) {
        QSignalSpy quit(&quitSignals, &QuitSignals::quitRequested);
        ASSERT_EQ(::raise(number), 0);
        ASSERT_TRUE(quit.wait(1000)) << "signal " << number;
        EXPECT_EQ(quit.takeFirst().at(0).toInt(), number);
    }
}

TEST(LayeredWindowApiTest, NoTranslucencyWithoutAWindowSystem) {
    EXPECT_FALSE(LayeredWindowApi().supported);
}

// Offscreen there is no tray; under Xvfb with trayer (the end-to-end tests) Add succeeds.
TEST(TrayIconTest, WithoutATrayAddFailsAndTheCountStaysZero) {
    const bool trayPresent = QSystemTrayIcon::isSystemTrayAvailable();
    QWidget window;
    TrayIcon tray;
    EXPECT_EQ(tray.Add(&window, QIcon(), 1), trayPresent);
    EXPECT_EQ(tray.Count(), trayPresent ? 1 : 0);
    EXPECT_FALSE(tray.Delete(&window, 2));
    EXPECT_EQ(tray.Delete(&window, 1), trayPresent);
    EXPECT_EQ(tray.Count(), 0);
}

} // namespace
