#include "core/extraction/extractiondriver.h"

#include "core/account/accountguard.h"
#include "core/account/budgetgate.h"
#include "core/app/dialogs.h"
#include "core/app/endpoints.h"
#include "core/app/statussink.h"
#include "core/browser/browserpane.h"
#include "core/export/automaticsave.h"
#include "core/export/datetimeval.h"
#include "core/extraction/nextpage.h"
#include "core/host/hostservices.h"
#include "core/model/runstate.h"
#include "core/net/randomsource.h"
#include "core/settings/appsettings.h"
#include "core/settings/uitexts.h"

#include <QLoggingCategory>
#include <QTimer>
#include <QUrl>

#include <exception>
#include <optional>

Q_LOGGING_CATEGORY(lcRun, "tarnwick.extraction.run", QtInfoMsg)

ExtractionDriver::ExtractionDriver(RunPieces pieces, ResultsList &results, BrowserPane &pane, Fetcher &fetcher,
                                   QTimer &tmrParse, RandomSource &random)
    : m_pieces(pieces), m_pane(pane), m_tmrParse(tmrParse), m_random(random), m_parser(pieces, fetcher, results),
      m_statusLine(pieces.status, pieces.texts) {
    m_parser.setStatusLine(&m_statusLine);
    m_tmrParse.stop();
    // A coarse timer may fire up to 5 % early; the pause between page reads is a promise to the site.
    m_tmrParse.setTimerType(Qt::PreciseTimer);
    m_tmrParse.setInterval(m_timings.parseIntervalMs);
}

ExtractionDriver::~ExtractionDriver() {
    Shutdown();
}

void ExtractionDriver::setTimings(const Timings &timings) {
    m_timings = timings;
    m_tmrParse.setInterval(m_timings.parseIntervalMs);
}

bool ExtractionDriver::isPolling() const {
    return m_tmrParse.isActive();
}

void ExtractionDriver::setAccountGuard(AccountGuard *guard) {
    m_account = guard;
    m_parser.setAccountGuard(guard);
}

void ExtractionDriver::setPageBudget(PageBudget *budget) {
    m_budgetGate.reset();
    if (budget != nullptr) {
        m_budgetGate = std::make_unique<BudgetGate>(*budget, m_pieces.settings, m_pieces.texts,
                                                    [this](const QString &text) { m_statusLine.BudgetPaused(text); });
    }
    setAccountGuard(m_budgetGate.get());
}

void ExtractionDriver::btnStartClick() {
    m_random.Reseed();
    if (m_pieces.run.Parsing) {
        return;
    }
    m_pieces.run.ExportedNum = 0;
    m_pieces.status.setPanelText(StatusSink::ExportedPanel, m_pieces.texts.format(QStringLiteral("main46"), 0));
    // A fresh token: the last run's stays requested for whatever of that run is still under way.
    m_pieces.run.ShouldStop = StopToken::Create();
    m_pieces.run.Parsing = true;
    m_tmrParse.start();
    // A queue's searches keep one time stamp in their file names, across restarts too.
    m_pieces.run.DateTimeVal =
        m_pieces.run.Queued ? m_pieces.run.Queued->stamp : MakeDateTimeVal(QDateTime::currentDateTime());
    EnsureExportFolder(m_pieces.settings, m_pieces.run);
    m_runStarted = true;
    m_challenge = Challenge::None;
    m_cardsWait.reset();
    m_runLinks.clear();
    m_todaysRun = false;
    m_statusLine.RunStarted();
    m_statusLine.Waiting();
    m_parser.RunStarted();
    m_parser.library().setSearchAddress({});
}

// Stop ends a run at once: the request ends the fetch and the pause in progress, and the tick
// drops its entry before the request returns. The pane is told twice, as it may be between
// two steps the first time.
void ExtractionDriver::btnStopClick() {
    m_pieces.run.Parsing = false;
    m_tmrParse.stop();
    for (int attempt = 0; attempt < 2; ++attempt) {
        m_pane.stop();
    }
    m_pieces.run.ShouldStop.request();
    m_pieces.status.setGaugePosition(0);
    if (m_runStarted) {
        m_statusLine.Stopped();
    }
    RunEnded(RunEnd::Stopped);
    m_pauses.track(PumpDelay(m_timings.stopPauseMs, m_closing));
}

void ExtractionDriver::Shutdown() {
    m_tmrParse.stop();
    m_pieces.run.ShouldStop.request();
    m_closing.request();
    m_pane.cancelScriptCalls();
}

void ExtractionDriver::tmrParseTimer() {
    if (inTick()) {
        return; // the timer is off during a tick; a timeout queued before must not start another
    }
    m_tick = Tick();
}

QCoro::Task<> ExtractionDriver::Tick() {
    // Nothing may unwind into the event loop: a failure ends the run and says why.
    std::optional<QString> failure;
    try {
        co_await TickSteps();
    } catch (const std::exception &error) {
        failure = QString::fromLocal8Bit(error.what());
    } catch (...) {
        failure = QStringLiteral("The page could not be processed.");
    }
    if (failure) {
        FailRun(*failure);
    }
}

