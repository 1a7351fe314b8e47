#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <sys/types.h>

class QLocalServer;

namespace tonvela {

// Lets a second start of the program hand its document to the instance that
// already runs for this user (and this settings tree), as the desktop's open
// request would: the running instance listens on a local socket in the
// user's runtime folder (XDG_RUNTIME_DIR, which only the user can enter; a
// private folder beside the user's state when there is none); a later start
// with a file sends the file's absolute path and ends once the running
// instance has taken it. Both sides check that the other runs as the same
// user (SO_PEERCRED) before a path goes either way.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    SingleInstance();
    ~SingleInstance() override;

    // The socket's path: in the private folder, per user, and per settings
    // tree when TONVELA_CONFIG_DIR names one, so separate trees run separate
    // programs.
    static QString serverName();

    // Decides whether a peer of this user id may hand over or take a path
    // (tests make a stranger of a peer); an empty function compares with
    // this process's user.
    using PeerCheck = std::function<bool(uid_t peer)>;
    static void setPeerCheck(PeerCheck check);

    // The second start's side: true when a running instance confirmed that it
    // takes path. False when none runs or it does not answer in time.
    static bool handOver(const QString& path);

    // The running instance's side: starts listening (replacing a socket left
    // behind by an instance that ended without closing it).
    bool listen();
    void close();

signals:
    // A file handed over by a later start; emitted after it was confirmed.
    void fileReceived(const QString& path);

private:
    void acceptConnections();
    static bool isSameUser(qintptr socket);

    std::unique_ptr<QLocalServer> server;
};

} // namespace tonvela
