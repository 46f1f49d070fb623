#include "app/CommandLine.h"

#include "app/Version.h"

#include <QCommandLineOption>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString DataDirOption = QStringLiteral("data-dir");

// Qt's standard options for GUI programs: QApplication takes them out of argv itself.
const char* const QtOptionsWithValue[] = {"platform",
                                          "platformpluginpath",
                                          "platformtheme",
                                          "plugin",
                                          "display",
                                          "geometry",
                                          "name",
                                          "style",
                                          "stylesheet",
                                          "session",
                                          "qwindowgeometry",
                                          "qwindowicon",
                                          "qwindowtitle"};
const char* const QtFlags[] = {"reverse", "sync", "nograb", "dograb", "widgetcount"};

void AddHidden(QCommandLineParser& parser, const char* name, const QString& valueName) {
    QCommandLineOption option(QString::fromLatin1(name), QString(), valueName);
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
}

QString SystemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Creates each missing folder of `path` with mode 0700, as the XDG base directory rules ask
// for the folders a program makes under the user's data home.
bool MakePrivatePath(const QString& path, QString* error) {
    const QByteArray full =
        QFile::encodeName(QDir::cleanPath(QDir::current().absoluteFilePath(path)));
    for (qsizetype end = 1; end <= full.size(); ++end) {
        if (end < full.size() && full[end] != '/')
            continue;
        const QByteArray part = full.left(end);
        struct stat info {};
        if (::stat(part.constData(), &info) == 0 && S_ISDIR(info.st_mode))
            continue;
        if (::mkdir(part.constData(), 0700) != 0 && errno != EEXIST) {
            *error =
                QStringLiteral("cannot create %1: %2").arg(QFile::decodeName(part), SystemError());
            return false;
        }
    }
    return true;
}

} // namespace

CommandLine::CommandLine(const QStringList& arguments) {
    QCoreApplication::setApplicationName(QStringLiteral("mozai"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(ProductVersion));
    parser.setApplicationDescription(QStringLiteral("Mozai, a twisty cube for the desktop."));
    // Qt's options are single-dash words: "-platform" must not read as "-p -l -a ...".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addOption(QCommandLineOption(
        DataDirOption,
        QStringLiteral("Keep history.ini and color.ini in <folder> (made if missing) instead "
                       "of $XDG_DATA_HOME/mozai."),
        QStringLiteral("folder")));
    for (const char* name : QtOptionsWithValue)
        AddHidden(parser, name, QStringLiteral("value"));
    for (const char* name : QtFlags)
        AddHidden(parser, name, QString());

    if (!parser.parse(arguments)) {
        chosen = Action::UsageError;
        problem = parser.errorText();
    } else if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        chosen = Action::ShowHelp;
    } else if (parser.isSet(version)) {
        chosen = Action::ShowVersion;
    } else if (!parser.positionalArguments().isEmpty()) {
        chosen = Action::UsageError;
        problem = QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments()[0]);
    } else if (parser.isSet(DataDirOption) && parser.value(DataDirOption).isEmpty()) {
        chosen = Action::UsageError;
        problem = QStringLiteral("--data-dir needs a folder.");
    } else {
        dataDir = parser.value(DataDirOption);
    }
}

QString CommandLine::Text() const {
    switch (chosen) {
    case Action::ShowHelp:
        return parser.helpText();
    case Action::ShowVersion:
        return QCoreApplication::applicationName() + QLatin1Char(' ') +
               QCoreApplication::applicationVersion() + QLatin1Char('\n');
    case Action::UsageError:
        return QStringLiteral("mozai: ") + problem + QLatin1Char('\n') + parser.helpText();
    case Action::Run:
        break;
    }
    return {};
}

int CommandLine::ExitStatus() const {
    return chosen == Action::UsageError ? UsageErrorStatus : 0;
}

int CommandLine::Report() const {
    std::fputs(Text().toLocal8Bit().constData(), chosen == Action::UsageError ? stderr : stdout);
    return ExitStatus();
}

QString CommandLine::DataFolder() const {
    if (!dataDir.isEmpty())
        return dataDir;
    // The XDG base directory rules: an unset, empty or relative XDG_DATA_HOME means the default.
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (!QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/mozai");
}

bool CommandLine::EnterDataFolder(QString* error, QString* warning) const {
    const QString folder = DataFolder();
    if (!MakePrivatePath(folder, error))
        return false;
    if (::chdir(QFile::encodeName(folder).constData()) != 0) {
        *error = QStringLiteral("cannot enter %1: %2").arg(folder, SystemError());
        return false;
    }
    // Checked by the effective user, as the saves will be made (root too: a read-only mount).
    if (::faccessat(AT_FDCWD, ".", W_OK, AT_EACCESS) != 0)
        *warning = QStringLiteral("cannot save in %1: %2").arg(folder, SystemError());
    return true;
}

QStringList CommandLine::Arguments(int argc, const char* const* argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}
