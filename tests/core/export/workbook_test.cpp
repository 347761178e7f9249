#include "core/export/automaticsave.h"
#include "core/export/exportline.h"
#include "core/export/exporttarget.h"
#include "core/export/manualexport.h"
#include "core/export/workbookwriter.h"
#include "exporttesthelpers.h"
#include "support/testcontext.h"
#include "workbookreader.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class WorkbookTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    Windows1252Scope m_codePage;
    QTemporaryDir m_dir;
    TestContext t;
};

// The list's captions in French, cells no spreadsheet may turn into formulas, names outside
// the code page.
TEST_F(WorkbookTest, ManualExportWritesSelectedRowsAndColumnsAsTextUnderTheUsersCaptions) {
    ExportSource source;
    source.captions = CaptionList();
    source.captions[0] = QStringLiteral("Catégorie");
    source.captions[1] = QStringLiteral("Nom de l'entreprise");
    QList<LeadRow> rows = {NumberedRow(0), NumberedRow(1), NumberedRow(2)};
    rows[0][LeadRow::BusinessName] = QStringLiteral("Café Müller");
    rows[2][LeadRow::BusinessName] = QStringLiteral("Łódź \"Sp\", z o.o.");
    rows[2][0] = QStringLiteral("=1+2");
    for (const LeadRow &row : rows) {
        source.rows.append(row);
    }
    source.selectedRows = {2, 0};
    t.context.settings.eExportFields = QStringLiteral("1,0");
    t.dialogs.nextSaveFileName = m_dir.filePath(QStringLiteral("leads"));
    t.dialogs.nextSaveFilterIndex = 1;

    const ManualExportOutcome outcome = QCoro::waitFor(RunManualExport(t.context, source));
    ASSERT_EQ(outcome.kind, ManualExportOutcome::Written) << outcome.errorString.toStdString();
    EXPECT_EQ(outcome.path, m_dir.filePath(QStringLiteral("leads.xlsx")));
    const SheetContent sheet = ReadFirstSheet(outcome.path);
    ASSERT_TRUE(sheet.error.isEmpty()) << sheet.error.toStdString();
    const QList<QStringList> expected = {
        {QStringLiteral("Catégorie"), QStringLiteral("Nom de l'entreprise")},
        {QStringLiteral("r0c0"), QStringLiteral("Café Müller")},
        {QStringLiteral("=1+2"), QStringLiteral("Łódź \"Sp\", z o.o.")},
    };
    EXPECT_EQ(sheet.rows, expected);
    EXPECT_TRUE(sheet.everyCellText);
    EXPECT_EQ(sheet.frozenPane, QStringLiteral("frozen 1"));
    EXPECT_EQ(sheet.autoFilter, QStringLiteral("A1:B3"));
}

// The list's cells go to the sheet in their own UTF-8; one without a UTF-8 form (a lone
// surrogate) as the nearest UTF-8, and one past a cell's 32,767 bytes cut at a character boundary.
TEST_F(WorkbookTest, EveryCellReadsBackAsTheListHoldsIt) {
    const QString lone = QChar(0xd800) + QStringLiteral("lone");
    const QStringList cells = {QStringLiteral("plain"), QStringLiteral("Łódź 😀"), lone, QString(20000, u'é')};
    ExportSource source;
    source.captions = CaptionList();
    LeadRow row;
    for (int column = 0; column < cells.size(); ++column) {
        row[column] = cells[column];
    }
    source.rows.append(row);
    const QString path = m_dir.filePath(QStringLiteral("cells.xlsx"));

    ASSERT_TRUE(SaveWorkbook(source, path, true, QStringLiteral("0,1,2,3")));
    const SheetContent sheet = ReadFirstSheet(path);
    ASSERT_TRUE(sheet.error.isEmpty()) << sheet.error.toStdString();
    ASSERT_EQ(sheet.rows.size(), 2);
    const QStringList expected = {cells[0], cells[1], QString::fromUtf8(lone.toUtf8()), QString(16383, u'é')};
    EXPECT_EQ(sheet.rows[1], expected);
}

TEST(ExportTarget, TheNameDecidesWhenItEndsInAKnownExtensionAndTheFileTypeOtherwise) {
    struct Case {
        const char16_t *name, *path;
        int filterIndex;
        ExportFormat format;
    };
    const Case cases[] = {
        {u"/d/a.xlsx", u"/d/a.xlsx", 0, ExportFormat::Xlsx}, {u"/d/a.XLSX", u"/d/a.XLSX", 0, ExportFormat::Xlsx},
        {u"/d/a.csv", u"/d/a.csv", 1, ExportFormat::Csv},    {u"/d/a.txt", u"/d/a.txt", 0, ExportFormat::Csv},
        {u"/d/a.txt", u"/d/a.txt", 1, ExportFormat::Xlsx},   {u"/d/a", u"/d/a.csv", 0, ExportFormat::Csv},
        {u"/d/a", u"/d/a.xlsx", 1, ExportFormat::Xlsx},      {u"/d/a.", u"/d/a.xlsx", 1, ExportFormat::Xlsx},
    };
    for (const auto &c : cases) {
        const ExportTarget target = ChooseExportTarget(QString::fromUtf16(c.name), c.filterIndex);
        EXPECT_EQ(target.path, QString::fromUtf16(c.path)) << QString::fromUtf16(c.name).toStdString();
        EXPECT_EQ(target.format, c.format) << QString::fromUtf16(c.name).toStdString();
    }
}

TEST_F(WorkbookTest, AutomaticExportKeepsEveryRowInTheCsvFileAndAllInTheWorkbookAtRunEnd) {
    t.context.settings.eExportFormat = ExportFormat::Xlsx;
    t.context.run.DateTimeVal = QStringLiteral("1-2-2026 3-04-05 PM");
    const QString csvPath = m_dir.filePath(QStringLiteral("Results 1-2-2026 3-04-05 PM.csv"));
    QList<QStringList> expected = {CaptionList()};
    QByteArray csv = QuotedLine(CaptionList());
    for (int row = 1; row <= 4; ++row) {
        LeadRow lead = NumberedRow(row);
        lead[LeadRow::BusinessName] = row == 2 ? QStringLiteral("Łódź \"Sp\", z o.o.") : QStringLiteral("Café");
        ASSERT_TRUE(AutomaticSave(AutomaticExportOf(t.context), CaptionList(), m_dir.path(), QStringLiteral("Results"),
                                  ExportLine(lead, t.context.settings.eDelimiter))
                        .ok);
        expected.append(QStringList(lead.cells.cbegin(), lead.cells.cend()));
        // Ł and ź are not in the code page of the CSV file; the workbook keeps them.
        lead[LeadRow::BusinessName].replace(u'Ł', u'?').replace(u'ź', u'?');
        csv += ExportLine(lead, u",").toLatin1() + "\r\n";
        EXPECT_EQ(ReadFileBytes(csvPath), csv) << "after row " << row;
    }
    ASSERT_TRUE(FinishAutomaticSave(t.context.workbook).ok);
    const SheetContent sheet = ReadFirstSheet(m_dir.filePath(QStringLiteral("Results 1-2-2026 3-04-05 PM.xlsx")));
    ASSERT_TRUE(sheet.error.isEmpty()) << sheet.error.toStdString();
    EXPECT_EQ(sheet.rows, expected);
}

} // namespace
