#include "core/export/automaticsave.h"
#include "core/export/exportline.h"
#include "exporttesthelpers.h"
#include "support/testcontext.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

class AutomaticSaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        t.context.run.DateTimeVal = QStringLiteral("12-8-2016 3-45-10 PM");
        t.context.texts.setText(QStringLiteral("main46"), QStringLiteral("[VAR1] exported ([VAR1])"));
        t.context.texts.setText(QStringLiteral("main47"), QStringLiteral("Exporting to "));
        m_path = m_dir.filePath(QStringLiteral("Results 12-8-2016 3-45-10 PM.csv"));
    }

    ExportResult save(int row, const QString &category = QStringLiteral("Results")) {
        return AutomaticSave(AutomaticExportOf(t.context), CaptionList(), m_dir.path(), category,
                             ExportLine(NumberedRow(row), t.context.settings.eDelimiter));
    }

    Windows1252Scope m_codePage;
    QTemporaryDir m_dir;
    TestContext t;
    QString m_path;
};

TEST_F(AutomaticSaveTest, PathJoinsFolderCleanedCategoryAndRunTime) {
    EXPECT_EQ(AutomaticExportPath(QStringLiteral("/data"), QStringLiteral("Res/ul:ts"), QStringLiteral("1-2-3")),
              QStringLiteral("/data/Results 1-2-3.csv"));
    EXPECT_EQ(AutomaticExportPath(QStringLiteral("/data/"), QStringLiteral("Results"), QStringLiteral("x")),
              QStringLiteral("/data//Results x.csv"));
}

TEST_F(AutomaticSaveTest, FirstRowCreatesTheFileWithTheHeaderAndLaterRowsAppend) {
    for (int row = 1; row <= 3; ++row) {
        const ExportResult result = save(row);
        ASSERT_TRUE(result.ok) << result.errorString.toStdString();
        EXPECT_EQ(t.context.run.ExportedNum, row);
        EXPECT_EQ(t.status.panelText(StatusSink::ExportedPanel), QStringLiteral("%1 exported (%1)").arg(row));
    }
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QFileInfo(m_path).fileName()});
    EXPECT_EQ(ReadFileBytes(m_path), QuotedLine(CaptionList()) + QuotedLine(NumberedCells(1)) +
                                         QuotedLine(NumberedCells(2)) + QuotedLine(NumberedCells(3)));
}

TEST_F(AutomaticSaveTest, HeaderHasAllColumnsWhateverTheExportSelection) {
    t.context.settings.eExportFields = QStringLiteral("1");
    ASSERT_TRUE(save(1).ok);
    EXPECT_EQ(ReadFileBytes(m_path), QuotedLine(CaptionList()) + QuotedLine(NumberedCells(1)));
}

TEST_F(AutomaticSaveTest, SemicolonDelimiterInHeaderAndRows) {
    t.context.settings.eDelimiter = QStringLiteral(";");
    ASSERT_TRUE(save(1).ok);
    EXPECT_EQ(ReadFileBytes(m_path), QuotedLine(CaptionList(), ";") + QuotedLine(NumberedCells(1), ";"));
}

TEST_F(AutomaticSaveTest, ExistingFileIsAppendedToWithoutASecondHeader) {
    QFile earlier(m_path);
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("\"earlier\"\r\n");
    earlier.close();
    ASSERT_TRUE(save(1).ok);
    EXPECT_EQ(ReadFileBytes(m_path), QByteArray("\"earlier\"\r\n") + QuotedLine(NumberedCells(1)));
}

TEST_F(AutomaticSaveTest, EmptyExistingFileGetsTheHeader) {
    QFile empty(m_path);
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    ASSERT_TRUE(save(1).ok);
    EXPECT_EQ(ReadFileBytes(m_path), QuotedLine(CaptionList()) + QuotedLine(NumberedCells(1)));
}

// A file-size limit makes the write stop midway, as a full disk would.
TEST_F(AutomaticSaveTest, WriteFailingMidwayLeavesWholeLinesAndIsNotCounted) {
    ASSERT_TRUE(save(1).ok);
    const QByteArray written = ReadFileBytes(m_path);

    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit limited = previous;
    limited.rlim_cur = static_cast<rlim_t>(written.size() + 10);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const ExportResult result = save(2);
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.errorString.contains(m_path));
    EXPECT_EQ(t.context.run.ExportedNum, 1);
    EXPECT_EQ(ReadFileBytes(m_path), written);
    ASSERT_TRUE(save(3).ok);
    EXPECT_EQ(ReadFileBytes(m_path), written + QuotedLine(NumberedCells(3)));
}

