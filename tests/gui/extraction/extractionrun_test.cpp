#include "core/browser/browserpane.h"
#include "core/export/automaticsave.h"
#include "core/extraction/extractiondriver.h"
#include "core/extraction/resultslist.h"
#include "gui/app/mainstatusbar.h"
#include "gui/app/mainwindow.h"
#include "gui/app/widgetdialogs.h"
#include "gui/browser/browserprofile.h"
#include "gui/extraction/runfixture.h"
#include "samplesite/samplesite.h"
#include "support/fakehost.h"
#include "support/tinyproxy.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

TEST_F(ExtractionRunTest, FirstLayoutOverThreePagesWithTheRealWaits) {
    m_window->extraction().setTimings({});
    m_window->resize(1200, 760);
    showWindow();
    ASSERT_TRUE(open(m_site.searchUrl(1)));
    EXPECT_TRUE(runLine().isEmpty());
    QStringList lines;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        if (lines.isEmpty() || lines.constLast() != runLine()) {
            lines.append(runLine());
        }
    });
    sampler.start(10);
    click("btnStart");
    ASSERT_TRUE(waitForRunEnd(90000)) << state();

    expectRows(1, 3);
    EXPECT_EQ(activity(), u"Finished.");
    EXPECT_EQ(runLine(), u"Done: 30 rows from 3 pages. Failed: 0 company pages, 0 Places lookups, 0 web sites.");
    EXPECT_TRUE(lines.contains(u"Page 2, 0 new rows"_s)) << lines.join(u" | ").toStdString();
    EXPECT_TRUE(lines.contains(u"Next page in 4 s"_s) && lines.contains(u"Next page in 1 s"_s));
    EXPECT_FALSE(run().ShouldStop.requested());
    EXPECT_EQ(m_window->context().status.panelText(StatusSink::ListedPanel), u"30 items listed");
    // Every page was read once: the traps in front of the next link were passed over.
    const QStringList targets = m_site.requestedTargets();
    EXPECT_FALSE(std::any_of(targets.begin(), targets.end(), [](const QString &t) {
        return t.startsWith(u"/ads") || t.startsWith(u"/Groups") || t.contains(u"more=1");
    }));

    const QString folder = qEnvironmentVariable("TARNWICK_BUILD_DIR", QDir::tempPath()) + u"/screenshots"_s;
    QDir().mkpath(folder);
    QTest::qWait(150);
    EXPECT_TRUE(m_window->grab().save(folder + u"/demo-run.png"_s));
}

TEST_F(ExtractionRunTest, SecondLayoutOverTwoPagesUsesHttpLinks) {
    ASSERT_TRUE(open(m_site.searchUrl(2)));
    click("btnStart");
    ASSERT_TRUE(waitForRunEnd()) << state();

    expectRows(2, 2);
    EXPECT_EQ(activity(), u"Finished.");
}

TEST_F(ExtractionRunTest, RunWaitsForAResultPageAndASecondRunAddsNothing) {
    ASSERT_TRUE(open(m_site.base() + u"/"_s));
    click("btnStart");
    QTest::qWait(600);
    EXPECT_TRUE(run().Parsing);
    EXPECT_EQ(results().rowCount(), 0);
    EXPECT_EQ(runLine(), u"Waiting for a company result page: sign in to LinkedIn and search for companies.");

    // The user opens the last result page of a search: the run reads it and ends.
    ASSERT_TRUE(open(m_site.searchUrl(2, 2)));
    ASSERT_TRUE(waitForRunEnd()) << state();
    ASSERT_EQ(results().rowCount(), 10);
    const int fetched = companyRequests();

    click("btnStart");
    QTest::qWait(100);
    ASSERT_TRUE(waitForRunEnd()) << state();
    EXPECT_EQ(results().rowCount(), 10);
    EXPECT_EQ(companyRequests(), fetched);
    EXPECT_EQ(activity(), u"Finished.");
}

TEST_F(ExtractionRunTest, StopInTheMiddleOfAnEntryDropsItAndShowsNoEndText) {
    const QList<SampleCompany> page = m_site.companies(1, 1);
    m_site.setFault(u"/company/"_s + page[2].slug, SampleSite::Fault::Slow, -1, 5000);
    ASSERT_TRUE(open(m_site.searchUrl(1)));
    whenRequested(u"/company/"_s + page[2].slug, [this] { click("btnStop"); });
    click("btnStart");
    ASSERT_TRUE(waitForRunEnd()) << state();

    EXPECT_EQ(results().rowCount(), 2);
    EXPECT_TRUE(run().ShouldStop.requested());
    EXPECT_NE(activity(), u"Finished.");
    EXPECT_EQ(runLine(), u"Stopped: 2 rows so far");
    EXPECT_EQ(m_window->context().status.gaugePosition(), 0);
}

