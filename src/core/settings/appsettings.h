#pragma once

#include <QString>
#include <QStringList>

// LinkedIn pages read at most per hour and per day. Each setting is a whole number in
// MinPageBudget..MaxPageBudget; a stored value outside that range reads as the default.
inline constexpr int DefaultHourBudget = 300;
inline constexpr int DefaultDayBudget = 1500;
inline constexpr int MinPageBudget = 1;
inline constexpr int MaxPageBudget = 100000;

// The file type of the automatic export, stored as "csv" or "xlsx"; anything else reads as Csv.
enum class ExportFormat { Csv, Xlsx };

// Every user choice of the program. Field names are the keys of settings.dat; parts read a
// value at the moment they use it, so a change applies at once, also during a run.
struct AppSettings {
    bool rNoProxy = true;
    bool rUseProxy = false;
    bool rAuthentification = false;
    QString eHost;
    QString ePort = QStringLiteral("80");
    QString eUserName;
    QString ePassword;
    bool rRandomProxy = false;
    QStringList eRandomProxies;
    QString eExportFields; // comma-separated column indices; see CountColumns
    QString eRandom = QStringLiteral("3");
    bool cExtractEmails = true;
    bool cCompleteFromGoogle = true;
    bool cExportManually = true;
    bool cExportAutomatic = false;
    QString eExportFolder;
    QString eDelimiter = QStringLiteral(",");
    QString CurrLang = QStringLiteral("en"); // stored under the key Language
    int eHourBudget = DefaultHourBudget;
    int eDayBudget = DefaultDayBudget;
    ExportFormat eExportFormat = ExportFormat::Csv;
    // Seconds between two searches of a queue, about: the pause is drawn from half to one and a half times it.
    QString eQueuePause = QStringLiteral("30");
    bool cCheckMailServers = true; // asks DNS whether each address's domain takes mail
    // The lead library also answers the known-link test: a run fetches only companies never seen.
    bool cLeaveOutLibraryCompanies = false;
    // Exports leave out the rows whose company the library has seen exported before.
    bool cExportOnlyNewRows = false;
};
