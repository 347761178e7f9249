#include "core/queue/queuerunner.h"

#include "core/app/statussink.h"
#include "core/browser/browserpane.h"
#include "core/export/automaticsave.h"
#include "core/export/automaticworkbook.h"
#include "core/export/datetimeval.h"
#include "core/export/exportline.h"
#include "core/host/hostservices.h"
#include "core/library/leadlibrary.h"
#include "core/model/runstate.h"
#include "core/net/randomsource.h"
#include "core/settings/appsettings.h"
#include "core/settings/uitexts.h"
#include "core/util/codepage.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

constexpr int PanePollMs = 100;

} // namespace

QueueRunner::QueueRunner(Pieces pieces, const QString &path) : m_pieces(pieces), m_file(path) {
    if (!path.isEmpty()) {
        m_queue = m_file.load().value_or(SearchQueue());
    }
}

bool QueueRunner::replaceQueue(SearchQueue queue) {
    if (m_running) {
        return false;
    }
    m_queue = std::move(queue);
    m_queue.stamp = MakeDateTimeVal(QDateTime::currentDateTime());
    m_queue.started = false;
    Save();
    return true;
}

void QueueRunner::setTimings(int secondMs, int navigationTimeoutMs) {
    m_secondMs = secondMs;
    m_navigationTimeoutMs = navigationTimeoutMs;
}

QCoro::Task<> QueueRunner::Run() {
    if (m_running || m_closing || !hasUnfinished() || m_pieces.run.Parsing) {
        co_return;
    }
    m_running = true;
    m_stop = StopToken::Create();
    bool goOn = true;
    while (goOn && !m_queue.finished()) {
        goOn = co_await RunSearch(m_queue.current());
        if (goOn && !m_queue.finished()) {
            goOn = co_await PauseBeforeNext();
        }
    }
    const bool done = m_queue.finished();
    m_running = false;
    m_pieces.run.Queued.reset();
    if (m_closing) {
        co_return;
    }
    m_pieces.driver.setStatusPrefix({});
    if (done) {
        Finish();
    }
}

// False when the queue is to stop here.
QCoro::Task<bool> QueueRunner::RunSearch(qsizetype index) {
    const QueuedSearch search = m_queue.searches().at(index);
    m_pieces.driver.setStatusPrefix(
        m_pieces.texts.format(u"main221"_s, {QString::number(index + 1), QString::number(m_queue.size())}) + u' ');
    RemoveExportFiles(search);
    m_queue.started = true;
    Save();
    const bool opened = co_await OpenSearch(search.address);
    // A run the user started meanwhile is not this search's: the queue waits for the user.
    if (!opened || m_pieces.run.Parsing) {
        co_return false;
    }
    m_pieces.run.Queued = QueuedExport{search.fileName, m_queue.stamp};
    const Completion<ExtractionDriver::RunEnd> ended;
    m_runEnd = ended;
    m_pieces.driver.btnStartClick();
    const ExtractionDriver::RunEnd how = co_await ended;
    m_runEnd.reset();
    m_pieces.run.Queued.reset();
    if (how != ExtractionDriver::RunEnd::Finished || m_closing) {
        co_return false;
    }
    m_queue.markDone(index);
    Save();
    co_return true;
}

// The run starts once the pane shows the search: a run started earlier would read the page
// before it. A pane that takes too long is left to the run, which waits for a result page.
QCoro::Task<bool> QueueRunner::OpenSearch(const QString &address) {
    BrowserPane &pane = m_pieces.pane;
    const QString before = pane.locationUrl();
    pane.navigate(address);
    QElapsedTimer since;
    since.start();
    bool moved = false;
    while (!since.hasExpired(m_navigationTimeoutMs)) {
        co_await PumpDelay(PanePollMs, m_stop);
        if (m_stop.requested()) {
            co_return false;
        }
        const QString now = pane.locationUrl();
        moved = moved || pane.isBusy() || now != before || QUrl(now) == QUrl(address);
        if (moved && !pane.isBusy()) {
            break;
        }
    }
    co_return true;
}

