#include "core/settings/languagefile.h"
#include "core/util/codepage.h"
#include "core/util/textcursor.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class LanguageFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        CodePage::setCurrent(CodePage::named("UTF-8"));
        m_path = LanguageFilePath(m_dir.path(), u"fr"_s);
        ASSERT_TRUE(QDir(m_dir.path()).mkpath(u"languages"_s));
    }
    void TearDown() override { CodePage::resetCurrent(); }

    void writeFile(const QByteArray &bytes) const {
        QFile file(m_path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    LanguageSections readMain() const { return ReadLanguageSections(m_path, MainWindowTags()); }

    QTemporaryDir m_dir;
    QString m_path;
};

using LanguageFileReading = LanguageFileTest;
using LanguageFileSections = LanguageFileTest;
using LanguageFileUiTexts = LanguageFileTest;

} // namespace

TEST(ReadTagText, CutsBetweenTagsAndLeavesEndTagAtFront) {
    TextCursor buffer(u"x<Main4>Start</MAIN4>rest"_s);
    EXPECT_EQ(ReadTagText(buffer, u"<main4>", u"</main4>"), u"Start"_s);
    EXPECT_EQ(buffer.toString(), u"</MAIN4>rest"_s);
}

TEST(ReadTagText, MissingStartTagLeavesBufferAlone) {
    TextCursor buffer(u"<main5>Stop</main5>"_s);
    EXPECT_EQ(ReadTagText(buffer, u"<main4>", u"</main4>"), u""_s);
    EXPECT_EQ(buffer.toString(), u"<main5>Stop</main5>"_s);
}

TEST(ReadTagText, MissingEndTagGivesEmptyTextAndBufferAfterStartTag) {
    TextCursor buffer(u"<main4>Start<main5>Stop</main5>"_s);
    EXPECT_EQ(ReadTagText(buffer, u"<main4>", u"</main4>"), u""_s);
    EXPECT_EQ(buffer.toString(), u"Start<main5>Stop</main5>"_s);
}

TEST(LanguageTables, MainWindowTagsInReadingOrder) {
    QStringList expected{u"main1"_s};
    const auto range = [&](int first, int last) {
        for (int i = first; i <= last; ++i)
            expected.append(u"main"_s + QString::number(i));
    };
    range(4, 8);
    range(12, 20);
    range(35, 43);
    range(45, 66);
    range(71, 90);
    range(92, 92);
    range(100, 101);
    range(110, 117);
    range(120, 121);
    range(130, 131);
    range(140, 160);
    range(200, 206);
    range(210, 212); // the columns after the first twenty
    range(220, 235);
    range(240, 244);
    range(255, 272);
    range(285, 290);
    QStringList actual;
    for (const LanguageTag &entry : MainWindowTags())
        actual.append(entry.tag);
    EXPECT_EQ(actual, expected);
}

TEST(LanguageTables, SettingsDialogTagsInReadingOrder) {
    QStringList actual;
    for (const LanguageTag &entry : SettingsDialogTags())
        actual.append(entry.tag);
    QStringList expected;
    for (int i = 1; i <= 23; ++i)
        expected.append(u"settings"_s + QString::number(i));
    expected.append(u"settings29"_s);
    for (int i = 40; i <= 42; ++i)
        expected.append(u"settings"_s + QString::number(i));
    for (int i = 45; i <= 47; ++i)
        expected.append(u"settings"_s + QString::number(i));
    for (int i = 50; i <= 52; ++i)
        expected.append(u"settings"_s + QString::number(i));
    expected.append(u"settings55"_s);
    expected.append(u"settings60"_s);
    expected.append(u"settings61"_s);
    expected.append(u"settings65"_s);
    expected.append(u"settings66"_s);
    EXPECT_EQ(actual, expected);
}

