#pragma once

#include "core/account/challenge.h"
#include "core/async/stoptoken.h"
#include "core/library/fetchfailures.h"
#include "core/model/leadrow.h"

#include <qcoro/qcorotask.h>

struct Endpoints;
class Fetcher;
class ResultsPageParser;

// What a completion fetches with: the run's parser, with its account guard and its pacing
// fetcher, and the addresses map links are made of.
struct RowSteps {
    ResultsPageParser &parser;
    const Fetcher &fetcher;
    const Endpoints &endpoints;
};

// What fetching the failed parts of a row again gave.
struct RowCompletion {
    LeadRow row;
    FetchFailures remaining; // none: every part is in the row now
    // The row was left as it was: a stop came, or LinkedIn asked something of the member.
    bool dropped = false;
    Challenge challenge = Challenge::None;
};

// Fetches again the parts of row that failed, with the parser's own steps, in a run's order.
QCoro::Task<RowCompletion> CompleteRow(RowSteps steps, LeadRow row, FetchFailures failed, StopToken stop);
