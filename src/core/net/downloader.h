#pragma once

#include "core/net/clockrandomsource.h"
#include "core/net/fetcher.h"
#include "core/net/fetchlimits.h"
#include "core/net/httpclient.h"
#include "core/net/pacingstep.h"
#include "core/net/transferprogress.h"

#include <chrono>

struct AppContext;
class ProxyStep;

// The program's shared HTTP client and its two fetch operations. The client lives as long as
// the main window: its cookies and proxy values persist across fetches. Progress goes to the
// gauge, activity to status panel 0.
//
// One fetch at a time: a fetch asked for while another one runs (from an event processed
// during the wait) returns false at once, without touching ASource or the status bar.
//
// A missing or removed page (404, 410) and a reply beyond FetchLimits end a paced fetch at
// once, also in proxy-list mode, which retries every other failure with the next proxy.
class Downloader : public Fetcher, public TransferProgress {
public:
    static constexpr std::chrono::milliseconds DownloadReadTimeout{40000};
    static constexpr std::chrono::milliseconds DirectReadTimeout{60000};

    explicit Downloader(AppContext &context);

    bool DownloadURL(const QString &AURL, QString &ASource, bool UseUTF8) override;
    bool DirectDownloadURL(const QString &AURL, QString &ASource, bool UseUTF8) override;
    QString lastEffectiveUrl() const override { return m_lastEffectiveUrl; }

    // Stop: closes the connection of the fetch in progress, which then returns false.
    void Disconnect();
    bool isFetching() const { return m_fetching; }

    // The shared client's current proxy values.
    const ProxyValues &proxy() const { return m_client.proxy(); }

    void IdHTTP1WorkBegin(qint64 AWorkCountMax) override;
    void IdHTTP1Work(qint64 AWorkCount) override;
    void IdHTTP1WorkEnd() override;

    // The read time-out the shared client was last given: each operation sets its own.
    std::chrono::milliseconds readTimeout() const { return m_client.readTimeout(); }

    // Seams for tests: shorter read time-outs, smaller limits and scripted pauses.
    void setReadTimeouts(std::chrono::milliseconds download, std::chrono::milliseconds direct);
    void setFetchLimits(const FetchLimits &limits);
    void setRandomSource(RandomSource &random) { m_pacing.setRandomSource(random); }
    int lastPauseSeconds() const { return m_pacing.lastPauseSeconds(); }

private:
    // FailedForGood: no other proxy would fare better, so a proxy list is not tried further.
    enum class AttemptOutcome { Succeeded, Failed, FailedForGood };

    AttemptOutcome Attempt(const QString &url, QString &source, bool utf8);
    FetchResult FetchWithOneOffClient(const QString &url);
    void AfterFailedAttempt(bool permanent);
    void ShowActivity(const QString &tag);

    AppContext &m_context;
    HttpClient m_client;
    HttpClient *m_oneOff = nullptr; // the fresh client while it fetches
    ClockRandomSource m_clockRandom;
    PacingStep m_pacing;
    std::chrono::milliseconds m_downloadTimeout = DownloadReadTimeout;
    std::chrono::milliseconds m_directTimeout = DirectReadTimeout;
    FetchLimits m_limits;
    QString m_lastEffectiveUrl;
    bool m_fetching = false;
};
