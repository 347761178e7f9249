#pragma once

#include "core/export/exportresult.h"
#include "core/export/exportsource.h"

#include <QString>

// Writes a header of the captions of the columns exportFields selects, then the selected rows
// (every row with All) in list order, each line closed by CR LF, in the current code page.
// The file is replaced as a whole: until the new content is complete, an earlier file stays as
// it was. With no column selected nothing is written and the result says so.
ExportResult SaveRecords(const ExportSource &source, const QString &AFileName, bool All, const QString &exportFields,
                         const QString &delimiter);
