#include "gui/extraction/resultsview.h"

#include "core/extraction/resultslist.h"
#include "support/testcontext.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class ResultsViewTest : public ::testing::Test {
protected:
    ResultsViewTest() {
        for (int i = 0; i < 10; ++i) {
            LeadRow row;
            row[LeadRow::BusinessName] = QStringLiteral("Company %1").arg(i);
            row[LeadRow::LinkedInLink] = QStringLiteral("https://l.example/c%1").arg(i);
            list.appendRow(row);
        }
        view.resize(900, 400);
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    QPoint cellCentre(int row, int column) const { return view.visualRect(list.model().index(row, column)).center(); }
    void click(int row, int column, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::mouseClick(view.viewport(), Qt::LeftButton, modifiers, cellCentre(row, column));
    }

    TestContext ctx;
    ResultsList list{ListPiecesOf(ctx.context)};
    ResultsView view{list};
};

using ResultsViewSetup = ResultsViewTest;
using ResultsViewMouse = ResultsViewTest;

} // namespace

TEST_F(ResultsViewSetup, ShowsTheListsModelAndSelection) {
    EXPECT_EQ(view.model(), &list.model());
    EXPECT_EQ(view.selectionModel(), &list.selectionModel());
    EXPECT_EQ(view.model()->columnCount(), LeadRow::ColumnCount);
    EXPECT_EQ(view.model()->headerData(LeadRow::LinkedInLink, Qt::Horizontal).toString(),
              QStringLiteral("LinkedIn Link"));
}

// At least 100 pixels, and wide enough for the caption whole in every language.
TEST_F(ResultsViewSetup, EveryColumnHoldsItsCaptionWhole) {
    list.setColumnCaption(LeadRow::FullAddress, QStringLiteral("Indirizzo completo"));
    list.setColumnCaption(LeadRow::City, QStringLiteral("Ville"));
    for (int column = 0; column < LeadRow::ColumnCount; ++column) {
        EXPECT_EQ(view.columnWidth(column), std::max(100, view.horizontalHeader()->sectionSizeHint(column))) << column;
    }
    EXPECT_FALSE(view.horizontalHeader()->stretchLastSection());
}

TEST_F(ResultsViewSetup, ListBehaviour) {
    EXPECT_TRUE(view.showGrid());
    EXPECT_EQ(view.selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(view.selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(view.editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_FALSE(view.isSortingEnabled());
    EXPECT_EQ(view.verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
}

TEST_F(ResultsViewSetup, SelectionKeepsItsColoursWithoutFocus) {
    const QPalette colours = view.palette();
    EXPECT_EQ(colours.color(QPalette::Inactive, QPalette::Highlight),
              colours.color(QPalette::Active, QPalette::Highlight));
    EXPECT_EQ(colours.color(QPalette::Inactive, QPalette::HighlightedText),
              colours.color(QPalette::Active, QPalette::HighlightedText));
}

TEST_F(ResultsViewMouse, ClickSelectsTheWholeRow) {
    click(2, 3);
    EXPECT_EQ(list.selectedRows(), QList<int>{2});
    EXPECT_TRUE(list.selectionModel().isRowSelected(2, {}));
}

TEST_F(ResultsViewMouse, ShiftAndControlClicksExtendTheSelection) {
    click(2, 3);
    click(5, 7, Qt::ShiftModifier);
    EXPECT_EQ(list.selectedRows(), (QList<int>{2, 3, 4, 5}));
    for (int row = 2; row <= 5; ++row) {
        EXPECT_TRUE(list.selectionModel().isRowSelected(row, {})) << "row " << row;
    }
    click(8, 0, Qt::ControlModifier);
    EXPECT_EQ(list.selectedRows(), (QList<int>{2, 3, 4, 5, 8}));
}

TEST_F(ResultsViewMouse, DoubleClickAndF2DoNotEdit) {
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, cellCentre(1, 1));
    EXPECT_EQ(view.findChild<QLineEdit *>(), nullptr);
    QTest::keyClick(&view, Qt::Key_F2);
    EXPECT_EQ(view.findChild<QLineEdit *>(), nullptr);
    EXPECT_EQ(list.row(1)[LeadRow::BusinessName], QStringLiteral("Company 1"));
}

TEST_F(ResultsViewMouse, HeaderClickNeitherSortsNorSelects) {
    QHeaderView *header = view.horizontalHeader();
    const QPoint caption(header->sectionViewportPosition(LeadRow::BusinessName) + 10, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, caption);
    EXPECT_TRUE(list.selectedRows().isEmpty());
    EXPECT_EQ(list.row(0)[LeadRow::BusinessName], QStringLiteral("Company 0"));
    EXPECT_EQ(list.row(9)[LeadRow::BusinessName], QStringLiteral("Company 9"));
}

TEST_F(ResultsViewMouse, DeletedRowsLeaveTheView) {
    click(0, 0);
    click(9, 0, Qt::ControlModifier);
    ASSERT_TRUE(list.deleteSelected());
    EXPECT_EQ(view.model()->rowCount(), 8);
    EXPECT_EQ(view.model()->data(view.model()->index(0, LeadRow::BusinessName)).toString(),
              QStringLiteral("Company 1"));
}
