#include "core/export/manualexport.h"

#include "core/app/appcontext.h"
#include "core/app/dialogs.h"
#include "core/app/statussink.h"
#include "core/export/recordwriter.h"
#include "core/host/host.h"
#include "core/host/hostservices.h"

#include <algorithm>

namespace {

// Blank and control characters, as removed from both ends before the column selection is
// judged empty.
bool IsBlankOrControl(QChar c) {
    return c.unicode() <= 0x20;
}

bool IsBlank(const QString &text) {
    return std::all_of(text.cbegin(), text.cend(), IsBlankOrControl);
}

} // namespace

ManualExportOutcome RunManualExport(AppContext &context, const ExportSource &source) {
    const auto refuse = [&](const QString &tag, ManualExportOutcome::Kind kind) {
        context.dialogs.showMessage(Dialogs::Icon::Information, context.texts.text(tag));
        return ManualExportOutcome{kind, {}, {}};
    };
    if (source.rows.isEmpty()) {
        return refuse(QStringLiteral("main48"), ManualExportOutcome::RefusedEmptyList);
    }
    if (source.selectedRows.isEmpty()) {
        return refuse(QStringLiteral("main49"), ManualExportOutcome::RefusedNoRowSelected);
    }
    if (IsBlank(context.settings.eExportFields)) {
        return refuse(QStringLiteral("main50"), ManualExportOutcome::RefusedNoColumns);
    }

    Dialogs::SaveFileRequest request;
    request.title = context.texts.text(QStringLiteral("main51"));
    request.filter = QStringLiteral("CSV files (*.csv)|*.csv");
    request.defaultSuffix = QStringLiteral("csv");
    request.folder = GetDocumentsFolder(context.host);
    const std::optional<QString> path = context.dialogs.getSaveFileName(request);
    if (!path) {
        return {ManualExportOutcome::Cancelled, {}, {}};
    }

    context.status.setPanelText(StatusSink::ActivityPanel, context.texts.text(QStringLiteral("main52")));
    context.host.processEvents();
    const ExportResult result =
        SaveRecords(source, *path, false, context.settings.eExportFields, context.settings.eDelimiter);
    context.status.setPanelText(StatusSink::ActivityPanel, context.texts.text(QStringLiteral("main53")));
    context.host.processEvents();
    if (!result) {
        return {ManualExportOutcome::Failed, *path, result.errorString};
    }
    return {ManualExportOutcome::Written, *path, {}};
}
