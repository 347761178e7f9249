#pragma once

#include "core/async/stoptoken.h"
#include "core/export/exportsource.h"
#include "core/export/manualexport.h"

#include <qcoro/qcorotask.h>

struct AppContext;

// "Export Data" with the lead library: with "export only rows not exported before" on, the
// selected rows whose companies the library has seen exported are left out, and when none is
// left the user is told so and nothing is asked or written (RefusedNoRowSelected). Once a file is
// written, the library notes its rows as exported to it, whatever the option says.
QCoro::Task<ManualExportOutcome> RunExportNotingLibrary(AppContext &context, ExportSource source, StopToken stop = {});