TEST_F(AutomaticSaveTest, StatusNamesThePathBeforeTheFileIsOpened) {
    QStringList activity;
    QList<bool> existed;
    t.status.onPanelText = [&](int, const QString &) {
        activity.append(t.status.panelText(StatusSink::ActivityPanel));
        existed.append(QFile::exists(m_path));
    };
    ASSERT_TRUE(save(1).ok);
    ASSERT_EQ(activity.size(), 2);
    EXPECT_EQ(activity[0], QStringLiteral("Exporting to ") + m_path);
    EXPECT_EQ(existed, (QList<bool>{false, true}));
}

TEST_F(AutomaticSaveTest, CategoryLosesReservedCharacters) {
    ASSERT_TRUE(save(1, QStringLiteral("Res/ul:ts")).ok);
    EXPECT_TRUE(QFile::exists(m_path));
}

TEST_F(AutomaticSaveTest, MissingFolderFailsWithoutCountingOrCreatingIt) {
    const QString folder = m_dir.filePath(QStringLiteral("missing"));
    t.context.run.ExportedNum = 4;
    t.status.setPanelText(StatusSink::ExportedPanel, QStringLiteral("before"));
    const ExportResult result =
        AutomaticSave(AutomaticExportOf(t.context), CaptionList(), folder, QStringLiteral("Results"),
                      ExportLine(NumberedRow(1), QStringLiteral(",")));
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.errorString.contains(folder + QStringLiteral("/Results 12-8-2016 3-45-10 PM.csv")));
    EXPECT_EQ(t.context.run.ExportedNum, 4);
    EXPECT_EQ(t.status.panelText(StatusSink::ExportedPanel), QStringLiteral("before"));
    EXPECT_FALSE(QDir(folder).exists());
}

TEST_F(AutomaticSaveTest, AFolderCanBeMadeUnderAFolderThatTakesFiles) {
    QFile file(m_dir.filePath(QStringLiteral("file")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    EXPECT_TRUE(ExportFolderCanBeCreated(m_dir.path()));
    EXPECT_TRUE(ExportFolderCanBeCreated(m_dir.filePath(QStringLiteral("a/b"))));
    EXPECT_FALSE(ExportFolderCanBeCreated(m_dir.filePath(QStringLiteral("file/a"))));
    EXPECT_FALSE(ExportFolderCanBeCreated(QString()));
}

TEST_F(AutomaticSaveTest, UnopenableFileFailsAndKeepsEarlierRows) {
    ASSERT_TRUE(save(1).ok);
    const QByteArray written = ReadFileBytes(m_path);
    t.context.run.DateTimeVal = QStringLiteral("blocked");
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("Results blocked.csv")));
    const ExportResult result = save(2);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.errorString.contains(m_dir.filePath(QStringLiteral("Results blocked.csv"))));
    EXPECT_EQ(t.context.run.ExportedNum, 1);
    EXPECT_EQ(ReadFileBytes(m_path), written);
}

TEST_F(AutomaticSaveTest, PathLongerThan259CharactersFails) {
    const QString fixedPart = m_dir.path() + QStringLiteral("/ 12-8-2016 3-45-10 PM.csv");
    const QString fits = QString(259 - fixedPart.size(), u'a');
    ASSERT_TRUE(save(1, fits).ok);
    const ExportResult result = save(2, fits + u'a');
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.errorString.contains(QStringLiteral("259")));
    EXPECT_EQ(t.context.run.ExportedNum, 1);
}

TEST_F(AutomaticSaveTest, EmptyFolderIsRefusedRatherThanWritingAtTheRoot) {
    const ExportResult result =
        AutomaticSave(AutomaticExportOf(t.context), CaptionList(), QString(), QStringLiteral("Results"),
                      ExportLine(NumberedRow(1), QStringLiteral(",")));
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(QFile::exists(QStringLiteral("/Results 12-8-2016 3-45-10 PM.csv")));
    EXPECT_EQ(t.context.run.ExportedNum, 0);
}

// A second program reading the file while the run goes on (whenever the status changes, and
// between rows) always finds whole lines and every counted row.
TEST_F(AutomaticSaveTest, ReaderBetweenRowsSeesWholeLines) {
    QList<qsizetype> recordsSeen;
    QStringList errors;
    const auto readNow = [&]() {
        if (!QFile::exists(m_path)) {
            return;
        }
        const PythonRecords read = ReadWithPython(m_path, QStringLiteral(","));
        if (!read.ok) {
            errors.append(read.error);
            return;
        }
        for (const QStringList &record : read.records) {
            if (record.size() != LeadRow::ColumnCount) {
                errors.append(record.join(u'|'));
            }
        }
        recordsSeen.append(read.records.size() - 1);
    };
    t.status.onPanelText = [&](int, const QString &) {
        readNow();
    };
    for (int row = 1; row <= 5; ++row) {
        ASSERT_TRUE(save(row).ok);
        readNow();
    }
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();
    EXPECT_EQ(recordsSeen, (QList<qsizetype>{1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5}));
}

} // namespace
