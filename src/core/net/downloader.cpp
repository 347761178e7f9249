#include "core/net/downloader.h"

#include "core/app/appcontext.h"
#include "core/app/statussink.h"
#include "core/host/host.h"
#include "core/host/hostservices.h"
#include "core/net/proxystep.h"
#include "core/util/flagscope.h"

#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcFetch, "tarnwick.net.fetch", QtWarningMsg)

void LogFailure(const QString &url, const FetchResult &result) {
    // A reply beyond the limits is worth a look; everyday failures are not.
    if (result.error == FetchError::TooLarge || result.error == FetchError::TookTooLong) {
        qCWarning(lcFetch) << "fetch failed:" << url << FetchErrorName(result.error) << result.errorText;
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

} // namespace

Downloader::Downloader(AppContext &context)
    : m_context(context), m_client(context.host), m_pacing(context, m_clockRandom) {
    m_client.setProgress(this);
    m_client.setLimits(m_limits);
    m_client.setStopCheck([this] { return m_context.run.ShouldStop; });
}

void Downloader::setReadTimeouts(std::chrono::milliseconds download, std::chrono::milliseconds direct) {
    m_downloadTimeout = download;
    m_directTimeout = direct;
}

void Downloader::setFetchLimits(const FetchLimits &limits) {
    m_limits = limits;
    m_client.setLimits(limits);
}

bool Downloader::DirectDownloadURL(const QString &AURL, QString &ASource, bool UseUTF8) {
    if (!PassesSchemeCheck(AURL)) {
        ASource.clear();
        return false;
    }
    if (m_fetching) {
        return false;
    }
    FlagScope scope(m_fetching);
    m_client.setReadTimeout(m_directTimeout);
    if (m_context.run.ShouldStop) {
        return false;
    }
    ShowActivity(QStringLiteral("main56"));
    m_context.status.setGaugePosition(0);
    m_context.host.processEvents();

    m_lastEffectiveUrl.clear();
    FetchResult result = m_client.Get(AURL, TextReply(UseUTF8));
    if (result.ok()) {
        ASource = std::move(result.text);
        m_lastEffectiveUrl = result.effectiveUrl;
        ShowActivity({});
        return true;
    }
    LogFailure(AURL, result);
    ShowActivity(m_context.run.ShouldStop ? QStringLiteral("main57") : QString());
    m_context.host.processEvents();
    return false;
}

bool Downloader::DownloadURL(const QString &AURL, QString &ASource, bool UseUTF8) {
    if (!PassesSchemeCheck(AURL)) {
        ASource.clear();
        return false;
    }
    if (m_fetching) {
        return false;
    }
    FlagScope scope(m_fetching);
    m_client.setReadTimeout(m_downloadTimeout);

    const AppSettings &settings = m_context.settings;
    ProxyStep proxyStep; // its list cursor lives for this call only
    m_lastEffectiveUrl.clear();
    AttemptOutcome outcome = AttemptOutcome::Failed;
    do {
        if (!proxyStep.Apply(settings, m_client.proxy())) {
            break;
        }
        if (m_context.run.ShouldStop) {
            break;
        }
        m_pacing.Run(m_client.proxy());
        m_context.host.processEvents();
        // A stop during the pause must not let the request go out after all.
        if (m_context.run.ShouldStop) {
            ShowActivity(QStringLiteral("main65"));
            m_context.host.processEvents();
            break;
        }
        outcome = Attempt(AURL, ASource, UseUTF8);
    } while (outcome == AttemptOutcome::Failed && !m_context.run.ShouldStop && settings.rRandomProxy);
    return outcome == AttemptOutcome::Succeeded;
}

Downloader::AttemptOutcome Downloader::Attempt(const QString &url, QString &source, bool utf8) {
    FetchResult result = m_client.Get(url, TextReply(utf8));
    if (result.ok()) {
        source = std::move(result.text);
        m_lastEffectiveUrl = result.effectiveUrl;
        ShowActivity({});
        return AttemptOutcome::Succeeded;
    }
    LogFailure(url, result);
    if (result.error == FetchError::TlsFailed) {
        result = FetchWithOneOffClient(url);
        if (result.ok()) {
            // The one-off client's text is taken as it decoded it.
            source = std::move(result.text);
            m_lastEffectiveUrl = result.effectiveUrl;
            return AttemptOutcome::Succeeded;
        }
        LogFailure(url, result);
    }
    AfterFailedAttempt(result.isPermanent());
    return result.isPermanent() ? AttemptOutcome::FailedForGood : AttemptOutcome::Failed;
}

// A fresh client for a request whose TLS layer failed: no cookies, no cache headers, no
// progress. It goes through the same proxy, so the retry never reveals the user's address.
FetchResult Downloader::FetchWithOneOffClient(const QString &url) {
    HttpClient oneOff(m_context.host, HttpClientOptions{false, false});
    oneOff.proxy() = m_client.proxy();
    oneOff.setReadTimeout(m_downloadTimeout);
    oneOff.setLimits(m_limits);
    oneOff.setStopCheck([this] { return m_context.run.ShouldStop; });
    m_oneOff = &oneOff;
    FetchResult result = oneOff.Get(url, ReplyAs::Text);
    m_oneOff = nullptr;
    return result;
}

void Downloader::AfterFailedAttempt(bool permanent) {
    PumpDelay(m_context.host, 500);
    if (m_context.run.ShouldStop) {
        ShowActivity(QStringLiteral("main65"));
    } else {
        ShowActivity({});
        if (m_context.settings.rRandomProxy && !permanent) {
            ShowActivity(QStringLiteral("main66"));
        }
    }
    m_context.host.processEvents();
}

void Downloader::Disconnect() {
    m_client.Disconnect();
    if (m_oneOff != nullptr) {
        m_oneOff->Disconnect();
    }
}

void Downloader::ShowActivity(const QString &tag) {
    m_context.status.setPanelText(StatusSink::ActivityPanel, tag.isEmpty() ? QString() : m_context.texts.text(tag));
}

void Downloader::IdHTTP1WorkBegin(qint64 AWorkCountMax) {
    m_context.status.setGaugeMaximum(AWorkCountMax);
    m_context.status.setGaugePosition(0);
    m_context.host.processEvents();
}

void Downloader::IdHTTP1Work(qint64 AWorkCount) {
    m_context.status.setGaugePosition(AWorkCount);
    m_context.host.processEvents();
}

void Downloader::IdHTTP1WorkEnd() {
    // A transfer of unknown length showed a busy bar (a range of 0 to 0); it ends empty.
    if (m_context.status.gaugeMaximum() <= 0) {
        m_context.status.setGaugeMaximum(100);
        m_context.status.setGaugePosition(0);
    } else {
        m_context.status.setGaugePosition(m_context.status.gaugeMaximum());
    }
    m_context.host.processEvents();
}
