#include "gui/browser/signedinpagereader.h"

#include "core/host/hostservices.h"
#include "gui/browser/browserprofile.h"
#include "gui/browser/overviewscript.h"
#include "gui/browser/scriptcall.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineSettings>

#include <algorithm>

namespace {

constexpr int pollIntervalMs = 250;
constexpr int longestScriptMs = 5000;

const QString stoppedError = QStringLiteral("The page was not read: the work was stopped.");
const QString noPageError = QStringLiteral("The browser profile is gone.");

bool HasKnownLabel(const QList<OverviewEntry> &entries) {
    return std::any_of(entries.cbegin(), entries.cend(),
                       [](const OverviewEntry &entry) { return IsOverviewLabel(entry.label); });
}

} // namespace

SignedInPageReader::SignedInPageReader(BrowserProfile &profile) : m_profile(&profile) {}

SignedInPageReader::~SignedInPageReader() {
    // Every call waiting here goes on now, while the reader is still whole.
    m_closing.request();
    delete m_page.data();
}

QWebEnginePage *SignedInPageReader::page() {
    if (!m_page && m_profile) {
        auto *created = new QWebEnginePage(m_profile->profile());
        created->settings()->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
        m_profile->adoptPage(created);
        m_page = created;
    }
    return m_page;
}

QString SignedInPageReader::pageUrl() const {
    return m_page ? m_page->url().toString() : QString();
}

QCoro::Task<SignedInPage> SignedInPageReader::readAboutPage(QString address, StopToken callerStop) {
    const StopToken stop = StopToken::Create();
    const StopCallback byCaller(callerStop, [stop] { stop.request(); });
    const StopCallback byClosing(m_closing, [stop] { stop.request(); });
    const bool turn = co_await takeTurn(stop);
    if (!turn) {
        co_return SignedInPage{stoppedError, QString(), {}};
    }
    SignedInPage result = co_await read(address, stop);
    endTurn();
    co_return result;
}

QCoro::Task<bool> SignedInPageReader::takeTurn(StopToken stop) {
    if (stop.requested()) {
        co_return false;
    }
    if (!m_busy) {
        m_busy = true;
        co_return true;
    }
    const Completion<bool> turn;
    m_waiting.push_back(turn);
    const StopCallback onStop(stop, [turn] { turn.resolve(false); });
    co_return co_await turn;
}

void SignedInPageReader::endTurn() {
    while (!m_waiting.empty()) {
        const Completion<bool> next = m_waiting.front();
        m_waiting.pop_front();
        // A waiter that was stopped has resolved its turn already and is passed over; while the
        // reader closes, no waiter starts.
        if (next.resolve(!m_closing.requested()) && !m_closing.requested()) {
            return;
        }
    }
    m_busy = false;
}

QCoro::Task<SignedInPage> SignedInPageReader::read(QString address, StopToken stop) {
    const QString loadError = co_await load(address, stop);
    if (!loadError.isEmpty()) {
        co_return SignedInPage{loadError, pageUrl(), {}};
    }
    SignedInPage result;
    QElapsedTimer rendering;
    rendering.start();
    for (;;) {
        const int scriptLimitMs = std::clamp(m_renderTimeoutMs, pollIntervalMs, longestScriptMs);
        const ScriptCallResult answer =
            co_await RunScriptInApplicationWorld(m_page, OverviewScript::Source(), scriptLimitMs, stop);
        if (stop.requested()) {
            co_return SignedInPage{stoppedError, pageUrl(), {}};
        }
        if (!m_page) {
            co_return SignedInPage{noPageError, QString(), {}};
        }
        // A failed call (a document being replaced) is one more poll without entries.
        if (answer.ok()) {
            result.overview = OverviewScript::Entries(answer.value);
        }
        if (HasKnownLabel(result.overview) || rendering.elapsed() >= m_renderTimeoutMs) {
            break;
        }
        const bool waited = co_await PumpDelay(pollIntervalMs, stop);
        if (!waited) {
            co_return SignedInPage{stoppedError, pageUrl(), {}};
        }
    }
    result.finalUrl = pageUrl();
    co_return result;
}

QCoro::Task<QString> SignedInPageReader::load(QString address, StopToken stop) {
    QWebEnginePage *hidden = page();
    if (hidden == nullptr) {
        co_return noPageError;
    }
    const Completion<QString> done;
    // Lives as long as this call waits: the connections and posted answers go with it.
    QObject waiting;
    // Reports of a load the page was still busy with come before this load has started.
    bool started = false;
    // The engine reports from inside its own call; the answer is taken up from the event loop.
    const auto answer = [done, &waiting](const QString &error) {
        QTimer::singleShot(0, &waiting, [done, error] { done.resolve(error); });
    };
    QObject::connect(hidden, &QWebEnginePage::loadingChanged, &waiting,
                     [answer, &started](const QWebEngineLoadingInfo &info) {
                         switch (info.status()) {
                         case QWebEngineLoadingInfo::LoadStartedStatus:
                             started = true;
                             break;
                         case QWebEngineLoadingInfo::LoadSucceededStatus:
                             if (started) {
                                 answer(QString());
                             }
                             break;
                         case QWebEngineLoadingInfo::LoadStoppedStatus:
                         case QWebEngineLoadingInfo::LoadFailedStatus:
                             if (started) {
                                 answer(QStringLiteral("The page %1 could not be loaded: %2")
                                            .arg(info.url().toString(), info.errorString()));
                             }
                             break;
                         }
                     });
    QObject::connect(hidden, &QObject::destroyed, &waiting, [answer] { answer(noPageError); });
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [done, this] {
        done.resolve(QStringLiteral("The page did not load within %1 s.").arg(m_loadTimeoutMs / 1000.0));
    });
    const StopCallback onStop(stop, [done] { done.resolve(stoppedError); });
    timer.start(m_loadTimeoutMs);
    hidden->load(QUrl::fromUserInput(address));
    const QString error = co_await done;
    if (!error.isEmpty() && m_page) {
        m_page->triggerAction(QWebEnginePage::Stop);
    }
    co_return error;
}
