#pragma once

#include "core/export/exportresult.h"

#include <QList>
#include <QString>

#include <vector>

struct ExportSource;

// What an export writes of the results list: the selected columns in ascending order, and one
// flag per row (every row when all is set), or why it writes nothing at all.
struct ExportSelection {
    QList<int> columns;
    std::vector<bool> rows;
    ExportResult refusal = ExportResult::success();
};

ExportSelection SelectForExport(const ExportSource &source, const QString &fileName, bool all,
                                const QString &exportFields);