QCoro::Task<bool> QueueRunner::PauseBeforeNext() {
    const int seconds = std::max(m_pieces.settings.eQueuePause.trimmed().toInt(), 0);
    const int span = seconds * m_secondMs;
    // Half to one and a half times the setting, so searches do not follow at a fixed beat.
    const int pauseMs = span / 2 + m_pieces.random.Below(span + 1);
    m_pieces.status.setPanelText(StatusSink::ActivityPanel,
                                 m_pieces.texts.format(u"main234"_s, QString::number((pauseMs + 999) / 1000)));
    co_await PumpDelay(pauseMs, m_stop);
    co_return !m_stop.requested();
}

void QueueRunner::runEnded(ExtractionDriver::RunEnd how) {
    if (!m_running) {
        return;
    }
    if (how != ExtractionDriver::RunEnd::Finished) {
        m_stop.request();
    }
    if (m_runEnd) {
        // Resolving may resume the queue, which clears m_runEnd: resolve a copy.
        const Completion<ExtractionDriver::RunEnd> ended = *m_runEnd;
        ended.resolve(how);
    }
}

void QueueRunner::Shutdown() {
    m_closing = true;
    m_stop.request();
    if (m_runEnd) {
        const Completion<ExtractionDriver::RunEnd> ended = *m_runEnd;
        ended.resolve(ExtractionDriver::RunEnd::Stopped);
    }
}

void QueueRunner::RemoveExportFiles(const QueuedSearch &search) const {
    const QString path = AutomaticExportPath(m_pieces.settings.eExportFolder, search.fileName, m_queue.stamp);
    if (m_pieces.settings.cLeaveOutLibraryCompanies) {
        NoteKeptRows(search, path);
        return;
    }
    QFile::remove(path);
    QFile::remove(AutomaticWorkbook::WorkbookPath(path));
}

void QueueRunner::NoteKeptRows(const QueuedSearch &search, const QString &csvPath) const {
    LeadLibrary &library = m_pieces.library;
    QFile file(csvPath);
    if (!library.isOpen() || !file.open(QIODevice::ReadOnly)) {
        return;
    }
    const QList<QStringList> records =
        SplitExportLines(CodePage::current().decodeFile(file.readAll()), m_pieces.settings.eDelimiter);
    QStringList links;
    for (qsizetype index = 1; index < records.size(); ++index) { // after the header
        LeadRow row;
        row[LeadRow::LinkedInLink] = records.at(index).value(LeadRow::LinkedInLink);
        if (!library.contains(row[LeadRow::LinkedInLink])) {
            library.add(row, search.address);
        }
        links.append(row[LeadRow::LinkedInLink]);
    }
    const QList<bool> notExported = library.notExported(links);
    QStringList fresh;
    for (qsizetype index = 0; index < links.size(); ++index) {
        if (notExported.value(index)) {
            fresh.append(links.at(index));
        }
    }
    const QString exported =
        m_pieces.settings.eExportFormat == ExportFormat::Xlsx ? AutomaticWorkbook::WorkbookPath(csvPath) : csvPath;
    if (const LibraryResult<int> noted = library.markExportedLinks(fresh, exported); !noted.ok()) {
        m_pieces.status.setPanelText(StatusSink::ActivityPanel, m_pieces.texts.format(u"main244"_s, noted.errorString));
    }
}

void QueueRunner::Save() {
    if (m_file.path().isEmpty()) {
        return;
    }
    if (const QueueFile::Saved saved = m_file.save(m_queue); !saved.ok) {
        m_pieces.status.setPanelText(StatusSink::ActivityPanel, m_pieces.texts.format(u"main230"_s, saved.errorString));
    }
}

void QueueRunner::Finish() {
    m_pieces.status.setPanelText(StatusSink::ActivityPanel,
                                 m_pieces.texts.format(u"main231"_s, QString::number(m_queue.size())));
}
