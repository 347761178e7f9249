#include "core/util/codepage.h"
#include "flakyrelay.h"
#include "netfixture.h"
#include "support/testcertificate.h"
#include "support/tinyproxy.h"

#include <atomic>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

std::string Header(const httplib::Request &request, const char *name) {
    return request.has_header(name) ? request.get_header_value(name) : std::string("(none)");
}

void ServePages(httplib::Server &server, std::atomic<int> &hits, std::atomic<int> &failFirst) {
    server.Get("/page", [&hits](const httplib::Request &request, httplib::Response &response) {
        ++hits;
        response.set_content("page Pragma=" + Header(request, "Pragma") + " Cookie=" + Header(request, "Cookie"),
                             "text/plain");
    });
    server.Get("/flaky", [&hits, &failFirst](const httplib::Request &, httplib::Response &response) {
        if (++hits <= failFirst) {
            response.status = 500;
            return;
        }
        response.set_content("recovered", "text/plain");
    });
    // Fails with the status of its path the first failFirst times, then answers.
    server.Get(R"(/status/(\d+))", [&hits, &failFirst](const httplib::Request &request, httplib::Response &response) {
        if (++hits <= failFirst) {
            response.status = std::stoi(request.matches[1]);
            response.set_content("failure", "text/plain");
            return;
        }
        response.set_content("recovered", "text/plain");
    });
    server.Get("/with space", [](const httplib::Request &request, httplib::Response &response) {
        response.set_content(request.target, "text/plain");
    });
    server.Get("/endless", [](const httplib::Request &, httplib::Response &response) {
        response.set_chunked_content_provider("text/html", [](size_t offset, httplib::DataSink &sink) {
            const std::string piece(65536, 'e');
            return offset < (size_t(64) << 20) && sink.write(piece.data(), piece.size());
        });
    });
    server.Get("/cookie", [](const httplib::Request &, httplib::Response &response) {
        response.set_header("Set-Cookie", "id=7; Path=/");
        response.set_content("caf\xC3\xA9", "text/html");
    });
}

} // namespace

// Requests through a real proxy.
class ProxyFetch : public NetTest {
protected:
    void SetUp() override {
        ServePages(server.server(), hits, failFirst);
        StartServer();
    }

    void StartProxy(Tinyproxy &proxy, const QString &user = {}, const QString &password = {}) {
        ASSERT_TRUE(proxy.start(user, password)) << proxy.errorString().toStdString();
    }
    void UseFixedProxy(const Tinyproxy &proxy, const QString &user = {}, const QString &password = {}) {
        context.settings.rUseProxy = true;
        context.settings.eHost = proxy.host();
        context.settings.ePort = QString::number(proxy.port());
        context.settings.rAuthentification = !user.isEmpty();
        context.settings.eUserName = user;
        context.settings.ePassword = password;
    }
    QString PlainRequest(const char *path) const {
        return QStringLiteral("GET %1 HTTP/1.1").arg(server.url(QString::fromLatin1(path)));
    }

    std::atomic<int> hits{0};
    std::atomic<int> failFirst{0};
    Tinyproxy proxyA;
};

TEST_F(ProxyFetch, FixedProxyWithCredentialsCarriesTheRequest) {
    StartProxy(proxyA, QStringLiteral("bob"), QStringLiteral("secret"));
    UseFixedProxy(proxyA, QStringLiteral("bob"), QStringLiteral("secret"));
    QString source;
    ASSERT_TRUE(downloader.DownloadURL(Url("/page"), source, false));
    EXPECT_TRUE(source.startsWith(QStringLiteral("page")));
    EXPECT_EQ(proxyA.requests(), QStringList{PlainRequest("/page")});
    EXPECT_EQ(status.activityHistory.value(0), QStringLiteral("T63 127.0.0.1:%1").arg(proxyA.port()));
}

