#include "core/app/libraryexport.h"

#include "core/app/appcontext.h"
#include "core/app/dialogs.h"
#include "core/app/statussink.h"

using namespace Qt::StringLiterals;

namespace {

QStringList SelectedLinks(const ExportSource &source) {
    QStringList links;
    links.reserve(source.selectedRows.size());
    for (const int index : source.selectedRows) {
        links.append(source.rows.cell(index, LeadRow::LinkedInLink));
    }
    return links;
}

// The selected rows the library has not seen exported, in the selection's order.
QList<int> NotExportedSelection(const LeadLibrary &library, const ExportSource &source) {
    const QList<bool> fresh = library.notExported(SelectedLinks(source));
    QList<int> kept;
    for (qsizetype i = 0; i < source.selectedRows.size(); ++i) {
        if (fresh.value(i, true)) {
            kept.append(source.selectedRows.at(i));
        }
    }
    return kept;
}

} // namespace

QCoro::Task<ManualExportOutcome> RunExportNotingLibrary(AppContext &context, ExportSource source, StopToken stop) {
    LeadLibrary &library = context.library;
    if (context.settings.cExportOnlyNewRows && !source.rows.empty() && !source.selectedRows.isEmpty()) {
        source.selectedRows = NotExportedSelection(library, source);
        if (source.selectedRows.isEmpty()) {
            context.dialogs.showMessage(Dialogs::Icon::Information, context.texts.text(u"main240"_s));
            co_return ManualExportOutcome{ManualExportOutcome::RefusedNoRowSelected, {}, {}};
        }
    }
    const QStringList links = SelectedLinks(source);
    const ManualExportOutcome outcome = co_await RunManualExport(context, std::move(source), std::move(stop));
    if (outcome.kind == ManualExportOutcome::Written && library.isOpen()) {
        if (const LibraryResult<int> noted = library.markExportedLinks(links, outcome.path); !noted.ok()) {
            context.status.setPanelText(StatusSink::ActivityPanel,
                                        context.texts.format(u"main241"_s, noted.errorString));
        }
    }
    co_return outcome;
}