// Get Data pressed within Stop's pause, while the company page Stop cut off was still coming
// through a proxy of the list: that entry is never listed without its company's data.
TEST_F(ExtractionRunTest, GetDataRightAfterStopNeverListsTheInterruptedEntry) {
    Tinyproxy proxy;
    ASSERT_TRUE(proxy.start()) << proxy.errorString().toStdString();
    AppSettings &settings = m_window->context().settings;
    settings.rRandomProxy = true;
    settings.eRandomProxies = {proxy.host() + u':' + QString::number(proxy.port())};
    const QList<SampleCompany> page = m_site.companies(1, 3);
    m_site.setFault(u"/company/"_s + page[2].slug, SampleSite::Fault::Slow, 1, 3000);
    ASSERT_TRUE(open(m_site.searchUrl(1, 3)));
    whenRequested(u"/company/"_s + page[2].slug, [this] {
        click("btnStop");
        click("btnStart");
    });
    click("btnStart");
    ASSERT_TRUE(waitForRunEnd()) << state();

    EXPECT_EQ(activity(), u"Finished.");
    ASSERT_EQ(results().rowCount(), 10);
    for (int row = 0; row < results().rowCount(); ++row) {
        EXPECT_FALSE(results().row(row)[LeadRow::Industry].isEmpty()) << row;
    }
}

// A company page that is missing and a next page that fails: the run line tells both.
TEST_F(ExtractionRunTest, TheRunLineSaysWhenARunWaitsAndWhatItCouldNotFetch) {
    m_site.setFault(u"/company/"_s + m_site.companies(2, 1)[1].slug, SampleSite::Fault::NotFound);
    ASSERT_TRUE(open(m_site.searchUrl(2)));
    m_site.setFault(u"/search/results/companies/"_s, SampleSite::Fault::ServerError, 1);
    click("btnStart");
    // The failed page stands at the address of a company search: the run waits for its results.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return requested(u"page_num=2"_s) && runLine() == u"Waiting for the results to appear"; }, 60000))
        << state();
    EXPECT_EQ(results().rowCount(), 10);
    click("btnStop");
    EXPECT_EQ(runLine(), u"Stopped: 10 rows so far");

    m_site.setFault(u"/company/"_s + m_site.companies(2, 2)[0].slug, SampleSite::Fault::NotFound);
    ASSERT_TRUE(open(m_site.searchUrl(2, 2)));
    click("btnStart");
    ASSERT_TRUE(waitForRunEnd()) << state();
    EXPECT_EQ(runLine(), u"Done: 10 rows from 1 pages. Failed: 1 company pages, 0 Places lookups, 0 web sites.");
}

// The rows of a session that ended unexpectedly come back at the next start, and a run over
// the same page carries on where that session stopped. The picture of the question over the
// window with the run's line goes into the README.
TEST_F(ExtractionRunTest, RestoredRowsComeBackAndARunCarriesOnFromThem) {
    const QString journal = m_folder.filePath(u"results.journal"_s);
    const QList<SampleCompany> page = m_site.companies(2, 2);
    openWindow(journal);
    m_window->show(); // the journal starts once the window is on screen
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_window->journal() != nullptr; }, 5000));
    for (int i = 0; i < 5; ++i) {
        results().appendRow(ExpectedRow(m_site, page[i], 2, u"Widgets"_s));
    }
    m_window.reset();
    QString question;
    WidgetDialogs::setMessageObserver([&](Dialogs::Icon, const QString &text) { question = text; });
    WidgetDialogs::setNextChoice(Dialogs::Choice::Accept);
    openWindow(journal);
    m_window->resize(1200, 760);
    showWindow();
    ASSERT_EQ(results().rowCount(), 5);
    EXPECT_TRUE(question.contains(u"5"_s)) << question.toStdString();
    ASSERT_TRUE(open(m_site.searchUrl(2, 2)));
    click("btnStart");
    ASSERT_TRUE(waitForRunEnd()) << state();
    EXPECT_EQ(results().rowCount(), 10);
    EXPECT_EQ(companyRequests(), 5);
    EXPECT_EQ(runLine(), u"Done: 5 rows from 1 pages. Failed: 0 company pages, 0 Places lookups, 0 web sites.");

    QMessageBox box(QMessageBox::Information, QApplication::applicationDisplayName(), question);
    box.addButton(m_window->context().texts.text(u"main146"_s), QMessageBox::AcceptRole);
    box.addButton(m_window->context().texts.text(u"main147"_s), QMessageBox::DestructiveRole);
    saveWindowWithBox(box, u"restore-and-status.png"_s);
}

