#include "netfixture.h"
#include "support/tinyproxy.h"

#include <atomic>
#include <chrono>
#include <thread>

using namespace std::chrono_literals;

// Replies that fail, stall or are cut short, and how the fetch reports them.
class FetchFailure : public NetTest {
protected:
    void SetUp() override {
        server.server().Get("/page", [this](const httplib::Request &, httplib::Response &response) {
            ++pageHits;
            response.set_content("page", "text/plain");
        });
        // Announces 1000 bytes, sends 100 and drops the connection.
        server.server().Get("/cut", [](const httplib::Request &, httplib::Response &response) {
            response.set_content_provider(1000, "text/plain", [](size_t, size_t, httplib::DataSink &sink) {
                sink.write(std::string(100, 'a').data(), 100);
                return false;
            });
        });
        // Sends a little, then nothing until released.
        server.server().Get("/stall", [this](const httplib::Request &, httplib::Response &response) {
            response.set_content_provider(20, "text/plain", [this](size_t offset, size_t, httplib::DataSink &sink) {
                if (offset == 0) {
                    return sink.write("0123456789", 10);
                }
                for (int i = 0; i < 500 && !released; ++i) {
                    std::this_thread::sleep_for(10ms);
                }
                return sink.write("abcdefghij", 10);
            });
        });
        // Half the reply, 700 ms of silence, the other half.
        server.server().Get("/pause", [](const httplib::Request &, httplib::Response &response) {
            response.set_content_provider(8, "text/plain", [](size_t offset, size_t, httplib::DataSink &sink) {
                if (offset > 0) {
                    std::this_thread::sleep_for(700ms);
                }
                return sink.write("half", 4);
            });
        });
        // Ten pieces 100 ms apart: slow, but never silent for long.
        server.server().Get("/slow", [](const httplib::Request &, httplib::Response &response) {
            response.set_chunked_content_provider("text/plain", [](size_t offset, httplib::DataSink &sink) {
                if (offset >= 10) {
                    sink.done();
                    return true;
                }
                std::this_thread::sleep_for(100ms);
                return sink.write("x", 1);
            });
        });
        StartServer();
    }
    void TearDown() override { released = true; }

    std::atomic<int> pageHits{0};
    std::atomic<bool> released{false};
};

TEST_F(FetchFailure, ConnectionDroppedInTheBodyFails) {
    QString source = QStringLiteral("before");
    EXPECT_FALSE(downloader.DirectDownloadURL(Url("/cut"), source, false));
    EXPECT_FALSE(downloader.DownloadURL(Url("/cut"), source, false));
    EXPECT_EQ(source, QStringLiteral("before"));
}

TEST_F(FetchFailure, SilenceLongerThanTheReadTimeoutFails) {
    downloader->setReadTimeouts(300ms, 300ms);
    QString source = QStringLiteral("before");
    EXPECT_FALSE(downloader.DownloadURL(Url("/stall"), source, false));
    EXPECT_FALSE(downloader.DirectDownloadURL(Url("/stall"), source, false));
    EXPECT_EQ(source, QStringLiteral("before"));
}

TEST_F(FetchFailure, EachOperationSetsItsOwnReadTimeout) {
    QString source;
    ASSERT_TRUE(downloader.DirectDownloadURL(Url("/page"), source, false));
    EXPECT_EQ(downloader->readTimeout(), 60000ms);
    ASSERT_TRUE(downloader.DownloadURL(Url("/page"), source, false));
    EXPECT_EQ(downloader->readTimeout(), 40000ms);
    ASSERT_TRUE(downloader.DirectDownloadURL(Url("/page"), source, false));
    EXPECT_EQ(downloader->readTimeout(), 60000ms);

    // The paced fetch gives up on a silence the direct one waits out.
    downloader->setReadTimeouts(300ms, 2000ms);
    EXPECT_FALSE(downloader.DownloadURL(Url("/pause"), source, false));
    ASSERT_TRUE(downloader.DirectDownloadURL(Url("/pause"), source, false));
    EXPECT_EQ(source, QStringLiteral("halfhalf"));
}

TEST_F(FetchFailure, ReadTimeoutCountsSilenceNotTheWholeTransfer) {
    downloader->setReadTimeouts(400ms, 400ms);
    QString source;
    ASSERT_TRUE(downloader.DirectDownloadURL(Url("/slow"), source, false));
    EXPECT_EQ(source, QStringLiteral("xxxxxxxxxx"));
}

TEST_F(FetchFailure, WithoutProxyListOneAttemptThenHalfASecondPause) {
    const int deadPort = FreeLoopbackPort();
    ASSERT_GT(deadPort, 0);
    QString source = QStringLiteral("before");
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(downloader.DownloadURL(QStringLiteral("http://127.0.0.1:%1/").arg(deadPort), source, false));
    EXPECT_EQ(source, QStringLiteral("before"));
    EXPECT_GE(clock.elapsed(), PauseAfterFailure.count());
    EXPECT_EQ(status.activityHistory, (QStringList{QStringLiteral("T64"), QString()}));
}

TEST_F(FetchFailure, ProxyListRetriesWithStatusUntilStopped) {
    const int deadPort = FreeLoopbackPort();
    context.settings.rRandomProxy = true;
    context.settings.eRandomProxies = {QStringLiteral("127.0.0.1:%1").arg(deadPort)};
    status.onPanelText = [this](int, const QString &) {
        if (status.activityHistory.count(QStringLiteral("T66")) == 3) {
            stop.request();
        }
    };
    QString source = QStringLiteral("before");
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(downloader.DownloadURL(Url("/page"), source, false));
    const QString via = QStringLiteral("T63 127.0.0.1:%1").arg(deadPort);
    EXPECT_EQ(status.activityHistory, (QStringList{via, QString(), QStringLiteral("T66"), via, QString(),
                                                   QStringLiteral("T66"), via, QString(), QStringLiteral("T66")}));
    EXPECT_GE(clock.elapsed(), 3 * PauseAfterFailure.count());
    EXPECT_EQ(pageHits, 0);
}

TEST_F(FetchFailure, ProxyListWithoutUsableLineFailsAtOnce) {
    context.settings.rRandomProxy = true;
    context.settings.eRandomProxies = {QStringLiteral("no colon here"), QStringLiteral(":8080")};
    QString source = QStringLiteral("before");
    EXPECT_FALSE(downloader.DownloadURL(Url("/page"), source, false));
    context.settings.eRandomProxies.clear();
    EXPECT_FALSE(downloader.DownloadURL(Url("/page"), source, false));
    EXPECT_EQ(source, QStringLiteral("before"));
    EXPECT_EQ(pageHits, 0);
    EXPECT_TRUE(downloader->proxy().server.isEmpty());
}

TEST_F(FetchFailure, FixedProxyWithoutHostNeverGoesDirect) {
    context.settings.rUseProxy = true;
    context.settings.eHost.clear();
    QString source = QStringLiteral("before");
    EXPECT_FALSE(downloader.DownloadURL(Url("/page"), source, false));
    EXPECT_EQ(pageHits, 0);
}

TEST_F(FetchFailure, ProxyPortOutOfRangeFails) {
    context.settings.rUseProxy = true;
    context.settings.eHost = QStringLiteral("127.0.0.1");
    context.settings.ePort = QStringLiteral("70000");
    QString source = QStringLiteral("before");
    EXPECT_FALSE(downloader.DownloadURL(Url("/page"), source, false));
    EXPECT_EQ(pageHits, 0);
}