TEST(LanguageTables, CaptionsHaveBuiltInTextsAndMessagesNone) {
    for (const LanguageTag &entry : MainWindowTags()) {
        EXPECT_EQ(entry.builtInText.isEmpty(), UiTextTags().contains(entry.tag)) << entry.tag.toStdString();
    }
    for (const LanguageTag &entry : SettingsDialogTags())
        EXPECT_FALSE(entry.builtInText.isEmpty()) << entry.tag.toStdString();
    EXPECT_EQ(ColumnCaptionTag(0), u"main71"_s);
    EXPECT_EQ(ColumnCaptionTag(19), u"main90"_s);
    EXPECT_EQ(UiTextTags().size(), 110);
}

TEST_F(LanguageFileReading, PathIsExecutableFolderLanguagesCodeDat) {
    EXPECT_EQ(LanguageFilePath(u"/opt/tarnwick/bin"_s, u"de"_s), u"/opt/tarnwick/bin/languages/de.dat"_s);
}

TEST_F(LanguageFileReading, ByteOrderMarkDecidesHowAccentedTextReads) {
    const QByteArray section = "<main4>D\xC3\xA9marrer</main4>\r\n";
    writeFile("\xEF\xBB\xBF" + section);
    CodePage::setCurrent(CodePage::named("windows-1252"));
    EXPECT_EQ(readMain().texts.value(u"main4"_s), u"D\u00e9marrer"_s);

    // The same bytes without the mark are read in the code page and show other characters.
    writeFile(section);
    EXPECT_EQ(readMain().texts.value(u"main4"_s), u"D\u00c3\u00a9marrer"_s);
}

TEST_F(LanguageFileReading, MissingEmptyAndUnreadableFilesAreTold) {
    EXPECT_EQ(readMain().status, LanguageSections::Status::MissingOrEmpty);
    writeFile("");
    EXPECT_EQ(readMain().status, LanguageSections::Status::MissingOrEmpty);
    writeFile("\xEF\xBB\xBF");
    EXPECT_EQ(readMain().status, LanguageSections::Status::MissingOrEmpty);
    ASSERT_TRUE(QFile::remove(m_path));
    ASSERT_TRUE(QDir().mkpath(m_path));
    const LanguageSections unreadable = readMain();
    EXPECT_EQ(unreadable.status, LanguageSections::Status::Unreadable);
    EXPECT_FALSE(unreadable.errorString.isEmpty());
}

TEST_F(LanguageFileSections, TagsInAnyLetterCaseAreFound) {
    writeFile("<MAIN4>Go</Main4><Main5>Halt</mAiN5>");
    const LanguageSections sections = readMain();
    ASSERT_TRUE(sections.loaded());
    EXPECT_EQ(sections.texts.value(u"main4"_s), u"Go"_s);
    EXPECT_EQ(sections.texts.value(u"main5"_s), u"Halt"_s);
}

TEST_F(LanguageFileSections, SectionBeforeThePreviousOneIsNotFound) {
    writeFile("<main5>Halt</main5>\r\n<main4>Go</main4>\r\n<main6>Options</main6>\r\n");
    const LanguageSections sections = readMain();
    EXPECT_EQ(sections.texts.value(u"main4"_s), u"Go"_s);
    EXPECT_EQ(sections.texts.value(u"main5"_s), u""_s);
    EXPECT_EQ(sections.texts.value(u"main6"_s), u"Options"_s);
}

TEST_F(LanguageFileSections, MissingSectionIsBlankAndLaterOnesAreFound) {
    writeFile("<main1>Langue</main1><main6>Options</main6><main92>Fini</main92>");
    const LanguageSections sections = readMain();
    EXPECT_EQ(sections.texts.size(), qsizetype(MainWindowTags().size()));
    EXPECT_EQ(sections.texts.value(u"main1"_s), u"Langue"_s);
    EXPECT_TRUE(sections.texts.contains(u"main4"_s));
    EXPECT_EQ(sections.texts.value(u"main4"_s), u""_s);
    EXPECT_EQ(sections.texts.value(u"main92"_s), u"Fini"_s);
}

