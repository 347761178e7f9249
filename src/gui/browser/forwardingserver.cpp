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
        {
            QMutexLocker lock(&m_mutex);
            current = m_route;
            loopbackDirect = m_loopbackDirect;
        }
        const QByteArray access = "Basic " + (m_accessUser + u':' + m_accessPassword).toUtf8().toBase64();
        auto *connection = new ForwardingConnection(socket, current, loopbackDirect, access, this);
        m_connections.removeAll(nullptr);
        m_connections.append(connection);
    }
}
