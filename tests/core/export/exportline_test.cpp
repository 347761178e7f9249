#include "core/export/cleanfilename.h"
#include "core/export/datetimeval.h"
#include "core/export/exportcolumns.h"
#include "core/export/exportline.h"

#include <gtest/gtest.h>

namespace {

const QString Comma = QStringLiteral(",");

TEST(ExportLine, QuotesEveryFieldAndSeparatesWithTheDelimiter) {
    const QStringList fields{QStringLiteral("Acme"), QStringLiteral("Paris"), QStringLiteral("12")};
    EXPECT_EQ(ExportLine(fields, Comma), QStringLiteral("\"Acme\",\"Paris\",\"12\""));
    EXPECT_EQ(ExportLine(fields, u";"), QStringLiteral("\"Acme\";\"Paris\";\"12\""));
}

TEST(ExportLine, EmptyDelimiterPutsQuotedFieldsSideBySide) {
    EXPECT_EQ(ExportLine(QStringList{QStringLiteral("a"), QStringLiteral("b")}, u""), QStringLiteral("\"a\"\"b\""));
}

TEST(ExportLine, EmptyCellGivesTwoQuotes) {
    EXPECT_EQ(ExportLine(QStringList{QStringLiteral("a"), QString(), QStringLiteral("c")}, Comma),
              QStringLiteral("\"a\",\"\",\"c\""));
}

TEST(ExportLine, DelimitersAndLineBreaksInsideAFieldStayUnchanged) {
    EXPECT_EQ(ExportLine(QStringList{QStringLiteral("Main St, 5\r\nSuite 2; left")}, Comma),
              QStringLiteral("\"Main St, 5\r\nSuite 2; left\""));
}

TEST(ExportLine, DoubleQuoteInsideAFieldIsDoubled) {
    EXPECT_EQ(ExportLine(QStringList{QStringLiteral("The \"Best\" Co"), QStringLiteral("\"")}, Comma),
              QStringLiteral("\"The \"\"Best\"\" Co\",\"\"\"\""));
}

TEST(ExportLine, RowGivesAllCellsInCellOrder) {
    LeadRow row;
    row[LeadRow::Category] = QStringLiteral("Results");
    row[LeadRow::GoogleMapsDetails] = QStringLiteral("details");
    const QString expected = QStringLiteral("\"Results\"") + QStringLiteral(";\"\"").repeated(18) +
                             QStringLiteral(";\"details\"") +
                             QStringLiteral(";\"\"").repeated(LeadRow::ColumnCount - LeadRow::LegacyColumnCount);
    EXPECT_EQ(ExportLine(row, u";"), expected);
}

TEST(SelectedExportColumns, WholeEntriesSelectInAscendingOrder) {
    EXPECT_EQ(SelectedExportColumns(QStringLiteral("0,2,10"), 20), (QList<int>{0, 2, 10}));
    EXPECT_EQ(SelectedExportColumns(QStringLiteral("11,1"), 20), (QList<int>{1, 11}));
}

TEST(SelectedExportColumns, PartOfAnEntryDoesNotSelect) {
    EXPECT_EQ(SelectedExportColumns(QStringLiteral("10,11"), 20), (QList<int>{10, 11}));
    EXPECT_EQ(SelectedExportColumns(QStringLiteral(" 1,2 ,03"), 20), QList<int>{});
}

TEST(SelectedExportColumns, EmptyListAndOutOfRangeIndicesSelectNothing) {
    EXPECT_TRUE(SelectedExportColumns(QString(), 20).isEmpty());
    EXPECT_TRUE(SelectedExportColumns(QStringLiteral("20,-1,x"), 20).isEmpty());
}

TEST(CleanFileName, RemovesTheNineReservedCharacters) {
    EXPECT_EQ(CleanFileName(QStringLiteral("a\\b/c:d?e*f\"g<h>i|j")), QStringLiteral("abcdefghij"));
    EXPECT_EQ(CleanFileName(QStringLiteral("Res/ul:ts")), QStringLiteral("Results"));
}

TEST(CleanFileName, KeepsEverythingElse) {
    EXPECT_EQ(CleanFileName(QStringLiteral("Results")), QStringLiteral("Results"));
    EXPECT_EQ(CleanFileName(QStringLiteral(" Café & Co. (2) ")), QStringLiteral(" Café & Co. (2) "));
}

TEST(MakeDateTimeVal, ShortDateAndLongTimeWithoutColonsOrSlashes) {
    const QDateTime moment(QDate(2016, 12, 8), QTime(15, 45, 10), Qt::UTC);
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QString text = MakeDateTimeVal(moment, us);
    EXPECT_TRUE(text.startsWith(QStringLiteral("12-8-16 3-45-10"))) << text.toStdString();
    EXPECT_FALSE(text.contains(u':'));
    EXPECT_FALSE(text.contains(u'/'));
}

TEST(MakeDateTimeVal, FollowsTheLocaleOrder) {
    const QDateTime moment(QDate(2016, 12, 8), QTime(15, 45, 10), Qt::UTC);
    const QString text = MakeDateTimeVal(moment, QLocale(QLocale::German, QLocale::Germany));
    EXPECT_TRUE(text.startsWith(QStringLiteral("08.12.16 15-45-10"))) << text.toStdString();
}

} // namespace
