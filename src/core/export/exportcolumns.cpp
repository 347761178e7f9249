#include "core/export/exportcolumns.h"

#include <QSet>
#include <QStringList>

QList<int> SelectedExportColumns(const QString &exportFields, int columnCount) {
    const QStringList entries = exportFields.split(u',');
    const QSet<QString> wanted(entries.cbegin(), entries.cend());
    QList<int> columns;
    for (int column = 0; column < columnCount; ++column) {
        if (wanted.contains(QString::number(column))) {
            columns.append(column);
        }
    }
    return columns;
}
