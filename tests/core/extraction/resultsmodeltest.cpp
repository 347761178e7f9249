#include "core/extraction/resultsmodel.h"

#include <QAbstractItemModelTester>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

LeadRow NamedRow(int number) {
    LeadRow row;
    row[LeadRow::BusinessName] = QStringLiteral("Company %1").arg(number);
    row[LeadRow::LinkedInLink] = QStringLiteral("https://l.example/company/%1").arg(number);
    return row;
}

class ResultsModelRows : public ::testing::Test {
protected:
    void fill(int count) {
        for (int i = 0; i < count; ++i) {
            model.appendRow(NamedRow(i));
        }
    }
    QStringList names() const {
        QStringList all;
        for (int i = 0; i < model.rowCount(); ++i) {
            all.append(model.row(i)[LeadRow::BusinessName]);
        }
        return all;
    }
    static QStringList NamesExcept(int count, const std::vector<bool> &removed) {
        QStringList all;
        for (int i = 0; i < count; ++i) {
            if (!removed[static_cast<std::size_t>(i)]) {
                all.append(QStringLiteral("Company %1").arg(i));
            }
        }
        return all;
    }

    ResultsModel model;
};

} // namespace

TEST_F(ResultsModelRows, ShowsEveryCellAsTextInItsColumn) {
    LeadRow row;
    for (int column = 0; column < LeadRow::ColumnCount; ++column) {
        row[column] = QStringLiteral("cell %1").arg(column);
    }
    model.appendRow(row);
    ASSERT_EQ(model.columnCount(), LeadRow::ColumnCount);
    for (int column = 0; column < LeadRow::ColumnCount; ++column) {
        EXPECT_EQ(model.data(model.index(0, column)).toString(), row[column]);
        EXPECT_FALSE(model.data(model.index(0, column), Qt::EditRole).isValid());
    }
}

TEST_F(ResultsModelRows, CannotBeEditedOrSorted) {
    fill(3);
    const QModelIndex first = model.index(0, LeadRow::BusinessName);
    EXPECT_FALSE(model.flags(first).testFlag(Qt::ItemIsEditable));
    EXPECT_TRUE(model.flags(first).testFlag(Qt::ItemIsSelectable));
    EXPECT_FALSE(model.setData(first, QStringLiteral("changed")));
    model.sort(LeadRow::BusinessName, Qt::DescendingOrder);
    EXPECT_EQ(names(),
              (QStringList{QStringLiteral("Company 0"), QStringLiteral("Company 1"), QStringLiteral("Company 2")}));
}

TEST_F(ResultsModelRows, FewRunsAreRemovedRunByRun) {
    fill(10);
    std::vector<bool> flags(10, false);
    flags[1] = flags[2] = flags[6] = flags[9] = true;
    int removals = 0;
    int resets = 0;
    QObject::connect(&model, &QAbstractItemModel::rowsRemoved, [&removals] { ++removals; });
    QObject::connect(&model, &QAbstractItemModel::modelReset, [&resets] { ++resets; });
    model.removeFlaggedRows(flags);
    EXPECT_EQ(removals, 3);
    EXPECT_EQ(resets, 0);
    EXPECT_EQ(names(), NamesExcept(10, flags));
}

TEST_F(ResultsModelRows, FragmentedSelectionIsRemovedInOneReset) {
    const int count = 4 * ResultsModel::MaxRemovedRuns;
    fill(count);
    std::vector<bool> flags(static_cast<std::size_t>(count), false);
    for (int i = 0; i < count; i += 2) {
        flags[static_cast<std::size_t>(i)] = true;
    }
    int removals = 0;
    int resets = 0;
    QObject::connect(&model, &QAbstractItemModel::rowsRemoved, [&removals] { ++removals; });
    QObject::connect(&model, &QAbstractItemModel::modelReset, [&resets] { ++resets; });
    model.removeFlaggedRows(flags);
    EXPECT_EQ(removals, 0);
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(names(), NamesExcept(count, flags));
}

TEST_F(ResultsModelRows, NoFlagRemovesNothing) {
    fill(4);
    model.removeFlaggedRows(std::vector<bool>(4, false));
    model.removeFlaggedRows({});
    EXPECT_EQ(model.rowCount(), 4);
}

