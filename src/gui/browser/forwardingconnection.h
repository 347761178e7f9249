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
// 407 and nothing is forwarded. A client that sends no whole request head in time is closed.
class ForwardingConnection : public QObject {
    Q_OBJECT

public:
    // access: the Proxy-Authorization value a request must carry ("Basic ..."); headTimeout:
    // how long the client has for its request head.
    ForwardingConnection(QTcpSocket *client, ProxyRoute route, bool loopbackDirect, QByteArray access,
                         std::chrono::milliseconds headTimeout, QObject *parent = nullptr);

    const ProxyRoute &route() const { return m_route; }

    // Ends both sides at once.
    void abort();

Q_SIGNALS:
    void finished();

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
    QTimer m_headTimer;
    bool m_answerTunnel = false;
    bool m_piping = false;
    bool m_finished = false;
    bool m_deleting = false;
};
