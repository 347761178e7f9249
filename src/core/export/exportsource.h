#pragma once

#include "core/model/packedrows.h"

#include <QList>
#include <QStringList>

// What an export needs from the results list, as plain values: the captions it shows (one per
// column), its rows in list order, still packed (each is decoded as it is written), and the
// indices of the selected rows (any order).
struct ExportSource {
    QStringList captions;
    PackedRows rows;
    QList<int> selectedRows;
};
