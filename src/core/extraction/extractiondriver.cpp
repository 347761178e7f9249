#include "core/extraction/extractiondriver.h"

#include "core/app/appcontext.h"
#include "core/app/dialogs.h"
#include "core/app/statussink.h"
#include "core/browser/browserpane.h"
#include "core/export/automaticsave.h"
#include "core/export/datetimeval.h"
#include "core/extraction/nextpage.h"
#include "core/host/hostservices.h"
#include "core/net/randomsource.h"

#include <QLoggingCategory>
#include <QTimer>

#include <exception>
#include <optional>

Q_LOGGING_CATEGORY(lcRun, "tarnwick.extraction.run", QtInfoMsg)

ExtractionDriver::ExtractionDriver(AppContext &context, ResultsList &results, BrowserPane &pane, Fetcher &fetcher,
                                   QTimer &tmrParse, RandomSource &random)
    : m_context(context), m_pane(pane), m_tmrParse(tmrParse), m_random(random), m_parser(context, fetcher, results),
      m_statusLine(context.status, context.texts) {
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

void ExtractionDriver::btnStartClick() {
    m_random.Reseed();
    if (m_context.run.Parsing) {
        return;
    }
    m_context.run.ExportedNum = 0;
    m_context.status.setPanelText(StatusSink::ExportedPanel, m_context.texts.format(QStringLiteral("main46"), 0));
    // A fresh token: the last run's stays requested for whatever of that run is still under way.
    m_context.run.ShouldStop = StopToken::Create();
    m_context.run.Parsing = true;
    m_tmrParse.start();
    m_context.run.DateTimeVal = MakeDateTimeVal(QDateTime::currentDateTime());
    m_runStarted = true;
    m_statusLine.RunStarted();
    m_statusLine.Waiting();
    m_parser.RunStarted();
}

// Stop ends a run at once: the request ends the fetch and the pause in progress, and the tick
// drops its entry before the request returns. The pane is told twice, as it may be between
// two steps the first time.
void ExtractionDriver::btnStopClick() {
    m_context.run.Parsing = false;
    m_tmrParse.stop();
    for (int attempt = 0; attempt < 2; ++attempt) {
        m_pane.stop();
    }
    m_context.run.ShouldStop.request();
    m_context.status.setGaugePosition(0);
    if (m_runStarted) {
        m_statusLine.Stopped();
    }
    RunEnded();
    m_pauses.track(PumpDelay(m_timings.stopPauseMs, m_closing));
}

void ExtractionDriver::Shutdown() {
    m_tmrParse.stop();
    m_context.run.ShouldStop.request();
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
    m_context.status.setPanelText(StatusSink::ActivityPanel, QString());

    // An unreadable document counts as a page without a layout.
    const MarkupResult markup = co_await m_pane.bodyOuterHtml();
    const QString text = markup.ok() ? markup.markup : QString();
    m_layout = DetectLayout(text);
    qCDebug(lcRun) << "tick: layout" << static_cast<int>(m_layout) << "of" << m_pane.locationUrl() << text.size()
                   << "characters" << markup.error;
    if (m_layout == PageLayout::None) {
        if (m_context.run.Parsing) {
            m_statusLine.Waiting();
        }
        m_tmrParse.start();
        co_return;
    }
    if (!m_context.run.Parsing) {
        co_return;
    }
    m_statusLine.PageStarted();

    // The run this page belongs to, taken with no wait since Parsing was read.
    const StopToken stop = m_context.run.ShouldStop;
    m_context.run.SuperParseHTML = text;
    // Each await a statement of its own: the compiler mishandles a task made inside a condition.
    ParseOutcome outcome;
    if (m_layout == PageLayout::First) {
        outcome = co_await m_parser.GetCompanyDataResults1(text, stop);
    } else {
        outcome = co_await m_parser.GetCompanyDataResults2(text, stop);
    }
    if (!outcome.automaticExport) {
        qCWarning(lcRun) << "automatic export failed:" << outcome.automaticExport.errorString;
        btnStopClick();
        m_context.dialogs.showMessage(Dialogs::Icon::Warning, outcome.automaticExport.errorString);
        co_return;
    }
    if (stop.requested()) {
        co_return;
    }
    if (!HasNextPageMarker(m_context.run.SuperParseHTML, m_layout)) {
        EndRun();
        co_return;
    }
    // Stop lets the pause after the click run out: the next page goes on loading.
    // The countdown runs to the next read: the pause, then the timer's interval.
    const auto clicked = [this] {
        m_statusLine.Pausing(m_timings.nextPagePauseMs + m_timings.parseIntervalMs);
    };
    const NextPageOutcome next =
        co_await MoveNextPage(m_pane, m_context.run.SuperParseHTML, m_timings.nextPagePauseMs, m_closing, clicked);
    switch (next.kind) {
    case NextPageOutcome::Kind::Clicked:
        m_tmrParse.start();
        break;
    case NextPageOutcome::Kind::NoLink:
        EndRun();
        break;
    case NextPageOutcome::Kind::PaneFailed:
        // Pages may remain: this is no end of the run.
        FailRun(next.error);
        break;
    }
}

void ExtractionDriver::EndRun() {
    m_context.run.Parsing = false;
    m_context.status.setPanelText(StatusSink::ActivityPanel, m_context.texts.text(QStringLiteral("main92")));
    const QString exportFile = m_context.run.ExportedNum > 0
                                   ? AutomaticExportPath(m_context.settings.eExportFolder, QStringLiteral("Results"),
                                                         m_context.run.DateTimeVal)
                                   : QString();
    m_statusLine.Finished(exportFile);
    RunEnded();
}

void ExtractionDriver::FailRun(const QString &message) {
    qCWarning(lcRun) << "the run ended after an error:" << message;
    m_tmrParse.stop();
    m_context.run.Parsing = false;
    m_context.status.setPanelText(StatusSink::ActivityPanel, message);
    m_statusLine.Stopped();
    RunEnded();
}

void ExtractionDriver::RunEnded() {
    if (m_runEnded) {
        m_runEnded();
    }
}
