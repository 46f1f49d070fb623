#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// Keeps one Mozai per user and display session. The first instance listens on a local socket;
// a later start finds it there, asks it to come to the front and exits.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& name = DefaultName(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when another instance answered and has been asked to activate its window.
    bool ActivateRunning();
    // Starts listening; false when the name cannot be taken.
    bool Listen();

    static QString DefaultName();

signals:
    void activateRequested();

private:
    void OnConnection();

    QString name;
    QLocalServer* server = nullptr;
};
