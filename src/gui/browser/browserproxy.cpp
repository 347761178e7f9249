#include "gui/browser/browserproxy.h"

#include "gui/browser/forwardingserver.h"

#include <QCoreApplication>
#include <QHostAddress>

using namespace Qt::StringLiterals;

namespace {

QPointer<BrowserProxy> &instance() {
    static QPointer<BrowserProxy> proxy;
    return proxy;
}

bool FlagsNameAProxy(const QByteArray &flags) {
    return flags.contains("--proxy-server") || flags.contains("--no-proxy-server") ||
           flags.contains("--proxy-pac-url") || flags.contains("--proxy-auto-detect");
}

} // namespace

BrowserProxy::BrowserProxy(QObject *parent) : QObject(parent) {
    m_thread.setObjectName(u"BrowserProxy"_s);
}

BrowserProxy::~BrowserProxy() {
    m_thread.quit();
    m_thread.wait();
}

BrowserProxy *BrowserProxy::Install() {
    if (instance()) {
        return instance();
    }
    const QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (FlagsNameAProxy(flags) || !QCoreApplication::instance()) {
        return nullptr;
    }
    auto *proxy = new BrowserProxy(QCoreApplication::instance());
    if (!proxy->start()) {
        delete proxy;
        return nullptr;
    }
    // Without "<-loopback>" the engine would take loopback addresses past the proxy on its own.
    const QByteArray switches =
        "--proxy-server=http://127.0.0.1:" + QByteArray::number(proxy->m_port) + " --proxy-bypass-list=<-loopback>";
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.isEmpty() ? switches : flags + ' ' + switches);
    instance() = proxy;
    return proxy;
}

BrowserProxy *BrowserProxy::active() {
    return instance();
}

bool BrowserProxy::start() {
    m_server = new ForwardingServer;
    m_server->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_server, &QObject::deleteLater);
    m_thread.start();
    bool listening = false;
    QMetaObject::invokeMethod(
        m_server,
        [this, &listening] {
            listening = m_server->listen(QHostAddress::LocalHost, 0);
            m_port = m_server->serverPort();
        },
        Qt::BlockingQueuedConnection);
    if (!listening) {
        m_thread.quit();
        m_thread.wait();
        m_server = nullptr;
    }
    return listening;
}

void BrowserProxy::setRoute(const ProxyRoute &route) {
    m_server->setRoute(route);
    QMetaObject::invokeMethod(m_server, &ForwardingServer::closeStaleConnections, Qt::QueuedConnection);
}

ProxyRoute BrowserProxy::route() const {
    return m_server->route();
}

void BrowserProxy::setLoopbackDirect(bool direct) {
    m_server->setLoopbackDirect(direct);
}

QString BrowserProxy::upstreamFailure(const QString &host) const {
    return m_server ? m_server->upstreamFailure(host) : QString();
}

QString BrowserProxy::accessUser() const {
    return m_server ? m_server->accessUser() : QString();
}

QString BrowserProxy::accessPassword() const {
    return m_server ? m_server->accessPassword() : QString();
}
