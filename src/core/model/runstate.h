#pragma once

#include "core/async/stoptoken.h"

#include <QString>

#include <optional>

// The automatic export of a run that a queue of searches starts: always on, to a file of the
// search's own name and the queue's time stamp.
struct QueuedExport {
    QString category;
    QString stamp;
};

// The state of an extraction run, shared by every part that takes part in one.
struct RunState {
    bool Parsing = false; // a run is active
    // Whether a stop was requested. Stop and closing the window request it; Get Data clears it by
    // putting a fresh token in its place, so the work of a stopped run, which holds the old
    // token, stays stopped.
    StopToken ShouldStop = StopToken::Create();
    QString SuperParseHTML; // the page markup of the current tick
    QString DateTimeVal;    // the run's start time as file-name-safe text
    qint32 ExportedNum = 0; // rows exported automatically in this run
    std::optional<QueuedExport> Queued;
};
