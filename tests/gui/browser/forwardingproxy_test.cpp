#include "gui/browser/forwardingserver.h"
#include "support/loopbackserver.h"
#include "support/tinyproxy.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QMutex>
#include <QTcpSocket>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>

using namespace Qt::StringLiterals;

namespace {

// Waits in the event loop (the forwarding server runs in this thread) until done() or 10 s.
template<typename Done>
bool WaitFor(Done done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 10000) {
        QTest::qWait(5);
    }
    return done();
}

// Sends request to the forwarding proxy and returns everything it answers until it closes.
QByteArray Exchange(quint16 port, const QByteArray &request) {
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!WaitFor([&] { return socket.state() == QAbstractSocket::ConnectedState; })) {
        return {};
    }
    socket.write(request);
    QByteArray answer;
    WaitFor([&] {
        answer += socket.readAll();
        return socket.state() == QAbstractSocket::UnconnectedState;
    });
    return answer + socket.readAll();
}

} // namespace

class ForwardingProxy : public ::testing::Test {
protected:
    void SetUp() override {
        m_origin.server().Get("/hello", [this](const httplib::Request &request, httplib::Response &response) {
            QMutexLocker lock(&m_mutex);
            m_originRequests.append({QString::fromStdString(request.path),
                                     QString::fromStdString(request.get_header_value("Connection")),
                                     request.has_header("Proxy-Authorization")});
            response.set_content("hello from origin", "text/plain");
        });
        ASSERT_TRUE(m_origin.start());
        ASSERT_TRUE(m_server.listen(QHostAddress::LocalHost, 0));
    }

    // The header line that opens the forwarding proxy, with the server's secret or another one.
    QByteArray access(const QString &password = {}) const {
        const QString secret = password.isNull() ? m_server.accessPassword() : password;
        return "Proxy-Authorization: Basic " + (m_server.accessUser() + u':' + secret).toUtf8().toBase64() + "\r\n";
    }

    QByteArray get(const QString &path, const QByteArray &accessLine) {
        return Exchange(m_server.serverPort(), "GET " + m_origin.url(path).toLatin1() +
                                                   " HTTP/1.1\r\nHost: 127.0.0.1\r\nProxy-Connection: keep-alive\r\n" +
                                                   accessLine + "User-Agent: test\r\n\r\n");
    }
    QByteArray get(const QString &path) { return get(path, access()); }

    ProxyRoute through(const Tinyproxy &proxy, const QString &user = {}, const QString &password = {}) {
        return {proxy.host(), static_cast<quint16>(proxy.port()), user, password};
    }

    struct OriginRequest {
        QString path;
        QString connection;
        bool proxyAuthorization = false;
    };
    QList<OriginRequest> originRequests() {
        QMutexLocker lock(&m_mutex);
        return m_originRequests;
    }

    LoopbackServer m_origin;
    ForwardingServer m_server;

private:
    QMutex m_mutex;
    QList<OriginRequest> m_originRequests;
};

TEST_F(ForwardingProxy, ClientsWithoutTheSecretAreRefusedWhateverTheRoute) {
    Tinyproxy proxy;
    ASSERT_TRUE(proxy.start(u"ann"_s, u"s3cret"_s)) << proxy.errorString().toStdString();
    const QByteArray authority = "127.0.0.1:" + QByteArray::number(m_origin.port());
    for (const bool upstream : {false, true}) {
        m_server.setLoopbackDirect(!upstream);
        m_server.setRoute(upstream ? through(proxy, u"ann"_s, u"s3cret"_s) : ProxyRoute{});
        for (const QByteArray &line :
             {QByteArray(), access(u"guess"_s), QByteArray("Proxy-Authorization: Basic ann:s3cret\r\n")}) {
            const QByteArray answer = get(u"/hello"_s, line);
            EXPECT_TRUE(answer.startsWith("HTTP/1.1 407")) << answer.constData();
            EXPECT_TRUE(answer.contains("\r\nProxy-Authenticate: Basic realm=\"Tarnwick\"\r\n"));
            const QByteArray tunnel =
                Exchange(m_server.serverPort(), "CONNECT " + authority + " HTTP/1.1\r\n" + line + "\r\n");
            EXPECT_TRUE(tunnel.startsWith("HTTP/1.1 407")) << tunnel.constData();
        }
    }
    EXPECT_TRUE(originRequests().isEmpty());
    EXPECT_TRUE(proxy.requests().isEmpty());
    EXPECT_GE(m_server.accessPassword().size(), 40);
    EXPECT_NE(m_server.accessPassword(), ForwardingServer().accessPassword());
}

