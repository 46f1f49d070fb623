#include "app/SingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QRegularExpression>
#include <QThread>

#include <unistd.h>

namespace {
constexpr int connectTimeoutMs = 500;
constexpr int connectAttempts = 10;
constexpr unsigned long retryPauseMs = 100;
const QByteArray activateMessage = "activate\n";
} // namespace

SingleInstance::SingleInstance(const QString& name, QObject* parent)
    : QObject(parent), name(name) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::DefaultName() {
    // Per display: the instance asked to come to the front must be on the screen of the start.
    QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty())
        display = qgetenv("WAYLAND_DISPLAY");
    return QStringLiteral("mozai-%1-%2")
        .arg(::getuid())
        .arg(NormalisedDisplay(QString::fromLocal8Bit(display)));
}

QString SingleInstance::NormalisedDisplay(const QString& display) {
    // host:display[.screen]
    static const QRegularExpression x11(QStringLiteral("^(.*):(\\d+)(\\.\\d+)?$"));
    const QRegularExpressionMatch match = x11.match(display);
    if (!match.hasMatch())
        return display;
    const QString host = match.captured(1) == QLatin1String("unix") ? QString() : match.captured(1);
    return host + QLatin1Char(':') + QString::number(match.captured(2).toUInt());
}

bool SingleInstance::ActivateRunning() {
    QLocalSocket socket;
    socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    // The instance holding the folder may have taken it a moment ago and not be listening yet.
    for (int attempt = 1;; ++attempt) {
        socket.connectToServer(name);
        if (socket.waitForConnected(connectTimeoutMs))
            break;
        if (attempt == connectAttempts)
            return false;
        QThread::msleep(retryPauseMs);
    }
    socket.write(activateMessage);
    socket.waitForBytesWritten(connectTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::Listen() {
    server = new QLocalServer(this);
    // The abstract namespace leaves no socket file behind after a crash.
    server->setSocketOptions(QLocalServer::AbstractNamespaceOption);
    if (!server->listen(name))
        return false;
    connect(server, &QLocalServer::newConnection, this, &SingleInstance::OnConnection);
    return true;
}

void SingleInstance::OnConnection() {
    while (QLocalSocket* socket = server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->readAll().contains("activate"))
                emit activateRequested();
        });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
}
