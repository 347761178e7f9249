#pragma once

#include <QList>
#include <QString>

// The columns, of columnCount, that exportFields selects by the column selection rule, in
// ascending order whatever the order of the entries.
QList<int> SelectedExportColumns(const QString &exportFields, int columnCount);
