#include "core/export/recordwriter.h"
#include "core/settings/settingsstore.h"
#include "core/util/codepage.h"
#include "exporttesthelpers.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const QString AllColumns = CountColumns();

class SaveRecordsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_source.captions = CaptionList();
        for (int row = 0; row < 4; ++row) {
            m_source.rows.append(NumberedRow(row));
        }
    }

    QString path(const QString &name = QStringLiteral("out.csv")) const { return m_dir.filePath(name); }
    QByteArray save(const QString &fields, const QString &delimiter = QStringLiteral(","), bool all = false) {
        const ExportResult result = SaveRecords(m_source, path(), all, fields, delimiter);
        EXPECT_TRUE(result.ok) << result.errorString.toStdString();
        return ReadFileBytes(path());
    }
    void writeFile(const QByteArray &bytes) {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    Windows1252Scope m_codePage;
    QTemporaryDir m_dir;
    ExportSource m_source;
};

TEST_F(SaveRecordsTest, DefaultSelectionWritesAllCaptionsAndCells) {
    m_source.selectedRows = {0, 1, 2, 3};
    QByteArray expected = QuotedLine(CaptionList());
    for (int row = 0; row < 4; ++row) {
        expected += QuotedLine(NumberedCells(row));
    }
    EXPECT_EQ(save(AllColumns), expected);
    EXPECT_TRUE(expected.startsWith("\"Category\",\"Business Name\",\"Full Address\""));
    EXPECT_TRUE(expected.contains(
        "\"LinkedIn Link\",\"Google Maps Details\",\"Email Status\",\"Email Source\",\"Social Links\"\r\n"));
}

// Makes a folder refuse new entries while its files stay writable: the immutable attribute for
// root (whom permissions do not stop), read and search rights only for everyone else.
class NoNewFilesIn {
public:
    explicit NoNewFilesIn(const QString &folder) : m_folder(folder) {
        if (::geteuid() == 0) {
            m_ok = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), folder}) == 0;
            m_immutable = m_ok;
        } else {
            m_ok = QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        }
    }
    ~NoNewFilesIn() {
        if (m_immutable) {
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), m_folder});
        } else {
            QFile::setPermissions(m_folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        }
    }
    NoNewFilesIn(const NoNewFilesIn &) = delete;
    NoNewFilesIn &operator=(const NoNewFilesIn &) = delete;
    bool ok() const { return m_ok; }

private:
    QString m_folder;
    bool m_ok = false;
    bool m_immutable = false;
};