TEST_F(ProxyFetch, WrongProxyPasswordFails) {
    StartProxy(proxyA, QStringLiteral("bob"), QStringLiteral("secret"));
    UseFixedProxy(proxyA, QStringLiteral("bob"), QStringLiteral("wrong"));
    QString source = QStringLiteral("before");
    EXPECT_FALSE(downloader.DownloadURL(Url("/page"), source, false));
    EXPECT_EQ(source, QStringLiteral("before"));
    EXPECT_EQ(hits, 0);
    EXPECT_EQ(proxyA.requests(), QStringList{PlainRequest("/page")});
}

TEST_F(ProxyFetch, ListRetriesThroughAThenBThenAAndTheNextCallStartsAtA) {
    Tinyproxy proxyB;
    StartProxy(proxyA);
    StartProxy(proxyB);
    context.settings.rRandomProxy = true;
    context.settings.eRandomProxies = {QStringLiteral("127.0.0.1:%1").arg(proxyA.port()),
                                       QStringLiteral("127.0.0.1:%1").arg(proxyB.port())};
    failFirst = 2;
    QString source;
    ASSERT_TRUE(downloader.DownloadURL(Url("/flaky"), source, false));
    EXPECT_EQ(source, QStringLiteral("recovered"));
    EXPECT_EQ(proxyA.requests().size(), 2);
    EXPECT_EQ(proxyB.requests().size(), 1);

    ASSERT_TRUE(downloader.DownloadURL(Url("/flaky"), source, false));
    EXPECT_EQ(proxyA.requests().size(), 3);
    EXPECT_EQ(proxyB.requests().size(), 1);

    QStringList proxiesShown;
    for (const QString &text : status.activityHistory) {
        if (text.startsWith(QStringLiteral("T63 "))) {
            proxiesShown.append(text.mid(4));
        }
    }
    const QString a = QStringLiteral("127.0.0.1:%1").arg(proxyA.port());
    const QString b = QStringLiteral("127.0.0.1:%1").arg(proxyB.port());
    EXPECT_EQ(proxiesShown, (QStringList{a, b, a, a}));
}

TEST_F(ProxyFetch, MissingOrRemovedPageEndsTheCallAtOnceInEveryMode) {
    Tinyproxy proxyB;
    StartProxy(proxyA);
    StartProxy(proxyB);
    failFirst = 1000;
    status.onPanelText = [this](int, const QString &) {
        if (hits > 3) {
            stop.request(); // ends the test if the call kept retrying
        }
    };
    const QString a = QStringLiteral("127.0.0.1:%1").arg(proxyA.port());
    for (const bool listMode : {true, false}) {
        for (const char *path : {"/status/404", "/status/410"}) {
            context.settings.rRandomProxy = listMode;
            context.settings.eRandomProxies = {a, QStringLiteral("127.0.0.1:%1").arg(proxyB.port())};
            UseFixedProxy(proxyA);
            status.activityHistory.clear();
            hits = 0;
            stop = StopToken::Create();
            QString source = QStringLiteral("before");

            EXPECT_FALSE(downloader.DownloadURL(Url(path), source, false)) << path;
            EXPECT_EQ(source, QStringLiteral("before"));
            EXPECT_EQ(hits, 1) << path;
            EXPECT_EQ(status.activityHistory, (QStringList{QStringLiteral("T63 ") + a, QString()})) << path;
        }
    }
    EXPECT_EQ(proxyA.requests().size(), 4);
    EXPECT_TRUE(proxyB.requests().isEmpty());
}

TEST_F(ProxyFetch, OtherErrorStatusesAreRetriedWithTheNextProxy) {
    Tinyproxy proxyB;
    StartProxy(proxyA);
    StartProxy(proxyB);
    context.settings.rRandomProxy = true;
    context.settings.eRandomProxies = {QStringLiteral("127.0.0.1:%1").arg(proxyA.port()),
                                       QStringLiteral("127.0.0.1:%1").arg(proxyB.port())};
    for (const char *path : {"/status/400", "/status/403", "/status/407", "/status/429", "/status/503"}) {
        hits = 0;
        failFirst = 1;
        QString source;
        ASSERT_TRUE(downloader.DownloadURL(Url(path), source, false)) << path;
        EXPECT_EQ(source, QStringLiteral("recovered"));
        EXPECT_EQ(hits, 2) << path;
    }
    EXPECT_EQ(proxyB.requests().size(), 5);
}

