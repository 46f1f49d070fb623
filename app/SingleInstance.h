#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// The activation channel of one user's Mozai on one display: the running instance listens on a
// local socket; a later start that finds the data folder taken (see FolderLock) asks it there to
// come to the front and exits.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& name = DefaultName(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when another instance answered and has been asked to activate its window.
    bool ActivateRunning();
    // Starts listening; false when the name cannot be taken.
    bool Listen();

    // The channel of this user on this display.
    static QString DefaultName();
    // An X display name without its screen number and with "unix" for the local host left out,
    // so every name of one display reads the same (":0", ":0.1" and "unix:0.0" read ":0").
    // Anything else (a Wayland socket name) is returned as it stands.
    static QString NormalisedDisplay(const QString& display);

signals:
    void activateRequested();

private:
    void OnConnection();

    QString name;
    QLocalServer* server = nullptr;
};
