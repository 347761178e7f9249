#pragma once

#include "core/app/appcontext.h"
#include "core/net/downloader.h"
#include "core/net/randomsource.h"
#include "support/fakehost.h"
#include "support/loopbackserver.h"

#include <QElapsedTimer>
#include <QList>
#include <QStringList>

#include <gtest/gtest.h>

#include <deque>
#include <functional>

// Remembers every gauge change, in order.
class RecordingStatus : public FakeStatus {
public:
    struct GaugeChange {
        bool maximum; // false: position
        qint64 value;
        bool operator==(const GaugeChange &) const = default;
    };

    void setGaugeMaximum(qint64 maximum) override {
        FakeStatus::setGaugeMaximum(maximum);
        gaugeChanges.append({true, maximum});
    }
    void setGaugePosition(qint64 position) override {
        FakeStatus::setGaugePosition(position);
        gaugeChanges.append({false, position});
        if (onGauge) {
            onGauge();
        }
    }

    QList<GaugeChange> gaugeChanges;
    // Runs after every position change: tests act while a reply arrives.
    std::function<void()> onGauge;
};

// The downloader called as a test reads best: each fetch is waited for, under the stop of a
// pretend run, and its reply lands in source as the program's callers once took it (emptied
// for an address that is no web address, kept on any other failure).
class BlockingDownloader {
public:
    BlockingDownloader(Downloader &downloader, const StopToken &stop) : m_downloader(downloader), m_stop(stop) {}

    bool DownloadURL(const QString &url, QString &source, bool utf8) {
        return Take(QCoro::waitFor(m_downloader.DownloadURL(url, utf8, m_stop)), source);
    }
    bool DirectDownloadURL(const QString &url, QString &source, bool utf8) {
        return Take(QCoro::waitFor(m_downloader.DirectDownloadURL(url, utf8, m_stop)), source);
    }
    // The last reply's address after redirects, and its error.
    const FetchResult &last() const { return m_last; }
    Downloader *operator->() { return &m_downloader; }

private:
    bool Take(FetchResult result, QString &source) {
        if (result.ok()) {
            source = result.text;
        } else if (result.error == FetchError::NoScheme) {
            source.clear();
        }
        m_last = std::move(result);
        return m_last.ok();
    }

    Downloader &m_downloader;
    const StopToken &m_stop;
    FetchResult m_last;
};

// Pauses drawn from a script (0 once it runs out); records what was asked.
class ScriptedRandom : public RandomSource {
public:
    void Reseed() override { ++reseeds; }
    int Below(int bound) override {
        bounds.append(bound);
        if (draws.empty()) {
            return 0;
        }
        const int draw = draws.front();
        draws.pop_front();
        return draw;
    }

    std::deque<int> draws;
    QList<int> bounds;
    int reseeds = 0;
};

// A downloader on a substitute host whose status texts are their tags ("main56" shows "T56"),
// with no pause between requests unless a test asks for one.
class NetTest : public ::testing::Test {
protected:
    NetTest() {
        for (int tag : {56, 57, 62, 63, 64, 65, 66}) {
            context.texts.setText(QStringLiteral("main%1").arg(tag), QStringLiteral("T%1").arg(tag));
        }
        context.settings.eRandom.clear();
        real.setRandomSource(random);
        real.setPauses(PauseSecond, PauseAfterFailure);
    }

    // The pauses, shortened: a second of pacing, and the pause after a failed attempt.
    static constexpr std::chrono::milliseconds PauseSecond{40};
    static constexpr std::chrono::milliseconds PauseAfterFailure{30};

    void StartServer() { ASSERT_TRUE(server.start()); }
    QString Url(const char *path) const { return server.url(QString::fromLatin1(path)); }

    FakeHost host;
    RecordingStatus status;
    FakeDialogs dialogs;
    AppContext context{host, status, dialogs};
    ScriptedRandom random;
    // The pretend run's stop.
    StopToken stop = StopToken::Create();
    Downloader real{context.settings, status, context.texts};
    BlockingDownloader downloader{real, stop};
    LoopbackServer server;
};