QCoro::Task<> ExtractionDriver::TickSteps() {
    m_tmrParse.stop();
    m_pieces.status.setPanelText(StatusSink::ActivityPanel, QString());
    // The run this tick belongs to, taken before the first wait.
    const StopToken stop = m_pieces.run.ShouldStop;

    // An unreadable document counts as a page without a layout.
    const MarkupResult markup = co_await m_pane.bodyOuterHtml();
    const QString text = markup.ok() ? markup.markup : QString();
    const QString address = m_pane.locationUrl();
    m_layout = DetectLayout(text);
    if (m_layout == PageLayout::None && m_pieces.run.Parsing &&
        IsCompanySearchAddress(address, m_pieces.endpoints.linkedInHttps)) {
        m_layout = PageLayout::Cards;
    }
    qCDebug(lcRun) << "tick: layout" << static_cast<int>(m_layout) << "of" << address << text.size() << "characters"
                   << markup.error;
    if (m_todaysRun && m_pieces.run.Parsing && !stop.requested()) {
        // Once a run reads today's site, a page that signs the member out or checks them ends it.
        Challenge challenge = ChallengeOfAddress(address);
        if (challenge == Challenge::None && m_pane.httpErrorStatus() == 429) {
            challenge = Challenge::TooManyRequests;
        }
        if (challenge == Challenge::None && SaysCommercialUseLimit(text)) {
            challenge = Challenge::CommercialUseLimit;
        }
        if (challenge != Challenge::None) {
            StopAtChallenge(challenge);
            co_return;
        }
    }
    if (m_layout == PageLayout::None) {
        if (m_pieces.run.Parsing) {
            m_statusLine.Waiting();
        }
        PollAgain(stop);
        co_return;
    }
    if (!m_pieces.run.Parsing || stop.requested()) {
        co_return;
    }
    // The first result page a run reads names the search its rows come from.
    if (m_parser.library().searchAddress().isEmpty()) {
        m_parser.library().setSearchAddress(address);
    }
    if (m_layout == PageLayout::Cards) {
        co_await CardsSteps(stop);
        co_return;
    }
    m_statusLine.PageStarted();

    m_pieces.run.SuperParseHTML = text;
    // Each await a statement of its own: the compiler mishandles a task made inside a condition.
    ParseOutcome outcome;
    if (m_layout == PageLayout::First) {
        outcome = co_await m_parser.GetCompanyDataResults1(text, stop);
    } else {
        outcome = co_await m_parser.GetCompanyDataResults2(text, stop);
    }
    if (StoppedByExportFailure(outcome.automaticExport)) {
        co_return;
    }
    if (stop.requested()) {
        co_return;
    }
    if (!HasNextPageMarker(m_pieces.run.SuperParseHTML, m_layout)) {
        EndRun();
        co_return;
    }
    // Stop lets the pause after the click run out: the next page goes on loading.
    // The countdown runs to the next read: the pause, then the timer's interval.
    const auto clicked = [this] {
        m_statusLine.Pausing(m_timings.nextPagePauseMs + m_timings.parseIntervalMs);
    };
    const NextPageOutcome next =
        co_await MoveNextPage(m_pane, m_pieces.run.SuperParseHTML, m_timings.nextPagePauseMs, m_closing, stop, clicked);
    if (stop.requested()) {
        co_return; // Stop has said all there is to say
    }
    switch (next.kind) {
    case NextPageOutcome::Kind::Clicked:
        PollAgain(stop);
        break;
    case NextPageOutcome::Kind::NoLink:
        EndRun();
        break;
    case NextPageOutcome::Kind::PaneFailed:
        // Pages may remain: this is no end of the run.
        FailRun(next.error);
        break;
    case NextPageOutcome::Kind::Stopped:
        break;
    }
}

