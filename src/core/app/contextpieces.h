#pragma once

#include "core/app/appcontext.h"
#include "core/extraction/resultslist.h"
#include "core/extraction/runpieces.h"

// The parts of an AppContext each user takes, so a class names only what it touches.

inline RunPieces RunPiecesOf(AppContext &context) {
    return {context.settings, context.endpoints, context.texts,    context.status,
            context.dialogs,  context.run,       context.workbook, context.library};
}

inline ResultsList::Pieces ListPiecesOf(AppContext &context) {
    return {context.host, context.status, context.dialogs, context.texts};
}

inline AutomaticExportTarget AutomaticExportOf(AppContext &context) {
    return RunPiecesOf(context).automaticExport();
}
