#include "core/settings/languagefile.h"

#include "core/util/textcursor.h"
#include "core/util/textfile.h"

using namespace Qt::StringLiterals;

QString ReadTagText(TextCursor &buffer, QStringView startTag, QStringView endTag) {
    return CutBetween(startTag, endTag, 0, buffer);
}

QString LanguageFilePath(const QString &executableFolder, const QString &code) {
    return executableFolder + u"/languages/"_s + code + u".dat"_s;
}

QHash<QString, QString> TakeSections(const QString &text, const LanguageTable &table) {
    QHash<QString, QString> texts;
    texts.reserve(static_cast<qsizetype>(table.size()));
    TextCursor buffer(text);
    for (const LanguageTag &entry : table) {
        const QString startTag = u'<' + entry.tag + u'>';
        const QString endTag = u"</"_s + entry.tag + u'>';
        texts.insert(entry.tag, ReadTagText(buffer, startTag, endTag));
    }
    return texts;
}

LanguageSections ReadLanguageSections(const QString &path, const LanguageTable &table) {
    LanguageSections sections;
    const TextFileReadResult file = TextFile::read(path);
    if (file.status == TextFileReadResult::Status::Unreadable) {
        sections.status = LanguageSections::Status::Unreadable;
        sections.errorString = file.errorString;
        return sections;
    }
    if (!file.ok() || file.text.isEmpty())
        return sections;
    sections.status = LanguageSections::Status::Loaded;
    sections.texts = TakeSections(file.text, table);
    for (const LanguageTag &entry : table) {
        sections.found += file.text.contains(u'<' + entry.tag + u'>', Qt::CaseInsensitive) ? 1 : 0;
    }
    return sections;
}

QString BuiltInLanguagePath() {
    return u":/languages/en.dat"_s;
}

LanguageSections ReadLanguageOrEnglish(const QString &executableFolder, const QString &code, const LanguageTable &table,
                                       QStringList &damagedFiles) {
    QStringList paths = {LanguageFilePath(executableFolder, code)};
    if (code != u"en"_s) {
        paths.append(LanguageFilePath(executableFolder, u"en"_s));
    }
    paths.append(BuiltInLanguagePath());
    for (qsizetype i = 0; i < paths.size(); ++i) {
        LanguageSections sections = ReadLanguageSections(paths[i], table);
        // The user's own file missing or empty changes nothing; a missing fallback is passed over.
        if (i == 0 && sections.status == LanguageSections::Status::MissingOrEmpty) {
            return sections;
        }
        if (sections.loaded() && 2 * sections.found >= qsizetype(table.size())) {
            return sections;
        }
        if (sections.status != LanguageSections::Status::MissingOrEmpty) {
            damagedFiles.append(paths[i]);
        }
    }
    return {};
}

void ApplyUiTexts(const QHash<QString, QString> &sections, UiTexts &texts) {
    for (const QString &tag : UiTextTags())
        texts.setText(tag, sections.value(tag));
}
