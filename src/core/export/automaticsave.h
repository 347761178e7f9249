#pragma once

#include "core/export/exportresult.h"

#include <QString>
#include <QStringList>

class AutomaticWorkbook;
struct AppSettings;
struct RunState;
class StatusSink;
class UiTexts;

// What automatic export reads, writes and reports through.
struct AutomaticExportTarget {
    const AppSettings &settings;
    const UiTexts &texts;
    StatusSink &status;
    RunState &run;
    AutomaticWorkbook &workbook;
};

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
// With eExportFormat XLSX the CSV file is kept as above and an Excel workbook of the same name
// ending in ".xlsx" is rewritten beside it (see AutomaticWorkbook); a failed rewrite shows in
// the status bar and does not fail the row, which is in the CSV file.
ExportResult AutomaticSave(AutomaticExportTarget target, const QStringList &captions, const QString &AFolder,
                           const QString &ACategory, const QString &ALine);

// Makes the export folder, with any missing parents, when the run exports automatically; a run calls it
// as it starts, so a folder that does not exist yet (a fresh desktop's Documents) is no failure.
// False when the folder is still missing; the first row then reports why.
bool EnsureExportFolder(const AppSettings &settings, const RunState &run);

// Whether EnsureExportFolder could have the folder: it exists, or the nearest folder above it
// that exists is one this user may write in.
bool ExportFolderCanBeCreated(const QString &folder);
// The file the user gets from the run's automatic export: the CSV file, or its workbook.
QString AutomaticExportFilePath(const AppSettings &settings, const RunState &run, const QString &AFolder,
                                const QString &ACategory);

// Whether the run exports each row automatically: as the settings say, or always in a queue.
bool ExportsAutomatically(const AppSettings &settings, const RunState &run);
// The category the run's automatic export file is named after.
QString AutomaticExportCategory(const RunState &run);

// Brings the run's workbook up to date with every row and forgets the run; nothing to do in CSV
// mode. Called when a run ends.
ExportResult FinishAutomaticSave(AutomaticWorkbook &workbook);
