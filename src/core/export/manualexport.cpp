#include "core/export/manualexport.h"

#include "core/app/appcontext.h"
#include "core/app/dialogs.h"
#include "core/app/statussink.h"
#include "core/export/exporttarget.h"
#include "core/export/recordwriter.h"
#include "core/export/workbookwriter.h"
#include "core/host/hostservices.h"

#include <QDir>
#include <QFileInfo>

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

// The documents folder, or the home folder where the system names a documents folder that does
// not exist: a save dialog opened on a missing folder offers its name as the file's.
QString SaveDialogFolder(Host &host) {
    const QString documents = GetDocumentsFolder(host);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

} // namespace

QCoro::Task<ManualExportOutcome> RunManualExport(AppContext &context, ExportSource source, StopToken stop) {
    const auto refuse = [&](const QString &tag, ManualExportOutcome::Kind kind) {
        context.dialogs.showMessage(Dialogs::Icon::Information, context.texts.text(tag));
        return ManualExportOutcome{kind, {}, {}};
    };
    if (source.rows.empty()) {
        co_return refuse(QStringLiteral("main48"), ManualExportOutcome::RefusedEmptyList);
    }
    if (source.selectedRows.isEmpty()) {
        co_return refuse(QStringLiteral("main49"), ManualExportOutcome::RefusedNoRowSelected);
    }
    if (IsBlank(context.settings.eExportFields)) {
        co_return refuse(QStringLiteral("main50"), ManualExportOutcome::RefusedNoColumns);
    }

    Dialogs::SaveFileRequest request;
    request.title = context.texts.text(QStringLiteral("main51"));
    request.filter = ExportFileFilter();
    request.defaultSuffix = QStringLiteral("csv");
    request.folder = SaveDialogFolder(context.host);
    const std::optional<Dialogs::SaveFileChoice> choice = context.dialogs.getSaveFile(request);
    if (!choice) {
        co_return ManualExportOutcome{ManualExportOutcome::Cancelled, {}, {}};
    }
    const ExportTarget target = ChooseExportTarget(choice->path, choice->filterIndex);

    context.status.setPanelText(StatusSink::ActivityPanel, context.texts.text(QStringLiteral("main52")));
    const bool painted = co_await PumpDelay(0, stop);
    if (!painted) {
        co_return ManualExportOutcome{ManualExportOutcome::Cancelled, target.path, {}};
    }
    const ExportResult result =
        target.format == ExportFormat::Xlsx
            ? SaveWorkbook(source, target.path, false, context.settings.eExportFields)
            : SaveRecords(source, target.path, false, context.settings.eExportFields, context.settings.eDelimiter);
    if (!result) {
        // Never the end text: a user told the rows are out may delete them next.
        context.status.setPanelText(StatusSink::ActivityPanel, QString());
        context.dialogs.showMessage(Dialogs::Icon::Warning,
                                    context.texts.format(QStringLiteral("main140"), {target.path, result.errorString}));
        co_return ManualExportOutcome{ManualExportOutcome::Failed, target.path, result.errorString};
    }
    context.status.setPanelText(StatusSink::ActivityPanel, context.texts.text(QStringLiteral("main53")));
    co_return ManualExportOutcome{ManualExportOutcome::Written, target.path, {}};
}
