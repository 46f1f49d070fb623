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
// The running instance answers from its event loop, which a busy start-up may hold for a while.
constexpr int answerTimeoutMs = 10000;
const QByteArray activateRequest = "activate ";
const QByteArray activatedAnswer = "activated";
const QByteArray displayAnswer = "display ";
} // namespace

SingleInstance::SingleInstance(const QString& folderKey, const QString& display, QObject* parent)
    : QObject(parent), name(QStringLiteral("mozai-%1-%2").arg(::getuid()).arg(folderKey)),
      display(NormalisedDisplay(display)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::NormalisedDisplay(const QString& display) {
    // host:display[.screen]
    static const QRegularExpression x11(QStringLiteral("^(.*):(\\d+)(\\.\\d+)?$"));
    const QRegularExpressionMatch match = x11.match(display);
    if (!match.hasMatch())
        return display;
    const QString host = match.captured(1) == QLatin1String("unix") ? QString() : match.captured(1);
    return host + QLatin1Char(':') + QString::number(match.captured(2).toUInt());
}

SingleInstance::Answer SingleInstance::ActivateRunning(QString* otherDisplay) {
    QLocalSocket socket;
    socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    // The instance holding the folder may have taken it a moment ago and not be listening yet.
    for (int attempt = 1;; ++attempt) {
        socket.connectToServer(name);
        if (socket.waitForConnected(connectTimeoutMs))
            break;
        if (attempt == connectAttempts)
            return Answer::NoAnswer;
        QThread::msleep(retryPauseMs);
    }
    socket.write(activateRequest + display.toUtf8() + '\n');
    socket.waitForBytesWritten(connectTimeoutMs);
    while (!socket.canReadLine() && socket.waitForReadyRead(answerTimeoutMs)) {
    }
    const QByteArray answer = socket.readLine().trimmed();
    socket.disconnectFromServer();
    if (answer == activatedAnswer)
        return Answer::Activated;
    if (!answer.startsWith(displayAnswer))
        return Answer::NoAnswer;
    *otherDisplay = QString::fromUtf8(answer.mid(displayAnswer.size()));
    return Answer::OtherDisplay;
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
            if (!socket->canReadLine())
                return;
            const QByteArray request = socket->readLine().trimmed();
            if (!request.startsWith(activateRequest))
                return;
            // A window cannot be brought to the front of another display: the start there says
            // where this one is instead.
            if (NormalisedDisplay(QString::fromUtf8(request.mid(activateRequest.size()))) ==
                display) {
                socket->write(activatedAnswer + '\n');
                emit activateRequested();
            } else {
                socket->write(displayAnswer + display.toUtf8() + '\n');
            }
            socket->flush();
        });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
}
