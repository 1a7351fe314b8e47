#include "app/SingleInstance.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>

#include <unistd.h>

namespace tonvela {

namespace {

constexpr int ConnectWaitMs = 1000;
constexpr int AnswerWaitMs = 5000;
constexpr qint64 MaxRequestBytes = 64 * 1024;
const QByteArray OpenVerb = "open ";
const QByteArray Confirmation = "ok\n";

} // namespace

SingleInstance::SingleInstance() = default;

SingleInstance::~SingleInstance() {
    close();
}

QString SingleInstance::serverName() {
    QString name = QStringLiteral("tonvela-%1").arg(::getuid());
    const QByteArray tree = qgetenv("TONVELA_CONFIG_DIR");
    if (!tree.isEmpty())
        name += QLatin1Char('-') +
                QString::fromLatin1(
                    QCryptographicHash::hash(tree, QCryptographicHash::Sha1).toHex().left(12));
    return name;
}

bool SingleInstance::handOver(const QString& path) {
    QLocalSocket socket;
    socket.connectToServer(serverName());
    if (!socket.waitForConnected(ConnectWaitMs))
        return false;
    socket.write(OpenVerb + path.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(AnswerWaitMs))
        return false;
    QByteArray answer;
    while (answer.size() < Confirmation.size() && socket.waitForReadyRead(AnswerWaitMs))
        answer += socket.readAll();
    return answer.startsWith(Confirmation);
}

bool SingleInstance::listen() {
    server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server.get(), &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    if (server->listen(serverName()))
        return true;
    // A socket file of an instance that no longer runs: nobody answered the
    // start's hand-over, so it can go.
    QLocalServer::removeServer(serverName());
    return server->listen(serverName());
}

void SingleInstance::close() {
    if (server)
        server->close();
    server.reset();
}

void SingleInstance::acceptConnections() {
    while (QLocalSocket* socket = server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QPointer<QLocalSocket> guarded(socket);
        connect(socket, &QLocalSocket::readyRead, this, [this, guarded] {
            if (!guarded)
                return;
            if (!guarded->canReadLine()) {
                if (guarded->bytesAvailable() > MaxRequestBytes)
                    guarded->abort();
                return;
            }
            QByteArray line = guarded->readLine();
            line.chop(1);
            if (!line.startsWith(OpenVerb) || line.size() == OpenVerb.size()) {
                guarded->abort();
                return;
            }
            const QString path = QString::fromUtf8(line.mid(OpenVerb.size()));
            guarded->write(Confirmation);
            guarded->flush();
            guarded->disconnectFromServer();
            // Opening may ask to save first; the sender must not wait for it.
            QTimer::singleShot(0, this, [this, path] { emit fileReceived(path); });
        });
    }
}

} // namespace tonvela