QCoro::Task<> ExtractionDriver::CardsSteps(StopToken stop) {
    const QString address = m_pane.locationUrl();
    const PaneResult<QByteArray> read = co_await m_pane.readResultCards();
    if (stop.requested()) {
        co_return;
    }
    std::optional<CardsPage> page;
    if (read.ok()) {
        page = ParseCardsPage(read.value, m_pieces.endpoints.linkedInHttps);
    }
    // The engine reports the address decoded, as the user would type it: compared as addresses.
    if (!m_cardsWait || QUrl(m_cardsWait->address) != QUrl(address)) {
        WaitForCardsAt(address, false);
    }
    if (page && page->commercialLimit) {
        StopAtChallenge(Challenge::CommercialUseLimit);
        co_return;
    }
    // The cards are drawn by the page's scripts: two reads a second apart that agree mean the
    // page has settled.
    const bool settled = page && (page->noResults || (!page->cards.isEmpty() && m_cardsWait->lastRead &&
                                                      page->sameCards(*m_cardsWait->lastRead)));
    if (!settled) {
        m_cardsWait->lastRead = page && !page->cards.isEmpty() ? page : std::nullopt;
        if (m_cardsWait->since.hasExpired(CardsPatienceMs)) {
            m_statusLine.NoReadableCards();
        } else {
            m_statusLine.WaitingForCards();
        }
        PollAgain(stop);
        co_return;
    }
    m_todaysRun = true;
    if (!m_cardsWait->counted) {
        // The page the user opened was read already; it still counts against the budget.
        m_cardsWait->counted = true;
        const bool allowed = co_await TakeLinkedInRead(m_account, stop);
        if (!allowed) {
            co_return;
        }
    }
    m_statusLine.PageStarted();
    bool hadNewCard = false;
    for (const ResultCard &card : std::as_const(page->cards)) {
        if (!m_runLinks.contains(card.link)) {
            hadNewCard = true;
            m_runLinks.insert(card.link);
        }
    }
    const ParseOutcome outcome = co_await m_parser.GetCompanyDataResults3(*page, SearchKeywords(address), stop);
    if (StoppedByExportFailure(outcome.automaticExport)) {
        co_return;
    }
    if (outcome.challenge != Challenge::None) {
        StopAtChallenge(outcome.challenge);
        co_return;
    }
    if (stop.requested()) {
        co_return;
    }
    co_await NextCardsPage(*page, hadNewCard, stop);
}

// The next page is the same address with the next page number, as the site's own button makes it.
QCoro::Task<> ExtractionDriver::NextCardsPage(const CardsPage &page, bool hadNewCard, StopToken stop) {
    const QString address = m_cardsWait->address;
    const int number = SearchPageNumber(address);
    if (!hadNewCard || !page.nextPresent || page.nextDisabled || number >= LastSearchPage) {
        EndRun();
        co_return;
    }
    m_statusLine.Pausing(m_timings.nextPagePauseMs + m_timings.parseIntervalMs);
    co_await PumpDelay(m_timings.nextPagePauseMs, stop);
    if (stop.requested()) {
        co_return;
    }
    const QString nextAddress = SearchPageAddress(address, number + 1);
    const bool allowed = co_await TakeLinkedInRead(m_account, stop);
    if (!allowed) {
        co_return;
    }
    WaitForCardsAt(nextAddress, true);
    m_pane.navigate(nextAddress);
    PollAgain(stop);
}

void ExtractionDriver::WaitForCardsAt(const QString &address, bool counted) {
    m_cardsWait.emplace();
    m_cardsWait->address = address;
    m_cardsWait->since.start();
    m_cardsWait->counted = counted;
}

// A row automatic export could not write stops the run, which says why.
bool ExtractionDriver::StoppedByExportFailure(const ExportResult &automaticExport) {
    if (automaticExport) {
        return false;
    }
    qCWarning(lcRun) << "automatic export failed:" << automaticExport.errorString;
    btnStopClick();
    m_pieces.dialogs.showMessage(Dialogs::Icon::Warning, automaticExport.errorString);
    return true;
}

void ExtractionDriver::PollAgain(const StopToken &stop) {
    // A stopped run never ticks again: Stop has the last word.
    if (!stop.requested()) {
        m_tmrParse.start();
    }
}

// What LinkedIn asks of the member cannot be answered by asking again: the run stops, the rows
// listed stay, and the window says what to do.
void ExtractionDriver::StopAtChallenge(Challenge challenge) {
    qCWarning(lcRun) << "LinkedIn stopped the run:" << ChallengeMessageTag(challenge);
    m_challenge = challenge;
    m_tmrParse.stop();
    m_pieces.run.Parsing = false;
    m_pieces.run.ShouldStop.request();
    m_pieces.status.setGaugePosition(0);
    m_statusLine.StoppedAtChallenge();
    RunEnded(RunEnd::Challenge);
    m_pieces.dialogs.showMessage(Dialogs::Icon::Warning, m_pieces.texts.text(ChallengeMessageTag(challenge)));
}

void ExtractionDriver::EndRun() {
    m_pieces.run.Parsing = false;
    m_pieces.status.setPanelText(StatusSink::ActivityPanel, m_pieces.texts.text(QStringLiteral("main92")));
    const QString exportFile =
        m_pieces.run.ExportedNum > 0
            ? AutomaticExportFilePath(m_pieces.settings, m_pieces.run, m_pieces.settings.eExportFolder,
                                      AutomaticExportCategory(m_pieces.run))
            : QString();
    m_statusLine.Finished(exportFile);
    RunEnded(RunEnd::Finished);
}

void ExtractionDriver::FailRun(const QString &message) {
    qCWarning(lcRun) << "the run ended after an error:" << message;
    m_tmrParse.stop();
    m_pieces.run.Parsing = false;
    m_pieces.status.setPanelText(StatusSink::ActivityPanel, message);
    m_statusLine.Stopped();
    RunEnded(RunEnd::Failed);
}

void ExtractionDriver::RunEnded(RunEnd how) {
    m_lastEnd = how;
    m_parser.library().RunEnded();
    if (m_runEnded) {
        m_runEnded();
    }
}
