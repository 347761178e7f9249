#include "core/app/libraryexport.h"
#include "core/export/manualexport.h"
#include "exporttesthelpers.h"
#include "support/testcontext.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ManualExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        for (int tag = 48; tag <= 53; ++tag) {
            const QString name = QStringLiteral("main%1").arg(tag);
            t.context.texts.setText(name, QStringLiteral("text of ") + name);
        }
        t.context.settings.eExportFields = QStringLiteral("1,0");
        t.host.documents = m_dir.filePath(QStringLiteral("Documents"));
        m_source.captions = CaptionList();
        for (int row = 0; row < 3; ++row) {
            m_source.rows.append(NumberedRow(row));
        }
        m_source.selectedRows = {2, 0};
    }

    QString target(const QString &name = QStringLiteral("export.csv")) const { return m_dir.filePath(name); }
    ManualExportOutcome exportTo(const QString &path) {
        t.dialogs.nextSaveFileName = path;
        return QCoro::waitFor(RunManualExport(t.context, m_source));
    }
    void expectRefusal(ManualExportOutcome::Kind kind, const QString &tag) {
        const ManualExportOutcome outcome = exportTo(target());
        EXPECT_EQ(outcome.kind, kind);
        ASSERT_EQ(t.dialogs.shown.size(), 1);
        EXPECT_EQ(t.dialogs.shown[0].icon, Dialogs::Icon::Information);
        EXPECT_FALSE(t.dialogs.shown[0].question);
        EXPECT_EQ(t.dialogs.shown[0].text, QStringLiteral("text of ") + tag);
        EXPECT_TRUE(t.dialogs.saveRequests.isEmpty());
        EXPECT_TRUE(t.status.activityHistory.isEmpty());
        EXPECT_FALSE(QFile::exists(target()));
    }

    Windows1252Scope m_codePage;
    QTemporaryDir m_dir;
    TestContext t;
    ExportSource m_source;
};

TEST_F(ManualExportTest, EmptyListIsRefusedFirst) {
    m_source.rows.clear();
    m_source.selectedRows.clear();
    t.context.settings.eExportFields.clear();
    expectRefusal(ManualExportOutcome::RefusedEmptyList, QStringLiteral("main48"));
}

TEST_F(ManualExportTest, NoSelectedRowIsRefusedBeforeTheColumnCheck) {
    m_source.selectedRows.clear();
    t.context.settings.eExportFields.clear();
    expectRefusal(ManualExportOutcome::RefusedNoRowSelected, QStringLiteral("main49"));
}

TEST_F(ManualExportTest, BlankColumnSelectionIsRefused) {
    t.context.settings.eExportFields = QStringLiteral(" \t\r\n ");
    expectRefusal(ManualExportOutcome::RefusedNoColumns, QStringLiteral("main50"));
}

// A documents folder the system names but that does not exist gives the home folder instead.
TEST_F(ManualExportTest, SaveDialogOpensInDocumentsOrHomeWithAnEmptyNameEveryTime) {
    ASSERT_EQ(exportTo(m_dir.filePath(QStringLiteral("elsewhere.csv"))).kind, ManualExportOutcome::Written);
    ASSERT_TRUE(QDir().mkpath(t.host.documents));
    exportTo(target());
    ASSERT_EQ(t.dialogs.saveRequests.size(), 2);
    const QStringList folders{QDir::homePath(), t.host.documents};
    for (int i = 0; i < 2; ++i) {
        const Dialogs::SaveFileRequest &request = t.dialogs.saveRequests.at(i);
        EXPECT_EQ(request.title, QStringLiteral("text of main51"));
        EXPECT_EQ(request.filter, QStringLiteral("CSV files (*.csv)|*.csv|Excel workbook (*.xlsx)|*.xlsx"));
        EXPECT_EQ(request.defaultSuffix, QStringLiteral("csv"));
        EXPECT_EQ(request.folder, folders.at(i));
        EXPECT_TRUE(request.fileName.isEmpty());
    }
}

TEST_F(ManualExportTest, CancelChangesNeitherFileNorStatus) {
    QFile existing(target());
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("kept");
    existing.close();

    t.dialogs.nextSaveFileName.reset();
    EXPECT_EQ(QCoro::waitFor(RunManualExport(t.context, m_source)).kind, ManualExportOutcome::Cancelled);
    EXPECT_EQ(t.dialogs.saveRequests.size(), 1);
    EXPECT_TRUE(t.dialogs.shown.isEmpty());
    EXPECT_TRUE(t.status.panels.isEmpty());
    EXPECT_EQ(ReadFileBytes(target()), QByteArray("kept"));
}

