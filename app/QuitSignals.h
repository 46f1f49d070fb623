#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal delivered on the GUI thread, so that the
// program quits the same orderly way as the "Exit" command and writes its files.
class QuitSignals : public QObject {
    Q_OBJECT
public:
    explicit QuitSignals(QObject* parent = nullptr);
    ~QuitSignals() override;

    bool installed() const { return notifier != nullptr; }

signals:
    void quitRequested(int signalNumber);

private:
    void OnReadable();

    QSocketNotifier* notifier = nullptr;
};
