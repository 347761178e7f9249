#pragma once

#include "core/account/challenge.h"
#include "core/async/stoptoken.h"
#include "core/async/tasktracker.h"
#include "core/extraction/pagelayout.h"
#include "core/extraction/resultcards.h"
#include "core/extraction/resultsparser.h"
#include "core/extraction/runstatusline.h"

#include <QElapsedTimer>
#include <QSet>
#include <qcoro/qcorotask.h>

#include <functional>
#include <memory>
#include <optional>

class AccountGuard;
class BudgetGate;
class PageBudget;
class BrowserPane;
class Fetcher;
class QTimer;
class RandomSource;
class ResultsList;

// A result page of today's layout that a run waits for: its cards are drawn by the page's
// scripts, so the run reads until two reads agree.
struct CardsWait {
    QString address;
    QElapsedTimer since;
    std::optional<CardsPage> lastRead;
    bool counted = false; // the page's read was taken from the budget
};

// Drives an extraction run from the window's parse timer. "Get Data" starts polling the pane
// once a second; a tick that finds a result page parses it, clicks its next-page link and polls
// again, until the last page or "Stop". A tick is a coroutine the driver holds: the timer is off
// while it runs, and a timeout that still comes starts no second one.
//
// Each run has a stop token of its own (RunState::ShouldStop). Stop requests it, which ends the
// run's fetch and pause in progress at once; the tick then drops its entry before Stop returns.
// Get Data gives the next run a fresh token, so nothing of a stopped run carries on in the next.
class ExtractionDriver {
public:
    struct Timings {
        int parseIntervalMs = 1000;
        int nextPagePauseMs = 3000;
        int stopPauseMs = 1000;
    };

    // How a run ended.
    enum class RunEnd { Finished, Stopped, Challenge, Failed };

    ExtractionDriver(RunPieces pieces, ResultsList &results, BrowserPane &pane, Fetcher &fetcher, QTimer &tmrParse,
                     RandomSource &random);
    // Ends every wait of the driver first: nothing it started outlives it.
    ~ExtractionDriver();
    ExtractionDriver(const ExtractionDriver &) = delete;
    ExtractionDriver &operator=(const ExtractionDriver &) = delete;

    void btnStartClick();
    void btnStopClick();
    void tmrParseTimer();
    // The window closes: the run stops, and every wait and script call of the driver ends at
    // once, so the driver is idle when this returns (unless a message box is open in a tick).
    void Shutdown();

    // Called whenever a run ends: at its last page, after a failure, on Stop.
    void setRunEndedHandler(std::function<void()> handler) { m_runEnded = std::move(handler); }
    // How the last run ended, for the run-ended handler to read.
    RunEnd lastRunEnd() const { return m_lastEnd; }
    // Every LinkedIn page a run of today's layout reads passes the guard first; none by default.
    void setAccountGuard(AccountGuard *guard);
    // The guard that counts those reads against the page budgets and, while one is spent, says
    // in the run's line until when the run waits.
    void setPageBudget(PageBudget *budget);
    // The last challenge that stopped a run, or none.
    Challenge lastChallenge() const { return m_challenge; }

    // Shorter waits for tests; the timer's interval follows at once.
    void setTimings(const Timings &timings);
    const Timings &timings() const { return m_timings; }
    bool inTick() const { return !m_tick.isReady(); }
    // No tick and no pause of the driver is under way.
    bool isIdle() const { return !inTick() && m_pauses.isIdle(); }
    PageLayout lastLayout() const { return m_layout; }
    // True while the parse timer is on: the run waits for its next tick.
    bool isPolling() const;
    ResultsPageParser &parser() { return m_parser; }
    const RunStatusLine &statusLine() const { return m_statusLine; }
    // Put before what the run's line says, such as the place of the search in a queue.
    void setStatusPrefix(const QString &prefix) { m_statusLine.setPrefix(prefix); }

private:
    QCoro::Task<> Tick();
    QCoro::Task<> TickSteps();
    // Today's layout: waits until the cards are drawn, parses them, then goes to the next page.
    QCoro::Task<> CardsSteps(StopToken stop);
    QCoro::Task<> NextCardsPage(const CardsPage &page, bool hadNewCard, StopToken stop);
    // The one place that decides whether the parse timer runs again: never once the run stopped.
    void PollAgain(const StopToken &stop);
    void StopAtChallenge(Challenge challenge);
    // Starts waiting for the cards of the page at address; counted: its read was taken already.
    void WaitForCardsAt(const QString &address, bool counted);
    bool StoppedByExportFailure(const ExportResult &automaticExport);
    void EndRun();
    void FailRun(const QString &message);
    void RunEnded(RunEnd how);

    RunPieces m_pieces;
    BrowserPane &m_pane;
    QTimer &m_tmrParse;
    RandomSource &m_random;
    ResultsPageParser m_parser;
    RunStatusLine m_statusLine;
    bool m_runStarted = false; // the status line stays empty until the first run
    std::function<void()> m_runEnded;
    RunEnd m_lastEnd = RunEnd::Finished;
    Timings m_timings;
    PageLayout m_layout = PageLayout::None;
    AccountGuard *m_account = nullptr;
    std::unique_ptr<BudgetGate> m_budgetGate;
    Challenge m_challenge = Challenge::None;
    // Today's layout in this run: the page being waited for, and the links already met, so a page
    // of nothing new ends the run.
    std::optional<CardsWait> m_cardsWait;
    QSet<QString> m_runLinks;
    bool m_todaysRun = false;
    // Requested when the window closes: ends the waits that Stop lets run out.
    StopToken m_closing = StopToken::Create();
    QCoro::Task<> m_tick;
    TaskTracker m_pauses;
};
