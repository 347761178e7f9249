#include "core/extraction/extractiondriver.h"

#include "core/app/appcontext.h"
#include "core/app/dialogs.h"
#include "core/app/statussink.h"
#include "core/browser/browserpane.h"
#include "core/export/datetimeval.h"
#include "core/extraction/nextpage.h"
#include "core/host/host.h"
#include "core/host/hostservices.h"
#include "core/net/randomsource.h"
#include "core/util/flagscope.h"

#include <QLoggingCategory>
#include <QTimer>

#include <exception>
#include <utility>

Q_LOGGING_CATEGORY(lcRun, "tarnwick.extraction.run", QtInfoMsg)

ExtractionDriver::ExtractionDriver(AppContext &context, ResultsList &results, BrowserPane &pane, Fetcher &fetcher,
                                   std::function<void()> disconnect, QTimer &tmrParse, RandomSource &random)
    : m_context(context), m_pane(pane), m_disconnect(std::move(disconnect)), m_tmrParse(tmrParse), m_random(random),
      m_parser(context, fetcher, results) {
    m_tmrParse.stop();
    // A coarse timer may fire up to 5 % early; the pause between page reads is a promise to the site.
    m_tmrParse.setTimerType(Qt::PreciseTimer);
    m_tmrParse.setInterval(m_timings.parseIntervalMs);
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
    m_context.host.processEvents();
    m_context.run.ShouldStop = false;
    m_context.run.Parsing = true;
    m_tmrParse.start();
    m_context.run.DateTimeVal = MakeDateTimeVal(QDateTime::currentDateTime());
}

// Stop ends a run at the parser's next test and aborts the fetch in progress; the pane and the
// client are told twice, as either may be between two steps the first time.
void ExtractionDriver::btnStopClick() {
    m_context.run.ShouldStop = true;
    m_context.run.Parsing = false;
    m_tmrParse.stop();
    for (int attempt = 0; attempt < 2; ++attempt) {
        m_pane.stop();
    }
    for (int attempt = 0; attempt < 2 && m_disconnect; ++attempt) {
        m_disconnect();
    }
    m_context.status.setGaugePosition(0);
    PumpDelay(m_context.host, m_timings.stopPauseMs);
    m_context.host.processEvents();
}

void ExtractionDriver::tmrParseTimer() {
    if (m_inTick) {
        return; // the timer is off during a tick; a queued timeout must not nest one
    }
    const FlagScope scope(m_inTick);
    // Nothing may unwind into the timer's signal: a failure ends the run and says why.
    try {
        Tick();
    } catch (const std::exception &error) {
        FailRun(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        FailRun(QStringLiteral("The page could not be processed."));
    }
}

void ExtractionDriver::Tick() {
    m_tmrParse.stop();
    m_context.status.setPanelText(StatusSink::ActivityPanel, QString());

    // An unreadable document counts as a page without a layout.
    const MarkupResult markup = m_pane.bodyOuterHtml();
    const QString text = markup.ok() ? markup.markup : QString();
    m_layout = DetectLayout(text);
    qCDebug(lcRun) << "tick: layout" << static_cast<int>(m_layout) << "of" << m_pane.locationUrl() << text.size()
                   << "characters" << (markup.ok() ? QString() : markup.error);
    if (m_layout == PageLayout::None) {
        m_tmrParse.start();
        return;
    }
    if (!m_context.run.Parsing) {
        return;
    }

    m_context.run.SuperParseHTML = text;
    const ParseOutcome outcome =
        m_layout == PageLayout::First ? m_parser.GetCompanyDataResults1(text) : m_parser.GetCompanyDataResults2(text);
    if (!outcome.automaticExport) {
        qCWarning(lcRun) << "automatic export failed:" << outcome.automaticExport.errorString;
        btnStopClick();
        m_context.dialogs.showMessage(Dialogs::Icon::Warning, outcome.automaticExport.errorString);
        return;
    }
    if (m_context.run.ShouldStop) {
        return;
    }
    if (!HasNextPageMarker(m_context.run.SuperParseHTML, m_layout)) {
        EndRun();
        return;
    }
    if (MoveNextPage(m_pane, m_context.host, m_context.run.SuperParseHTML, m_timings.nextPagePauseMs)) {
        m_tmrParse.start();
    } else {
        EndRun();
    }
}

void ExtractionDriver::EndRun() {
    m_context.run.Parsing = false;
    m_context.host.processEvents();
    m_context.status.setPanelText(StatusSink::ActivityPanel, m_context.texts.text(QStringLiteral("main92")));
}

void ExtractionDriver::FailRun(const QString &message) {
    qCWarning(lcRun) << "the run ended after an error:" << message;
    m_tmrParse.stop();
    m_context.run.Parsing = false;
    m_context.status.setPanelText(StatusSink::ActivityPanel, message);
}
