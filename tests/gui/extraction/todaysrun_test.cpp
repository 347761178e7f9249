#include "core/account/challenge.h"
#include "core/account/pagebudget.h"
#include "gui/extraction/runfixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>

using namespace Qt::StringLiterals;

namespace {

class TodaysRunTest : public ExtractionRunTest {
protected:
    // Every company of today's search once, in page order, cell for cell.
    void expectTodaysRows() {
        int index = 0;
        for (int page = 1; page <= 3; ++page) {
            for (const SampleCompany &company : m_site.companies(3, page)) {
                SCOPED_TRACE(company.slug.toStdString());
                ASSERT_LT(index, results().rowCount());
                const LeadRow &actual = results().row(index++);
                const LeadRow expected = ExpectedTodaysRow(m_site, company, u"Widgets"_s);
                // The details address holds a Places key drawn at random.
                for (int column = 0; column < LeadRow::ColumnCount; ++column) {
                    if (column != LeadRow::GoogleMapsDetails) {
                        EXPECT_EQ(actual[column].toStdString(), expected[column].toStdString()) << "column " << column;
                    }
                }
            }
        }
        EXPECT_EQ(results().rowCount(), index);
    }

    QDateTime m_now = QDateTime::currentDateTimeUtc();
};

// Today's search end to end: three pages of cards drawn by script, one company a page behind the
// sign-in wall and read in the member's session, a budget that pauses the run until the hour
// has passed, a security check that stops it, and the run carried on once the member passed it.
TEST_F(TodaysRunTest, ThreePagesWithTheWallABudgetPauseAndACheckpoint) {
    PageBudget budget(m_folder.filePath(u"pagereads.dat"_s), [this] { return m_now; });
    budget.setWaitSlice(50);
    m_window->extraction().setPageBudget(&budget);
    AppSettings &settings = m_window->context().settings;
    // Page 1 and its ten companies, one of which needs its about page as well: twelve reads.
    settings.eHourBudget = 12;
    m_window->resize(1200, 760);
    showWindow();
    ASSERT_TRUE(open(m_site.searchUrl(3)));
    click("btnStart");

    ASSERT_TRUE(QTest::qWaitFor([&] { return runLine().contains(u"budget of 12 an hour"); }, 60000)) << state();
    EXPECT_EQ(results().rowCount(), 10);
    const int requests = m_site.linkedInRequestCount();
    QTest::qWait(400);
    EXPECT_EQ(m_site.linkedInRequestCount(), requests) << "nothing is read while the budget is spent";
    EXPECT_TRUE(run().Parsing);

    // An hour later the run goes on by itself; on page 3 LinkedIn asks for a check after two
    // more of its pages.
    whenRequested(u"page=3"_s, [this] { m_site.setCheckpointAfter(2); });
    settings.eHourBudget = 1000;
    m_now = m_now.addSecs(3601);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !run().Parsing && !m_window->extraction().inTick(); }, 90000)) << state();
    EXPECT_EQ(m_window->extraction().lastChallenge(), Challenge::SecurityCheck);
    EXPECT_EQ(results().rowCount(), 22);
    EXPECT_EQ(runLine(), u"Stopped by LinkedIn: see the message");
    ASSERT_FALSE(m_messages.isEmpty());
    EXPECT_TRUE(m_messages.constLast().contains(u"security check"_s)) << m_messages.constLast().toStdString();
    QMessageBox box(QMessageBox::Warning, QApplication::applicationDisplayName(), m_messages.constLast(),
                    QMessageBox::Ok);
    saveWindowWithBox(box, u"todays-layout.png"_s);

    // The member passed the check and opens page 3 again: the run lists what it had not.
    m_site.setCheckpointAfter(-1);
    const int fetchedBefore = m_site.linkedInRequestCount();
    ASSERT_TRUE(open(m_site.searchUrl(3, 3)));
    click("btnStart");
    ASSERT_TRUE(waitForRunEnd(90000)) << state();
    EXPECT_EQ(activity(), u"Finished.");
    // The page, then its eight companies not yet listed, one of them behind the wall.
    EXPECT_EQ(m_site.linkedInRequestCount() - fetchedBefore, 1 + 8 + 1);
    expectTodaysRows();

    // Exported, every company is there once.
    const QString file = m_folder.filePath(u"today.csv"_s);
    WidgetDialogs::setNextSaveFileName(file);
    click("btnRSelectAll");
    click("btnExportAll");
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(file) && m_window->isIdle(); }, 10000));
    QFile exported(file);
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    const QByteArray text = exported.readAll();
    EXPECT_EQ(text.count("\r\n"), 31);
    for (int page = 1; page <= 3; ++page) {
        for (const SampleCompany &company : m_site.companies(3, page)) {
            EXPECT_EQ(text.count(QByteArray(company.companyPage.toLatin1() + '"')), 1) << company.slug.toStdString();
        }
    }
    m_window->extraction().setPageBudget(nullptr);
}

} // namespace
