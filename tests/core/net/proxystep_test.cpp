#include "core/net/proxystep.h"
#include "core/settings/appsettings.h"

#include <gtest/gtest.h>

// How the proxy values are chosen before each paced attempt.
class ProxyChoice : public ::testing::Test {
protected:
    void UseList(const QStringList &lines) {
        settings.rRandomProxy = true;
        settings.eRandomProxies = lines;
    }

    AppSettings settings;
    ProxyValues proxy;
};

TEST_F(ProxyChoice, FixedModeTakesHostPortAndCredentials) {
    settings.rUseProxy = true;
    settings.eHost = QStringLiteral("10.0.0.1");
    settings.ePort = QStringLiteral("3128");
    settings.rAuthentification = true;
    settings.eUserName = QStringLiteral("ann");
    settings.ePassword = QStringLiteral("pw");
    ProxyStep step;
    ASSERT_TRUE(step.Apply(settings, proxy));
    EXPECT_EQ(proxy.server, QStringLiteral("10.0.0.1"));
    EXPECT_EQ(proxy.port, 3128);
    EXPECT_TRUE(proxy.basicAuth);
    EXPECT_EQ(proxy.userName, QStringLiteral("ann"));
    EXPECT_EQ(proxy.password, QStringLiteral("pw"));
}

TEST_F(ProxyChoice, FixedModeWithoutAuthenticationKeepsEarlierCredentials) {
    proxy.basicAuth = true;
    proxy.userName = QStringLiteral("old");
    settings.rUseProxy = true;
    settings.eHost = QStringLiteral("h");
    settings.ePort = QStringLiteral("");
    ProxyStep step;
    ASSERT_TRUE(step.Apply(settings, proxy));
    EXPECT_EQ(proxy.port, 80);
    EXPECT_TRUE(proxy.basicAuth);
    EXPECT_EQ(proxy.userName, QStringLiteral("old"));
}

TEST_F(ProxyChoice, NoModeChangesNothing) {
    proxy.server = QStringLiteral("kept");
    proxy.port = 8080;
    ProxyStep step;
    ASSERT_TRUE(step.Apply(settings, proxy));
    EXPECT_EQ(proxy.server, QStringLiteral("kept"));
    EXPECT_EQ(proxy.port, 8080);
}

TEST_F(ProxyChoice, ListRetriesWalkTheRingAndANewCallStartsAtTheTop) {
    UseList({QStringLiteral("a:1"), QStringLiteral("b:2")});
    ProxyStep call;
    QStringList seen;
    for (int attempt = 0; attempt < 3; ++attempt) {
        ASSERT_TRUE(call.Apply(settings, proxy));
        seen.append(proxy.server);
    }
    EXPECT_EQ(seen, (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("a")}));
    ProxyStep nextCall;
    ASSERT_TRUE(nextCall.Apply(settings, proxy));
    EXPECT_EQ(proxy.server, QStringLiteral("a"));
}

TEST_F(ProxyChoice, LineWithoutColonIsPassedOver) {
    UseList({QStringLiteral("nocolon"), QStringLiteral("b:2")});
    for (int call = 0; call < 2; ++call) {
        ProxyStep step;
        ASSERT_TRUE(step.Apply(settings, proxy));
        EXPECT_EQ(proxy.server, QStringLiteral("b"));
        EXPECT_EQ(proxy.port, 2);
    }
}

TEST_F(ProxyChoice, ThreePiecesMeanNoCredentials) {
    proxy.userName = QStringLiteral("earlier");
    proxy.basicAuth = true;
    UseList({QStringLiteral("h:81:user")});
    ProxyStep step;
    ASSERT_TRUE(step.Apply(settings, proxy));
    EXPECT_EQ(proxy.server, QStringLiteral("h"));
    EXPECT_EQ(proxy.port, 81);
    EXPECT_FALSE(proxy.basicAuth);
    EXPECT_EQ(proxy.userName, QStringLiteral("earlier"));
}

TEST_F(ProxyChoice, FourPiecesCarryCredentialsAndMoreAreIgnored) {
    UseList({QStringLiteral("h:x:u:p:extra")});
    ProxyStep step;
    ASSERT_TRUE(step.Apply(settings, proxy));
    EXPECT_EQ(proxy.port, 80);
    EXPECT_TRUE(proxy.basicAuth);
    EXPECT_EQ(proxy.userName, QStringLiteral("u"));
    EXPECT_EQ(proxy.password, QStringLiteral("p"));
}

TEST_F(ProxyChoice, ListWinsOverFixedMode) {
    settings.rUseProxy = true;
    settings.eHost = QStringLiteral("fixed");
    UseList({QStringLiteral("listed:9")});
    ProxyStep step;
    ASSERT_TRUE(step.Apply(settings, proxy));
    EXPECT_EQ(proxy.server, QStringLiteral("listed"));
}

TEST_F(ProxyChoice, NoUsableProxyEndsTheSearchAndKeepsTheValues) {
    proxy.server = QStringLiteral("kept");
    for (const QStringList &lines : {QStringList{}, QStringList{QStringLiteral("x"), QStringLiteral(":")},
                                     QStringList{QStringLiteral(":8080"), QString()}}) {
        UseList(lines);
        ProxyStep step;
        EXPECT_FALSE(step.Apply(settings, proxy)) << lines.join(u'|').toStdString();
        EXPECT_EQ(proxy.server, QStringLiteral("kept"));
    }
}

TEST_F(ProxyChoice, EmptyPortTextCountsAsPort80) {
    UseList({QStringLiteral("h:")});
    ProxyStep step;
    ASSERT_TRUE(step.Apply(settings, proxy));
    EXPECT_EQ(proxy.server, QStringLiteral("h"));
    EXPECT_EQ(proxy.port, 80);
}

TEST(ProxyPort, OnlyDecimalIntegersCount) {
    EXPECT_EQ(ProxyPort(QStringLiteral("8080")), 8080);
    EXPECT_EQ(ProxyPort(QStringLiteral("")), 80);
    EXPECT_EQ(ProxyPort(QStringLiteral("0x50")), 80);
    EXPECT_EQ(ProxyPort(QStringLiteral("12ab")), 80);
}
