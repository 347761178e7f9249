#pragma once

#include "gui/browser/proxyroute.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <chrono>

class QTcpSocket;

// One connection of the browser engine to the forwarding proxy. It reads one request head,
// picks the route of that moment, and from then on relays bytes both ways until either side
// closes. Plain HTTP requests are sent with "Connection: close", so every request takes the
// route in force when it starts. A request without the proxy's access credentials is answered
// 407 and nothing is forwarded. A connection on which nothing moves either way for the idle time
// is closed, whatever stage it is in (a tunnel, an upstream connect that hangs).
class ForwardingConnection : public QObject {
    Q_OBJECT

public:
    // access: the Proxy-Authorization value a request must carry ("Basic ..."); idleTimeout:
    // how long the connection may see no byte in either direction.
    ForwardingConnection(QTcpSocket *client, ProxyRoute route, bool loopbackDirect, QByteArray access,
                         std::chrono::milliseconds idleTimeout, QObject *parent = nullptr);

    const ProxyRoute &route() const { return m_route; }
    // The client sent a request head with the access credentials: it is the engine's.
    bool provedAccess() const { return m_provedAccess; }

    // Ends both sides at once.
    void abort();

Q_SIGNALS:
    void finished();
    // The destination (or the proxy on the way to it) could not be reached for a request to
    // host; reason in the socket's words.
    void upstreamFailed(const QString &host, const QString &reason);

private:
    struct RequestHead {
        QByteArray method;
        QByteArray target;
        QByteArray version;
        QList<QByteArray> headerLines;
    };

    void readClient();
    bool parseHead(const QByteArray &head, RequestHead &request) const;
    bool carriesAccess(const RequestHead &request) const;
    void startRequest(const RequestHead &request);
    void connectUpstream(const QString &host, quint16 port, QByteArray firstBytes, bool answerTunnel);
    void upstreamConnected();
    void relay(QTcpSocket *from, QTcpSocket *to);
    void fail(const QByteArray &status);
    void finish();
    void deleteWhenClosed();
    QByteArray proxyAuthorization() const;

    QPointer<QTcpSocket> m_client;
    QPointer<QTcpSocket> m_upstream;
    ProxyRoute m_route;
    bool m_loopbackDirect = true;
    QByteArray m_access;
    QByteArray m_buffer;
    QByteArray m_pendingForUpstream;
    QString m_destination; // the host the client asked for
    QTimer m_idleTimer;
    bool m_answerTunnel = false;
    bool m_piping = false;
    bool m_provedAccess = false;
    bool m_finished = false;
    bool m_deleting = false;
};
