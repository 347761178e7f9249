#include "netfixture.h"

#include <QTimer>

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
        clock.start();
        return downloader.DownloadURL(Url("/page"), source, false);
    }

    QElapsedTimer clock;
};

TEST_F(Pacing, PausesTheDrawnWholeSeconds) {
    context.settings.eRandom = QStringLiteral("3");
    random.draws = {2};
    ASSERT_TRUE(Fetch());
    EXPECT_EQ(random.reseeds, 1);
    EXPECT_EQ(random.bounds, QList<int>{3});
    EXPECT_EQ(downloader->lastPauseSeconds(), 2);
    EXPECT_GE(clock.elapsed(), 2 * PauseSecond.count());
    EXPECT_EQ(status.activityHistory, (QStringList{QStringLiteral("T62"), QStringLiteral("T64"), QString()}));
}

TEST_F(Pacing, ZeroShowsThePauseTextWithoutPausing) {
    context.settings.eRandom = QStringLiteral("0");
    ASSERT_TRUE(Fetch());
    EXPECT_TRUE(random.bounds.isEmpty());
    EXPECT_EQ(downloader->lastPauseSeconds(), 0);
    EXPECT_EQ(status.activityHistory.value(0), QStringLiteral("T62"));
}

TEST_F(Pacing, EmptyOrUnparsableSkipsPauseAndText) {
    for (const QString &value : {QString(), QStringLiteral("three")}) {
        status.activityHistory.clear();
        context.settings.eRandom = value;
        ASSERT_TRUE(Fetch());
        EXPECT_EQ(downloader->lastPauseSeconds(), -1);
        EXPECT_EQ(status.activityHistory, (QStringList{QStringLiteral("T64"), QString()}));
    }
    EXPECT_EQ(random.reseeds, 2);
}

TEST_F(Pacing, NegativeBoundMeansNoPause) {
    context.settings.eRandom = QStringLiteral("-4");
    ASSERT_TRUE(Fetch());
    EXPECT_TRUE(random.bounds.isEmpty());
    EXPECT_EQ(downloader->lastPauseSeconds(), 0);
}

TEST_F(Pacing, HugeBoundDoesNotOverflowTheWait) {
    context.settings.eRandom = QStringLiteral("2147483647");
    random.draws = {2147483646};
    // Stop after three seconds of waiting; the request must not go out after the stop.
    QTimer::singleShot(3 * PauseSecond, [this] { stop.request(); });
    EXPECT_FALSE(Fetch());
    EXPECT_GE(clock.elapsed(), 3 * PauseSecond.count());
}

TEST_F(Pacing, ProxyModeNamesTheProxyAfterThePause) {
    context.settings.rUseProxy = true;
    context.settings.eHost = QStringLiteral("127.0.0.1");
    context.settings.ePort = QStringLiteral("not a port");
    context.settings.eRandom = QStringLiteral("1");
    // Stop before the request: only the texts matter here.
    status.onPanelText = [this](int, const QString &text) {
        if (text.startsWith(u"T63")) {
            stop.request();
        }
    };
    QString source;
    EXPECT_FALSE(downloader.DownloadURL(Url("/page"), source, false));
    EXPECT_EQ(status.activityHistory,
              (QStringList{QStringLiteral("T62"), QStringLiteral("T63 127.0.0.1:80"), QStringLiteral("T65")}));
}
