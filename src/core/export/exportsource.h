#pragma once

#include "core/model/leadrow.h"

#include <QList>
#include <QStringList>

// What an export needs from the results list, as plain values: the captions it shows (one per
// column), its rows in list order and the indices of the selected rows (any order).
struct ExportSource {
    QStringList captions;
    QList<LeadRow> rows;
    QList<int> selectedRows;
};
