#pragma once

#include "core/app/endpoints.h"
#include "core/export/automaticworkbook.h"
#include "core/library/leadlibrary.h"
#include "core/model/runstate.h"
#include "core/settings/appsettings.h"
#include "core/settings/uitexts.h"

#include <utility>

class Dialogs;
class Host;
class StatusSink;

// What the main window owns for the life of the process and every part may read: the host, the
// status bar, the dialogs, the endpoints, the settings, the texts, the run state, the run's
// automatic export workbook and the lead library (closed until the window opens it).
struct AppContext {
    AppContext(Host &host, StatusSink &status, Dialogs &dialogs, Endpoints endpoints = {})
        : host(host), status(status), dialogs(dialogs), endpoints(std::move(endpoints)) {}

    Host &host;
    StatusSink &status;
    Dialogs &dialogs;
    Endpoints endpoints;
    AppSettings settings;
    UiTexts texts;
    RunState run;
    AutomaticWorkbook workbook;
    LeadLibrary library;
};