// Rows are kept packed: every cell must read back exactly as it was appended.
TEST(ResultsModelCells, ReadBackExactlyAsAppended) {
    const auto rowOf = [](std::initializer_list<std::pair<int, QString>> cells) {
        LeadRow row;
        for (const auto &[column, text] : cells) {
            row[column] = text;
        }
        return row;
    };
    const std::vector<LeadRow> rows = {
        LeadRow{},
        rowOf({{0, u"first only"_s}}),
        rowOf({{LeadRow::ColumnCount - 1, u"last only"_s}}),
        rowOf({{LeadRow::BusinessName, u"Société Générale"_s}, {LeadRow::City, u"東京"_s}, {LeadRow::Phone, u"😀"_s}}),
        rowOf({{LeadRow::Category, QChar(0xd800) + u"lone"_s}, {LeadRow::Email, u"x"_s + QChar(0xdc00)}}),
        rowOf({{LeadRow::Address, QString(200, u'a')}, {LeadRow::Fax, u"\t\0\n"_s}}),
        // Longer than a block of the store.
        rowOf({{LeadRow::Specialties, QString(PackedRows::BlockBytes, u'é')}, {LeadRow::Founded, u"1901"_s}}),
        rowOf({{LeadRow::BusinessName, u"after the long one"_s}}),
    };
    ResultsModel model;
    for (const LeadRow &row : rows) {
        model.appendRow(row);
    }
    const auto expectRows = [&model, &rows](const std::vector<std::size_t> &numbers) {
        ASSERT_EQ(model.rowCount(), static_cast<int>(numbers.size()));
        for (int i = 0; i < model.rowCount(); ++i) {
            const LeadRow &expected = rows[numbers[static_cast<std::size_t>(i)]];
            EXPECT_EQ(model.row(i).cells, expected.cells) << "row " << i;
            for (int column = 0; column < LeadRow::ColumnCount; ++column) {
                EXPECT_EQ(model.data(model.index(i, column)).toString(), expected[column]) << i << "," << column;
            }
        }
    };
    expectRows({0, 1, 2, 3, 4, 5, 6, 7});
    model.removeRows(2, 2);
    expectRows({0, 1, 4, 5, 6, 7});
    std::vector<bool> flags(6, false);
    flags[0] = flags[3] = flags[4] = true;
    model.removeFlaggedRows(flags);
    expectRows({1, 4, 7});
}

// What removed rows leave behind is given back, and the rows still listed are untouched.
TEST(ResultsModelCells, SurviveTheMemoryOfRemovedRowsBeingReclaimed) {
    ResultsModel model;
    const QString longText(PackedRows::BlockBytes / 8, u'z');
    for (int i = 0; i < 64; ++i) {
        LeadRow row = NamedRow(i);
        row[LeadRow::Specialties] = longText;
        model.appendRow(row);
    }
    ASSERT_TRUE(model.removeRows(0, 60));
    model.appendRow(NamedRow(64));
    ASSERT_EQ(model.rowCount(), 5);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(model.row(i)[LeadRow::BusinessName], NamedRow(60 + i)[LeadRow::BusinessName]);
        EXPECT_EQ(model.data(model.index(i, LeadRow::Specialties)).toString(), longText);
    }
    EXPECT_EQ(model.row(4).cells, NamedRow(64).cells);
}

TEST(ResultsModelCaptions, StartWithTheDefaultsAndChangeAlone) {
    ResultsModel model;
    model.appendRow(NamedRow(1));
    for (int column = 0; column < LeadRow::ColumnCount; ++column) {
        EXPECT_EQ(model.headerData(column, Qt::Horizontal).toString(),
                  DefaultColumnCaptions()[static_cast<std::size_t>(column)]);
    }
    int changedFirst = -1;
    QObject::connect(&model, &QAbstractItemModel::headerDataChanged,
                     [&changedFirst](Qt::Orientation, int first, int) { changedFirst = first; });
    model.setColumnCaption(LeadRow::BusinessName, QStringLiteral("Raison sociale"));
    EXPECT_EQ(changedFirst, static_cast<int>(LeadRow::BusinessName));
    EXPECT_EQ(model.headerData(LeadRow::BusinessName, Qt::Horizontal).toString(), QStringLiteral("Raison sociale"));
    EXPECT_EQ(model.headerData(LeadRow::BusinessName, Qt::Horizontal, Qt::ToolTipRole).toString(),
              QStringLiteral("Raison sociale"));
    EXPECT_EQ(model.data(model.index(0, LeadRow::BusinessName)).toString(), QStringLiteral("Company 1"));
    EXPECT_EQ(model.rowCount(), 1);
}

// Qt's own checker follows every change and aborts on a signal that does not match the data.
TEST(ResultsModelConsistency, EveryChangeIsAnnouncedCorrectly) {
    ResultsModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    for (int i = 0; i < 60; ++i) {
        model.appendRow(NamedRow(i));
    }
    std::vector<bool> fewRuns(60, false);
    fewRuns[0] = fewRuns[1] = fewRuns[30] = fewRuns[59] = true;
    model.removeFlaggedRows(fewRuns);
    std::vector<bool> manyRuns(56, false);
    for (std::size_t i = 1; i < manyRuns.size(); i += 2) {
        manyRuns[i] = true;
    }
    model.removeFlaggedRows(manyRuns);
    EXPECT_EQ(model.rowCount(), 28);
    model.setColumnCaption(3, QStringLiteral("Adresse"));
    EXPECT_FALSE(model.removeRows(20, 10));
    model.clear();
    EXPECT_EQ(model.rowCount(), 0);
}
