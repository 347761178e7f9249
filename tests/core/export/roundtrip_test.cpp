#include "core/export/automaticsave.h"
#include "core/export/exportline.h"
#include "core/export/recordwriter.h"
#include "core/settings/settingsstore.h"
#include "exporttesthelpers.h"
#include "support/testcontext.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Cells a spreadsheet must get back whole: delimiters, double quotes and line breaks inside.
QList<LeadRow> AwkwardRows() {
    const QStringList awkward{
        QStringLiteral("Smith, Jones & Co"),
        QStringLiteral("Rue de la Paix; 5"),
        QStringLiteral("The \"Best\" Company"),
        QStringLiteral("line one\r\nline two"),
        QStringLiteral("lone\nfeed"),
        QStringLiteral("\"quoted\""),
        QStringLiteral("\";\",\""),
        QString(),
        QStringLiteral("Caf\u00E9 M\u00FCller"),
    };
    QList<LeadRow> rows;
    for (int row = 0; row < 3; ++row) {
        LeadRow lead = NumberedRow(row);
        for (int column = 0; column < LeadRow::ColumnCount; ++column) {
            if ((column + row) % 2 == 0) {
                lead[column] = awkward[(column + row) % awkward.size()];
            }
        }
        rows.append(lead);
    }
    return rows;
}

QStringList Cells(const LeadRow &row) {
    return QStringList(row.cells.cbegin(), row.cells.cend());
}

class CsvRoundTripTest : public ::testing::TestWithParam<QString> {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    Windows1252Scope m_codePage;
    QTemporaryDir m_dir;
};

TEST_P(CsvRoundTripTest, SavedRecordsReadBackWhole) {
    const QString delimiter = GetParam();
    const QList<LeadRow> rows = AwkwardRows();
    ExportSource source{CaptionList(), {}, {0, 1, 2}};
    for (const LeadRow &row : rows) {
        source.rows.append(row);
    }
    const QString path = m_dir.filePath(QStringLiteral("manual.csv"));
    const QString allColumns = CountColumns();
    ASSERT_TRUE(SaveRecords(source, path, false, allColumns, delimiter).ok);

    const PythonRecords read = ReadWithPython(path, delimiter);
    ASSERT_TRUE(read.ok) << read.error.toStdString();
    ASSERT_EQ(read.records.size(), 4);
    EXPECT_EQ(read.records[0], CaptionList());
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(read.records[row + 1], Cells(rows[row])) << "row " << row;
    }
}

TEST_P(CsvRoundTripTest, AutomaticRowsReadBackWhole) {
    TestContext t;
    t.context.settings.eDelimiter = GetParam();
    t.context.run.DateTimeVal = QStringLiteral("run");
    const QList<LeadRow> rows = AwkwardRows();
    for (const LeadRow &row : rows) {
        ASSERT_TRUE(AutomaticSave(AutomaticExportOf(t.context), CaptionList(), m_dir.path(), QStringLiteral("Results"),
                                  ExportLine(row, t.context.settings.eDelimiter))
                        .ok);
    }

    const PythonRecords read = ReadWithPython(m_dir.filePath(QStringLiteral("Results run.csv")), GetParam());
    ASSERT_TRUE(read.ok) << read.error.toStdString();
    ASSERT_EQ(read.records.size(), 4);
    EXPECT_EQ(read.records[0], CaptionList());
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(read.records[row + 1], Cells(rows[row])) << "row " << row;
    }
}

INSTANTIATE_TEST_SUITE_P(Delimiters, CsvRoundTripTest, ::testing::Values(QStringLiteral(","), QStringLiteral(";")),
                         [](const auto &info) { return info.index == 0 ? "Comma" : "Semicolon"; });

} // namespace
