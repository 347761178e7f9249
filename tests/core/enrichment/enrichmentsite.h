#pragma once

#include "core/net/downloader.h"
#include "core/net/fetcher.h"
#include "support/loopbackserver.h"
#include "support/testcontext.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <mutex>
#include <ostream>
#include <string>

// A web site on 127.0.0.1 whose pages a test sets at any time; it records the request target
// (path and raw query) of every request in arrival order. Unknown paths answer 404.
class SiteServer {
public:
    SiteServer();

    bool isRunning() const { return m_running; }
    void Serve(const QString &path, const QByteArray &body,
               const QByteArray &contentType = QByteArrayLiteral("text/html"));
    void Fail(const QString &path, int status = 500);
    // Answers path with a redirect to location (an absolute address or a path).
    void Redirect(const QString &path, const QString &location, int status = 301);
    QString Base() const { return m_server.base(); }
    QString Url(const QString &path) const { return m_server.url(path); }
    QStringList Targets() const;
    // The paths requested so far, without their queries.
    QStringList Paths() const;

private:
    struct Reply {
        int status = 200;
        std::string body;
        std::string contentType;
        std::string location;
    };

    LoopbackServer m_server;
    bool m_running = false;
    mutable std::mutex m_mutex;
    std::map<std::string, Reply> m_routes;
    QStringList m_targets;
};

// Forwards to another fetcher and records every call; afterFetch runs when each one returns, so
// a test can act as if during the fetch's last event processing (a stop pressed, for instance).
class RecordingFetcher : public Fetcher {
public:
    struct Call {
        bool direct;
        QString url;
        bool useUtf8;
    };

    explicit RecordingFetcher(Fetcher &inner) : m_inner(inner) {}

    QCoro::Task<FetchResult> DownloadURL(QString AURL, bool UseUTF8, StopToken stop) override;
    QCoro::Task<FetchResult> DirectDownloadURL(QString AURL, bool UseUTF8, StopToken stop) override;

    QList<Call> calls;
    std::function<void(const QString &url)> afterFetch;

private:
    Fetcher &m_inner;
};

// The program's real HTTP client on a test context, without the random pause, and the stop
// of a pretend run.
struct LoopbackTransport {
    LoopbackTransport() { test.context.settings.eRandom.clear(); }

    TestContext test;
    Downloader downloader{test.context.settings, test.status, test.context.texts};
    StopToken stop = StopToken::Create();
};

// Readable failure messages for texts.
inline void PrintTo(const QString &text, std::ostream *stream) {
    *stream << '"' << text.toStdString() << '"';
}

// A fixture file of tests/data/enrichment.
QByteArray TestDataFile(const QString &name);
