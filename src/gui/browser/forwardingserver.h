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

    void setRoute(const ProxyRoute &route);
    ProxyRoute route() const;
    // Loopback destinations go direct whatever the route (a remote proxy cannot reach them).
    void setLoopbackDirect(bool direct);

    // Ends every open connection made for another route than the current one, so the engine's
    // next connection takes the current route. Runs in the server's thread.
    void closeStaleConnections();

private:
    void acceptConnections();

    mutable QMutex m_mutex;
    ProxyRoute m_route;
    bool m_loopbackDirect = true;
    QList<QPointer<ForwardingConnection>> m_connections;
};
