#pragma once

#include "core/export/exportresult.h"
#include "core/export/exportsource.h"

#include <QList>
#include <QString>
#include <QStringList>

// Widest a column is made, in characters: longer cells wrap their view, not the sheet.
inline constexpr int MaxWorkbookColumnWidth = 60;

// Writes an Excel workbook of one sheet: the header row, then the rows, every cell as text (a
// value that starts with "=" stays text, never a formula). The header row is frozen and carries
// an autofilter; each column is as wide as its longest text, up to MaxWorkbookColumnWidth. The
// workbook is written beside AFileName under a temporary name and renamed into place, so an
// earlier file stays whole until the new one is complete. A row with fewer cells than the
// header leaves the rest empty.
ExportResult WriteWorkbook(const QString &AFileName, const QStringList &header, const QList<QStringList> &rows);

// The workbook twin of SaveRecords: the captions of the columns exportFields selects, then the
// selected rows (every row with All) in list order.
ExportResult SaveWorkbook(const ExportSource &source, const QString &AFileName, bool All, const QString &exportFields);