TEST_F(ExtractionRunTest, StopDuringThePauseAfterTheClickAddsNothingMore) {
    m_window->extraction().setTimings({150, 2000, 100});
    ASSERT_TRUE(open(m_site.searchUrl(1)));
    whenRequested(u"page_num=2"_s, [this] { click("btnStop"); });
    click("btnStart");
    ASSERT_TRUE(QTest::qWaitFor([&] { return requested(u"page_num=2"_s); }, 30000));
    // The pause runs out and the stopped run never reads a page again.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_window->extraction().inTick(); }, 10000));
    EXPECT_FALSE(run().Parsing);
    EXPECT_FALSE(m_window->extraction().isPolling());
    QTest::qWait(500);

    EXPECT_EQ(results().rowCount(), 10);
    EXPECT_FALSE(m_window->extraction().isPolling());
    EXPECT_FALSE(m_window->extraction().inTick());
    EXPECT_EQ(runLine(), u"Stopped: 10 rows so far");
}

// Into a folder that does not exist yet: the run makes it, and its end names it.
TEST_F(ExtractionRunTest, AutomaticExportWritesTheRunsFileAndCountsIt) {
    QTemporaryDir exportBase;
    ASSERT_TRUE(exportBase.isValid());
    const QString folder = exportBase.filePath(u"new/Tarnwick"_s);
    m_window->context().settings.cExportAutomatic = true;
    m_window->context().settings.eExportFolder = folder;
    ASSERT_TRUE(open(m_site.searchUrl(2, 2)));
    click("btnStart");
    ASSERT_TRUE(waitForRunEnd()) << state();

    EXPECT_EQ(results().rowCount(), 0);
    EXPECT_EQ(m_window->context().status.panelText(StatusSink::ExportedPanel), u"10 items exported");
    const QString path = AutomaticExportPath(folder, u"Results"_s, run().DateTimeVal);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().count("\r\n"), 11);
    EXPECT_TRUE(runLine().endsWith(u"Exported to "_s + folder + u'.')) << runLine().toStdString();
    EXPECT_TRUE(m_window->statusBarPanels().panelToolTip(StatusSink::RunPanel).contains(path));
}

TEST_F(ExtractionRunTest, ExportFailureMidRunKeepsTheRowAndWarns) {
    QTemporaryDir exportFolder;
    ASSERT_TRUE(exportFolder.isValid());
    m_window->context().settings.cExportAutomatic = true;
    m_window->context().settings.eExportFolder = exportFolder.path();
    const QList<SampleCompany> page = m_site.companies(2, 1);
    m_site.setFault(u"/company/"_s + page[2].slug, SampleSite::Fault::Slow, -1, 800);
    ASSERT_TRUE(open(m_site.searchUrl(2)));
    // While the third company loads, a folder takes the export file's place.
    QString path;
    whenRequested(u"/company/"_s + page[2].slug, [&] {
        path = AutomaticExportPath(exportFolder.path(), u"Results"_s, run().DateTimeVal);
        QFile::remove(path);
        QDir().mkdir(path);
    });
    click("btnStart");
    ASSERT_TRUE(waitForRunEnd()) << state();
    ASSERT_FALSE(path.isEmpty());

    ASSERT_EQ(results().rowCount(), 1);
    EXPECT_EQ(results().row(0)[LeadRow::BusinessName], page[2].name);
    EXPECT_EQ(run().ExportedNum, 2);
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages[0].contains(path));
    EXPECT_NE(activity(), u"Finished.");

    // Get Data works again at once.
    click("btnStart");
    EXPECT_TRUE(run().Parsing);
    click("btnStop");
}

TEST_F(ExtractionRunTest, ClosingTheWindowMidRunEndsItCleanly) {
    const QList<SampleCompany> page = m_site.companies(1, 1);
    m_site.setFault(u"/company/"_s + page[1].slug, SampleSite::Fault::Stall, -1, 20000);
    showWindow();
    ASSERT_TRUE(open(m_site.searchUrl(1)));
    QElapsedTimer clock;
    whenRequested(u"/company/"_s + page[1].slug, [&] {
        clock.start();
        m_window->close();
    });
    click("btnStart");
    ASSERT_TRUE(QTest::qWaitFor([&] { return clock.isValid() && !m_window->extraction().inTick(); }, 30000));
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_EQ(results().rowCount(), 1);
    m_window.reset();
}

TEST_F(ExtractionRunTest, ClosingTheWindowDuringThePauseEndsItCleanly) {
    m_window->extraction().setTimings({150, 1500, 100});
    showWindow();
    ASSERT_TRUE(open(m_site.searchUrl(2)));
    bool closed = false;
    whenRequested(u"page_num=2"_s, [&] {
        closed = true;
        m_window->close();
    });
    click("btnStart");
    ASSERT_TRUE(QTest::qWaitFor([&] { return closed && !m_window->extraction().inTick(); }, 30000));
    QTest::qWait(500);
    EXPECT_EQ(results().rowCount(), 10);
    m_window.reset();
}

} // namespace
