#pragma once

#include "core/extraction/pagelayout.h"
#include "core/extraction/resultsparser.h"

#include <functional>

struct AppContext;
class BrowserPane;
class Fetcher;
class QTimer;
class RandomSource;
class ResultsList;

// Drives an extraction run from the window's parse timer. "Get Data" starts polling the pane
// once a second; a tick that finds a result page parses it, clicks its next-page link and polls
// again, until the last page or "Stop". Ticks never overlap: each one switches the timer off
// and switches it on again only when another tick is wanted.
class ExtractionDriver {
public:
    struct Timings {
        int parseIntervalMs = 1000;
        int nextPagePauseMs = 3000;
        int stopPauseMs = 1000;
    };

    // disconnect ends the fetch in progress of the program's HTTP client.
    ExtractionDriver(AppContext &context, ResultsList &results, BrowserPane &pane, Fetcher &fetcher,
                     std::function<void()> disconnect, QTimer &tmrParse, RandomSource &random);

    void btnStartClick();
    void btnStopClick();
    void tmrParseTimer();

    // Shorter waits for tests; the timer's interval follows at once.
    void setTimings(const Timings &timings);
    const Timings &timings() const { return m_timings; }
    // True while a tick runs (it processes events, so other handlers run inside it).
    bool inTick() const { return m_inTick; }
    PageLayout lastLayout() const { return m_layout; }
    // True while the parse timer is on: the run waits for its next tick.
    bool isPolling() const;
    ResultsPageParser &parser() { return m_parser; }

private:
    void Tick();
    void EndRun();
    void FailRun(const QString &message);

    AppContext &m_context;
    BrowserPane &m_pane;
    std::function<void()> m_disconnect;
    QTimer &m_tmrParse;
    RandomSource &m_random;
    ResultsPageParser m_parser;
    Timings m_timings;
    PageLayout m_layout = PageLayout::None;
    bool m_inTick = false;
};
