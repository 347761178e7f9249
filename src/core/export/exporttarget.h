#pragma once

#include "core/settings/appsettings.h"

#include <QString>

// The file a manual export writes and its format.
struct ExportTarget {
    QString path;
    ExportFormat format = ExportFormat::Csv;
};

// The save dialog's file types, in the order the filter index counts them.
QString ExportFileFilter();
ExportFormat ExportFormatOfFilter(int filterIndex);

// Decides from the chosen name and file type: a name ending in ".xlsx" or ".csv" (any case)
// gives that format whatever the type; any other name takes the chosen type, and a name
// without an extension gets the type's extension.
ExportTarget ChooseExportTarget(const QString &path, int filterIndex);
