#pragma once

#include "core/export/exportresult.h"

#include <QString>
#include <QStringList>

struct AppContext;

// The longest path an automatic export file may have, in UTF-16 code units.
inline constexpr qsizetype MaxExportPathLength = 259;

// The run's automatic export file: AFolder, "/", the cleaned category, a blank, the run's
// DateTimeVal and ".csv". The folder text is used unchanged.
QString AutomaticExportPath(const QString &AFolder, const QString &ACategory, const QString &dateTimeVal);

// Appends one finished export line (without line end) to the run's automatic export file,
// creating it with a header of captions (the results list's, in column order) when it does not
// exist yet. The file is opened, written and closed for every row, so between rows it is
// complete on disk. Only a row that reached the file is counted in ExportedNum; a failure
// names the path and the reason, and leaves the count and the rows written before alone.
ExportResult AutomaticSave(AppContext &context, const QStringList &captions, const QString &AFolder,
                           const QString &ACategory, const QString &ALine);
