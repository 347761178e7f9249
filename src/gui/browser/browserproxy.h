#pragma once

#include "gui/browser/proxyroute.h"

#include <QObject>
#include <QPointer>
#include <QThread>

class ForwardingServer;

// The browser engine cannot change its proxy reliably once started, so it is started once
// pointed at a small forwarding proxy of ours on 127.0.0.1, and the program switches that
// proxy's upstream instead: direct, or an HTTP proxy with its credentials sent up front. The
// switch applies to the next request at once; open connections are closed so none keeps the
// old route.
class BrowserProxy : public QObject {
    Q_OBJECT

public:
    ~BrowserProxy() override;

    // Starts the forwarding proxy and adds the engine switches pointing at it to
    // QTWEBENGINE_CHROMIUM_FLAGS. Must run before the browser engine starts (before the first
    // web-engine profile); later calls return the running instance. Nothing when the switches
    // already name a proxy or the proxy cannot listen: the engine then keeps its own settings.
    static BrowserProxy *Install();
    // The running instance, or nothing.
    static BrowserProxy *active();

    void setRoute(const ProxyRoute &route);
    ProxyRoute route() const;
    // Tests send loopback destinations through the upstream proxy too.
    void setLoopbackDirect(bool direct);
    quint16 port() const { return m_port; }
    // What the engine must answer when the proxy asks it to authenticate.
    QString accessUser() const;
    QString accessPassword() const;
    // Why the last request for host could not reach it, if the last attempt failed.
    QString upstreamFailure(const QString &host) const;

private:
    explicit BrowserProxy(QObject *parent);
    bool start();

    QThread m_thread;
    ForwardingServer *m_server = nullptr; // lives in m_thread
    quint16 m_port = 0;
};
