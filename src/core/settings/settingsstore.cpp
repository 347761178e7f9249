#include "core/settings/settingsstore.h"

#include "core/settings/booleantext.h"
#include "core/util/textcursor.h"
#include "core/util/textfile.h"

#include <QFile>
#include <QFileInfo>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

QString StartMarker(QStringView key) {
    return u"<%%"_s + key + u"%%>"_s;
}
QString EndMarker(QStringView key) {
    return u"<%%/"_s + key + u"%%>"_s;
}
QString Entry(QStringView key, QStringView value) {
    return StartMarker(key) + value + EndMarker(key);
}

void SetDefaults(AppSettings &settings, const QString &documentsFolder) {
    settings = AppSettings{};
    settings.eExportFields = CountColumns();
    settings.eExportFolder = documentsFolder;
}

// A page budget as stored: a whole number in MinPageBudget..MaxPageBudget, or the fallback.
int BudgetValue(const QString &text, int fallback) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok && value >= MinPageBudget && value <= MaxPageBudget ? value : fallback;
}

// Reads the keys of the file one by one. The first thirteen are each looked for in the whole
// text, and only when their bare name occurs in it; the rest are read in a chain, each after
// the end marker of the one before.
class SettingsReader {
public:
    explicit SettingsReader(const QString &text) : m_text(text), m_whole(text) {}

    // Empty when the bare key does not occur; the value (possibly empty) otherwise.
    std::optional<QString> present(QStringView key) {
        m_buffer = m_whole;
        if (!m_text.contains(key))
            return std::nullopt;
        return CutBetween(StartMarker(key), EndMarker(key), 0, m_buffer);
    }
    QString next(QStringView key) { return CutBetween(StartMarker(key), EndMarker(key), 0, m_buffer); }

private:
    const QString &m_text;
    TextCursor m_whole;
    TextCursor m_buffer;
};

QString ExportFormatText(ExportFormat format) {
    return format == ExportFormat::Xlsx ? u"xlsx"_s : u"csv"_s;
}

ExportFormat ParseExportFormat(const QString &text) {
    return text.compare(u"xlsx"_s, Qt::CaseInsensitive) == 0 ? ExportFormat::Xlsx : ExportFormat::Csv;
}

} // namespace

QString SettingsFilePath(const QString &appDataFolder) {
    return appDataFolder + u"/settings.dat"_s;
}

QString CountColumns(int columnCount) {
    QString text;
    for (int i = 0; i < columnCount; ++i) {
        if (!text.isEmpty())
            text += u',';
        text += QString::number(i);
    }
    return text;
}

bool IsColumnSelected(const QString &exportFields, int index) {
    const QString wanted = QString::number(index);
    for (const QStringView entry : QStringView(exportFields).split(u',')) {
        if (entry == wanted)
            return true;
    }
    return false;
}

