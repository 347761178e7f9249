#include "core/completion/completefailedrows.h"

#include "core/app/statussink.h"
#include "core/extraction/resultslist.h"
#include "core/host/hostservices.h"
#include "core/library/leadlibrary.h"
#include "core/settings/uitexts.h"

using namespace Qt::StringLiterals;

QCoro::Task<CompletionOutcome> CompleteFailedRows(CompletionPieces pieces, QList<LibraryEntry> entries,
                                                  StopToken stop) {
    CompletionOutcome outcome;
    QList<LibraryEntry> failed;
    for (LibraryEntry &entry : entries) {
        if (ParseFailureText(entry.failure).any()) {
            failed.append(std::move(entry));
        }
    }
    for (qsizetype index = 0; index < failed.size(); ++index) {
        const LibraryEntry &entry = failed.at(index);
        pieces.status.setPanelText(
            StatusSink::RunPanel,
            pieces.texts.format(u"main285"_s, QStringList{QString::number(index + 1), QString::number(failed.size())}));
        // The line is painted and the user may act before the next row's fetches.
        co_await PumpDelay(0, stop);
        if (stop.requested()) {
            break;
        }
        const RowCompletion done = co_await CompleteRow(pieces.steps, entry.row, ParseFailureText(entry.failure), stop);
        outcome.challenge = done.challenge;
        if (done.dropped) {
            break;
        }
        pieces.library.add(done.row, entry.searchAddress, FailureText(done.remaining));
        pieces.results.replaceListedRow(done.row);
        if (done.remaining.any()) {
            ++outcome.stillFailing;
            outcome.lastFailure = done.remaining.reason;
        } else {
            ++outcome.completed;
        }
    }
    outcome.stopped = stop.requested();
    co_return outcome;
}
