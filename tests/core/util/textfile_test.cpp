#include "core/util/codepage.h"
#include "core/util/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace Qt::StringLiterals;

namespace {

class TextFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        CodePage::setCurrent(CodePage::named("UTF-8"));
    }
    void TearDown() override { CodePage::resetCurrent(); }

    QString path(const QString &name) const { return m_dir.filePath(name); }

    void writeBytes(const QString &name, const QByteArray &bytes) const {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    QByteArray readBytes(const QString &name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
};

using TextFileReading = TextFileTest;
using TextFileWriting = TextFileTest;
using LineSplitting = TextFileTest;

} // namespace

TEST_F(LineSplitting, EveryBreakKindEndsALineAndAFinalBreakAddsNone) {
    EXPECT_EQ(SplitLines(u"a\r\nb\nc\rd"), (QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s}));
    EXPECT_EQ(SplitLines(u"a\r\n"), QStringList{u"a"_s});
    EXPECT_EQ(SplitLines(u"a\n\n"), (QStringList{u"a"_s, u""_s}));
    EXPECT_EQ(SplitLines(u"\r\r\n"), (QStringList{u""_s, u""_s}));
    EXPECT_TRUE(SplitLines(u"").isEmpty());
}

TEST_F(TextFileReading, LinesAreJoinedBackWithCrLfAfterEach) {
    writeBytes(u"mixed.txt"_s, "one\ntwo\rthree\r\nfour");
    const TextFileReadResult result = TextFile::read(path(u"mixed.txt"_s));
    ASSERT_TRUE(result.ok()) << result.errorString.toStdString();
    EXPECT_EQ(result.text, u"one\r\ntwo\r\nthree\r\nfour\r\n"_s);
}

TEST_F(TextFileReading, EmptyFileGivesEmptyText) {
    writeBytes(u"empty.txt"_s, "");
    const TextFileReadResult result = TextFile::read(path(u"empty.txt"_s));
    EXPECT_TRUE(result.ok());
    EXPECT_TRUE(result.text.isEmpty());
}

TEST_F(TextFileReading, MissingAndUnreadableAreTold) {
    const TextFileReadResult missing = TextFile::read(path(u"absent.txt"_s));
    EXPECT_EQ(missing.status, TextFileReadResult::Status::Missing);
    EXPECT_FALSE(missing.errorString.isEmpty());

    // A folder exists but cannot be read as a file, also for root.
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(u"folder.txt"_s));
    const TextFileReadResult unreadable = TextFile::read(path(u"folder.txt"_s));
    EXPECT_EQ(unreadable.status, TextFileReadResult::Status::Unreadable);
    EXPECT_FALSE(unreadable.errorString.isEmpty());
}

TEST_F(TextFileReading, Windows1252FileLoadsUnderEitherCodePage) {
    writeBytes(u"legacy.txt"_s, "Caf\xE9\r\n\x80 5\r\n");
    for (const QByteArray &name : {QByteArray("UTF-8"), QByteArray("windows-1252")}) {
        CodePage::setCurrent(CodePage::named(name));
        EXPECT_EQ(TextFile::read(path(u"legacy.txt"_s)).text, u"Caf\u00e9\r\n\u20ac 5\r\n"_s) << name.constData();
    }
}

TEST_F(TextFileReading, Utf16FileWithMarkLoads) {
    const QString text = u"Ligne \u00e9\r\nDeux"_s;
    QByteArray bytes("\xFF\xFE");
    bytes.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    writeBytes(u"utf16.txt"_s, bytes);
    EXPECT_EQ(TextFile::read(path(u"utf16.txt"_s)).text, u"Ligne \u00e9\r\nDeux\r\n"_s);
}

TEST_F(TextFileWriting, EveryLineEndsWithCrLfAndNoMarkIsWritten) {
    ASSERT_TRUE(TextFile::writeLines(path(u"out.txt"_s), {u"\u00e9t\u00e9"_s, u""_s, u"last"_s}).ok);
    EXPECT_EQ(readBytes(u"out.txt"_s), QByteArray("\xC3\xA9t\xC3\xA9\r\n\r\nlast\r\n"));
}

TEST_F(TextFileWriting, Windows1252CodePageWritesSingleBytesAndQuestionMarks) {
    CodePage::setCurrent(CodePage::named("windows-1252"));
    ASSERT_TRUE(TextFile::writeLines(path(u"out.txt"_s), {u"\u00e9 \u20ac \u0436"_s}).ok);
    EXPECT_EQ(readBytes(u"out.txt"_s), QByteArray("\xE9 \x80 ?\r\n"));
}

TEST_F(TextFileWriting, ReplacesAnExistingFileWhole) {
    writeBytes(u"out.txt"_s, QByteArray(4096, 'x'));
    ASSERT_TRUE(TextFile::writeLines(path(u"out.txt"_s), {u"short"_s}).ok);
    EXPECT_EQ(readBytes(u"out.txt"_s), QByteArray("short\r\n"));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{u"out.txt"_s});
}

TEST_F(TextFileWriting, OwnerOnlyFileIsNotReadableByOthers) {
    writeBytes(u"secret.txt"_s, "old");
    ASSERT_TRUE(QFile::setPermissions(path(u"secret.txt"_s), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                                 QFileDevice::ReadGroup | QFileDevice::ReadOther));
    ASSERT_TRUE(TextFile::writeLines(path(u"secret.txt"_s), {u"pw"_s}, TextFile::Access::OwnerOnly).ok);
    ASSERT_TRUE(TextFile::writeLines(path(u"fresh.txt"_s), {u"pw"_s}, TextFile::Access::OwnerOnly).ok);
    const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    const auto others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther |
                        QFileDevice::WriteOther | QFileDevice::ExeGroup | QFileDevice::ExeOther;
    for (const QString &name : {u"secret.txt"_s, u"fresh.txt"_s}) {
        const QFileDevice::Permissions permissions = QFileInfo(path(name)).permissions();
        EXPECT_EQ(permissions & ownerOnly, ownerOnly) << name.toStdString();
        EXPECT_EQ(permissions & others, QFileDevice::Permissions()) << name.toStdString();
    }
}

TEST_F(TextFileWriting, FailureIsToldAndLeavesWhatWasThere) {
    // A file in a folder that does not exist cannot be written.
    const TextFileWriteResult missingFolder = TextFile::writeLines(path(u"no/such/out.txt"_s), {u"x"_s});
    EXPECT_FALSE(missingFolder.ok);
    EXPECT_FALSE(missingFolder.errorString.isEmpty());
    // A folder in the way of the file name cannot be replaced by a file.
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(u"taken"_s));
    EXPECT_FALSE(TextFile::writeLines(path(u"taken"_s), {u"x"_s}).ok);
    EXPECT_TRUE(QFileInfo(path(u"taken"_s)).isDir());
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList());
}
