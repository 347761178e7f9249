#pragma once

#include <QString>

// The state of an extraction run, shared by every part that takes part in one.
struct RunState {
    bool Parsing = false;    // a run is active
    bool ShouldStop = false; // a stop was requested; long loops test it
    QString SuperParseHTML;  // the page markup of the current tick
    QString DateTimeVal;     // the run's start time as file-name-safe text
    qint32 ExportedNum = 0;  // rows exported automatically in this run
};
