#include "core/export/exportselection.h"

#include "core/export/exportcolumns.h"
#include "core/export/exportsource.h"

ExportSelection SelectForExport(const ExportSource &source, const QString &fileName, bool all,
                                const QString &exportFields) {
    ExportSelection selection;
    selection.columns = SelectedExportColumns(exportFields, LeadRow::ColumnCount);
    if (selection.columns.isEmpty()) {
        selection.refusal =
            ExportResult::failure(QStringLiteral("No column is selected for export; %1 was not written").arg(fileName));
        return selection;
    }
    if (source.captions.size() < LeadRow::ColumnCount) {
        selection.refusal = ExportResult::failure(
            QStringLiteral("The results list names %1 columns, not %2; %3 was not written")
                .arg(QString::number(source.captions.size()), QString::number(LeadRow::ColumnCount), fileName));
        return selection;
    }
    selection.rows.assign(static_cast<std::size_t>(source.rows.size()), all);
    for (const int row : source.selectedRows) {
        if (row >= 0 && row < source.rows.size()) {
            selection.rows[static_cast<std::size_t>(row)] = true;
        }
    }
    return selection;
}
