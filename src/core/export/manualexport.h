#pragma once

#include "core/export/exportresult.h"
#include "core/export/exportsource.h"

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
// folder and writes the selected rows with the selected columns into it. The status bar shows
// the start and the end of writing, with events processed after each.
ManualExportOutcome RunManualExport(AppContext &context, const ExportSource &source);
