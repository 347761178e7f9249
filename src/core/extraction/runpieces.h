#pragma once

#include "core/export/automaticsave.h"

class AutomaticWorkbook;
class Dialogs;
class LeadLibrary;
struct AppSettings;
struct Endpoints;
struct RunState;
class StatusSink;
class UiTexts;

// What a run reads, changes and reports through; the window owns each of them for the life of
// the process.
struct RunPieces {
    const AppSettings &settings;
    const Endpoints &endpoints;
    const UiTexts &texts;
    StatusSink &status;
    Dialogs &dialogs;
    RunState &run;
    AutomaticWorkbook &workbook;
    // Keeps every row filed; a closed library keeps nothing and knows no company.
    LeadLibrary &library;

    AutomaticExportTarget automaticExport() const { return {settings, texts, status, run, workbook}; }
};
