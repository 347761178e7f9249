#pragma once

#include "gui/browser/proxyroute.h"

#include <QList>
#include <QMutex>
#include <QPointer>
#include <QTcpServer>

#include <chrono>

class ForwardingConnection;

// The listening side of the forwarding proxy on 127.0.0.1. Lives in its own thread; the route
// may be changed from any thread and applies to the next request.
class ForwardingServer : public QTcpServer {
    Q_OBJECT

public:
    explicit ForwardingServer(QObject *parent = nullptr);

    // The credentials a client must send (Basic) before anything is forwarded: a secret made
    // for each server, so only the browser engine the program hands it to can use the proxy
    // (and the user's upstream credentials that it adds).
    QString accessUser() const { return m_accessUser; }
    QString accessPassword() const { return m_accessPassword; }

    void setRoute(const ProxyRoute &route);
    ProxyRoute route() const;
    // Loopback destinations go direct whatever the route (a remote proxy cannot reach them).
    void setLoopbackDirect(bool direct);
    // A connection that has not sent a whole request head this long after it was accepted is
    // closed (30 s unless set); the engine opens another when it has a request to send.
    void setHeadTimeout(std::chrono::milliseconds timeout);
    // Connections beyond this many open ones (256 unless set) are closed as soon as they are
    // accepted: far more than the engine opens, it only stops a local process piling them up.
    void setMaxConnections(qsizetype count);

    // Ends every open connection made for another route than the current one, so the engine's
    // next connection takes the current route. Runs in the server's thread.
    void closeStaleConnections();

private:
    void acceptConnections();

    const QString m_accessUser;
    const QString m_accessPassword;
    mutable QMutex m_mutex;
    ProxyRoute m_route;
    bool m_loopbackDirect = true;
    std::chrono::milliseconds m_headTimeout{std::chrono::seconds(30)};
    qsizetype m_maxConnections = 256;
    QList<QPointer<ForwardingConnection>> m_connections;
};
