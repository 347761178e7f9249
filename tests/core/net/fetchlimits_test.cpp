#include "netfixture.h"

#include <QLoggingCategory>

#include <atomic>
#include <chrono>
#include <thread>

using namespace std::chrono_literals;

namespace {

using Clock = std::chrono::steady_clock;

// The messages of the fetch log while a test runs.
class FetchLog {
public:
    FetchLog() {
        s_lines.clear();
        m_previous = qInstallMessageHandler(&FetchLog::Record);
    }
    ~FetchLog() { qInstallMessageHandler(m_previous); }
    FetchLog(const FetchLog &) = delete;
    FetchLog &operator=(const FetchLog &) = delete;

    static QStringList lines() { return s_lines; }

private:
    static void Record(QtMsgType, const QMessageLogContext &context, const QString &message) {
        if (qstrcmp(context.category, "tarnwick.net.fetch") == 0) {
            s_lines.append(message);
        }
    }

    static inline QStringList s_lines;
    QtMessageHandler m_previous = nullptr;
};

} // namespace

// Replies that never end: too large, or too slow to ever finish.
class FetchLimitsTest : public NetTest {
protected:
    void SetUp() override {
        // 64 KB pieces without end.
        server.server().Get("/endless", [this](const httplib::Request &, httplib::Response &response) {
            response.set_chunked_content_provider("text/html", [this](size_t, httplib::DataSink &sink) {
                const std::string piece(65536, 'e');
                return !released && sink.write(piece.data(), piece.size());
            });
        });
        // Announces 2 MB.
        server.server().Get("/announced", [](const httplib::Request &, httplib::Response &response) {
            response.set_content_provider(2 << 20, "text/html", [](size_t, size_t length, httplib::DataSink &sink) {
                const std::string piece(std::min<size_t>(length, 65536), 'a');
                return sink.write(piece.data(), piece.size());
            });
        });
        // Exactly 1 MB.
        server.server().Get("/fits", [](const httplib::Request &, httplib::Response &response) {
            response.set_content(std::string(1 << 20, 'f'), "text/html");
        });
        // A byte every 100 ms, far below any read time-out, for as long as the client listens.
        server.server().Get("/trickle", [this](const httplib::Request &, httplib::Response &response) {
            response.set_chunked_content_provider("text/html", [this](size_t, httplib::DataSink &sink) {
                std::this_thread::sleep_for(100ms);
                return !released && sink.write("t", 1);
            });
        });
        StartServer();
        downloader->setFetchLimits(FetchLimits{1 << 20, 2s});
    }
    void TearDown() override { released = true; }

    // Runs one fetch; returns its result and how long it took.
    std::pair<bool, Clock::duration> Timed(bool direct, const char *path) {
        const Clock::time_point start = Clock::now();
        const bool ok = direct ? downloader.DirectDownloadURL(Url(path), source, false)
                               : downloader.DownloadURL(Url(path), source, false);
        return {ok, Clock::now() - start};
    }

    QString source = QStringLiteral("before");
    std::atomic<bool> released{false};
};

TEST_F(FetchLimitsTest, EndlessReplyFailsOnceItPassesTheSizeLimit) {
    FetchLog log;
    for (const bool direct : {true, false}) {
        const auto [ok, took] = Timed(direct, "/endless");
        EXPECT_FALSE(ok);
        EXPECT_LT(took, 1500ms);
    }
    EXPECT_EQ(source, QStringLiteral("before"));
    ASSERT_EQ(log.lines().size(), 2);
    EXPECT_TRUE(log.lines().at(0).contains(QStringLiteral("reply too large"))) << log.lines().at(0).toStdString();
}

TEST_F(FetchLimitsTest, ReplyAnnouncedLargerThanTheLimitFails) {
    FetchLog log;
    EXPECT_FALSE(Timed(true, "/announced").first);
    ASSERT_EQ(log.lines().size(), 1);
    EXPECT_TRUE(log.lines().at(0).contains(QStringLiteral("reply too large")));
}

TEST_F(FetchLimitsTest, ReplyOfExactlyTheLimitArrives) {
    ASSERT_TRUE(Timed(false, "/fits").first);
    EXPECT_EQ(source.size(), 1 << 20);
}

TEST_F(FetchLimitsTest, TricklingReplyFailsWhenTheWholeFetchTakesTooLong) {
    for (const bool direct : {true, false}) {
        const auto [ok, took] = Timed(direct, "/trickle");
        EXPECT_FALSE(ok);
        EXPECT_GE(took, 2s);
        EXPECT_LT(took, 3500ms);
    }
    EXPECT_EQ(source, QStringLiteral("before"));
}
