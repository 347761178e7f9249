#pragma once

#include <QList>
#include <QString>

// The columns, of columnCount, that exportFields selects, in ascending order. A column is
// selected when the decimal text of its index equals one whole comma-separated entry.
QList<int> SelectedExportColumns(const QString &exportFields, int columnCount);
