#pragma once

#include "core/net/clockrandomsource.h"
#include "core/net/fetcher.h"
#include "core/net/fetchlimits.h"
#include "core/net/httpclient.h"
#include "core/net/pacingstep.h"
#include "core/net/transferprogress.h"

#include <chrono>

struct AppSettings;
class StatusSink;
class UiTexts;

// The program's shared HTTP client and its two fetch operations. The client lives as long as
// the main window: its cookies and proxy values persist across fetches. Progress goes to the
// gauge, activity to status panel 0.
//
// Fetches may overlap (the update check while a run fetches a company page): each is a transfer
// of its own, and each ends with the stop it was given.
//
// A missing or removed page (404, 410) and a reply beyond FetchLimits end a paced fetch at
// once, also in proxy-list mode, which retries every other failure with the next proxy.
class Downloader : public Fetcher, public TransferProgress {
public:
    static constexpr std::chrono::milliseconds DownloadReadTimeout{40000};
    static constexpr std::chrono::milliseconds DirectReadTimeout{60000};

    Downloader(const AppSettings &settings, StatusSink &status, const UiTexts &texts, TlsOptions tls = {});

    QCoro::Task<FetchResult> DownloadURL(QString AURL, bool UseUTF8, StopToken stop) override;
    QCoro::Task<FetchResult> DirectDownloadURL(QString AURL, bool UseUTF8, StopToken stop) override;
    QCoro::Task<FetchResult> DownloadLinkedInPage(QString AURL, StopToken stop) override;
    QString lastFailure() const override { return m_lastFailure; }

    // The shared client's current proxy values.
    const ProxyValues &proxy() const { return m_client.proxy(); }
    // Requests in flight.
    int activeCount() const { return m_client.activeCount(); }
    // The read time-out the shared client was last given: each operation sets its own.
    std::chrono::milliseconds readTimeout() const { return m_client.readTimeout(); }

    void IdHTTP1WorkBegin(qint64 AWorkCountMax) override;
    void IdHTTP1Work(qint64 AWorkCount) override;
    void IdHTTP1WorkEnd() override;

    // Seams for tests: shorter read time-outs and pauses, smaller limits and scripted pauses.
    void setReadTimeouts(std::chrono::milliseconds download, std::chrono::milliseconds direct);
    void setPauses(std::chrono::milliseconds second, std::chrono::milliseconds afterFailure);
    void setFetchLimits(const FetchLimits &limits);
    void setTls(TlsOptions tls) { m_client.setTls(std::move(tls)); }
    void setRandomSource(RandomSource &random) { m_pacing.setRandomSource(random); }
    int lastPauseSeconds() const { return m_pacing.lastPauseSeconds(); }

private:
    // FailedForGood: no other proxy would fare better, so a proxy list is not tried further.
    enum class AttemptOutcome { Succeeded, Failed, FailedForGood };

    QCoro::Task<AttemptOutcome> Attempt(const QString &url, bool utf8, StopToken stop, FetchResult &result);
    QCoro::Task<FetchResult> FetchWithOneOffClient(QString url, StopToken stop);
    QCoro::Task<> AfterFailedAttempt(QString url, const FetchResult &result, StopToken stop);
    void ShowActivity(const QString &tag);
    void ShowFailure(const QString &url, const FetchResult &result);

    const AppSettings &m_settings;
    StatusSink &m_status;
    const UiTexts &m_texts;
    HttpClient m_client;
    ClockRandomSource m_clockRandom;
    PacingStep m_pacing;
    std::chrono::milliseconds m_downloadTimeout = DownloadReadTimeout;
    std::chrono::milliseconds m_directTimeout = DirectReadTimeout;
    std::chrono::milliseconds m_afterFailure{500};
    QString m_lastFailure;
};
