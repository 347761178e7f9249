#include "gui/browser/forwardingserver.h"

#include "gui/browser/forwardingconnection.h"

#include <QRandomGenerator>
#include <QTcpSocket>

namespace {

// 32 random bytes from the system's generator, as URL-safe text.
QString MakeSecret() {
    QByteArray bytes(32, Qt::Uninitialized);
    QRandomGenerator::system()->generate(bytes.begin(), bytes.end());
    return QString::fromLatin1(bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

} // namespace

ForwardingServer::ForwardingServer(QObject *parent)
    : QTcpServer(parent), m_accessUser(QStringLiteral("tarnwick")), m_accessPassword(MakeSecret()) {
    connect(this, &QTcpServer::newConnection, this, &ForwardingServer::acceptConnections);
}

void ForwardingServer::setRoute(const ProxyRoute &route) {
    QMutexLocker lock(&m_mutex);
    m_route = route;
}

ProxyRoute ForwardingServer::route() const {
    QMutexLocker lock(&m_mutex);
    return m_route;
}

void ForwardingServer::setLoopbackDirect(bool direct) {
    QMutexLocker lock(&m_mutex);
    m_loopbackDirect = direct;
}

void ForwardingServer::setIdleTimeout(std::chrono::milliseconds timeout) {
    QMutexLocker lock(&m_mutex);
    m_idleTimeout = timeout;
}

void ForwardingServer::setMaxConnections(qsizetype count) {
    QMutexLocker lock(&m_mutex);
    m_maxConnections = count;
}

QString ForwardingServer::upstreamFailure(const QString &host) const {
    QMutexLocker lock(&m_mutex);
    return m_upstreamFailures.value(host);
}

void ForwardingServer::closeStaleConnections() {
    const ProxyRoute current = route();
    m_connections.removeAll(nullptr);
    const auto connections = m_connections;
    for (const auto &connection : connections) {
        if (connection && !(connection->route() == current)) {
            connection->abort();
        }
    }
}

void ForwardingServer::acceptConnections() {
    while (QTcpSocket *socket = nextPendingConnection()) {
        bool loopbackDirect = true;
        ProxyRoute current;
        std::chrono::milliseconds idleTimeout{};
        qsizetype maxConnections = 0;
        {
            QMutexLocker lock(&m_mutex);
            current = m_route;
            loopbackDirect = m_loopbackDirect;
            idleTimeout = m_idleTimeout;
            maxConnections = m_maxConnections;
        }
        m_connections.removeAll(nullptr);
        if (m_connections.size() >= maxConnections && !makeRoom()) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        const QByteArray access = "Basic " + (m_accessUser + u':' + m_accessPassword).toUtf8().toBase64();
        auto *connection = new ForwardingConnection(socket, current, loopbackDirect, access, idleTimeout, this);
        connect(connection, &ForwardingConnection::upstreamFailed, this,
                [this](const QString &host, const QString &reason) {
                    QMutexLocker lock(&m_mutex);
                    m_upstreamFailures.insert(host, reason);
                });
        m_connections.append(connection);
    }
}

bool ForwardingServer::makeRoom() {
    for (qsizetype i = 0; i < m_connections.size(); ++i) {
        ForwardingConnection *const connection = m_connections.at(i);
        if (connection && !connection->provedAccess()) {
            m_connections.removeAt(i);
            connection->abort();
            return true;
        }
    }
    return false;
}
