#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;

namespace tonvela {

// Lets a second start of the program hand its document to the instance that
// already runs for this user (and this settings tree), as the desktop's open
// request would: the running instance listens on a local socket that only
// its user can reach; a later start with a file sends the file's absolute
// path and ends once the running instance has taken it.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    SingleInstance();
    ~SingleInstance() override;

    // The socket's name: per user, and per settings tree when
    // TONVELA_CONFIG_DIR names one, so separate trees run separate programs.
    static QString serverName();

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

    std::unique_ptr<QLocalServer> server;
};

} // namespace tonvela
