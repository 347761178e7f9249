#include "core/app/dialogs.h"
#include "core/app/statussink.h"
#include "core/completion/completefailedrows.h"
#include "core/extraction/duplicateditems.h"
#include "core/extraction/extractiondriver.h"
#include "core/extraction/resultslist.h"
#include "core/journal/resultsjournal.h"
#include "core/net/downloader.h"
#include "core/settings/uitexts.h"
#include "gui/app/mainwindow.h"

#include <QLoggingCategory>
#include <QPushButton>
#include <QSet>

#include <exception>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

Q_LOGGING_CATEGORY(lcCompletion, "tarnwick.completion", QtInfoMsg)

// A completion counts as a run: it takes the run's place (Parsing, a fresh stop token, Get Data
// off), so Stop and closing the window end it, and no run starts beside it.
QCoro::Task<> CompleteAsARun(MainWindow &window, QPushButton &start, QList<LibraryEntry> entries) {
    AppContext &context = window.context();
    context.run.ShouldStop = StopToken::Create();
    context.run.Parsing = true;
    const StopToken stop = context.run.ShouldStop;
    start.setEnabled(false);
    window.extraction().parser().RunStarted();
    const CompletionPieces pieces{{window.extraction().parser(), window.downloader(), context.endpoints},
                                  window.results(),
                                  context.library,
                                  context.status,
                                  context.texts};
    CompletionOutcome outcome;
    std::optional<QString> failure;
    // Nothing may unwind into the event loop, and the run's place is given back in any case.
    try {
        outcome = co_await CompleteFailedRows(pieces, std::move(entries), stop);
    } catch (const std::exception &error) {
        failure = QString::fromLocal8Bit(error.what());
    }
    // A stop has ended the run already; a new one may have begun since.
    if (!stop.requested()) {
        context.run.Parsing = false;
    }
    start.setEnabled(true);
    context.library.flush();
    if (ResultsJournal *journal = window.journal()) {
        journal->flush();
    }
    if (failure) {
        qCWarning(lcCompletion).noquote() << "completing failed rows ended after an error:" << *failure;
        context.status.setPanelText(StatusSink::ActivityPanel, *failure);
    }
    const QStringList counts{QString::number(outcome.completed), QString::number(outcome.stillFailing)};
    context.status.setPanelText(StatusSink::RunPanel,
                                context.texts.format(outcome.stopped ? u"main288"_s : u"main287"_s, counts));
    // As after a run, hovering over the line tells why the last row still fails.
    context.status.setPanelToolTip(StatusSink::RunPanel, outcome.lastFailure);
    if (outcome.challenge != Challenge::None) {
        context.dialogs.showMessage(Dialogs::Icon::Warning, context.texts.text(ChallengeMessageTag(outcome.challenge)));
    }
}

} // namespace

void MainWindow::completeFailedRows(QList<LibraryEntry> entries) {
    if (m_closing.requested()) {
        return;
    }
    if (m_context->run.Parsing) {
        m_context->status.setPanelText(StatusSink::ActivityPanel, m_context->texts.text(u"main290"_s));
        return;
    }
    m_tasks.track(CompleteAsARun(*this, *m_btnStart, std::move(entries)));
}

void MainWindow::actCompleteFailedRowsClick() {
    QSet<QString> selected;
    for (const int row : m_results->selectedRows()) {
        selected.insert(KnownLinkKey(m_results->cell(row, LeadRow::LinkedInLink)));
    }
    // The library's views show what is written: rows listed a moment ago are written first.
    m_context->library.flush();
    const LibraryResult<QList<LibraryEntry>> failed = m_context->library.failedRows();
    QList<LibraryEntry> entries;
    for (const LibraryEntry &entry : failed.value) {
        if (selected.contains(KnownLinkKey(entry.row[LeadRow::LinkedInLink]))) {
            entries.append(entry);
        }
    }
    if (entries.isEmpty()) {
        m_context->status.setPanelText(StatusSink::ActivityPanel, m_context->texts.text(u"main289"_s));
        return;
    }
    completeFailedRows(std::move(entries));
}
