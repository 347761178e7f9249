#include "gui/browser/forwardingconnection.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype maxHeadSize = 64 * 1024;
constexpr int closeGraceMs = 10000;

bool IsLoopbackHost(const QString &host) {
    QString bare = host;
    if (bare.startsWith(u'[') && bare.endsWith(u']')) {
        bare = bare.mid(1, bare.size() - 2);
    }
    if (bare.compare(u"localhost"_s, Qt::CaseInsensitive) == 0 || bare.endsWith(u".localhost"_s, Qt::CaseInsensitive)) {
        return true;
    }
    const QHostAddress address(bare);
    return !address.isNull() && address.isLoopback();
}

// "host:port" of a CONNECT target, IPv6 hosts in brackets.
bool SplitAuthority(const QByteArray &authority, QString &host, quint16 &port) {
    const qsizetype colon = authority.lastIndexOf(':');
    if (colon <= 0 || authority.lastIndexOf(']') > colon) {
        return false;
    }
    bool ok = false;
    const uint number = authority.mid(colon + 1).toUInt(&ok);
    if (!ok || number == 0 || number > 65535) {
        return false;
    }
    host = QString::fromLatin1(authority.left(colon));
    if (host.startsWith(u'[') && host.endsWith(u']')) {
        host = host.mid(1, host.size() - 2);
    }
    port = static_cast<quint16>(number);
    return !host.isEmpty();
}

bool IsHopByHop(const QByteArray &line) {
    const QByteArray name = line.left(line.indexOf(':')).trimmed().toLower();
    return name == "connection" || name == "proxy-connection" || name == "keep-alive" || name == "proxy-authorization";
}

} // namespace

ForwardingConnection::ForwardingConnection(QTcpSocket *client, ProxyRoute route, bool loopbackDirect, QByteArray access,
                                           std::chrono::milliseconds idleTimeout, QObject *parent)
    : QObject(parent), m_client(client), m_route(std::move(route)), m_loopbackDirect(loopbackDirect),
      m_access(std::move(access)) {
    client->setParent(this);
    connect(client, &QTcpSocket::readyRead, this, &ForwardingConnection::readClient);
    connect(client, &QTcpSocket::disconnected, this, &ForwardingConnection::finish);
    m_idleTimer.setSingleShot(true);
    m_idleTimer.setInterval(idleTimeout);
    connect(&m_idleTimer, &QTimer::timeout, this, &ForwardingConnection::abort);
    m_idleTimer.start();
    readClient();
}

void ForwardingConnection::abort() {
    if (m_client) {
        m_client->abort();
    }
    if (m_upstream) {
        m_upstream->abort();
    }
    finish();
}

void ForwardingConnection::readClient() {
    if (!m_client) {
        return;
    }
    if (!m_finished) {
        m_idleTimer.start();
    }
    if (m_piping) {
        relay(m_client, m_upstream);
        return;
    }
    m_buffer += m_client->readAll();
    if (m_upstream) {
        return; // connecting: the bytes wait in m_buffer
    }
    const qsizetype end = m_buffer.indexOf("\r\n\r\n");
    if (end < 0) {
        if (m_buffer.size() > maxHeadSize) {
            fail("431 Request Header Fields Too Large");
        }
        return;
    }
    RequestHead request;
    const QByteArray head = m_buffer.left(end);
    m_buffer.remove(0, end + 4);
    if (!parseHead(head, request)) {
        fail("400 Bad Request");
        return;
    }
    if (!carriesAccess(request)) {
        fail("407 Proxy Authentication Required\r\nProxy-Authenticate: Basic realm=\"Tarnwick\"");
        return;
    }
    m_provedAccess = true;
    startRequest(request);
}

bool ForwardingConnection::parseHead(const QByteArray &head, RequestHead &request) const {
    QList<QByteArray> lines = head.split('\n');
    for (QByteArray &line : lines) {
        if (line.endsWith('\r')) {
            line.chop(1);
        }
    }
    const QList<QByteArray> parts = lines.takeFirst().split(' ');
    if (parts.size() != 3 || !parts.at(2).startsWith("HTTP/")) {
        return false;
    }
    request.method = parts.at(0);
    request.target = parts.at(1);
    request.version = parts.at(2);
    request.headerLines = lines;
    return true;
}

bool ForwardingConnection::carriesAccess(const RequestHead &request) const {
    for (const QByteArray &line : request.headerLines) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().compare("proxy-authorization", Qt::CaseInsensitive) == 0) {
            return line.mid(colon + 1).trimmed() == m_access;
        }
    }
    return false;
}

QByteArray ForwardingConnection::proxyAuthorization() const {
    if (m_route.userName.isEmpty()) {
        return {};
    }
    const QByteArray credentials = (m_route.userName + u':' + m_route.password).toUtf8();
    return "Proxy-Authorization: Basic " + credentials.toBase64() + "\r\n";
}