TEST_F(ProxyFetch, AddressWithABlankGoesOutEncodedAtTheFirstAttempt) {
    StartProxy(proxyA);
    context.settings.rRandomProxy = true;
    context.settings.eRandomProxies = {QStringLiteral("127.0.0.1:%1").arg(proxyA.port())};
    status.onPanelText = [this](int, const QString &) {
        if (status.activityHistory.contains(QStringLiteral("T66"))) {
            stop.request(); // ends the test if the call kept retrying
        }
    };
    QString source;
    ASSERT_TRUE(downloader.DownloadURL(Url("/with space?q=a b"), source, false));
    EXPECT_EQ(source, QStringLiteral("/with%20space?q=a%20b"));
    EXPECT_EQ(proxyA.requests(), QStringList{PlainRequest("/with%20space?q=a%20b")});
}

TEST_F(ProxyFetch, ReplyOverTheSizeLimitEndsAListModeCallAtOnce) {
    Tinyproxy proxyB;
    StartProxy(proxyA);
    StartProxy(proxyB);
    context.settings.rRandomProxy = true;
    context.settings.eRandomProxies = {QStringLiteral("127.0.0.1:%1").arg(proxyA.port()),
                                       QStringLiteral("127.0.0.1:%1").arg(proxyB.port())};
    downloader->setFetchLimits(FetchLimits{1 << 20, std::chrono::seconds(30)});
    status.onPanelText = [this, &proxyB](int, const QString &) {
        if (proxyB.requests().size() > 1) {
            stop.request(); // ends the test if the call kept retrying
        }
    };
    QString source = QStringLiteral("before");
    EXPECT_FALSE(downloader.DownloadURL(Url("/endless"), source, false));
    EXPECT_EQ(source, QStringLiteral("before"));
    EXPECT_EQ(proxyA.requests().size(), 1);
    EXPECT_TRUE(proxyB.requests().isEmpty());
    EXPECT_EQ(status.activityHistory.last(), QString());
}

TEST_F(ProxyFetch, ProxyStaysAfterTheModeIsSwitchedOffAndDirectFetchesUseIt) {
    StartProxy(proxyA);
    UseFixedProxy(proxyA);
    QString source;
    ASSERT_TRUE(downloader.DownloadURL(Url("/page"), source, false));
    context.settings.rUseProxy = false;
    ASSERT_TRUE(downloader.DownloadURL(Url("/page"), source, false));
    ASSERT_TRUE(downloader.DirectDownloadURL(Url("/page"), source, false));
    EXPECT_EQ(proxyA.requests().size(), 3);
    EXPECT_EQ(status.activityHistory.count(QStringLiteral("T64")), 1);
}

TEST_F(ProxyFetch, StopEndsTheRetriesOfListMode) {
    StartProxy(proxyA);
    context.settings.rRandomProxy = true;
    context.settings.eRandomProxies = {QStringLiteral("127.0.0.1:%1").arg(proxyA.port())};
    failFirst = 1000;
    // Stopped in the pacing before the fourth attempt.
    status.onPanelText = [this](int, const QString &text) {
        if (hits >= 3 && text.startsWith(u"T63")) {
            stop.request();
        }
    };
    QString source = QStringLiteral("before");
    EXPECT_FALSE(downloader.DownloadURL(Url("/flaky"), source, false));
    EXPECT_EQ(hits, 3);
    EXPECT_EQ(status.activityHistory.last(), QStringLiteral("T65"));
}

// https: self-signed certificates, the proxy tunnel, and the one-off client that answers a
// failed TLS handshake.
class TlsFetch : public NetTest {
protected:
    static void SetUpTestSuite() { certificate = std::make_unique<TestCertificate>(); }
    static void TearDownTestSuite() { certificate.reset(); }