TEST_F(ManualExportTest, WritesSelectedRowsAndSelectedColumnsWithoutAsking) {
    QFile existing(target());
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write(QByteArray(5000, 'x'));
    existing.close();
    t.context.settings.eDelimiter = QStringLiteral(";");

    const ManualExportOutcome outcome = exportTo(target());
    EXPECT_EQ(outcome.kind, ManualExportOutcome::Written);
    EXPECT_EQ(outcome.path, target());
    EXPECT_TRUE(t.dialogs.shown.isEmpty());
    EXPECT_EQ(ReadFileBytes(target()),
              QByteArray("\"Category\";\"Business Name\"\r\n\"r0c0\";\"r0c1\"\r\n\"r2c0\";\"r2c1\"\r\n"));
}

TEST_F(ManualExportTest, StatusShowsStartBeforeWritingAndEndAfter) {
    QStringList seenWhileProcessing;
    QList<bool> fileExistedWhileProcessing;
    t.status.onPanelText = [&](int, const QString &) {
        seenWhileProcessing.append(t.status.panelText(StatusSink::ActivityPanel));
        fileExistedWhileProcessing.append(QFile::exists(target()));
    };
    exportTo(target());
    EXPECT_EQ(t.status.activityHistory,
              (QStringList{QStringLiteral("text of main52"), QStringLiteral("text of main53")}));
    EXPECT_EQ(seenWhileProcessing, t.status.activityHistory);
    EXPECT_EQ(fileExistedWhileProcessing, (QList<bool>{false, true}));
}

TEST_F(ManualExportTest, FailedWriteIsNotReportedAsDoneAndSaysWhyAndWhere) {
    t.context.texts.setText(QStringLiteral("main140"), QStringLiteral("[VAR1] failed: [VAR2]"));
    const QString unreachable = m_dir.filePath(QStringLiteral("missing/export.csv"));
    const ManualExportOutcome outcome = exportTo(unreachable);
    EXPECT_EQ(outcome.kind, ManualExportOutcome::Failed);
    EXPECT_TRUE(outcome.errorString.contains(unreachable));
    EXPECT_FALSE(t.status.activityHistory.contains(QStringLiteral("text of main53")));
    ASSERT_EQ(t.dialogs.shown.size(), 1);
    EXPECT_EQ(t.dialogs.shown[0].icon, Dialogs::Icon::Warning);
    EXPECT_EQ(t.dialogs.shown[0].text, unreachable + QStringLiteral(" failed: ") + outcome.errorString);
}

// Row 0 was exported before. Rows written are noted; when asked, rows exported before are left out.
TEST_F(ManualExportTest, WithTheLibraryWrittenRowsAreNotedAndRowsExportedBeforeLeftOutWhenAsked) {
    const struct {
        bool onlyNew;
        QList<int> selection;
        QByteArray rows; // empty: nothing was asked for or written
        QList<bool> notExported;
    } cases[] = {
        {false, {2, 0}, "\"r0c0\",\"r0c1\"\r\n\"r2c0\",\"r2c1\"\r\n", {false, true, false}},
        {true, {2, 0}, "\"r2c0\",\"r2c1\"\r\n", {false, true, false}},
        {true, {0}, {}, {false, true, true}},
    };
    t.context.texts.setText(QStringLiteral("main240"), QStringLiteral("nothing new"));
    LeadLibrary &library = t.context.library;
    for (const auto &each : cases) {
        SCOPED_TRACE(&each - cases);
        ASSERT_TRUE(library.open(m_dir.filePath(QString::number(&each - cases))).ok());
        for (int row = 0; row < 3; ++row) {
            library.add(NumberedRow(row), {});
        }
        ASSERT_TRUE(library.markExportedLinks({NumberedRow(0)[LeadRow::LinkedInLink]}, QStringLiteral("old")).ok());
        t.context.settings.cExportOnlyNewRows = each.onlyNew;
        m_source.selectedRows = each.selection;
        t.dialogs.nextSaveFileName = target();
        t.dialogs.shown.clear();
        QFile::remove(target());

        QCoro::waitFor(RunExportNotingLibrary(t.context, m_source));

        EXPECT_EQ(ReadFileBytes(target()),
                  each.rows.isEmpty() ? QByteArray() : QuotedLine(CaptionList().first(2)) + each.rows);
        EXPECT_EQ(t.dialogs.shown.size() == 1 && t.dialogs.shown[0].text == u"nothing new", each.rows.isEmpty());
        EXPECT_EQ(library.notExported({NumberedRow(0)[LeadRow::LinkedInLink], NumberedRow(1)[LeadRow::LinkedInLink],
                                       NumberedRow(2)[LeadRow::LinkedInLink]}),
                  each.notExported);
        const QString fileOfRow2 = library.exportFiles(library.page({}, 2, 1).value.value(0).id).value.value(0);
        EXPECT_EQ(fileOfRow2, each.selection.contains(2) ? target() : QString());
    }
}

} // namespace
