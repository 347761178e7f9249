#pragma once

#include "core/model/leadrow.h"
#include "core/settings/appsettings.h"

#include <QString>

// What LoadSettings did.
struct LoadSettingsResult {
    enum class Status {
        NoFile,        // no settings file: every value is its default
        Loaded,        // every key was read
        Unreadable,    // the file exists but could not be read: every value is its default
        InvalidBoolean // loading stopped at `key`: earlier keys were read, later ones are defaults
    };
    Status status = Status::NoFile;
    QString key;
    // Where a copy of the file as it was is kept when loading stopped early, if it could be made.
    QString keptAs;
    QString errorString;
};

struct SaveSettingsResult {
    bool ok = false;
    QString errorString;
};

// The settings file in the program's per-user data folder.
QString SettingsFilePath(const QString &appDataFolder);

// Sets every value to its default (the export folder defaults to documentsFolder), then takes the
// values stored in the settings file at path, when there is one. When loading stops at an
// invalid value, the file is copied to path + ".bad" first.
LoadSettingsResult LoadSettings(AppSettings &settings, const QString &path, const QString &documentsFolder);

// Replaces the settings file at path with every value. The file is written to a temporary file
// first and renamed into place, and only its owner may read it: it holds the proxy password.
SaveSettingsResult SaveSettings(const AppSettings &settings, const QString &path);

// Every column index of the results list, ascending, joined by "," ("0,1,...,19").
QString CountColumns(int columnCount = LeadRow::ColumnCount);

// Whether the column with this zero-based index is exported: its decimal text equals one whole
// entry of the comma-separated list (so 1 is not selected by "10,11").
bool IsColumnSelected(const QString &exportFields, int index);