namespace {

LoadSettingsResult ReadSettings(AppSettings &settings, const QString &path, const QString &documentsFolder) {
    SetDefaults(settings, documentsFolder);
    LoadSettingsResult result;
    if (!QFileInfo::exists(path))
        return result;

    const TextFileReadResult file = TextFile::read(path);
    if (!file.ok()) {
        result.status = LoadSettingsResult::Status::Unreadable;
        result.errorString = file.errorString;
        return result;
    }

    SettingsReader reader(file.text);
    const auto readBoolean = [&](QStringView key, bool &field) {
        const std::optional<QString> value = reader.present(key);
        if (!value)
            return true;
        const std::optional<bool> parsed = ParseBooleanText(*value);
        if (!parsed) {
            result.status = LoadSettingsResult::Status::InvalidBoolean;
            result.key = key.toString();
            return false;
        }
        field = *parsed;
        return true;
    };
    const auto readText = [&](QStringView key, QString &field) {
        if (std::optional<QString> value = reader.present(key))
            field = std::move(*value);
    };

    if (!readBoolean(u"rNoProxy", settings.rNoProxy) || !readBoolean(u"rUseProxy", settings.rUseProxy) ||
        !readBoolean(u"rAuthentification", settings.rAuthentification))
        return result;
    readText(u"eHost", settings.eHost);
    readText(u"ePort", settings.ePort);
    readText(u"eUserName", settings.eUserName);
    readText(u"ePassword", settings.ePassword);
    if (!readBoolean(u"rRandomProxy", settings.rRandomProxy))
        return result;
    if (const std::optional<QString> proxies = reader.present(u"eRandomProxies"))
        settings.eRandomProxies = SplitLines(*proxies);
    readText(u"eExportFields", settings.eExportFields);
    readText(u"eRandom", settings.eRandom);
    if (!readBoolean(u"cExtractEmails", settings.cExtractEmails) ||
        !readBoolean(u"cCompleteFromGoogle", settings.cCompleteFromGoogle))
        return result;

    settings.cExportManually = ParseBooleanText(reader.next(u"cExportManually")).value_or(true);
    settings.cExportAutomatic = ParseBooleanText(reader.next(u"cExportAutomatic")).value_or(false);
    const auto readNonBlank = [&](QStringView key, QString &field, const QString &fallback) {
        const QString value = reader.next(key);
        field = TrimControls(value).isEmpty() ? fallback : value;
    };
    readNonBlank(u"eExportFolder", settings.eExportFolder, documentsFolder);
    readNonBlank(u"eDelimiter", settings.eDelimiter, u","_s);
    readNonBlank(u"Language", settings.CurrLang, u"en"_s);
    // Files written before the budgets existed end at Language; theirs are the defaults.
    settings.eHourBudget = BudgetValue(reader.next(u"eHourBudget"), DefaultHourBudget);
    settings.eDayBudget = BudgetValue(reader.next(u"eDayBudget"), DefaultDayBudget);
    settings.eExportFormat = ParseExportFormat(reader.next(u"eExportFormat"));
    readNonBlank(u"eQueuePause", settings.eQueuePause, u"30"_s);
    settings.cCheckMailServers = ParseBooleanText(reader.next(u"cCheckMailServers")).value_or(true);
    settings.cLeaveOutLibraryCompanies = ParseBooleanText(reader.next(u"cLeaveOutLibraryCompanies")).value_or(false);
    settings.cExportOnlyNewRows = ParseBooleanText(reader.next(u"cExportOnlyNewRows")).value_or(false);

    result.status = LoadSettingsResult::Status::Loaded;
    return result;
}

} // namespace

LoadSettingsResult LoadSettings(AppSettings &settings, const QString &path, const QString &documentsFolder) {
    LoadSettingsResult result = ReadSettings(settings, path, documentsFolder);
    if (result.status == LoadSettingsResult::Status::InvalidBoolean) {
        // The next save writes the defaults of the keys not read: the file as it was stays.
        result.keptAs = path + u".bad"_s;
        QFile::remove(result.keptAs);
        if (!QFile::copy(path, result.keptAs)) {
            result.keptAs.clear();
        }
    }
    return result;
}

SaveSettingsResult SaveSettings(const AppSettings &settings, const QString &path) {
    const QStringList lines = {
        Entry(u"rUseProxy", BooleanText(settings.rUseProxy)),
        Entry(u"rNoProxy", BooleanText(settings.rNoProxy)),
        Entry(u"rAuthentification", BooleanText(settings.rAuthentification)),
        Entry(u"eHost", settings.eHost),
        Entry(u"ePort", settings.ePort),
        Entry(u"eUserName", settings.eUserName),
        Entry(u"ePassword", settings.ePassword),
        Entry(u"eExportFields", settings.eExportFields),
        Entry(u"eRandom", settings.eRandom),
        Entry(u"rRandomProxy", BooleanText(settings.rRandomProxy)),
        // Each proxy is followed by CR LF, so the end marker opens the line after the last one.
        Entry(u"eRandomProxies", JoinLinesCrLf(settings.eRandomProxies)),
        Entry(u"cExtractEmails", BooleanText(settings.cExtractEmails)),
        Entry(u"cCompleteFromGoogle", BooleanText(settings.cCompleteFromGoogle)),
        Entry(u"cExportManually", BooleanText(settings.cExportManually)),
        Entry(u"cExportAutomatic", BooleanText(settings.cExportAutomatic)),
        Entry(u"eExportFolder", settings.eExportFolder),
        Entry(u"eDelimiter", settings.eDelimiter),
        Entry(u"Language", settings.CurrLang),
        Entry(u"eHourBudget", QString::number(settings.eHourBudget)),
        Entry(u"eDayBudget", QString::number(settings.eDayBudget)),
        Entry(u"eExportFormat", ExportFormatText(settings.eExportFormat)),
        Entry(u"eQueuePause", settings.eQueuePause),
        Entry(u"cCheckMailServers", BooleanText(settings.cCheckMailServers)),
        Entry(u"cLeaveOutLibraryCompanies", BooleanText(settings.cLeaveOutLibraryCompanies)),
        Entry(u"cExportOnlyNewRows", BooleanText(settings.cExportOnlyNewRows)),
    };
    const TextFileWriteResult written = TextFile::writeLines(path, lines, TextFile::Access::OwnerOnly);
    return {written.ok, written.errorString};
}
