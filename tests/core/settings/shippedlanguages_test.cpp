#include "core/settings/languagefile.h"
#include "core/util/codepage.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The language files as the build tree holds them beside the executable.
class ShippedLanguageFiles : public ::testing::TestWithParam<const char *> {
protected:
    void SetUp() override { CodePage::setCurrent(CodePage::named("windows-1252")); }
    void TearDown() override { CodePage::resetCurrent(); }

    static QString code() { return QString::fromLatin1(GetParam()); }
    static QString builtPath() {
        return LanguageFilePath(qEnvironmentVariable("TARNWICK_BUILD_DIR") + u"/bin"_s, code());
    }
    static QByteArray bytes(const QString &path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

// Every start tag of table stands once in text, in table order, with its end tag after it.
void ExpectTagsInOrder(const QString &text, const LanguageTable &table) {
    qsizetype previous = -1;
    for (const LanguageTag &entry : table) {
        const QString startTag = u'<' + entry.tag + u'>';
        const qsizetype start = text.indexOf(startTag);
        ASSERT_GE(start, 0) << entry.tag.toStdString();
        EXPECT_EQ(text.indexOf(startTag, start + 1), -1) << entry.tag.toStdString() << " twice";
        EXPECT_GT(start, previous) << entry.tag.toStdString() << " out of order";
        EXPECT_GT(text.indexOf(u"</"_s + entry.tag + u'>', start), start) << entry.tag.toStdString();
        previous = start;
    }
}

} // namespace

TEST_P(ShippedLanguageFiles, Utf8WithMarkAndCrLfLineEnds) {
    const QByteArray content = bytes(builtPath());
    ASSERT_FALSE(content.isEmpty()) << builtPath().toStdString();
    EXPECT_TRUE(content.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(content.endsWith("\r\n"));
    EXPECT_EQ(content.count('\n'), content.count("\r\n"));
    EXPECT_EQ(content.count('\r'), content.count("\r\n"));
}

TEST_P(ShippedLanguageFiles, EveryTagOfBothWindowsInOrderAndNoneEmpty) {
    const QString text = CodePage::current().decodeFile(bytes(builtPath()));
    ExpectTagsInOrder(text, MainWindowTags());
    ExpectTagsInOrder(text, SettingsDialogTags());
    for (const LanguageTable *table : {&MainWindowTags(), &SettingsDialogTags()}) {
        const LanguageSections sections = ReadLanguageSections(builtPath(), *table);
        ASSERT_TRUE(sections.loaded());
        for (const LanguageTag &entry : *table) {
            const QString value = sections.texts.value(entry.tag);
            EXPECT_FALSE(value.trimmed().isEmpty()) << entry.tag.toStdString();
            EXPECT_FALSE(value.contains(u'<') || value.contains(u'\uFFFD')) << entry.tag.toStdString();
        }
    }
}

TEST_P(ShippedLanguageFiles, PlaceholdersWhereAValueIsNamedAndNowhereElse) {
    const LanguageSections sections = ReadLanguageSections(builtPath(), MainWindowTags());
    ASSERT_TRUE(sections.loaded());
    // How many values each entry names; every other entry names none.
    const QHash<QString, int> values{
        {u"main45"_s, 1},  {u"main46"_s, 1},  {u"main58"_s, 1},  {u"main100"_s, 2}, {u"main101"_s, 1},
        {u"main110"_s, 1}, {u"main112"_s, 2}, {u"main113"_s, 1}, {u"main115"_s, 2}, {u"main116"_s, 3},
        {u"main117"_s, 1}, {u"main130"_s, 2}, {u"main131"_s, 2}, {u"main140"_s, 2}, {u"main141"_s, 1},
        {u"main142"_s, 1}, {u"main143"_s, 2}, {u"main144"_s, 1}, {u"main148"_s, 2}, {u"main149"_s, 2},
        {u"main151"_s, 1}, {u"main152"_s, 1}, {u"main153"_s, 2}, {u"main154"_s, 1}, {u"main155"_s, 1},
        {u"main156"_s, 1}, {u"main157"_s, 2}, {u"main158"_s, 1}, {u"main159"_s, 1}, {u"main160"_s, 1},
        {u"main221"_s, 2}, {u"main222"_s, 2}, {u"main230"_s, 1}, {u"main231"_s, 1}, {u"main232"_s, 2},
        {u"main233"_s, 1}, {u"main234"_s, 1}, {u"main241"_s, 1}, {u"main242"_s, 3}, {u"main243"_s, 2},
        {u"main244"_s, 1}, {u"main265"_s, 1}, {u"main266"_s, 1}, {u"main272"_s, 1}, {u"main285"_s, 2},
        {u"main287"_s, 2}, {u"main288"_s, 2}};
    for (const LanguageTag &entry : MainWindowTags()) {
        const QString text = sections.texts.value(entry.tag);
        const int count = values.value(entry.tag);
        for (int value = 1; value <= 4; ++value) {
            EXPECT_EQ(text.contains(u"[VAR%1]"_s.arg(value)), value <= count) << entry.tag.toStdString() << value;
        }
    }
}

TEST_P(ShippedLanguageFiles, AmpersandsInCaptionsAreDoubled) {
    // A single "&" would mark an accelerator letter rather than show itself.
    static const QRegularExpression loneAmpersand(u"(?<!&)&(?!&)"_s);
    for (const LanguageTable *table : {&MainWindowTags(), &SettingsDialogTags()}) {
        const LanguageSections sections = ReadLanguageSections(builtPath(), *table);
        for (const LanguageTag &entry : *table) {
            if (!entry.builtInText.isEmpty()) {
                EXPECT_FALSE(loneAmpersand.match(sections.texts.value(entry.tag)).hasMatch())
                    << entry.tag.toStdString();
            }
        }
    }
}

TEST_P(ShippedLanguageFiles, BuildTreeCopyMatchesTheSource) {
    const QString source = qEnvironmentVariable("TARNWICK_TEST_DATA") + u"/../../languages/"_s + code() + u".dat"_s;
    const QByteArray sourceBytes = bytes(source);
    ASSERT_FALSE(sourceBytes.isEmpty()) << source.toStdString();
    EXPECT_EQ(bytes(builtPath()), sourceBytes);
}

INSTANTIATE_TEST_SUITE_P(EveryLanguage, ShippedLanguageFiles, ::testing::Values("en", "fr", "es", "it"));

TEST(ShippedLanguageTexts, EachLanguageHasItsOwnWording) {
    QStringList startCaptions;
    for (const char *code : {"en", "fr", "es", "it"}) {
        const QString path =
            LanguageFilePath(qEnvironmentVariable("TARNWICK_BUILD_DIR") + u"/bin"_s, QString::fromLatin1(code));
        const QString caption = ReadLanguageSections(path, MainWindowTags()).texts.value(u"main4"_s);
        EXPECT_FALSE(startCaptions.contains(caption)) << code;
        startCaptions.append(caption);
    }
}
