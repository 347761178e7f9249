#include "core/net/downloader.h"

#include "core/app/statussink.h"
#include "core/host/hostservices.h"
#include "core/net/failuretext.h"
#include "core/net/proxystep.h"
#include "core/settings/appsettings.h"
#include "core/settings/uitexts.h"

#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcFetch, "tarnwick.net.fetch", QtWarningMsg)

void LogFailure(const QString &url, const FetchResult &result) {
    // A reply beyond the limits and a certificate that fails its check are worth a look;
    // everyday failures are not.
    if (result.error == FetchError::TooLarge || result.error == FetchError::TookTooLong || MustBeShown(result)) {
        qCWarning(lcFetch).noquote() << "fetch failed:" << url
                                     << FetchErrorName(result.error) + u": " + result.errorText;
    } else {
        qCInfo(lcFetch) << "fetch failed:" << url << FetchErrorName(result.error) << result.errorText;
    }
}

ReplyAs TextReply(bool utf8) {
    return utf8 ? ReplyAs::Utf8Text : ReplyAs::Text;
}

// Anything that starts with the four letters passes, in any letter case.
bool PassesSchemeCheck(const QString &url) {
    return url.startsWith(QLatin1String("http"), Qt::CaseInsensitive);
}

FetchResult Refused(FetchError error) {
    FetchResult result;
    result.error = error;
    return result;
}

} // namespace

Downloader::Downloader(const AppSettings &settings, StatusSink &status, const UiTexts &texts, TlsOptions tls)
    : m_settings(settings), m_status(status), m_texts(texts), m_client(HttpClientOptions{true, true, std::move(tls)}),
      m_pacing(settings, status, texts, m_clockRandom) {
    m_client.setProgress(this);
}

void Downloader::setReadTimeouts(std::chrono::milliseconds download, std::chrono::milliseconds direct) {
    m_downloadTimeout = download;
    m_directTimeout = direct;
}

void Downloader::setPauses(std::chrono::milliseconds second, std::chrono::milliseconds afterFailure) {
    m_pacing.setSecond(second);
    m_afterFailure = afterFailure;
}

void Downloader::setFetchLimits(const FetchLimits &limits) {
    m_client.setLimits(limits);
}

QCoro::Task<FetchResult> Downloader::DirectDownloadURL(QString AURL, bool UseUTF8, StopToken stop) {
    if (!PassesSchemeCheck(AURL)) {
        co_return Refused(FetchError::NoScheme);
    }
    if (stop.requested()) {
        co_return Refused(FetchError::Aborted);
    }
    m_client.setReadTimeout(m_directTimeout);
    ShowActivity(QStringLiteral("main56"));
    m_status.setGaugePosition(0);

    FetchResult result = co_await m_client.Get(AURL, TextReply(UseUTF8), stop);
    if (result.ok()) {
        ShowActivity({});
        co_return result;
    }
    LogFailure(AURL, result);
    if (stop.requested()) {
        ShowActivity(QStringLiteral("main57"));
    } else {
        ShowFailure(AURL, result);
    }
    co_return result;
}

QCoro::Task<FetchResult> Downloader::DownloadURL(QString AURL, bool UseUTF8, StopToken stop) {
    if (!PassesSchemeCheck(AURL)) {
        co_return Refused(FetchError::NoScheme);
    }
    ProxyStep proxyStep; // its list cursor lives for this call only
    FetchResult result = Refused(FetchError::Aborted);
    AttemptOutcome outcome = AttemptOutcome::Failed;
    do {
        if (!proxyStep.Apply(m_settings, m_client.proxy())) {
            result = Refused(FetchError::InvalidProxy);
            break;
        }
        if (stop.requested()) {
            result = Refused(FetchError::Aborted);
            break;
        }
        co_await m_pacing.Run(m_client.proxy(), stop);
        // A stop during the pause must not let the request go out after all.
        if (stop.requested()) {
            result = Refused(FetchError::Aborted);
            ShowActivity(QStringLiteral("main65"));
            break;
        }
        outcome = co_await Attempt(AURL, UseUTF8, stop, result);
    } while (outcome == AttemptOutcome::Failed && !stop.requested() && m_settings.rRandomProxy);
    co_return result;
}