TEST_F(SaveRecordsTest, ExistingFileInAFolderThatRefusesNewFilesIsWrittenInPlace) {
    const QString folder = m_dir.filePath(QStringLiteral("shared"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString target = folder + QStringLiteral("/out.csv");
    {
        QFile file(target);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("an older, longer export that the new one replaces entirely\r\n");
    }
    m_source.selectedRows = {0};
    ExportResult result;
    {
        const NoNewFilesIn guard(folder);
        if (!guard.ok()) {
            GTEST_SKIP() << "this file system cannot refuse new files";
        }
        result = SaveRecords(m_source, target, false, QStringLiteral("11,1"), QStringLiteral(","));
    }
    EXPECT_TRUE(result.ok) << result.errorString.toStdString();
    EXPECT_EQ(ReadFileBytes(target), QByteArray("\"Business Name\",\"Email\"\r\n\"r0c1\",\"r0c11\"\r\n"));
    // A new file in such a folder still fails, and says where.
    {
        const NoNewFilesIn guard(folder);
        const ExportResult refused = SaveRecords(m_source, folder + QStringLiteral("/new.csv"), false,
                                                 QStringLiteral("11,1"), QStringLiteral(","));
        EXPECT_FALSE(refused.ok);
        EXPECT_TRUE(refused.errorString.contains(QStringLiteral("new.csv")));
    }
}

TEST_F(SaveRecordsTest, ColumnsAreWrittenInColumnOrder) {
    m_source.selectedRows = {0};
    EXPECT_EQ(save(QStringLiteral("11,1")), QByteArray("\"Business Name\",\"Email\"\r\n\"r0c1\",\"r0c11\"\r\n"));
}

TEST_F(SaveRecordsTest, OnlyWholeEntriesSelectColumns) {
    m_source.selectedRows = {2};
    EXPECT_EQ(save(QStringLiteral("10,11,12")),
              QByteArray("\"Website\",\"Email\",\"Specialties\"\r\n\"r2c10\",\"r2c11\",\"r2c12\"\r\n"));
}

TEST_F(SaveRecordsTest, SemicolonSeparatesHeaderAndRows) {
    m_source.selectedRows = {1};
    EXPECT_EQ(save(QStringLiteral("0,1"), QStringLiteral(";")),
              QByteArray("\"Category\";\"Business Name\"\r\n\"r1c0\";\"r1c1\"\r\n"));
}

TEST_F(SaveRecordsTest, EmptyDelimiterPutsFieldsSideBySide) {
    m_source.selectedRows = {1};
    EXPECT_EQ(save(QStringLiteral("0,1"), QString()),
              QByteArray("\"Category\"\"Business Name\"\r\n\"r1c0\"\"r1c1\"\r\n"));
}

TEST_F(SaveRecordsTest, SpecialCellsStayBetweenTheirQuotes) {
    LeadRow special = NumberedRow(0);
    special[1] = QStringLiteral("Smith, Jones\r\nand Sons");
    special[2] = QString();
    special[3] = QStringLiteral("The \"Best\"");
    m_source.rows.clear();
    m_source.rows.append(special);
    m_source.selectedRows = {0};
    EXPECT_EQ(save(QStringLiteral("1,2,3")), QByteArray("\"Business Name\",\"Full Address\",\"Address\"\r\n"
                                                        "\"Smith, Jones\r\nand Sons\",\"\",\"The \"\"Best\"\"\"\r\n"));
}

TEST_F(SaveRecordsTest, SelectedRowsAreWrittenInListOrder) {
    m_source.selectedRows = {3, 1};
    EXPECT_EQ(save(QStringLiteral("0")), QByteArray("\"Category\"\r\n\"r1c0\"\r\n\"r3c0\"\r\n"));
}

TEST_F(SaveRecordsTest, AllWritesEveryRow) {
    m_source.selectedRows = {2};
    EXPECT_EQ(save(QStringLiteral("0"), QStringLiteral(","), true),
              QByteArray("\"Category\"\r\n\"r0c0\"\r\n\"r1c0\"\r\n\"r2c0\"\r\n\"r3c0\"\r\n"));
}

TEST_F(SaveRecordsTest, NoQualifyingRowGivesTheHeaderAlone) {
    m_source.selectedRows = {};
    EXPECT_EQ(save(QStringLiteral("0,1")), QByteArray("\"Category\",\"Business Name\"\r\n"));
}

TEST_F(SaveRecordsTest, CaptionsAreTheOnesTheListShows) {
    m_source.captions[0] = QStringLiteral("Catégorie");
    m_source.selectedRows = {0};
    EXPECT_EQ(save(QStringLiteral("0")), QByteArray("\"Cat\xE9gorie\"\r\n\"r0c0\"\r\n"));
}

TEST_F(SaveRecordsTest, LettersOutsideTheCodePageBecomeReplacementCharacters) {
    LeadRow polish = NumberedRow(0);
    polish[1] = QStringLiteral("\u0141\u00F3d\u017A");
    m_source.rows.clear();
    m_source.rows.append(polish);
    m_source.selectedRows = {0};
    const QByteArray replacement = CodePage::current().encode(u"\u0141");
    ASSERT_EQ(replacement.size(), 1);
    EXPECT_EQ(save(QStringLiteral("1")),
              "\"Business Name\"\r\n\"" + replacement + "\xF3" + "d" + replacement + "\"\r\n");
}

TEST_F(SaveRecordsTest, ExistingFileIsReplacedCompletely) {
    writeFile(QByteArray(10000, 'x'));
    m_source.selectedRows = {0};
    EXPECT_EQ(save(QStringLiteral("0")), QByteArray("\"Category\"\r\n\"r0c0\"\r\n"));
}

TEST_F(SaveRecordsTest, NoSelectedColumnWritesNothing) {
    writeFile("earlier");
    m_source.selectedRows = {0};
    const ExportResult result = SaveRecords(m_source, path(), false, QStringLiteral("x, 1"), QStringLiteral(","));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(ReadFileBytes(path()), QByteArray("earlier"));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("out.csv")});
}

TEST_F(SaveRecordsTest, MissingCaptionsWriteNothing) {
    m_source.captions.removeLast();
    m_source.selectedRows = {0};
    EXPECT_FALSE(SaveRecords(m_source, path(), false, AllColumns, QStringLiteral(",")).ok);
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(SaveRecordsTest, MissingFolderFailsWithThePathAndCreatesNothing) {
    m_source.selectedRows = {0};
    const QString target = path(QStringLiteral("missing/out.csv"));
    const ExportResult result = SaveRecords(m_source, target, false, AllColumns, QStringLiteral(","));
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.errorString.contains(target));
    EXPECT_FALSE(QDir(path(QStringLiteral("missing"))).exists());
}

// A file-size limit makes the write fail midway, as a full disk would.
TEST_F(SaveRecordsTest, FailureMidwayLeavesTheEarlierFileWhole) {
    const QByteArray earlier = QuotedLine({QStringLiteral("earlier export")});
    writeFile(earlier);
    for (int row = 0; row < 20000; ++row) {
        m_source.rows.append(NumberedRow(row));
    }

    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit limited = previous;
    limited.rlim_cur = 64 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const ExportResult result = SaveRecords(m_source, path(), true, AllColumns, QStringLiteral(","));
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.errorString.contains(path()));
    EXPECT_EQ(ReadFileBytes(path()), earlier);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("out.csv")});
}

} // namespace
