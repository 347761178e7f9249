#include "core/net/customproxy.h"
#include "core/net/randomsource.h"
#include "core/settings/appsettings.h"
#include "gui/browser/browserprofile.h"
#include "gui/browser/browserproxy.h"
#include "gui/browser/webenginepane.h"
#include "support/loopbackserver.h"
#include "support/tinyproxy.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <mutex>

using namespace Qt::StringLiterals;

namespace {

class FirstLine : public RandomSource {
public:
    void Reseed() override {}
    int Below(int) override { return 0; }
};

// Pages "/page/<name>" whose body names them; every path requested is recorded.
class PageSite {
public:
    PageSite() {
        m_server.server().Get(R"(/page/(\w+))", [this](const httplib::Request &request, httplib::Response &response) {
            {
                std::lock_guard lock(m_mutex);
                m_paths.append(QString::fromStdString(request.path));
            }
            response.set_content("<html><body><p>page " + request.matches[1].str() + "</p></body></html>", "text/html");
        });
        m_server.start();
    }

    QString url(const QString &name) const { return m_server.url(u"/page/"_s + name); }
    bool requested(const QString &name) const {
        std::lock_guard lock(m_mutex);
        return m_paths.contains(u"/page/"_s + name);
    }

private:
    LoopbackServer m_server;
    mutable std::mutex m_mutex;
    QStringList m_paths;
};

} // namespace

// The real pane on the real engine, behind a real proxy on loopback.
class BrowserPaneProxy : public ::testing::Test {
protected:
    void SetUp() override {
        // The engine has to learn about the forwarding proxy before it starts.
        m_proxy = BrowserProxy::Install();
        ASSERT_NE(m_proxy, nullptr);
        // The test pages live on loopback, which a real remote proxy could not reach.
        m_proxy->setLoopbackDirect(false);
        ASSERT_TRUE(m_storage.isValid());
        m_profile = std::make_unique<BrowserProfile>(m_storage.filePath(QStringLiteral("storage")),
                                                     m_storage.filePath(QStringLiteral("cache")));
        m_pane = std::make_unique<WebEnginePane>(*m_profile);
    }

    void TearDown() override {
        m_pane.reset();
        m_profile.reset();
        if (m_proxy) {
            m_proxy->setRoute({});
            m_proxy->setLoopbackDirect(true);
        }
    }

    void useFixedProxy(const Tinyproxy &proxy, const QString &user = {}, const QString &password = {}) {
        settings = AppSettings();
        settings.rNoProxy = false;
        settings.rUseProxy = true;
        settings.eHost = proxy.host();
        settings.ePort = QString::number(proxy.port());
        settings.rAuthentification = !user.isEmpty();
        settings.eUserName = user;
        settings.ePassword = password;
        SetCustomProxy(settings, *m_pane, m_random);
    }

    // The body of the page after navigating there; empty when the navigation did not complete.
    QString show(const QString &address) {
        QSignalSpy completed(m_pane.get(), &BrowserPane::navigateComplete2);
        m_pane->navigate(address);
        if (completed.isEmpty() && !completed.wait(15000)) {
            return {};
        }
        return QCoro::waitFor(m_pane->bodyOuterHtml()).markup;
    }

    static bool requestedThrough(const Tinyproxy &proxy, const QString &address) {
        return proxy.requests().join(u'\n').contains(address);
    }

    PageSite m_site;
    AppSettings settings;
    FirstLine m_random;
    BrowserProxy *m_proxy = nullptr;
    QTemporaryDir m_storage;
    std::unique_ptr<BrowserProfile> m_profile;
    std::unique_ptr<WebEnginePane> m_pane;
};

TEST_F(BrowserPaneProxy, FixedProxyCarriesThePageAndNoProxyGoesDirectAtOnce) {
    Tinyproxy proxy;
    ASSERT_TRUE(proxy.start()) << proxy.errorString().toStdString();
    useFixedProxy(proxy);
    EXPECT_TRUE(show(m_site.url(u"one"_s)).contains(u"page one"_s));
    EXPECT_TRUE(requestedThrough(proxy, m_site.url(u"one"_s))) << proxy.log().toStdString();

    settings.rUseProxy = false;
    settings.rNoProxy = true;
    SetCustomProxy(settings, *m_pane, m_random);
    EXPECT_TRUE(show(m_site.url(u"two"_s)).contains(u"page two"_s));
    EXPECT_TRUE(m_site.requested(u"two"_s));
    EXPECT_FALSE(requestedThrough(proxy, m_site.url(u"two"_s)));
}

TEST_F(BrowserPaneProxy, AuthenticatingProxyGetsTheUsersCredentials) {
    Tinyproxy proxy;
    ASSERT_TRUE(proxy.start(u"ann"_s, u"s3cret"_s)) << proxy.errorString().toStdString();
    useFixedProxy(proxy, u"ann"_s, u"s3cret"_s);
    EXPECT_TRUE(show(m_site.url(u"secured"_s)).contains(u"page secured"_s));
    EXPECT_TRUE(requestedThrough(proxy, m_site.url(u"secured"_s)));
}

TEST_F(BrowserPaneProxy, WrongCredentialsNeverReachTheSite) {
    Tinyproxy proxy;
    ASSERT_TRUE(proxy.start(u"ann"_s, u"s3cret"_s)) << proxy.errorString().toStdString();
    useFixedProxy(proxy, u"ann"_s, u"wrong"_s);
    show(m_site.url(u"refused"_s));
    EXPECT_FALSE(m_site.requested(u"refused"_s));
}

TEST_F(BrowserPaneProxy, DrawnListLineWithCredentialsCarriesThePage) {
    Tinyproxy proxy;
    ASSERT_TRUE(proxy.start(u"ann"_s, u"s3cret"_s)) << proxy.errorString().toStdString();
    settings.rNoProxy = false;
    settings.rRandomProxy = true;
    settings.rAuthentification = true;
    settings.eRandomProxies = {proxy.host() + u':' + QString::number(proxy.port()) + u":ann:s3cret"_s};
    SetCustomProxy(settings, *m_pane, m_random);
    EXPECT_TRUE(show(m_site.url(u"listed"_s)).contains(u"page listed"_s));
    EXPECT_TRUE(requestedThrough(proxy, m_site.url(u"listed"_s)));
}

// A site the forwarding proxy cannot reach shows a page that names it and the proxy's reason,
// not the engine's tunnel error, which points at a proxy the user never set up.
TEST_F(BrowserPaneProxy, UnreachableSiteIsNamedWithTheReason) {
    const int closedPort = FreeLoopbackPort();
    ASSERT_GT(closedPort, 0);
    m_pane->setUnreachableText([](const QString &host, const QString &reason) -> QString {
        return u"Unreachable "_s + host + u": "_s + reason;
    });
    m_pane->navigate(u"https://127.0.0.1:%1/page"_s.arg(closedPort));
    QString body;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            body = QCoro::waitFor(m_pane->bodyOuterHtml()).markup;
            return body.contains(u"Unreachable"_s);
        },
        15000));
    EXPECT_TRUE(body.contains(u"Unreachable 127.0.0.1: Connection refused"_s)) << body.toStdString();
}
