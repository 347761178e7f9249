#include "netfixture.h"

#include <atomic>

// The random pause before every paced request and the texts around it.
class Pacing : public NetTest {
protected:
    void SetUp() override {
        server.server().Get("/page", [](const httplib::Request &, httplib::Response &response) {
            response.set_content("page", "text/plain");
        });
        StartServer();
    }

    bool Fetch() {
        QString source;
        return downloader.DownloadURL(Url("/page"), source, false);
    }
};

TEST_F(Pacing, PausesTheDrawnWholeSeconds) {
    context.settings.eRandom = QStringLiteral("3");
    random.draws = {2};
    ASSERT_TRUE(Fetch());
    EXPECT_EQ(random.reseeds, 1);
    EXPECT_EQ(random.bounds, QList<int>{3});
    EXPECT_EQ(downloader.lastPauseSeconds(), 2);
    EXPECT_EQ(host.ticks, 2000u);
    EXPECT_EQ(status.activityHistory, (QStringList{QStringLiteral("T62"), QStringLiteral("T64"), QString()}));
}

TEST_F(Pacing, ZeroShowsThePauseTextWithoutPausing) {
    context.settings.eRandom = QStringLiteral("0");
    ASSERT_TRUE(Fetch());
    EXPECT_TRUE(random.bounds.isEmpty());
    EXPECT_EQ(downloader.lastPauseSeconds(), 0);
    EXPECT_EQ(host.ticks, 0u);
    EXPECT_EQ(status.activityHistory.value(0), QStringLiteral("T62"));
}

TEST_F(Pacing, EmptyOrUnparsableSkipsPauseAndText) {
    for (const QString &value : {QString(), QStringLiteral("three")}) {
        status.activityHistory.clear();
        context.settings.eRandom = value;
        ASSERT_TRUE(Fetch());
        EXPECT_EQ(downloader.lastPauseSeconds(), -1);
        EXPECT_EQ(status.activityHistory, (QStringList{QStringLiteral("T64"), QString()}));
    }
    EXPECT_EQ(random.reseeds, 2);
    EXPECT_EQ(host.ticks, 0u);
}

TEST_F(Pacing, NegativeBoundMeansNoPause) {
    context.settings.eRandom = QStringLiteral("-4");
    ASSERT_TRUE(Fetch());
    EXPECT_TRUE(random.bounds.isEmpty());
    EXPECT_EQ(host.ticks, 0u);
}

TEST_F(Pacing, HugeBoundDoesNotOverflowTheWait) {
    context.settings.eRandom = QStringLiteral("2147483647");
    random.draws = {2147483646};
    // Stop after three seconds of waiting; the request must not go out after the stop.
    host.onProcessEvents = [this] {
        if (host.ticks >= 3000) {
            context.run.ShouldStop = true;
        }
    };
    EXPECT_FALSE(Fetch());
    EXPECT_EQ(host.ticks, 3000u);
}

TEST_F(Pacing, ProxyModeNamesTheProxyAfterThePause) {
    context.settings.rUseProxy = true;
    context.settings.eHost = QStringLiteral("127.0.0.1");
    context.settings.ePort = QStringLiteral("not a port");
    context.settings.eRandom = QStringLiteral("1");
    // Stop before the request: only the texts matter here.
    host.onProcessEvents = [this] {
        context.run.ShouldStop = true;
    };
    QString source;
    EXPECT_FALSE(downloader.DownloadURL(Url("/page"), source, false));
    EXPECT_EQ(status.activityHistory,
              (QStringList{QStringLiteral("T62"), QStringLiteral("T63 127.0.0.1:80"), QStringLiteral("T65")}));
}
