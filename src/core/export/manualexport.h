#pragma once

#include "core/async/stoptoken.h"
#include "core/export/exportresult.h"
#include "core/export/exportsource.h"

#include <qcoro/qcorotask.h>

struct AppContext;

// How a press of "Export Data" ended.
struct ManualExportOutcome {
    enum Kind { RefusedEmptyList, RefusedNoRowSelected, RefusedNoColumns, Cancelled, Written, Failed };

    Kind kind = Cancelled;
    QString path;        // the chosen file, once the user picked one
    QString errorString; // why writing failed (Failed only)
};

// The logic of "Export Data": refuses an empty list, a list without selected rows and a blank
// column selection with an information box each; otherwise asks for a file in the documents
// folder (the home folder where that does not exist) and writes the selected rows with the
// selected columns into it, as CSV or as an Excel workbook (ChooseExportTarget decides). The
// status bar shows the start of writing, painted before the rows are written, and its end; a
// write that fails empties it and says why in a warning naming the file. A stop requested before
// the writing begins (the window closes) ends it as cancelled.
QCoro::Task<ManualExportOutcome> RunManualExport(AppContext &context, ExportSource source, StopToken stop = {});
