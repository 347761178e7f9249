#include "core/export/exportcolumns.h"

#include "core/settings/settingsstore.h"

QList<int> SelectedExportColumns(const QString &exportFields, int columnCount) {
    QList<int> columns;
    for (int column = 0; column < columnCount; ++column) {
        if (IsColumnSelected(exportFields, column)) {
            columns.append(column);
        }
    }
    return columns;
}