    void SetUp() override {
        ASSERT_TRUE(certificate->isValid()) << certificate->errorString().toStdString();
        https = std::make_unique<LoopbackServer>(certificate->certificateFile(), certificate->keyFile());
        ServePages(https->server(), hits, failFirst);
        ASSERT_TRUE(https->start());
        real.setTls({true, certificate->certificateFile()});
        CodePage::setCurrent(CodePage::named("windows-1252"));
    }
    void TearDown() override { CodePage::resetCurrent(); }

    void UseFixedProxy(const Tinyproxy &proxy) {
        context.settings.rUseProxy = true;
        context.settings.eHost = proxy.host();
        context.settings.ePort = QString::number(proxy.port());
    }
    QString ViaRelay(const FlakyRelay &relay, const char *path) const {
        return QStringLiteral("https://127.0.0.1:%1%2").arg(relay.port()).arg(QString::fromLatin1(path));
    }

    static inline std::unique_ptr<TestCertificate> certificate;
    std::atomic<int> hits{0};
    std::atomic<int> failFirst{0};
    std::unique_ptr<LoopbackServer> https;
};

// The server's own authority is no system one: it counts once named, and a certificate for
// another host counts nowhere.
TEST_F(TlsFetch, CertificatesAreCheckedUnlessTurnedOff) {
    const TestCertificate elsewhere(QStringLiteral("DNS:elsewhere.example"));
    ASSERT_TRUE(elsewhere.isValid());
    LoopbackServer misnamed(elsewhere.certificateFile(), elsewhere.keyFile());
    ServePages(misnamed.server(), hits, failFirst);
    ASSERT_TRUE(misnamed.start());
    context.texts.setText(u"main153"_s, u"untrusted [VAR1]: [VAR2]"_s);
    context.texts.setText(u"main154"_s, u"unusable [VAR1]"_s);
    const QString ours = certificate->certificateFile();
    const QString theirs = elsewhere.certificateFile();
    const QString missing = ours + u".gone"_s;
    const QString untrusted = u"untrusted 127.0.0.1: "_s;
    using enum FetchError;
    // systemStore: what SSL_CERT_FILE names as the system's authorities.
    const struct {
        const char *what;
        TlsOptions tls;
        QString systemStore;
        const LoopbackServer &server;
        FetchError error;
        QString shown;
    } cases[] = {
        {"system authorities only", {true, {}}, {}, *https, Untrusted, untrusted},
        {"the server's authority named", {true, ours}, {}, *https, None, {}},
        {"the system's authorities stay beside the file", {true, theirs}, ours, *https, None, {}},
        {"a certificate for another host", {true, theirs}, {}, misnamed, Untrusted, untrusted},
        {"a file that is not there", {true, missing}, {}, *https, CaFileUnreadable, u"unusable "_s + missing},
        {"checks turned off", {false, {}}, {}, misnamed, None, {}},
    };
    for (const auto &c : cases) {
        real.setTls(c.tls);
        qputenv("SSL_CERT_FILE", c.systemStore.toLocal8Bit());
        status.activityHistory.clear();
        QString source;
        downloader.DirectDownloadURL(c.server.url(QStringLiteral("/page")), source, false);
        EXPECT_EQ(downloader.last().error, c.error) << c.what;
        if (c.error != None) {
            EXPECT_TRUE(status.activityHistory.last().startsWith(c.shown)) << c.what;
        }
    }
    qunsetenv("SSL_CERT_FILE");
}