TEST_F(LanguageFileSections, TextIsKeptExactlyAcrossLines) {
    writeFile("<main55> Delete the rows?\nThis cannot be undone. </main55>");
    EXPECT_EQ(readMain().texts.value(u"main55"_s), u" Delete the rows?\r\nThis cannot be undone. "_s);
}

TEST_F(LanguageFileSections, TheTwoWindowsSetsMayBeInterleaved) {
    writeFile("<settings1>Options</settings1><main4>Go</main4><settings2>Net</settings2><main5>Halt</main5>");
    EXPECT_EQ(readMain().texts.value(u"main5"_s), u"Halt"_s);
    const LanguageSections dialog = ReadLanguageSections(m_path, SettingsDialogTags());
    EXPECT_EQ(dialog.texts.value(u"settings1"_s), u"Options"_s);
    EXPECT_EQ(dialog.texts.value(u"settings2"_s), u"Net"_s);
}

TEST_F(LanguageFileUiTexts, MessagesAreReplacedAndMissingOnesBlanked) {
    UiTexts texts;
    texts.setText(u"main49"_s, u"old"_s);
    writeFile("<main4>Go</main4><main45>[VAR1] lignes</main45><main48>Rien</main48><main92>Fini</main92>");
    ApplyUiTexts(readMain().texts, texts);
    EXPECT_EQ(texts.format(u"main45"_s, 12), u"12 lignes"_s);
    EXPECT_EQ(texts.text(u"main48"_s), u"Rien"_s);
    EXPECT_EQ(texts.format(u"main48"_s, 12), u"Rien"_s);
    EXPECT_EQ(texts.text(u"main49"_s), u""_s);
    EXPECT_EQ(texts.text(u"main92"_s), u"Fini"_s);
    EXPECT_EQ(texts.text(u"main4"_s), u""_s); // a caption, not a message
}

TEST_F(LanguageFileUiTexts, EveryPlaceholderIsReplaced) {
    UiTexts texts;
    texts.setText(u"main58"_s, u"[VAR1] ist da. [VAR1] laden? [var1]"_s);
    EXPECT_EQ(texts.format(u"main58"_s, u"3.13"_s), u"3.13 ist da. 3.13 laden? [var1]"_s);
}

TEST_F(LanguageFileUiTexts, NumberedPlaceholdersAreReplacedInOnePass) {
    UiTexts texts;
    texts.setText(u"main100"_s, u"[VAR2]: [VAR1] [VAR3] [VAR1]"_s);
    EXPECT_EQ(texts.format(u"main100"_s, QStringList{u"[VAR2]"_s, u"noon"_s}), u"noon: [VAR2] [VAR3] [VAR2]"_s);
}

// French damaged, then English whole, damaged and empty.
TEST_F(LanguageFileReading, ADamagedFileFallsBackToEnglishThenToTheBuiltInTexts) {
    const QByteArray noise = QByteArray("\x8f\x02<main4\x91\xff\r\n").repeated(40);
    writeFile(noise);
    QFile english(LanguageFilePath(m_dir.path(), u"en"_s));
    const LanguageTable table = {{u"main1"_s, {}}, {u"main4"_s, {}}};
    const QByteArray englishFiles[] = {"<main1>Language:</main1><main4>Get Data</main4>", noise, ""};
    for (const QByteArray &bytes : englishFiles) {
        ASSERT_TRUE(english.open(QIODevice::WriteOnly) && english.write(bytes) == bytes.size());
        english.close();
        QStringList damaged;
        EXPECT_EQ(ReadLanguageOrEnglish(m_dir.path(), u"fr"_s, table, damaged).texts.value(u"main4"_s), u"Get Data"_s);
        EXPECT_EQ(damaged, QStringList{m_path} + (bytes == noise ? QStringList{english.fileName()} : QStringList()));
    }
}
