#include "core/extraction/resultslist.h"

#include "support/testcontext.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

QString LinkOf(int number) {
    return QStringLiteral("https://www.linkedin.com/company/c%1").arg(number);
}

LeadRow CompanyRow(int number) {
    LeadRow row;
    row[LeadRow::BusinessName] = QStringLiteral("Company %1").arg(number);
    row[LeadRow::Website] = QStringLiteral("https://c%1.example").arg(number);
    row[LeadRow::MapLink] = QStringLiteral("http://maps.example/maps?q=%1").arg(number);
    row[LeadRow::LinkedInLink] = LinkOf(number);
    return row;
}

class ResultsListTest : public ::testing::Test {
protected:
    ResultsListTest() {
        ctx.context.texts.setText(QStringLiteral("main45"), QStringLiteral("[VAR1] items listed"));
        ctx.context.texts.setText(QStringLiteral("main54"), QStringLiteral("Delete every row?"));
        ctx.context.texts.setText(QStringLiteral("main55"), QStringLiteral("Delete the selected rows?"));
    }

    // Rows numbered 1 to count, so "row 2" of the list is CompanyRow(2).
    void fill(int count) {
        for (int i = 1; i <= count; ++i) {
            list.appendRow(CompanyRow(i));
        }
    }
    void selectRow(int row) {
        list.selectionModel().select(list.model().index(row, 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    QStringList names() const {
        QStringList all;
        for (const LeadRow &row : list.rows()) {
            all.append(row[LeadRow::BusinessName]);
        }
        return all;
    }
    QString listedPanel() const { return ctx.status.panelText(StatusSink::ListedPanel); }
    QStringList openedAddresses() const {
        QStringList addresses;
        for (const FakeHost::StartedProgram &started : ctx.host.started) {
            addresses.append(started.arguments.value(0, QStringLiteral("<no argument>")));
        }
        return addresses;
    }

    TestContext ctx;
    ResultsList list{ListPiecesOf(ctx.context)};
};

using ResultsListKnownLinks = ResultsListTest;
using ResultsListEmpty = ResultsListTest;
using ResultsListDeleteSelected = ResultsListTest;
using ResultsListDeleteAll = ResultsListTest;
using ResultsListSelection = ResultsListTest;
using ResultsListOpenCell = ResultsListTest;
using ResultsListCaptionsAndCounter = ResultsListTest;

} // namespace

TEST_F(ResultsListKnownLinks, AppendedRowsBecomeKnownWithoutRegardToCase) {
    fill(2);
    EXPECT_TRUE(list.isKnownLink(LinkOf(1)));
    EXPECT_TRUE(list.isKnownLink(LinkOf(2).toUpper()));
    EXPECT_FALSE(list.isKnownLink(LinkOf(3)));
    EXPECT_EQ(list.duplicatedItems().count(), 2);
}

TEST_F(ResultsListKnownLinks, DeletedCompanyIsAppendedAgainAtTheEnd) {
    fill(3);
    selectRow(0);
    ASSERT_TRUE(list.deleteSelected());
    EXPECT_FALSE(list.isKnownLink(LinkOf(1)));

    list.appendRow(CompanyRow(1));
    EXPECT_TRUE(list.isKnownLink(LinkOf(1)));
    EXPECT_EQ(names(),
              (QStringList{QStringLiteral("Company 2"), QStringLiteral("Company 3"), QStringLiteral("Company 1")}));
}

TEST_F(ResultsListEmpty, SelectionButtonsLeaveItEmptyWithoutAsking) {
    list.selectAll();
    list.clearSelection();
    EXPECT_EQ(list.rowCount(), 0);
    EXPECT_TRUE(ctx.dialogs.shown.isEmpty());
}

TEST_F(ResultsListEmpty, DeleteSelectedStillAsksAndShowsZero) {
    EXPECT_TRUE(list.deleteSelected());
    ASSERT_EQ(ctx.dialogs.shown.size(), 1);
    EXPECT_TRUE(ctx.dialogs.shown[0].question);
    EXPECT_EQ(ctx.dialogs.shown[0].icon, Dialogs::Icon::Warning);
    EXPECT_EQ(ctx.dialogs.shown[0].text, QStringLiteral("Delete the selected rows?"));
    EXPECT_EQ(listedPanel(), QStringLiteral("0 items listed"));
    EXPECT_EQ(list.rowCount(), 0);
}

TEST_F(ResultsListEmpty, DeleteAllStillAsksAndShowsZero) {
    EXPECT_TRUE(list.deleteAll());
    ASSERT_EQ(ctx.dialogs.shown.size(), 1);
    EXPECT_EQ(ctx.dialogs.shown[0].icon, Dialogs::Icon::Warning);
    EXPECT_EQ(ctx.dialogs.shown[0].text, QStringLiteral("Delete every row?"));
    EXPECT_EQ(listedPanel(), QStringLiteral("0 items listed"));
}

TEST_F(ResultsListDeleteSelected, RemovesRowsTwoAndFourWithTheirKeys) {
    fill(5);
    selectRow(3);
    selectRow(1);
    ASSERT_TRUE(list.deleteSelected());
    EXPECT_EQ(names(),
              (QStringList{QStringLiteral("Company 1"), QStringLiteral("Company 3"), QStringLiteral("Company 5")}));
    EXPECT_FALSE(list.isKnownLink(LinkOf(2)));
    EXPECT_FALSE(list.isKnownLink(LinkOf(4)));
    EXPECT_TRUE(list.isKnownLink(LinkOf(1)));
    EXPECT_TRUE(list.isKnownLink(LinkOf(3)));
    EXPECT_TRUE(list.isKnownLink(LinkOf(5)));
    EXPECT_EQ(list.duplicatedItems().count(), 3);
    EXPECT_TRUE(list.selectedRows().isEmpty());
    EXPECT_EQ(listedPanel(), QStringLiteral("3 items listed"));
}

TEST_F(ResultsListDeleteSelected, CancelChangesNothing) {
    fill(3);
    selectRow(1);
    ctx.status.setPanelText(StatusSink::ListedPanel, QStringLiteral("untouched"));
    ctx.dialogs.confirmAnswers = {false};
    EXPECT_FALSE(list.deleteSelected());
    EXPECT_EQ(list.rowCount(), 3);
    EXPECT_EQ(list.selectedRows(), QList<int>{1});
    EXPECT_TRUE(list.isKnownLink(LinkOf(2)));
    EXPECT_EQ(listedPanel(), QStringLiteral("untouched"));
}

TEST_F(ResultsListDeleteSelected, FragmentedSelectionKeepsTheOtherRowsInOrder) {
    fill(200);
    for (int row = 0; row < 200; row += 2) {
        selectRow(row);
    }
    ASSERT_TRUE(list.deleteSelected());
    ASSERT_EQ(list.rowCount(), 100);
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(list.row(i)[LeadRow::BusinessName], QStringLiteral("Company %1").arg(2 * i + 2));
    }
    EXPECT_FALSE(list.isKnownLink(LinkOf(1)));
    EXPECT_TRUE(list.isKnownLink(LinkOf(2)));
    EXPECT_EQ(list.duplicatedItems().count(), 100);
    EXPECT_EQ(listedPanel(), QStringLiteral("100 items listed"));
}

// Each deleted row takes the most recent key that matches it trimmed and upper-cased, which
// need not be its own spelling.
TEST_F(ResultsListDeleteSelected, EarlierRowTakesTheLatestMatchingKey) {
    LeadRow first = CompanyRow(1);
    LeadRow second = CompanyRow(2);
    second[LeadRow::LinkedInLink] = QStringLiteral(" ") + LinkOf(1).toUpper();
    list.appendRow(first);
    list.appendRow(second);
    selectRow(0);
    ASSERT_TRUE(list.deleteSelected());
    EXPECT_EQ(names(), QStringList{QStringLiteral("Company 2")});
    EXPECT_TRUE(list.isKnownLink(LinkOf(1)));
    EXPECT_FALSE(list.isKnownLink(QStringLiteral(" ") + LinkOf(1)));
    EXPECT_EQ(list.duplicatedItems().count(), 1);
}

TEST_F(ResultsListDeleteAll, EmptiesRowsAndKeys) {
    fill(4);
    selectRow(2);
    ASSERT_TRUE(list.deleteAll());
    EXPECT_EQ(list.rowCount(), 0);
    EXPECT_TRUE(list.duplicatedItems().isEmpty());
    EXPECT_FALSE(list.isKnownLink(LinkOf(3)));
    EXPECT_TRUE(list.selectedRows().isEmpty());
    EXPECT_EQ(listedPanel(), QStringLiteral("0 items listed"));
}

TEST_F(ResultsListDeleteAll, CancelChangesNothing) {
    fill(2);
    ctx.dialogs.confirmAnswers = {false};
    EXPECT_FALSE(list.deleteAll());
    EXPECT_EQ(list.rowCount(), 2);
    EXPECT_TRUE(list.isKnownLink(LinkOf(1)));
    EXPECT_EQ(list.duplicatedItems().count(), 2);
    EXPECT_TRUE(listedPanel().isEmpty());
}

TEST_F(ResultsListSelection, SelectAllAndClearCoverEveryRow) {
    const int count = 10005;
    fill(count);
    selectRow(7);
    list.selectAll();
    EXPECT_EQ(list.selectedRows().size(), count);
    EXPECT_TRUE(list.selectionModel().isRowSelected(count - 1, {}));
    EXPECT_EQ(list.selectionModel().selection().size(), 1);

    list.clearSelection();
    EXPECT_TRUE(list.selectedRows().isEmpty());
    EXPECT_FALSE(list.selectionModel().hasSelection());
}

TEST_F(ResultsListSelection, SelectedRowsAreReportedInListOrder) {
    fill(6);
    selectRow(4);
    selectRow(0);
    selectRow(2);
    EXPECT_EQ(list.selectedRows(), (QList<int>{0, 2, 4}));
    const std::vector<bool> flags = list.selectedRowFlags();
    EXPECT_EQ(flags, (std::vector<bool>{true, false, true, false, true, false}));
}

TEST_F(ResultsListOpenCell, OpensTheCellOfTheFirstSelectedRowInListOrder) {
    fill(4);
    selectRow(3);
    selectRow(1);
    for (const int column : {LeadRow::Website, LeadRow::MapLink, LeadRow::LinkedInLink}) {
        QCoro::waitFor(list.openSelectedCell(column));
    }
    EXPECT_EQ(openedAddresses(),
              (QStringList{CompanyRow(2)[LeadRow::Website], CompanyRow(2)[LeadRow::MapLink], LinkOf(2)}));
}

TEST_F(ResultsListOpenCell, EmptyWebsiteOpensNothing) {
    LeadRow row = CompanyRow(1);
    row[LeadRow::Website].clear();
    list.appendRow(row);
    selectRow(0);
    QCoro::waitFor(list.openSelectedCell(LeadRow::Website));
    EXPECT_TRUE(openedAddresses().isEmpty());
    EXPECT_TRUE(ctx.dialogs.shown.isEmpty());
}

TEST_F(ResultsListOpenCell, NothingOpensWithoutASelection) {
    fill(3);
    QCoro::waitFor(list.openSelectedCell(LeadRow::Website));
    EXPECT_TRUE(ctx.host.started.isEmpty());
}

TEST_F(ResultsListCaptionsAndCounter, CaptionsChangeRowsDoNot) {
    fill(2);
    EXPECT_EQ(list.columnCaptions().at(LeadRow::LinkedInLink), QStringLiteral("LinkedIn Link"));
    const QList<LeadRow> before = list.rows();
    for (int column = 0; column < LeadRow::ColumnCount; ++column) {
        list.setColumnCaption(column, QStringLiteral("Colonne %1").arg(column));
    }
    EXPECT_EQ(list.columnCaptions().size(), LeadRow::ColumnCount);
    EXPECT_EQ(list.columnCaptions().at(LeadRow::LinkedInLink), QStringLiteral("Colonne 18"));
    const QList<LeadRow> after = list.rows();
    ASSERT_EQ(after.size(), before.size());
    for (qsizetype i = 0; i < after.size(); ++i) {
        EXPECT_EQ(after[i].cells, before[i].cells);
    }
}

TEST_F(ResultsListCaptionsAndCounter, CounterReplacesEveryPlaceholder) {
    fill(2);
    ctx.context.texts.setText(QStringLiteral("main45"), QStringLiteral("[VAR1] Elemente ([VAR1])"));
    list.refreshItemsListed();
    EXPECT_EQ(listedPanel(), QStringLiteral("2 Elemente (2)"));
}
