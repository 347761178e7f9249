#include "core/export/manualexport.h"
#include "core/library/leadlibrary.h"
#include "core/settings/languagefile.h"
#include "core/settings/languagetags.h"
#include "gui/library/librarymodel.h"
#include "gui/library/librarytab.h"
#include "support/testcontext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QDateTime Day(int day) {
    return QDateTime(QDate(2026, 3, day), QTime(12, 0));
}

QStringList RowCaptions() {
    return {DefaultColumnCaptions().cbegin(), DefaultColumnCaptions().cend()};
}

class LibraryTabTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        ApplyUiTexts(ReadLanguageSections(BuiltInLanguagePath(), MainWindowTags()).texts, t.context.texts);
        ASSERT_TRUE(library.open(m_dir.filePath(u"library.sqlite"_s)).ok());
        tab = std::make_unique<LibraryTab>(
            LibraryTab::Pieces{library, t.dialogs, t.context.texts, RowCaptions, [this](ExportSource source) {
                                   exported = QCoro::waitFor(RunManualExport(t.context, std::move(source)));
                               }});
        tab->resize(1000, 420);
        tab->show();
    }

    void add(const QString &name, const QString &city, const QString &email, int address, int day,
             const QString &failure = {}) {
        now = Day(day).toMSecsSinceEpoch();
        LeadRow row;
        row[LeadRow::BusinessName] = name;
        row[LeadRow::City] = city;
        row[LeadRow::Email] = email;
        row[LeadRow::Website] = u"https://www.%1.example"_s.arg(name.section(u' ', 0, 0).toLower());
        row[LeadRow::LinkedInLink] = u"https://www.linkedin.com/company/"_s + name.toLower().replace(u' ', u'-');
        library.add(row, u"https://www.linkedin.com/search/results/companies/?keywords=%1"_s.arg(address), failure);
    }
    void addThree() {
        add(u"Nordwind Software"_s, u"Leeds"_s, u"info@nordwind.example"_s, 1, 1);
        add(u"Alpine Foods"_s, u"Lyon"_s, u"hello@alpine.example"_s, 2, 2);
        add(u"Harbour Logistics"_s, u"Leeds"_s, u"sales@harbour.example"_s, 1, 3, u"website: refused"_s);
        library.flush();
        tab->refresh();
    }
    QStringList shownNames() const {
        QStringList names;
        for (int row = 0; row < tab->model().rowCount(); ++row) {
            names << tab->model().index(row, LeadRow::BusinessName).data().toString();
        }
        return names;
    }
    void select(const QList<int> &rows) {
        QTableView *view = tab->view();
        view->clearSelection();
        for (const int row : rows) {
            view->selectionModel()->select(view->model()->index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }
    template<typename T>
    T *child(const QString &name) const {
        return tab->findChild<T *>(name);
    }

    QTemporaryDir m_dir;
    TestContext t;
    qint64 now = 0;
    LeadLibrary library{[this] {
        return now;
    }};
    std::unique_ptr<LibraryTab> tab;
    ManualExportOutcome exported;
};

TEST_F(LibraryTabTest, ReadsOnlyThePagesItShowsAndHoldsFewOfThem) {
    for (int number = 0; number < 2000; ++number) {
        add(u"Company %1"_s.arg(number), u"Leeds"_s, {}, 1, 1);
    }
    library.flush();
    LibraryModel &model = tab->model();
    model.setFilter({});
    ASSERT_EQ(model.rowCount(), 2000);
    EXPECT_EQ(model.heldPages(), 0);
    EXPECT_EQ(model.index(1950, LeadRow::BusinessName).data().toString(), u"Company 1950"_s);
    EXPECT_EQ(model.heldPages(), 1);
    for (int row = 0; row < 2000; row += 7) {
        ASSERT_EQ(model.index(row, LeadRow::BusinessName).data().toString(), u"Company %1"_s.arg(row));
    }
    EXPECT_LE(model.heldPages(), LibraryModel::HeldPages);
}

// The widgets' filter reaches the library: the search box after its pause, the others at once.
TEST_F(LibraryTabTest, ShowsTheRowsOfTheFilter) {
    addThree();
    struct Case {
        QString text;
        int address; // 0: all
        int from;    // 0: off
        int to;
        QStringList names;
    };
    const QList<Case> cases = {
        {{}, 0, 0, 0, {u"Nordwind Software"_s, u"Alpine Foods"_s, u"Harbour Logistics"_s}},
        {u"leeds"_s, 0, 0, 0, {u"Nordwind Software"_s, u"Harbour Logistics"_s}},
        {u"alp"_s, 0, 0, 0, {u"Alpine Foods"_s}},
        {u"sales"_s, 0, 0, 0, {u"Harbour Logistics"_s}},
        {u"nordwind"_s, 2, 0, 0, {}},
        {{}, 2, 0, 0, {u"Alpine Foods"_s}},
        {{}, 0, 2, 0, {u"Alpine Foods"_s, u"Harbour Logistics"_s}},
        {{}, 0, 0, 2, {u"Nordwind Software"_s, u"Alpine Foods"_s}},
        {{}, 0, 2, 2, {u"Alpine Foods"_s}},
        {u"leeds"_s, 1, 3, 0, {u"Harbour Logistics"_s}},
    };
    auto *search = child<QLineEdit>(u"edtLibrarySearch"_s);
    auto *address = child<QComboBox>(u"cbxLibraryAddress"_s);
    address->showPopup();
    address->hidePopup();
    ASSERT_EQ(address->count(), 3);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString() + " " + std::to_string(c.address));
        const int index = c.address == 0 ? 0 : address->findText(u"=%1"_s.arg(c.address), Qt::MatchEndsWith);
        address->setCurrentIndex(index);
        Q_EMIT address->activated(index);
        child<QCheckBox>(u"chkLibrarySeenFrom"_s)->setChecked(c.from != 0);
        child<QDateEdit>(u"dteLibrarySeenFrom"_s)->setDate(Day(std::max(c.from, 1)).date());
        child<QCheckBox>(u"chkLibrarySeenTo"_s)->setChecked(c.to != 0);
        child<QDateEdit>(u"dteLibrarySeenTo"_s)->setDate(Day(std::max(c.to, 1)).date());
        search->setText(c.text);
        EXPECT_TRUE(QTest::qWaitFor([&] { return shownNames() == c.names; }, 1000))
            << shownNames().join(u", "_s).toStdString();
    }
}

