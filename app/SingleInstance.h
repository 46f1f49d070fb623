#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// The activation channel of the Mozai that holds one data folder (see FolderLock): it listens
// on a local socket named after the user and the folder; a later start that finds the folder
// taken asks it there to come to the front. The running one does so only when the start is on
// its own display, and otherwise answers with the display it is on.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Answer { Activated, OtherDisplay, NoAnswer };

    // `folderKey` names the folder (FolderLock::Key); `display` is the display this process is
    // on, compared in its normalised form.
    SingleInstance(const QString& folderKey, const QString& display, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Asks the instance holding the folder to come to the front. OtherDisplay, with its display
    // in `otherDisplay`, when it runs on another one; NoAnswer when none answers in time.
    Answer ActivateRunning(QString* otherDisplay);
    // Starts listening; false when the name cannot be taken.
    bool Listen();

    // An X display name without its screen number and with "unix" for the local host left out,
    // so every name of one display reads the same (":0", ":0.1" and "unix:0.0" read ":0").
    // Anything else (a Wayland socket name) is returned as it stands.
    static QString NormalisedDisplay(const QString& display);

signals:
    void activateRequested();

private:
    void OnConnection();

    QString name;
    QString display;
    QLocalServer* server = nullptr;
};