// Leaving https for http is refused before the plain request goes out; the other way is followed.
TEST_F(TlsFetch, RedirectFromHttpsToHttpIsRefused) {
    server.server().Get("/page", [this](const httplib::Request &, httplib::Response &response) {
        ++hits;
        response.set_content("plain", "text/plain");
    });
    server.server().Get("/up", [this](const httplib::Request &, httplib::Response &response) {
        response.set_redirect(https->url(QStringLiteral("/page")).toStdString(), 302);
    });
    https->server().Get("/down", [this](const httplib::Request &, httplib::Response &response) {
        response.set_redirect(server.url(QStringLiteral("/page")).toStdString(), 302);
    });
    StartServer();
    QString source;
    EXPECT_FALSE(downloader.DirectDownloadURL(https->url(QStringLiteral("/down")), source, false));
    EXPECT_EQ(downloader.last().error, FetchError::InsecureRedirect);
    EXPECT_EQ(hits, 0);
    EXPECT_TRUE(downloader.DirectDownloadURL(server.url(QStringLiteral("/up")), source, false));
    EXPECT_EQ(downloader.last().effectiveUrl, https->url(QStringLiteral("/page")));
}

TEST_F(TlsFetch, HttpsGoesThroughTheProxyTunnel) {
    Tinyproxy proxy;
    ASSERT_TRUE(proxy.start()) << proxy.errorString().toStdString();
    UseFixedProxy(proxy);
    QString source;
    ASSERT_TRUE(downloader.DownloadURL(https->url(QStringLiteral("/page")), source, false));
    EXPECT_TRUE(source.startsWith(QStringLiteral("page")));
    EXPECT_EQ(proxy.requests(), QStringList{QStringLiteral("CONNECT 127.0.0.1:%1 HTTP/1.1").arg(https->port())});
}

TEST_F(TlsFetch, FailedHandshakeIsAnsweredByAOneOffClientWithoutCookiesOrCacheHeaders) {
    FlakyRelay relay(https->port(), 1);
    ASSERT_TRUE(relay.start());
    QString source;
    // A cookie in the shared client, which the one-off client must not send.
    ASSERT_TRUE(downloader.DirectDownloadURL(https->url(QStringLiteral("/cookie")), source, false));
    const qsizetype gaugeChanges = status.gaugeChanges.size();
    ASSERT_TRUE(downloader.DownloadURL(ViaRelay(relay, "/page"), source, false));
    EXPECT_EQ(source, QStringLiteral("page Pragma=(none) Cookie=(none)"));
    EXPECT_EQ(relay.accepted(), 2);
    EXPECT_EQ(status.gaugeChanges.size(), gaugeChanges);
}

TEST_F(TlsFetch, OneOffClientTextIsNotReDecoded) {
    FlakyRelay relay(https->port(), 1);
    ASSERT_TRUE(relay.start());
    QString source;
    ASSERT_TRUE(downloader.DownloadURL(ViaRelay(relay, "/cookie"), source, true));
    EXPECT_EQ(source, QStringLiteral("caf\u00C3\u00A9"));
}

TEST_F(TlsFetch, OneOffClientGoesThroughTheConfiguredProxy) {
    FlakyRelay relay(https->port(), 1);
    ASSERT_TRUE(relay.start());
    Tinyproxy proxy;
    ASSERT_TRUE(proxy.start()) << proxy.errorString().toStdString();
    UseFixedProxy(proxy);
    QString source;
    ASSERT_TRUE(downloader.DownloadURL(ViaRelay(relay, "/page"), source, false));
    const QString tunnel = QStringLiteral("CONNECT 127.0.0.1:%1 HTTP/1.1").arg(relay.port());
    EXPECT_EQ(proxy.requests(), (QStringList{tunnel, tunnel}));
    EXPECT_EQ(relay.accepted(), 2);
}

TEST_F(TlsFetch, OneOffClientFailingTooCountsAsAFailedAttempt) {
    FlakyRelay relay(https->port(), 1000);
    ASSERT_TRUE(relay.start());
    QString source = QStringLiteral("before");
    EXPECT_FALSE(downloader.DownloadURL(ViaRelay(relay, "/page"), source, false));
    EXPECT_EQ(source, QStringLiteral("before"));
    EXPECT_EQ(relay.accepted(), 2);
    EXPECT_EQ(hits, 0);
}
