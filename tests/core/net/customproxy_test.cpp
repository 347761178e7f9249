#include "core/net/customproxy.h"
#include "core/net/randomsource.h"
#include "core/settings/appsettings.h"
#include "support/nullpane.h"

#include <QList>

#include <gtest/gtest.h>

namespace {

// Records the proxy calls; every other operation is inert.
class RecordingPane : public NullPane {
public:
    struct Call {
        bool clear = false;
        QString userAgent;
        QString address;
        QString userName;
        QString password;
        int port = 0;
    };

    void setProxy(const QString &userAgent, const QString &address, const QString &userName, const QString &password,
                  int port) override {
        calls.append({false, userAgent, address, userName, password, port});
    }
    void clearBrowserProxy() override { calls.append({true, {}, {}, {}, {}, 0}); }

    QList<Call> calls;
};

class ScriptedRandom : public RandomSource {
public:
    void Reseed() override {}
    int Below(int bound) override {
        bounds.append(bound);
        return next;
    }

    int next = 0;
    QList<int> bounds;
};

class SetCustomProxyTest : public ::testing::Test {
protected:
    void run() { SetCustomProxy(settings, pane, random); }

    // The calls after the reset to direct connections that every run starts with.
    QList<RecordingPane::Call> proxyCalls() const { return pane.calls.mid(2); }

    AppSettings settings;
    RecordingPane pane;
    ScriptedRandom random;
};

const QString userAgent = QStringLiteral("Mozilla/4.0 (compatible; MSIE 7.0; Windows NT 6.0; Trident/5.0)");

} // namespace

TEST_F(SetCustomProxyTest, EveryRunFirstResetsThePaneToDirect) {
    settings.rUseProxy = true;
    settings.eHost = QStringLiteral("proxy.example");
    run();
    ASSERT_GE(pane.calls.size(), 2);
    EXPECT_FALSE(pane.calls.at(0).clear);
    EXPECT_EQ(pane.calls.at(0).userAgent, userAgent);
    EXPECT_TRUE(pane.calls.at(0).address.isEmpty());
    EXPECT_TRUE(pane.calls.at(0).userName.isEmpty());
    EXPECT_TRUE(pane.calls.at(0).password.isEmpty());
    EXPECT_EQ(pane.calls.at(0).port, 80);
    EXPECT_TRUE(pane.calls.at(1).clear);
}

TEST_F(SetCustomProxyTest, NoProxyLeavesThePaneDirect) {
    settings.eHost = QStringLiteral("proxy.example");
    settings.eRandomProxies = {QStringLiteral("10.0.0.1:8080")};
    run();
    EXPECT_EQ(pane.calls.size(), 2);
    EXPECT_TRUE(random.bounds.isEmpty());
    EXPECT_EQ(settings.eHost, QStringLiteral("proxy.example"));
}

class FixedProxyTest : public SetCustomProxyTest {
protected:
    void SetUp() override {
        settings.rNoProxy = false;
        settings.rUseProxy = true;
        settings.eHost = QStringLiteral("proxy.example");
        settings.ePort = QStringLiteral("3128");
        settings.eUserName = QStringLiteral("ann");
        settings.ePassword = QStringLiteral("secret");
    }
};

TEST_F(FixedProxyTest, AuthenticationPassesTheCredentials) {
    settings.rAuthentification = true;
    run();
    ASSERT_EQ(proxyCalls().size(), 1);
    const auto call = proxyCalls().constFirst();
    EXPECT_EQ(call.userAgent, userAgent);
    EXPECT_EQ(call.address, QStringLiteral("proxy.example"));
    EXPECT_EQ(call.userName, QStringLiteral("ann"));
    EXPECT_EQ(call.password, QStringLiteral("secret"));
    EXPECT_EQ(call.port, 3128);
    EXPECT_EQ(settings.eUserName, QStringLiteral("ann"));
}

TEST_F(FixedProxyTest, WithoutAuthenticationTheStoredCredentialsAreEmptied) {
    run();
    ASSERT_EQ(proxyCalls().size(), 1);
    EXPECT_TRUE(proxyCalls().constFirst().userName.isEmpty());
    EXPECT_TRUE(proxyCalls().constFirst().password.isEmpty());
    EXPECT_TRUE(settings.eUserName.isEmpty());
    EXPECT_TRUE(settings.ePassword.isEmpty());
    EXPECT_EQ(settings.eHost, QStringLiteral("proxy.example"));
}

TEST_F(FixedProxyTest, UnparsablePortBecomes80) {
    settings.ePort = QStringLiteral("80a");
    run();
    ASSERT_EQ(proxyCalls().size(), 1);
    EXPECT_EQ(proxyCalls().constFirst().port, 80);
    EXPECT_EQ(settings.ePort, QStringLiteral("80a"));
}

TEST_F(FixedProxyTest, EmptyHostOrPortLeavesThePaneDirect) {
    settings.ePort.clear();
    run();
    EXPECT_TRUE(proxyCalls().isEmpty());

    pane.calls.clear();
    settings.ePort = QStringLiteral("3128");
    settings.eHost.clear();
    run();
    EXPECT_TRUE(proxyCalls().isEmpty());
}

