#pragma once

#include "core/browser/browserpane.h"
#include "core/extraction/extractiondriver.h"
#include "core/extraction/resultslist.h"
#include "gui/app/mainwindow.h"
#include "gui/app/widgetdialogs.h"
#include "gui/browser/browserprofile.h"
#include "samplesite/samplesite.h"
#include "support/fakehost.h"

#include <QDir>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// The address joined as the company-page reader joins it.
QString FullAddress(const SampleCompany &company);
// What a run makes of a company of the sample site, cell by cell.
LeadRow ExpectedRow(const SampleSite &site, const SampleCompany &company, int layout, const QString &keyword);
// The same for today's search (layout 3), where a company behind the sign-in wall is read from
// the member's signed-in overview.
LeadRow ExpectedTodaysRow(const SampleSite &site, const SampleCompany &company, const QString &keyword);

// A window on the sample site, with what a user does: open a page, press a button, wait for the
// run to end, act when the site sees a request.
class ExtractionRunTest : public ::testing::Test {
protected:
    ExtractionRunTest() = default;
    explicit ExtractionRunTest(const SampleSiteOptions &options) : m_site(options) {}

    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        ASSERT_TRUE(m_site.start());
        m_host.appData = m_folder.path();
        m_profile = std::make_unique<BrowserProfile>(m_folder.filePath(QStringLiteral("browser")),
                                                     m_folder.filePath(QStringLiteral("cache")));
        openWindow();
        WidgetDialogs::setMessageObserver([this](Dialogs::Icon, const QString &text) { m_messages.append(text); });
    }

    // A new window on the sample site; journalFile empty keeps no journal.
    void openWindow(const QString &journalFile = {}) {
        MainWindow::Options options;
        options.endpoints = m_site.endpoints();
        options.browserProfile = m_profile.get();
        options.executableFolder = qEnvironmentVariable("TARNWICK_BUILD_DIR") + QStringLiteral("/bin");
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
                const LeadRow expected = ExpectedRow(m_site, company, layout, QStringLiteral("Widgets"));
                // The details address holds a Places key drawn at random.
                for (int column = 0; column < LeadRow::ColumnCount; ++column) {
                    if (column != LeadRow::GoogleMapsDetails) {
                        EXPECT_EQ(actual[column].toStdString(), expected[column].toStdString()) << "column " << column;
                    }
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

    // The window with a message box painted over it as the window would show it, saved under
    // name in the build's screenshots folder for the README.
    void saveWindowWithBox(QWidget &box, const QString &name) {
        QTest::qWait(150);
        QImage picture = m_window->grab().toImage();
        // The box wraps its text only once shown.
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
        const QPixmap boxPicture = box.grab();
        box.hide();
        QPainter painter(&picture);
        painter.drawPixmap((picture.width() - boxPicture.width()) / 2, (picture.height() - boxPicture.height()) / 3,
                           boxPicture);
        painter.end();
        const QString folder =
            qEnvironmentVariable("TARNWICK_BUILD_DIR", QDir::tempPath()) + QStringLiteral("/screenshots");
        QDir().mkpath(folder);
        EXPECT_TRUE(picture.save(folder + u'/' + name));
    }

    QTemporaryDir m_folder;
    SampleSite m_site;
    FakeHost m_host;
    std::unique_ptr<BrowserProfile> m_profile;
    std::unique_ptr<MainWindow> m_window;
    QStringList m_messages;
    QTimer m_watch;
};
