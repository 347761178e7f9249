#include "core/browser/browserpane.h"
#include "core/export/automaticsave.h"
#include "core/extraction/extractiondriver.h"
#include "core/extraction/resultslist.h"
#include "gui/app/mainwindow.h"
#include "gui/app/widgetdialogs.h"
#include "gui/browser/browserprofile.h"
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

// The address joined as the company-page reader joins it.
QString FullAddress(const SampleCompany &company) {
    const std::pair<const QString *, QStringView> parts[] = {{&company.street, u", "},
                                                             {&company.city, u", "},
                                                             {&company.state, u", "},
                                                             {&company.zip, u" "},
                                                             {&company.country, u", "}};
    QString full;
    for (const auto &[part, separator] : parts) {
        if (!part->isEmpty()) {
            full = full.isEmpty() ? *part : full + separator + *part;
        }
    }
    return full;
}

// What a run makes of a company of the sample site, cell by cell.
LeadRow ExpectedRow(const SampleSite &site, const SampleCompany &company, int layout, const QString &keyword) {
    LeadRow row;
    const bool places = !company.country.isEmpty() && !company.phone.isEmpty();
    row[LeadRow::Category] = places ? company.placeTypes.join(u", ") : keyword;
    row[LeadRow::BusinessName] = company.name;
    row[LeadRow::FullAddress] = FullAddress(company);
    row[LeadRow::Address] = company.street;
    row[LeadRow::City] = company.city;
    row[LeadRow::State] = places ? company.region : company.state;
    row[LeadRow::PostalCode] = company.zip;
    row[LeadRow::Country] = company.country;
    row[LeadRow::Phone] = places ? company.phone : QString();
    row[LeadRow::Website] = company.website;
    row[LeadRow::Email] = company.emails.join(u';');
    row[LeadRow::Specialties] = company.specialties.join(u',');
    row[LeadRow::Industry] = company.industry;
    row[LeadRow::Type] = company.type;
    row[LeadRow::Founded] = company.founded;
    row[LeadRow::CompanySize] = company.size;
    if (!row[LeadRow::FullAddress].isEmpty()) {
        row[LeadRow::MapLink] =
            site.base() + u"/maps?q=" + QString(row[LeadRow::FullAddress] + u',' + company.country).replace(u' ', u'+');
    }
    row[LeadRow::LinkedInLink] =
        site.base() + u"/company/" + company.slug + (layout == 1 ? u"?trk=vsrp_companies_res_name"_s : u"/?trk=srp"_s);
    return row;
}

class ExtractionRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        ASSERT_TRUE(m_site.start());
        m_host.appData = m_folder.path();
        m_profile = std::make_unique<BrowserProfile>(m_folder.filePath(u"browser"_s), m_folder.filePath(u"cache"_s));
        openWindow();
        WidgetDialogs::setMessageObserver([this](Dialogs::Icon, const QString &text) { m_messages.append(text); });
    }

    // A new window on the sample site; journalFile empty keeps no journal.
    void openWindow(const QString &journalFile = {}) {
        MainWindow::Options options;
        options.endpoints = m_site.endpoints();
        options.browserProfile = m_profile.get();
        options.executableFolder = qEnvironmentVariable("TARNWICK_BUILD_DIR") + u"/bin"_s;
        options.journalFile = journalFile;
        m_window.reset();
        m_window = std::make_unique<MainWindow>(m_host, options);
        AppSettings &settings = m_window->context().settings;
        settings.eRandom.clear(); // no random pause between requests
        settings.cExtractEmails = true;
        settings.cCompleteFromGoogle = true;
        // Most runs go faster than the real waits; one test keeps them.
        m_window->extraction().setTimings({150, 400, 100});
    }

    void TearDown() override {
        WidgetDialogs::setMessageObserver({});
        m_window.reset();
    }

    RunState &run() { return m_window->context().run; }
    ResultsList &results() { return m_window->results(); }
    QString activity() { return m_window->context().status.panelText(StatusSink::ActivityPanel); }
    QString runLine() { return m_window->context().status.panelText(StatusSink::RunPanel); }

    bool open(const QString &address) {
        BrowserPane &pane = m_window->mainPane();
        bool loaded = false;
        const auto connection = QObject::connect(&pane, &BrowserPane::navigateComplete2, [&] { loaded = true; });
        pane.navigate(address);
        const bool ok = QTest::qWaitFor([&] { return loaded; }, 15000);
        QObject::disconnect(connection);
        return ok;
    }
    void click(const char *button) {
        QTest::mouseClick(m_window->findChild<QPushButton *>(QLatin1String(button)), Qt::LeftButton);
    }
    // Where the run stands, for failure messages.
    std::string state() {
        return QStringLiteral("rows %1, parsing %2, stop %3, in tick %4, activity \"%5\", page %6, run line \"%7\"")
            .arg(results().rowCount())
            .arg(run().Parsing)
            .arg(run().ShouldStop.requested())
            .arg(m_window->extraction().inTick())
            .arg(activity(), m_window->mainPane().locationUrl(), runLine())
            .toStdString();
    }
    bool waitForRunEnd(int timeoutMs = 60000) {
        return QTest::qWaitFor([&] { return !run().Parsing && !m_window->extraction().inTick(); }, timeoutMs);
    }
    bool requested(const QString &part) const {
        const QStringList targets = m_site.requestedTargets();
        return std::any_of(targets.begin(), targets.end(), [&](const QString &t) { return t.contains(part); });
    }
    // What a user does in the middle of a run is done from a timer that watches the site's
    // requests, while the run waits for them.
    void whenRequested(const QString &part, std::function<void()> action) {
        m_watch.setInterval(10);
        QObject::connect(&m_watch, &QTimer::timeout, [this, part, action] {
            if (m_watch.isActive() && requested(part)) {
                m_watch.stop();
                action();
            }
        });
        m_watch.start();
    }
    // Shows the window and waits for the start page its deferred start opens.
    void showWindow() {
        m_window->show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return m_window->mainPane().locationUrl() == m_site.base() + u"/"; }, 15000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !m_window->mainPane().isBusy(); }, 15000));
    }
    int companyRequests() const {
        const QStringList targets = m_site.requestedTargets();
        return static_cast<int>(
            std::count_if(targets.begin(), targets.end(), [](const QString &t) { return t.startsWith(u"/company/"); }));
    }
    // Every row in list order against the pages of a search.
    void expectRows(int layout, int pages, int firstRow = 0) {
        int index = firstRow;
        for (int page = 1; page <= pages; ++page) {
            for (const SampleCompany &company : m_site.companies(layout, page)) {
                SCOPED_TRACE(company.slug.toStdString());
                ASSERT_LT(index, results().rowCount());
                const LeadRow &actual = results().row(index++);
                const LeadRow expected = ExpectedRow(m_site, company, layout, u"Widgets"_s);
                for (int column = 0; column < LeadRow::GoogleMapsDetails; ++column) {
                    EXPECT_EQ(actual[column].toStdString(), expected[column].toStdString()) << "column " << column;
                }
                const QString details = actual[LeadRow::GoogleMapsDetails];
                if (expected[LeadRow::Phone].isEmpty()) {
                    EXPECT_TRUE(details.isEmpty()) << details.toStdString();
                } else {
                    EXPECT_TRUE(details.startsWith(m_site.base() + u"/maps/api/place/details/json?placeid=place-" +
                                                   company.slug + u"&key=sample-key-"))
                        << details.toStdString();
                }
            }
        }
        EXPECT_EQ(results().rowCount(), index);
    }

    QTemporaryDir m_folder;
    SampleSite m_site;
    FakeHost m_host;
    std::unique_ptr<BrowserProfile> m_profile;
    std::unique_ptr<MainWindow> m_window;
    QStringList m_messages;
    QTimer m_watch;
};

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
    EXPECT_EQ(runLine(), u"Waiting for a company result page");

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
    EXPECT_EQ(runLine(), u"Stopped");
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
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return requested(u"page_num=2"_s) && runLine() == u"Waiting for a company result page"; }, 60000))
        << state();
    EXPECT_EQ(results().rowCount(), 10);
    click("btnStop");
    EXPECT_EQ(runLine(), u"Stopped");

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

    QTest::qWait(150);
    QImage picture = m_window->grab().toImage();
    // The box as the window shows it; it wraps its text only once shown.
    QMessageBox box(QMessageBox::Information, QApplication::applicationDisplayName(), question);
    box.addButton(m_window->context().texts.text(u"main146"_s), QMessageBox::AcceptRole);
    box.addButton(m_window->context().texts.text(u"main147"_s), QMessageBox::DestructiveRole);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    const QPixmap boxPicture = box.grab();
    box.hide();
    QPainter painter(&picture);
    painter.drawPixmap((picture.width() - boxPicture.width()) / 2, (picture.height() - boxPicture.height()) / 3,
                       boxPicture);
    painter.end();
    const QString folder = qEnvironmentVariable("TARNWICK_BUILD_DIR", QDir::tempPath()) + u"/screenshots"_s;
    QDir().mkpath(folder);
    EXPECT_TRUE(picture.save(folder + u"/restore-and-status.png"_s));
}

TEST_F(ExtractionRunTest, StopDuringThePauseAfterTheClickAddsNothingMore) {
    m_window->extraction().setTimings({150, 2000, 100});
    ASSERT_TRUE(open(m_site.searchUrl(1)));
    whenRequested(u"page_num=2"_s, [this] { click("btnStop"); });
    click("btnStart");
    ASSERT_TRUE(QTest::qWaitFor([&] { return requested(u"page_num=2"_s); }, 30000));
    // The pause runs out and the tick still switches the timer on. The stop may have cut the
    // next page's load short, leaving a page without a layout, which is polled on; the first
    // result page a tick then finds without a run ends the polling and adds nothing.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_window->extraction().inTick(); }, 10000));
    EXPECT_FALSE(run().Parsing);
    ASSERT_TRUE(open(m_site.searchUrl(1, 2)));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !m_window->extraction().isPolling(); }, 5000));
    QTest::qWait(300);

    EXPECT_EQ(results().rowCount(), 10);
    EXPECT_FALSE(m_window->extraction().isPolling());
    EXPECT_NE(activity(), u"Finished.");
}

TEST_F(ExtractionRunTest, AutomaticExportWritesTheRunsFileAndCountsIt) {
    QTemporaryDir exportFolder;
    ASSERT_TRUE(exportFolder.isValid());
    m_window->context().settings.cExportAutomatic = true;
    m_window->context().settings.eExportFolder = exportFolder.path();
    ASSERT_TRUE(open(m_site.searchUrl(2, 2)));
    click("btnStart");
    ASSERT_TRUE(waitForRunEnd()) << state();

    EXPECT_EQ(results().rowCount(), 0);
    EXPECT_EQ(m_window->context().status.panelText(StatusSink::ExportedPanel), u"10 items exported");
    QFile file(AutomaticExportPath(exportFolder.path(), u"Results"_s, run().DateTimeVal));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().count("\r\n"), 11);
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
