#pragma once

#include "gui/browser/proxyroute.h"

#include <QList>
#include <QMutex>
#include <QPointer>
#include <QTcpServer>

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
    QList<QPointer<ForwardingConnection>> m_connections;
};