class ListProxyTest : public SetCustomProxyTest {
protected:
    void SetUp() override {
        settings.rNoProxy = false;
        settings.rRandomProxy = true;
        settings.eHost = QStringLiteral("old.example");
        settings.ePort = QStringLiteral("1");
        settings.eUserName = QStringLiteral("old-user");
        settings.ePassword = QStringLiteral("old-pass");
    }
};

TEST_F(ListProxyTest, DrawsOneLineUniformlyOverTheWholeList) {
    settings.eRandomProxies = {QStringLiteral("a.example:1"), QStringLiteral("b.example:2"),
                               QStringLiteral("c.example:3")};
    random.next = 2;
    run();
    EXPECT_EQ(random.bounds, QList<int>{3});
    ASSERT_EQ(proxyCalls().size(), 1);
    EXPECT_EQ(proxyCalls().constFirst().address, QStringLiteral("c.example"));
    EXPECT_EQ(proxyCalls().constFirst().port, 3);
    EXPECT_EQ(settings.eHost, QStringLiteral("c.example"));
    EXPECT_EQ(settings.ePort, QStringLiteral("3"));
}

TEST_F(ListProxyTest, LineWithoutColonIsAHostOnPort80) {
    settings.eRandomProxies = {QStringLiteral("bare.example"), QStringLiteral("b.example:8080")};
    random.next = 0;
    run();
    ASSERT_EQ(proxyCalls().size(), 1);
    EXPECT_EQ(proxyCalls().constFirst().address, QStringLiteral("bare.example"));
    EXPECT_EQ(proxyCalls().constFirst().port, 80);
    EXPECT_EQ(settings.eHost, QStringLiteral("bare.example"));
    EXPECT_TRUE(settings.ePort.isEmpty());
    EXPECT_TRUE(settings.eUserName.isEmpty());
}

TEST_F(ListProxyTest, ThreePiecesWithAuthenticationGiveAnEmptyPassword) {
    settings.rAuthentification = true;
    settings.eRandomProxies = {QStringLiteral("p.example:8000:bob")};
    run();
    ASSERT_EQ(proxyCalls().size(), 1);
    const auto call = proxyCalls().constFirst();
    EXPECT_EQ(call.address, QStringLiteral("p.example"));
    EXPECT_EQ(call.port, 8000);
    EXPECT_EQ(call.userName, QStringLiteral("bob"));
    EXPECT_TRUE(call.password.isEmpty());
    EXPECT_EQ(settings.eUserName, QStringLiteral("bob"));
    EXPECT_TRUE(settings.ePassword.isEmpty());
}

TEST_F(ListProxyTest, FourPiecesWithoutAuthenticationDropTheCredentials) {
    settings.eRandomProxies = {QStringLiteral("p.example:8000:bob:pw:extra")};
    run();
    ASSERT_EQ(proxyCalls().size(), 1);
    EXPECT_TRUE(proxyCalls().constFirst().userName.isEmpty());
    EXPECT_TRUE(proxyCalls().constFirst().password.isEmpty());
    EXPECT_TRUE(settings.eUserName.isEmpty());
    EXPECT_TRUE(settings.ePassword.isEmpty());
}

TEST_F(ListProxyTest, FourPiecesWithAuthenticationKeepTheCredentials) {
    settings.rAuthentification = true;
    settings.eRandomProxies = {QStringLiteral("p.example:8000:bob:pw:extra")};
    run();
    ASSERT_EQ(proxyCalls().size(), 1);
    EXPECT_EQ(proxyCalls().constFirst().userName, QStringLiteral("bob"));
    EXPECT_EQ(proxyCalls().constFirst().password, QStringLiteral("pw"));
    EXPECT_EQ(settings.ePassword, QStringLiteral("pw"));
}

TEST_F(ListProxyTest, BlankLineLeavesThePaneDirectAndEmptiesTheFixedFields) {
    settings.eRandomProxies = {QString()};
    run();
    EXPECT_TRUE(proxyCalls().isEmpty());
    EXPECT_TRUE(settings.eHost.isEmpty());
    EXPECT_TRUE(settings.ePort.isEmpty());
    EXPECT_TRUE(settings.eUserName.isEmpty());
    EXPECT_TRUE(settings.ePassword.isEmpty());
}

TEST_F(ListProxyTest, EmptyListKeepsTheFixedFields) {
    run();
    EXPECT_TRUE(proxyCalls().isEmpty());
    EXPECT_TRUE(random.bounds.isEmpty());
    EXPECT_EQ(settings.eHost, QStringLiteral("old.example"));
}

TEST_F(ListProxyTest, ListModeWinsOverAFixedProxy) {
    settings.rUseProxy = true;
    settings.eRandomProxies = {QStringLiteral("list.example:9000")};
    run();
    ASSERT_EQ(proxyCalls().size(), 2);
    EXPECT_EQ(proxyCalls().at(0).address, QStringLiteral("old.example"));
    EXPECT_EQ(proxyCalls().at(1).address, QStringLiteral("list.example"));
    EXPECT_EQ(proxyCalls().at(1).port, 9000);
}

TEST_F(ListProxyTest, EachRunDrawsAgain) {
    settings.eRandomProxies = {QStringLiteral("a.example:1"), QStringLiteral("b.example:2")};
    random.next = 0;
    run();
    random.next = 1;
    run();
    EXPECT_EQ(random.bounds, (QList<int>{2, 2}));
    EXPECT_EQ(pane.calls.last().address, QStringLiteral("b.example"));
}