void ForwardingConnection::startRequest(const RequestHead &request) {
    if (request.method == "CONNECT") {
        QString host;
        quint16 port = 0;
        if (!SplitAuthority(request.target, host, port)) {
            fail("400 Bad Request");
            return;
        }
        m_destination = host;
        if (m_route.direct() || (m_loopbackDirect && IsLoopbackHost(host))) {
            connectUpstream(host, port, {}, true);
            return;
        }
        const QByteArray tunnel = "CONNECT " + request.target + ' ' + request.version + "\r\nHost: " + request.target +
                                  "\r\n" + proxyAuthorization() + "\r\n";
        connectUpstream(m_route.host, m_route.port, tunnel, false);
        return;
    }

    const QUrl url(QString::fromLatin1(request.target));
    if (!url.isValid() || url.scheme() != u"http"_s || url.host().isEmpty()) {
        fail("400 Bad Request");
        return;
    }
    QByteArray headers;
    for (const QByteArray &line : request.headerLines) {
        if (!line.isEmpty() && !IsHopByHop(line)) {
            headers += line + "\r\n";
        }
    }
    headers += "Connection: close\r\n";
    m_destination = url.host();
    const bool direct = m_route.direct() || (m_loopbackDirect && IsLoopbackHost(url.host()));
    if (direct) {
        const QByteArray path = url.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority).isEmpty()
                                    ? QByteArray("/")
                                    : url.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority);
        connectUpstream(url.host(), static_cast<quint16>(url.port(80)),
                        request.method + ' ' + path + ' ' + request.version + "\r\n" + headers + "\r\n", false);
    } else {
        connectUpstream(m_route.host, m_route.port,
                        request.method + ' ' + request.target + ' ' + request.version + "\r\n" + headers +
                            proxyAuthorization() + "\r\n",
                        false);
    }
}

void ForwardingConnection::connectUpstream(const QString &host, quint16 port, QByteArray firstBytes,
                                           bool answerTunnel) {
    m_pendingForUpstream = std::move(firstBytes);
    m_answerTunnel = answerTunnel;
    m_upstream = new QTcpSocket(this);
    connect(m_upstream, &QTcpSocket::connected, this, &ForwardingConnection::upstreamConnected);
    connect(m_upstream, &QTcpSocket::readyRead, this, [this] {
        m_idleTimer.start();
        relay(m_upstream, m_client);
    });
    connect(m_upstream, &QTcpSocket::disconnected, this, &ForwardingConnection::finish);
    connect(m_upstream, &QTcpSocket::errorOccurred, this, [this, host, port](QAbstractSocket::SocketError) {
        if (!m_piping) {
            const QString reason = m_upstream->errorString();
            Q_EMIT upstreamFailed(m_destination, host == m_destination
                                                     ? reason
                                                     : QStringLiteral("%1 (proxy %2:%3)").arg(reason, host).arg(port));
            fail("502 Bad Gateway");
        } else {
            finish();
        }
    });
    m_upstream->connectToHost(host, port);
}

void ForwardingConnection::upstreamConnected() {
    m_piping = true;
    if (m_answerTunnel) {
        m_client->write("HTTP/1.1 200 Connection established\r\n\r\n");
    }
    m_upstream->write(m_pendingForUpstream + m_buffer);
    m_pendingForUpstream.clear();
    m_buffer.clear();
    relay(m_client, m_upstream);
}

void ForwardingConnection::relay(QTcpSocket *from, QTcpSocket *to) {
    if (from && to && m_piping && from->isOpen() && to->isOpen()) {
        to->write(from->readAll());
    }
}

void ForwardingConnection::fail(const QByteArray &status) {
    if (m_client && m_client->state() == QAbstractSocket::ConnectedState) {
        m_client->write("HTTP/1.1 " + status + "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        m_client->disconnectFromHost();
    }
    if (m_upstream) {
        m_upstream->abort();
    }
    finish();
}

// Whatever one side still sent is passed on before the other side is closed; the connection goes
// once both sockets have written out and closed.
void ForwardingConnection::finish() {
    if (m_finished) {
        return;
    }
    m_finished = true;
    m_idleTimer.stop();
    if (m_piping) {
        relay(m_upstream, m_client);
        relay(m_client, m_upstream);
    }
    for (QTcpSocket *socket : {m_client.data(), m_upstream.data()}) {
        if (socket) {
            connect(socket, &QTcpSocket::stateChanged, this, &ForwardingConnection::deleteWhenClosed);
            socket->disconnectFromHost();
        }
    }
    QTimer::singleShot(closeGraceMs, this, [this] {
        for (QTcpSocket *socket : {m_client.data(), m_upstream.data()}) {
            if (socket) {
                socket->abort();
            }
        }
        deleteWhenClosed();
    });
    deleteWhenClosed();
}

void ForwardingConnection::deleteWhenClosed() {
    for (QTcpSocket *socket : {m_client.data(), m_upstream.data()}) {
        if (socket && socket->state() != QAbstractSocket::UnconnectedState) {
            return;
        }
    }
    if (!m_deleting) {
        m_deleting = true;
        Q_EMIT finished();
        deleteLater();
    }
}
