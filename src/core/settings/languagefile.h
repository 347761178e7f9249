#pragma once

#include "core/settings/languagetags.h"
#include "core/settings/uitexts.h"

#include <QHash>
#include <QString>
#include <QStringView>

class TextCursor;

// The text between the first startTag in buffer and the next endTag, tags compared with ASCII
// letters folded to upper case. The buffer then begins at the end tag; when the start tag is
// missing the result is empty and the buffer unchanged, when the end tag is missing the result
// is empty and the buffer begins just after the start tag.
QString ReadTagText(TextCursor &buffer, QStringView startTag, QStringView endTag);

// executableFolder + "/languages/" + code + ".dat"; the code is used unchanged.
QString LanguageFilePath(const QString &executableFolder, const QString &code);

// The sections of one window's table as read from a language file.
struct LanguageSections {
    enum class Status {
        Loaded,
        MissingOrEmpty, // nothing to apply: the window keeps its texts
        Unreadable      // the file exists but could not be read
    };
    Status status = Status::MissingOrEmpty;
    // tag -> text for every tag of the table; empty for a missing or out-of-order section.
    QHash<QString, QString> texts;
    // How many sections of the table the file holds.
    qsizetype found = 0;
    QString errorString;

    bool loaded() const { return status == Status::Loaded; }
};

// Takes the sections of table from text in a single forward pass over one shared buffer, so a
// section that stands before the one read previously is not found.
QHash<QString, QString> TakeSections(const QString &text, const LanguageTable &table);

// Reads the language file at path (byte-order mark or code page, lines joined with CR LF) and
// takes the sections of table from it.
LanguageSections ReadLanguageSections(const QString &path, const LanguageTable &table);

// The English texts built into the program, as a language file.
QString BuiltInLanguagePath();

// The sections of the language file of code, as ReadLanguageSections reads them. A file that
// cannot be read, or that holds fewer than half of the table's sections, is damaged: then the
// English file is read instead, and when that one is damaged or missing too, the built-in
// English texts. Every damaged file is added to damagedFiles.
LanguageSections ReadLanguageOrEnglish(const QString &executableFolder, const QString &code, const LanguageTable &table,
                                       QStringList &damagedFiles);

// Replaces every UiTexts entry (UiTextTags) with its section; a missing one blanks it.
void ApplyUiTexts(const QHash<QString, QString> &sections, UiTexts &texts);
