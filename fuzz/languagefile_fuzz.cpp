// Language files through the code-page layer: the sections of each window's table are what a
// plain forward search gives, section after section on one shared front (tags compared with
// ASCII letters folded), and the message texts take exactly their sections.
#include "core/settings/languagefile.h"
#include "core/settings/languagetags.h"
#include "core/util/textfile.h"
#include "fuzzcheck.h"
#include "fuzzfile.h"
#include "fuzztext.h"

namespace {

QHash<QString, QString> ReferenceSections(const QString &text, const LanguageTable &table) {
    const QString folded = FoldAsciiReference(text);
    QHash<QString, QString> sections;
    qsizetype front = 0;
    for (const LanguageTag &entry : table) {
        const QString startTag = FoldAsciiReference(QString(u'<' + entry.tag + u'>'));
        const QString endTag = FoldAsciiReference(QString(QStringLiteral("</") + entry.tag + u'>'));
        QString section;
        const qsizetype start = folded.indexOf(startTag, front);
        if (start >= 0) {
            front = start + startTag.size();
            const qsizetype end = folded.indexOf(endTag, front);
            if (end >= 0) {
                section = text.sliced(front, end - front);
                front = end;
            }
        }
        sections.insert(entry.tag, section);
    }
    return sections;
}

void CheckTable(const QString &path, const QString &text, const LanguageTable &table) {
    const LanguageSections read = ReadLanguageSections(path, table);
    if (text.isEmpty()) {
        FuzzCheck(read.status == LanguageSections::Status::MissingOrEmpty, "an empty language file gives nothing");
        return;
    }
    FuzzCheck(read.loaded(), "a language file that is there is read", [&]() -> QString { return read.errorString; });
    const QHash<QString, QString> expected = ReferenceSections(text, table);
    for (const LanguageTag &entry : table) {
        const QString &section = read.texts[entry.tag];
        FuzzCheck(section == expected[entry.tag], "each section is what a forward search from the previous one finds",
                  [&]() -> QString {
                      return entry.tag + QStringLiteral(": ") + Shown(section) + QStringLiteral(", expected ") +
                             Shown(expected[entry.tag]);
                  });
    }
    UiTexts texts;
    ApplyUiTexts(read.texts, texts);
    for (const QString &tag : UiTextTags()) {
        FuzzCheck(texts.text(tag) == read.texts.value(tag), "a message text is its section",
                  [&]() -> QString { return tag; });
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QString path = WriteInputFile(QStringLiteral("language.dat"), data, size);
    const TextFileReadResult file = TextFile::read(path);
    FuzzCheck(file.ok(), "the file written is read", [&]() -> QString { return file.errorString; });
    CheckTable(path, file.text, MainWindowTags());
    CheckTable(path, file.text, SettingsDialogTags());
    return 0;
}