// A session seen from several addresses is sent to a security check, so LinkedIn pages keep to
// the one address the browser pane uses: the fixed proxy, or none.
QCoro::Task<FetchResult> Downloader::DownloadLinkedInPage(QString AURL, StopToken stop) {
    if (!PassesSchemeCheck(AURL)) {
        co_return Refused(FetchError::NoScheme);
    }
    AppSettings paneRoute = m_settings;
    paneRoute.rRandomProxy = false;
    if (paneRoute.rUseProxy) {
        ProxyStep proxyStep;
        if (!proxyStep.Apply(paneRoute, m_client.proxy())) {
            co_return Refused(FetchError::InvalidProxy);
        }
    } else {
        m_client.proxy() = ProxyValues{};
    }
    if (stop.requested()) {
        co_return Refused(FetchError::Aborted);
    }
    co_await m_pacing.Run(m_client.proxy(), stop);
    if (stop.requested()) {
        ShowActivity(QStringLiteral("main65"));
        co_return Refused(FetchError::Aborted);
    }
    FetchResult result;
    co_await Attempt(AURL, true, stop, result);
    co_return result;
}

QCoro::Task<Downloader::AttemptOutcome> Downloader::Attempt(const QString &url, bool utf8, StopToken stop,
                                                            FetchResult &result) {
    // Each attempt's own read time-out: a direct fetch may have set another one meanwhile.
    m_client.setReadTimeout(m_downloadTimeout);
    result = co_await m_client.Get(url, TextReply(utf8), stop);
    if (result.ok()) {
        ShowActivity({});
        co_return AttemptOutcome::Succeeded;
    }
    LogFailure(url, result);
    if (result.error == FetchError::TlsFailed) {
        FetchResult retried = co_await FetchWithOneOffClient(url, stop);
        if (retried.ok()) {
            result = std::move(retried);
            co_return AttemptOutcome::Succeeded;
        }
        LogFailure(url, retried);
        result = std::move(retried);
    }
    co_await AfterFailedAttempt(url, result, stop);
    co_return result.isPermanent() ? AttemptOutcome::FailedForGood : AttemptOutcome::Failed;
}

// A fresh client for a request whose TLS layer failed: no cookies, no cache headers, no
// progress. It goes through the same proxy, so the retry never reveals the user's address.
QCoro::Task<FetchResult> Downloader::FetchWithOneOffClient(QString url, StopToken stop) {
    HttpClient oneOff(HttpClientOptions{false, false, m_client.options().tls});
    oneOff.proxy() = m_client.proxy();
    oneOff.setReadTimeout(m_downloadTimeout);
    oneOff.setLimits(m_client.limits());
    co_return co_await oneOff.Get(url, ReplyAs::Text, stop);
}

QCoro::Task<> Downloader::AfterFailedAttempt(QString url, const FetchResult &result, StopToken stop) {
    co_await PumpDelay(static_cast<int>(m_afterFailure.count()), stop);
    if (stop.requested()) {
        ShowActivity(QStringLiteral("main65"));
        co_return;
    }
    ShowFailure(url, result);
    if (m_settings.rRandomProxy && !result.isPermanent()) {
        ShowActivity(QStringLiteral("main66"));
    }
}

void Downloader::ShowActivity(const QString &tag) {
    m_status.setPanelText(StatusSink::ActivityPanel, tag.isEmpty() ? QString() : m_texts.text(tag));
}

// Failures leave the panel empty, except those the user must act on (a certificate that fails
// its check, for one): the user must learn why the program will not talk to that server.
void Downloader::ShowFailure(const QString &url, const FetchResult &result) {
    m_lastFailure = FailureText(url, result, m_texts);
    if (MustBeShown(result)) {
        m_status.setPanelText(StatusSink::ActivityPanel, m_lastFailure);
    } else {
        ShowActivity({});
    }
}

void Downloader::IdHTTP1WorkBegin(qint64 AWorkCountMax) {
    m_status.setGaugeMaximum(AWorkCountMax);
    m_status.setGaugePosition(0);
}

void Downloader::IdHTTP1Work(qint64 AWorkCount) {
    m_status.setGaugePosition(AWorkCount);
}

void Downloader::IdHTTP1WorkEnd() {
    // A transfer of unknown length showed a busy bar (a range of 0 to 0); it ends empty.
    if (m_status.gaugeMaximum() <= 0) {
        m_status.setGaugeMaximum(100);
        m_status.setGaugePosition(0);
    } else {
        m_status.setGaugePosition(m_status.gaugeMaximum());
    }
}