TEST_F(LibraryTabTest, DeleteAsksThenRemovesTheSelectedCompaniesFromTheLibrary) {
    addThree();
    select({0, 2});
    t.dialogs.confirmAnswers = {false, true};
    tab->btnDeleteClick();
    EXPECT_EQ(library.count({}).value, 3);
    tab->btnDeleteClick();
    ASSERT_EQ(t.dialogs.shown.size(), 2);
    EXPECT_EQ(t.dialogs.shown[1].text, u"Delete the 2 selected companies from the library?"_s);
    EXPECT_EQ(library.count({}).value, 1);
    EXPECT_EQ(shownNames(), QStringList{u"Alpine Foods"_s});
}

TEST_F(LibraryTabTest, ExportWritesTheSelectedRows) {
    addThree();
    t.context.settings.eExportFields = u"1,4"_s;
    const QString path = m_dir.filePath(u"chosen.csv"_s);
    t.dialogs.nextSaveFileName = path;
    select({2, 1});
    tab->btnExportClick();
    ASSERT_EQ(exported.kind, ManualExportOutcome::Written) << exported.errorString.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromLatin1(file.readAll()).split(u"\r\n"_s, Qt::SkipEmptyParts);
    EXPECT_EQ(lines.mid(lines.size() - 2),
              (QStringList{u"\"Alpine Foods\",\"Lyon\""_s, u"\"Harbour Logistics\",\"Leeds\""_s}));
}

TEST_F(LibraryTabTest, CompleteHandsOnOnlyTheSelectedRowsThatFailed) {
    addThree();
    auto *complete = child<QPushButton>(u"btnLibraryComplete"_s);
    QSignalSpy handed(tab.get(), &LibraryTab::completeFailedRows);
    select({0, 1});
    EXPECT_FALSE(complete->isEnabled());
    select({0, 2});
    ASSERT_TRUE(complete->isEnabled());
    complete->click();
    ASSERT_EQ(handed.size(), 1);
    const auto entries = handed.at(0).at(0).value<QList<LibraryEntry>>();
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].row[LeadRow::BusinessName], u"Harbour Logistics"_s);
    EXPECT_EQ(entries[0].failure, u"website: refused"_s);
}

// Rows a run writes appear while the tab shows; the selection stays.
TEST_F(LibraryTabTest, CountsAgainWhenTheLibraryWrites) {
    addThree();
    select({1});
    add(u"Cobalt Design"_s, u"Porto"_s, {}, 3, 4);
    library.flush();
    ASSERT_TRUE(QTest::qWaitFor([&] { return shownNames().size() == 4; }, 2 * LibraryTab::WritePauseMs));
    EXPECT_EQ(shownNames().constLast(), u"Cobalt Design"_s);
    EXPECT_TRUE(tab->view()->selectionModel()->isRowSelected(1));
}

} // namespace
