#include "app/SingleInstance.h"

#include "state/RecoveryFile.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tonvela {

namespace {

constexpr int ConnectWaitMs = 1000;
constexpr int AnswerWaitMs = 5000;
constexpr qint64 MaxRequestBytes = 64 * 1024;
const QByteArray OpenVerb = "open ";
const QByteArray Confirmation = "ok\n";

SingleInstance::PeerCheck& peerCheckHook() {
    static SingleInstance::PeerCheck hook;
    return hook;
}

// A folder only this user can enter: the socket in it cannot be taken or
// reached by anyone else.
bool isPrivateFolder(const QByteArray& path) {
    struct stat info;
    return path.startsWith('/') && ::stat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::getuid() && (info.st_mode & 077) == 0;
}

QString socketFolder() {
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (isPrivateFolder(runtime))
        return QString::fromLocal8Bit(runtime);
    // No runtime folder of the session: a private one beside the user's
    // state, never the shared /tmp.
    const QByteArray own = QFile::encodeName(
        QString::fromStdString(RecoveryFile::defaultDirectory()) + QStringLiteral("/run"));
    QDir().mkpath(QFile::decodeName(own));
    ::chmod(own.constData(), 0700);
    return QFile::decodeName(own);
}

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
    return socketFolder() + QLatin1Char('/') + name;
}

bool SingleInstance::isSameUser(qintptr socket) {
    struct ucred peer {};
    socklen_t size = sizeof peer;
    if (::getsockopt(static_cast<int>(socket), SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0)
        return false;
    if (peerCheckHook())
        return peerCheckHook()(peer.uid);
    return peer.uid == ::getuid();
}

void SingleInstance::setPeerCheck(PeerCheck check) {
    peerCheckHook() = std::move(check);
}

bool SingleInstance::handOver(const QString& path) {
    QLocalSocket socket;
    socket.connectToServer(serverName());
    if (!socket.waitForConnected(ConnectWaitMs))
        return false;
    // A program of another user learns nothing: this start opens the file itself.
    if (!isSameUser(socket.socketDescriptor()))
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
    // A socket file of an instance that no longer runs, or one that no
    // program of this user answered for: nobody took the start's hand-over,
    // so it can go.
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
        if (!isSameUser(socket->socketDescriptor())) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
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
