#pragma once

#include "core/account/challenge.h"
#include "core/async/stoptoken.h"
#include "core/completion/rowcompletion.h"
#include "core/library/libraryentry.h"

#include <QList>
#include <qcoro/qcorotask.h>

class LeadLibrary;
class ResultsList;
class StatusSink;
class UiTexts;

// What completing failed rows reads, fetches with and updates.
struct CompletionPieces {
    RowSteps steps;
    ResultsList &results;
    LeadLibrary &library;
    StatusSink &status;
    const UiTexts &texts;
};

struct CompletionOutcome {
    int completed = 0;    // rows that miss nothing now
    int stillFailing = 0; // rows fetched again that still miss a part
    QString lastFailure;  // the reason of the last row that still misses a part
    bool stopped = false;
    Challenge challenge = Challenge::None;
};

// Fetches again what failed for each entry, one after the other, with a run's pacing and
// budgets. Each row done goes to the library at once (add() with its remaining failures) and
// takes the place of the listed row with its link, if one is listed. Entries without a
// failure are passed over. A stop or a challenge ends it; the row in progress is left as it was.
QCoro::Task<CompletionOutcome> CompleteFailedRows(CompletionPieces pieces, QList<LibraryEntry> entries, StopToken stop);