TEST_F(ForwardingProxy, DirectRouteSendsThePathToTheOriginAndClosesAfterTheAnswer) {
    const QByteArray answer = get(u"/hello"_s);
    EXPECT_TRUE(answer.startsWith("HTTP/1.1 200")) << answer.constData();
    EXPECT_TRUE(answer.endsWith("hello from origin"));
    ASSERT_EQ(originRequests().size(), 1);
    EXPECT_EQ(originRequests().at(0).path, u"/hello"_s);
    EXPECT_EQ(originRequests().at(0).connection, u"close"_s);
}

TEST_F(ForwardingProxy, UpstreamRouteGoesThroughTheProxy) {
    Tinyproxy proxy;
    ASSERT_TRUE(proxy.start()) << proxy.errorString().toStdString();
    m_server.setLoopbackDirect(false);
    m_server.setRoute(through(proxy));
    const QByteArray answer = get(u"/hello"_s);
    EXPECT_TRUE(answer.startsWith("HTTP/1.")) << answer.constData();
    EXPECT_TRUE(answer.endsWith("hello from origin"));
    EXPECT_TRUE(proxy.requests().join(u'\n').contains(u"GET "_s + m_origin.url(u"/hello"_s)))
        << proxy.log().toStdString();
    ASSERT_EQ(originRequests().size(), 1);
    EXPECT_FALSE(originRequests().at(0).proxyAuthorization);
}

TEST_F(ForwardingProxy, CredentialsAreSentToTheUpstreamProxyUpFront) {
    Tinyproxy proxy;
    ASSERT_TRUE(proxy.start(u"ann"_s, u"s3cret"_s)) << proxy.errorString().toStdString();
    m_server.setLoopbackDirect(false);

    m_server.setRoute(through(proxy, u"ann"_s, u"wrong"_s));
    EXPECT_FALSE(get(u"/hello"_s).endsWith("hello from origin"));
    m_server.setRoute(through(proxy));
    EXPECT_TRUE(get(u"/hello"_s).contains(" 407 "));
    EXPECT_TRUE(originRequests().isEmpty());

    m_server.setRoute(through(proxy, u"ann"_s, u"s3cret"_s));
    EXPECT_TRUE(get(u"/hello"_s).endsWith("hello from origin"));
    ASSERT_EQ(originRequests().size(), 1);
    EXPECT_FALSE(originRequests().at(0).proxyAuthorization);
}

TEST_F(ForwardingProxy, LoopbackDestinationsGoDirectUnlessTold) {
    Tinyproxy proxy;
    ASSERT_TRUE(proxy.start()) << proxy.errorString().toStdString();
    m_server.setRoute(through(proxy));
    EXPECT_TRUE(get(u"/hello"_s).endsWith("hello from origin"));
    EXPECT_TRUE(proxy.requests().isEmpty());
}

TEST_F(ForwardingProxy, TunnelsDirectAndThroughTheProxy) {
    const QByteArray inner = "GET /hello HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
    const QByteArray authority = "127.0.0.1:" + QByteArray::number(m_origin.port());
    const QByteArray connectRequest =
        "CONNECT " + authority + " HTTP/1.1\r\nHost: " + authority + "\r\n" + access() + "\r\n";

    QByteArray answer = Exchange(m_server.serverPort(), connectRequest + inner);
    EXPECT_TRUE(answer.startsWith("HTTP/1.1 200 Connection established\r\n\r\nHTTP/1.1 200")) << answer.constData();
    EXPECT_TRUE(answer.endsWith("hello from origin"));

    Tinyproxy proxy;
    ASSERT_TRUE(proxy.start(u"ann"_s, u"s3cret"_s)) << proxy.errorString().toStdString();
    m_server.setLoopbackDirect(false);
    m_server.setRoute(through(proxy, u"ann"_s, u"s3cret"_s));
    answer = Exchange(m_server.serverPort(), connectRequest + inner);
    EXPECT_TRUE(answer.startsWith("HTTP/1.0 200")) << answer.constData();
    EXPECT_TRUE(answer.endsWith("hello from origin"));
    EXPECT_TRUE(proxy.requests().join(u'\n').contains(u"CONNECT "_s + QString::fromLatin1(authority)));
    EXPECT_EQ(originRequests().size(), 2);
}

