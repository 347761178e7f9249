#include "netfixture.h"

#include <QTest>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <thread>

using namespace std::chrono_literals;

namespace {

// One byte every 20 ms for up to 20 s; counts what it could send.
void Trickle(httplib::Server &server, std::atomic<int> &sent) {
    server.Get("/trickle", [&sent](const httplib::Request &, httplib::Response &response) {
        response.set_chunked_content_provider("text/plain", [&sent](size_t offset, httplib::DataSink &sink) {
            if (offset >= 1000) {
                sink.done();
                return true;
            }
            std::this_thread::sleep_for(20ms);
            if (!sink.write("x", 1)) {
                return false;
            }
            ++sent;
            return true;
        });
    });
}

} // namespace

// Stop and other events that arrive while a fetch waits.
class FetchInterrupted : public NetTest {
protected:
    void SetUp() override {
        Trickle(server.server(), sent);
        server.server().Get("/page", [this](const httplib::Request &, httplib::Response &response) {
            ++pageHits;
            response.set_content("page", "text/plain");
        });
        server.server().Get("/late", [](const httplib::Request &, httplib::Response &response) {
            std::this_thread::sleep_for(300ms);
            response.set_content("late", "text/plain");
        });
        StartServer();
    }

    // What the Stop button does, once the first bytes have arrived.
    void StopOnceDataFlows() {
        status.onGauge = [this] {
            if (status.gaugePos > 0 && !stopped) {
                stopped = true;
                stop.request();
            }
        };
    }

    std::atomic<int> sent{0};
    std::atomic<int> pageHits{0};
    bool stopped = false;
};

TEST_F(FetchInterrupted, StopDuringDirectFetchFailsWithStoppedText) {
    StopOnceDataFlows();
    QString source = QStringLiteral("before");
    EXPECT_FALSE(downloader.DirectDownloadURL(Url("/trickle"), source, false));
    EXPECT_TRUE(stopped);
    EXPECT_EQ(source, QStringLiteral("before"));
    EXPECT_EQ(status.activityHistory, (QStringList{QStringLiteral("T56"), QStringLiteral("T57")}));
    EXPECT_LT(sent, 1000);
}

TEST_F(FetchInterrupted, StopDuringPacedFetchEndsItWithoutThePause) {
    StopOnceDataFlows();
    QString source = QStringLiteral("before");
    EXPECT_FALSE(downloader.DownloadURL(Url("/trickle"), source, false));
    EXPECT_EQ(source, QStringLiteral("before"));
    EXPECT_EQ(downloader.last().error, FetchError::Aborted);
    EXPECT_EQ(status.activityHistory.last(), QStringLiteral("T65"));
    EXPECT_LT(sent, 1000);
}

// The fetch ends inside the request: its connection is closed and its caller goes on before
// the event loop turns again. A fetch under another stop (the update check's) goes on.
TEST_F(FetchInterrupted, AStopEndsItsOwnFetchesAtOnceAndNoOther) {
    const StopToken other = StopToken::Create();
    QCoro::Task<FetchResult> stopped = real.DirectDownloadURL(Url("/trickle"), false, stop);
    QCoro::Task<FetchResult> kept = real.DirectDownloadURL(Url("/late"), false, other);
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(QTest::qWaitFor([this] { return sent > 0; }, 5000));
    stop.request();
    EXPECT_TRUE(stopped.isReady());
    EXPECT_EQ(QCoro::waitFor(stopped).error, FetchError::Aborted);
    const FetchResult late = QCoro::waitFor(kept);
    ASSERT_TRUE(late.ok());
    EXPECT_EQ(late.text, QStringLiteral("late"));
    EXPECT_LT(sent, 1000);
    EXPECT_EQ(real.activeCount(), 0);
}

TEST_F(FetchInterrupted, StopDuringThePauseKeepsTheRequestFromGoingOut) {
    context.settings.eRandom = QStringLiteral("5");
    random.draws = {4};
    QTimer::singleShot(PauseSecond, [this] { stop.request(); });
    QString source = QStringLiteral("before");
    EXPECT_FALSE(downloader.DownloadURL(Url("/page"), source, false));
    EXPECT_EQ(pageHits, 0);
    EXPECT_EQ(status.activityHistory.last(), QStringLiteral("T65"));
}

// The gauge follows the reply body.
class FetchProgress : public NetTest {
protected:
    void SetUp() override {
        server.server().Get("/sized", [](const httplib::Request &, httplib::Response &response) {
            response.set_content_provider(3000, "text/plain", [](size_t offset, size_t, httplib::DataSink &sink) {
                if (offset > 0) {
                    std::this_thread::sleep_for(30ms);
                }
                return sink.write(std::string(1000, 'p').data(), 1000);
            });
        });
        server.server().Get("/chunked", [](const httplib::Request &, httplib::Response &response) {
            response.set_chunked_content_provider("text/plain", [](size_t offset, httplib::DataSink &sink) {
                if (offset >= 500) {
                    sink.done();
                    return true;
                }
                return sink.write(std::string(250, 'c').data(), 250);
            });
        });
        server.server().Get("/empty", [](const httplib::Request &, httplib::Response &response) {
            response.set_content("", "text/plain");
        });
        StartServer();
    }
};

TEST_F(FetchProgress, KnownLengthRunsFromZeroToTheLength) {
    QString source;
    ASSERT_TRUE(downloader.DirectDownloadURL(Url("/sized"), source, false));
    ASSERT_EQ(source.size(), 3000);
    const auto &changes = status.gaugeChanges;
    const qsizetype begin = changes.indexOf(RecordingStatus::GaugeChange{true, 3000});
    ASSERT_GE(begin, 0);
    ASSERT_LT(begin + 1, changes.size());
    EXPECT_EQ(changes.at(begin + 1), (RecordingStatus::GaugeChange{false, 0}));
    qint64 last = 0;
    for (qsizetype i = begin + 2; i < changes.size(); ++i) {
        EXPECT_FALSE(changes.at(i).maximum);
        EXPECT_GE(changes.at(i).value, last);
        last = changes.at(i).value;
    }
    EXPECT_EQ(last, 3000);
}

TEST_F(FetchProgress, UnknownLengthBeginsWithZeroMaximumAndEndsAtIt) {
    QString source;
    ASSERT_TRUE(downloader.DownloadURL(Url("/chunked"), source, false));
    ASSERT_EQ(source.size(), 500);
    EXPECT_TRUE(status.gaugeChanges.contains(RecordingStatus::GaugeChange{true, 0}));
    EXPECT_TRUE(status.gaugeChanges.contains(RecordingStatus::GaugeChange{false, 500}));
    EXPECT_EQ(status.gaugePos, 0); // the end event sets the position to the maximum
}

TEST_F(FetchProgress, EmptyReplyStillBeginsAndEnds) {
    QString source = QStringLiteral("before");
    ASSERT_TRUE(downloader.DirectDownloadURL(Url("/empty"), source, false));
    EXPECT_TRUE(source.isEmpty());
    // Begun with an unknown length; the end leaves an empty bar rather than a busy one.
    using Change = RecordingStatus::GaugeChange;
    const QList<Change> expectedEnd{{true, 0}, {false, 0}, {true, 100}, {false, 0}};
    ASSERT_GE(status.gaugeChanges.size(), expectedEnd.size());
    EXPECT_EQ(status.gaugeChanges.mid(status.gaugeChanges.size() - expectedEnd.size()), expectedEnd);
}
