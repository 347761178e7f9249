#pragma once

#include "gui/browser/proxyroute.h"

#include <QHash>
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
    // A connection on which no byte moved either way this long is closed (120 s unless set);
    // the engine opens another when it has a request to send.
    void setIdleTimeout(std::chrono::milliseconds timeout);
    // At this many open connections (256 unless set, far more than the engine opens) a new one
    // takes the place of the oldest that has not proved the secret: one still without a whole
    // request head, or one answered 407. A local process piling connections up so never shuts
    // the engine out; only when every one is the engine's is the new one refused.
    void setMaxConnections(qsizetype count);

    // Why the last request for host failed to reach it, when its last attempt did; any thread.
    QString upstreamFailure(const QString &host) const;

    // Ends every open connection made for another route than the current one, so the engine's
    // next connection takes the current route. Runs in the server's thread.
    void closeStaleConnections();

private:
    void acceptConnections();
    // Closes the oldest connection that has not proved the secret; false when there is none.
    bool makeRoom();

    const QString m_accessUser;
    const QString m_accessPassword;
    mutable QMutex m_mutex;
    ProxyRoute m_route;
    bool m_loopbackDirect = true;
    std::chrono::milliseconds m_idleTimeout{std::chrono::seconds(120)};
    qsizetype m_maxConnections = 256;
    QList<QPointer<ForwardingConnection>> m_connections;
    QHash<QString, QString> m_upstreamFailures; // by host, under m_mutex
};