TEST_F(ForwardingProxy, ChangedRouteClosesOpenConnectionsAndAnUnchangedOneKeepsThem) {
    const QByteArray authority = "127.0.0.1:" + QByteArray::number(m_origin.port());
    QTcpSocket tunnel;
    tunnel.connectToHost(QHostAddress::LocalHost, m_server.serverPort());
    ASSERT_TRUE(WaitFor([&] { return tunnel.state() == QAbstractSocket::ConnectedState; }));
    tunnel.write("CONNECT " + authority + " HTTP/1.1\r\n" + access() + "\r\n");
    QByteArray answer;
    ASSERT_TRUE(WaitFor([&] {
        answer += tunnel.readAll();
        return answer.contains("\r\n\r\n");
    }));

    m_server.setRoute({});
    m_server.closeStaleConnections();
    QTest::qWait(50);
    EXPECT_EQ(tunnel.state(), QAbstractSocket::ConnectedState);

    m_server.setRoute({u"127.0.0.1"_s, 1, {}, {}});
    m_server.closeStaleConnections();
    EXPECT_TRUE(WaitFor([&] { return tunnel.state() == QAbstractSocket::UnconnectedState; }));
}

TEST_F(ForwardingProxy, IdleConnectionsAreCutOffAndAtTheCapAStrangerMakesRoom) {
    m_server.setIdleTimeout(std::chrono::milliseconds(1500));
    m_server.setMaxConnections(2);
    const auto closed = [](const QTcpSocket &client) {
        return client.state() == QAbstractSocket::UnconnectedState;
    };
    QTcpSocket clients[3];
    const auto open = [&](QTcpSocket &client) {
        client.connectToHost(QHostAddress::LocalHost, m_server.serverPort());
        return WaitFor([&] { return client.state() == QAbstractSocket::ConnectedState || closed(client); });
    };
    // 0: a stranger that never finishes its head; 1: the engine, with a tunnel that falls silent.
    ASSERT_TRUE(open(clients[0]) && open(clients[1]));
    clients[0].write("GET " + m_origin.url(u"/hello"_s).toLatin1() + " HTTP/1.1\r\n");
    clients[1].write("CONNECT 127.0.0.1:" + QByteArray::number(m_origin.port()) + " HTTP/1.1\r\n" + access() + "\r\n");
    ASSERT_TRUE(WaitFor([&] { return clients[1].bytesAvailable() > 0; }));
    ASSERT_TRUE(open(clients[2]));
    EXPECT_TRUE(WaitFor([&] { return closed(clients[0]); }));
    EXPECT_FALSE(closed(clients[1]) || closed(clients[2]));
    // The silent tunnel goes as well, and the places are free again.
    EXPECT_TRUE(WaitFor([&] { return closed(clients[1]) && closed(clients[2]); }));
    EXPECT_TRUE(get(u"/hello"_s).endsWith("hello from origin"));
}

TEST_F(ForwardingProxy, BadRequestsAndUnreachableUpstreamsAreAnswered) {
    EXPECT_TRUE(Exchange(m_server.serverPort(), "nonsense\r\n\r\n").startsWith("HTTP/1.1 400"));
    EXPECT_TRUE(
        Exchange(m_server.serverPort(), "GET /relative HTTP/1.1\r\n" + access() + "\r\n").startsWith("HTTP/1.1 400"));
    const int closedPort = FreeLoopbackPort();
    ASSERT_GT(closedPort, 0);
    m_server.setLoopbackDirect(false);
    m_server.setRoute({u"127.0.0.1"_s, static_cast<quint16>(closedPort), {}, {}});
    EXPECT_TRUE(get(u"/hello"_s).startsWith("HTTP/1.1 502"));
    EXPECT_TRUE(originRequests().isEmpty());
}
