#include "gui/extraction/runfixture.h"

#include <QAction>

using namespace Qt::StringLiterals;

namespace {

// A company page fails during a run; the results list's action fetches it again once it answers.
TEST_F(ExtractionRunTest, CompletingARowWhoseCompanyPageFailedFillsIt) {
    ASSERT_TRUE(m_window->context().library.open(m_folder.filePath(u"library.sqlite"_s)).ok());
    const SampleCompany failing = m_site.companies(2, 1).at(0);
    m_site.setFault(u"/company/"_s + failing.slug, SampleSite::Fault::NotFound, 1);
    ASSERT_TRUE(open(m_site.searchUrl(2)));
    click("btnStart");
    ASSERT_TRUE(waitForRunEnd()) << state();
    const LeadRow expected = ExpectedRow(m_site, failing, 2, u"Widgets"_s);
    ASSERT_TRUE(results().row(0)[LeadRow::City].isEmpty());

    // Marked as a run marks a row whose company page failed.
    m_window->context().library.add(results().row(0), m_site.searchUrl(2), u"company page"_s);
    results().selectionModel().select(results().model().index(0, 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
    m_window->findChild<QAction *>(u"actCompleteFailedRows"_s)->trigger();
    auto *start = m_window->findChild<QPushButton *>(u"btnStart"_s);
    EXPECT_FALSE(start->isEnabled());
    ASSERT_TRUE(waitForRunEnd()) << state();

    LeadRow row = results().row(0);
    EXPECT_FALSE(std::exchange(row[LeadRow::GoogleMapsDetails], QString()).isEmpty());
    EXPECT_EQ(row.cells, expected.cells);
    EXPECT_TRUE(start->isEnabled());
    EXPECT_EQ(runLine().toStdString(), "Rows completed: 1; still failing: 0.");
}

} // namespace
