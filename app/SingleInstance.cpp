#include "app/SingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace {
constexpr int connectTimeoutMs = 500;
const QByteArray activateMessage = "activate\n";
} // namespace

SingleInstance::SingleInstance(const QString& name, QObject* parent)
    : QObject(parent), name(name) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::DefaultName() {
    return QStringLiteral("mozai-%1").arg(::getuid());
}

bool SingleInstance::ActivateRunning() {
    QLocalSocket socket;
    socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    socket.connectToServer(name);
    if (!socket.waitForConnected(connectTimeoutMs))
        return false;
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
