#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

// Mozai's command line: --help, --version and --data-dir <folder>, the folder that holds
// history.ini and color.ini. Qt's own window-system options (-platform, -display, -style, ...)
// are accepted and left for QApplication, which removes them later. Parsing needs no display,
// so --help and --version work on a console.
class CommandLine {
public:
    enum class Action { Run, ShowHelp, ShowVersion, UsageError };

    static constexpr int UsageErrorStatus = 2;

    // `arguments` starts with the program name. Also names the application "mozai" with its
    // version: the name is the window class (WM_CLASS) that the desktop entry expects.
    explicit CommandLine(const QStringList& arguments);

    Action action() const { return chosen; }
    // The help, the version line, or the error followed by the usage; each ends with a line
    // break. The help names the program through the application object, so one must exist.
    QString Text() const;
    // 0 for the help and the version, UsageErrorStatus for a bad command line.
    int ExitStatus() const;
    // Prints Text() on standard output, or on standard error for a usage error; ExitStatus().
    int Report() const;

    // --data-dir as given, else $XDG_DATA_HOME/mozai, else ~/.local/share/mozai.
    QString DataFolder() const;
    // Creates the data folder (missing folders with mode 0700) and makes it the working
    // directory. False, with the reason in `error`, when that cannot be done. A folder entered
    // but not writable sets `warning` ("cannot save in DIR: reason"); Mozai runs on.
    bool EnterDataFolder(QString* error, QString* warning) const;
    // The value of one of Qt's own options (such as "platform" or "display"), empty if not given.
    QString QtOption(const char* name) const { return parser.value(QString::fromLatin1(name)); }

    // The program's arguments as Qt decodes them.
    static QStringList Arguments(int argc, const char* const* argv);

private:
    QCommandLineParser parser;
    Action chosen = Action::Run;
    QString dataDir;
    QString problem;
};
