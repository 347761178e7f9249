#include "core/browser/browserpane.h"
#include "core/extraction/resultslist.h"
#include "core/host/hostintegration.h"
#include "core/library/leadlibrary.h"
#include "core/net/downloader.h"
#include "core/settings/settingsstore.h"
#include "gui/app/mainstatusbar.h"
#include "gui/app/mainwindow.h"
#include "gui/app/widgetdialogs.h"
#include "gui/browser/browserprofile.h"
#include "support/fakehost.h"
#include "support/loopbackserver.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextLayout>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <mutex>

namespace {

std::string Page(const std::string &title) {
    return "<html><head><title>" + title + "</title></head><body><h1>" + title + "</h1></body></html>";
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        m_host.appData = m_folder.path();
        m_server.server().Get("/start", [](const httplib::Request &, httplib::Response &res) {
            res.set_content(Page("start"), "text/html");
        });
        m_server.server().Get("/redirect",
                              [](const httplib::Request &, httplib::Response &res) { res.set_redirect("/landed"); });
        m_server.server().Get("/landed", [](const httplib::Request &, httplib::Response &res) {
            res.set_content(Page("landed"), "text/html");
        });
        m_server.server().Get("/feed/nhome/", [](const httplib::Request &, httplib::Response &res) {
            res.set_content(Page("member home"), "text/html");
        });
        m_server.server().Get("/vsearch/c", [this](const httplib::Request &, httplib::Response &res) {
            m_searchRequests++;
            res.set_content(Page("company search"), "text/html");
        });
        m_server.server().Get("/chunked", [](const httplib::Request &, httplib::Response &res) {
            res.set_chunked_content_provider("text/plain", [](size_t, httplib::DataSink &sink) {
                sink.write("no length given", 15);
                sink.done();
                return true;
            });
        });
        // The publisher's files: an update file naming the running version, news in two languages
        // and the offers page; every request is recorded in order.
        m_server.server().Get("/updates/mainappupdate.inf",
                              [this](const httplib::Request &req, httplib::Response &res) {
                                  record(req);
                                  res.set_content("[Update]\r\nName=Tarnwick\r\nVersion=3.12\r\n", "text/plain");
                              });
        m_server.server().Get("/news.dat", [this](const httplib::Request &req, httplib::Response &res) {
            record(req);
            res.set_content("<EN1>Read the news</EN1><fr1>Lisez les nouvelles</fr1>", "text/plain");
        });
        m_server.server().Get("/offers.php", [this](const httplib::Request &req, httplib::Response &res) {
            record(req);
            res.set_content("<html><body><h1>News &amp; Special Offers</h1><p>Offers from the publisher appear "
                            "here.</p></body></html>",
                            "text/html");
        });
        ASSERT_TRUE(m_server.start());

        m_profile = std::make_unique<BrowserProfile>(m_folder.filePath(QStringLiteral("browser")),
                                                     m_folder.filePath(QStringLiteral("cache")));
        m_window = std::make_unique<MainWindow>(m_host, options());
        WidgetDialogs::setMessageObserver([this](Dialogs::Icon, const QString &text) { m_messages.append(text); });
    }

    void TearDown() override {
        WidgetDialogs::setMessageObserver({});
        m_window.reset();
    }

    // Every address the window talks to is on the loopback server.
    MainWindow::Options options() {
        MainWindow::Options options;
        options.endpoints.linkedInHttp = m_server.base();
        options.endpoints.linkedInHttps = m_server.url(QStringLiteral("/start"));
        options.endpoints.updateBaseUrl = m_server.url(QStringLiteral("/updates/"));
        options.endpoints.newsDataUrl = m_server.url(QStringLiteral("/news.dat"));
        options.endpoints.offersPageUrl = m_server.url(QStringLiteral("/offers.php"));
        options.endpoints.tutorialUrl = m_server.url(QStringLiteral("/tutorial.php"));
        options.endpoints.affiliatesUrl = m_server.url(QStringLiteral("/affiliates"));
        options.browserProfile = m_profile.get();
        options.executableFolder = executableFolder();
        return options;
    }

    void record(const httplib::Request &request) {
        const std::lock_guard lock(m_requestsMutex);
        m_publisherRequests.append(QString::fromStdString(request.target));
    }
    QStringList publisherRequests() {
        const std::lock_guard lock(m_requestsMutex);
        return m_publisherRequests;
    }

    // The fixture starts without language files unless a test overrides this.
    virtual QString executableFolder() { return m_folder.filePath(QStringLiteral("no-languages")); }

    template<typename T>
    T *child(const char *name) {
        return m_window->findChild<T *>(QLatin1String(name));
    }

    // Waits until the address box shows an address that ends with suffix.
    bool waitForAddress(const QString &suffix) {
        auto *address = child<QLineEdit>("edtAddress");
        return QTest::qWaitFor([&] { return address->text().endsWith(suffix); }, 15000);
    }

    QTemporaryDir m_folder;
    FakeHost m_host;
    LoopbackServer m_server;
    std::atomic<int> m_searchRequests{0};
    std::mutex m_requestsMutex;
    QStringList m_publisherRequests;
    std::unique_ptr<BrowserProfile> m_profile;
    std::unique_ptr<MainWindow> m_window;
    QStringList m_messages;
};

TEST_F(MainWindowTest, ComesUpWithItsLayoutCaptionsAndStatusPanels) {
    m_window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));

    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("Tarnwick 3.12"));
    const std::pair<const char *, const char *> captions[] = {
        {"btnStart", "Get Data"},
        {"btnStop", "Stop"},
        {"btnSettings", "Settings"},
        {"btnUpdates", "Get Updates"},
        {"btnHelp", "Help"},
        {"btnGo", "Go"},
        {"btnRSelectAll", "Select All"},
        {"btnRClearSelection", "Clear Selection"},
        {"btnRDelete", "Delete Selected"},
        {"btnRDeleteAll", "Delete All"},
        {"btnExportAll", "Export Data"},
        {"btnOpenWebsite", "Open Website"},
        {"btnOpenMaps", "Open Maps URL"},
        {"btnOpenDetails", "Open Details URL"},
    };
    for (const auto &[name, caption] : captions) {
        auto *button = child<QPushButton>(name);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->text(), QLatin1String(caption)) << name;
    }
    const std::pair<const char *, const char *> hints[] = {
        {"imgHome", "Home"}, {"imgBack", "Go Back"},    {"imgForward", "Go Forward"},
        {"imgStop", "Stop"}, {"imgRefresh", "Refresh"},
    };
    for (const auto &[name, hint] : hints) {
        auto *image = child<QToolButton>(name);
        ASSERT_NE(image, nullptr) << name;
        EXPECT_EQ(image->toolTip(), QLatin1String(hint)) << name;
        EXPECT_EQ(image->size(), QSize(32, 32)) << name;
    }
    EXPECT_EQ(child<QLabel>("lblCurrentLanguage")->text(), QStringLiteral("Language:"));
    EXPECT_EQ(child<QLabel>("lblAddress")->text(), QStringLiteral("Address:"));
    EXPECT_EQ(child<QLabel>("panResultsHeader")->text(), QStringLiteral("Results"));
    auto *languages = child<QComboBox>("cbxLanguage");
    ASSERT_EQ(languages->count(), 4);
    EXPECT_EQ(languages->itemText(3), QStringLiteral("Italian"));
    EXPECT_EQ(languages->currentIndex(), 0);

    auto *pages = child<QTabWidget>("pgcMain");
    ASSERT_EQ(pages->count(), 3);
    EXPECT_EQ(pages->tabText(0), QStringLiteral("Browser"));
    EXPECT_EQ(pages->tabText(1), QStringLiteral("News && Special Offers"));
    EXPECT_EQ(pages->tabText(2), QStringLiteral("Library"));

    EXPECT_EQ(child<QWidget>("panCommands")->height(), 89);
    EXPECT_EQ(child<QWidget>("panAddress")->height(), 44);
    EXPECT_EQ(child<QWidget>("panButtons")->height(), 42);
    EXPECT_EQ(child<QWidget>("panResultsHeader")->height(), 21);

    // The address box widens with the window; Go stays at the right edge.
    auto *address = child<QLineEdit>("edtAddress");
    auto *go = child<QPushButton>("btnGo");
    const int widthBefore = address->width();
    m_window->resize(m_window->width() + 200, m_window->height());
    QTest::qWait(50);
    EXPECT_EQ(address->width(), widthBefore + 200);
    EXPECT_GT(go->geometry().left(), address->geometry().right());

    MainStatusBar &status = m_window->statusBarPanels();
    for (int i = 0; i <= MainStatusBar::GaugePanel; ++i) {
        EXPECT_EQ(status.panelRect(i).width(), MainStatusBar::PanelWidths[static_cast<std::size_t>(i)]) << i;
    }
    EXPECT_EQ(status.panelText(1), QStringLiteral("0 items listed"));
    EXPECT_EQ(status.panelText(2), QStringLiteral("0 items exported"));
    EXPECT_EQ(status.panelText(3), QStringLiteral("Progress:"));
    EXPECT_EQ(status.gauge()->geometry(), status.panelRect(MainStatusBar::GaugePanel));

    // The deferred start opens the LinkedIn start page (here the loopback server); its load ends
    // with an empty gauge, whatever the start-up's fetches left there before.
    EXPECT_TRUE(waitForAddress(QStringLiteral("/start")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !m_window->mainPane().isBusy(); }, 15000));
    EXPECT_EQ(status.gaugePosition(), 0);

    const QString folder =
        qEnvironmentVariable("TARNWICK_BUILD_DIR", QDir::tempPath()) + QStringLiteral("/screenshots");
    QDir().mkpath(folder);
    QTest::qWait(150);
    EXPECT_TRUE(m_window->grab().save(folder + QStringLiteral("/mainwindow.png")));
}

TEST_F(MainWindowTest, StatusPanelsFillTheBarDownToTheWindowsEdgeAtEverySize) {
    m_window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    MainStatusBar &status = m_window->statusBarPanels();
    for (const QSize size : {QSize(911, 568), QSize(1200, 900), QSize(700, 420)}) {
        m_window->resize(size);
        QTest::qWait(50);
        EXPECT_EQ(status.geometry().bottom(), m_window->height() - 1) << size.height();
        const QRect runLine = status.panelRect(StatusSink::RunPanel);
        EXPECT_GE(runLine.bottom(), status.height() - 2) << size.height();
        for (int panel = 0; panel < StatusSink::RunPanel; ++panel) {
            EXPECT_GE(status.panelRect(panel).bottom(), runLine.top() - MainStatusBar::PanelSpacing - 1) << panel;
        }
    }
    // A cut activity text ends in "…" and shows whole on hovering.
    const QString activity = QStringLiteral("Exporting automatically to ") + QString(60, u'x');
    status.setPanelText(StatusSink::ActivityPanel, activity);
    auto *panel0 = child<QLabel>("StatusPanel0");
    EXPECT_TRUE(panel0->text().endsWith(u'…')) << panel0->text().toStdString();
    EXPECT_EQ(panel0->toolTip(), activity);
}

TEST_F(MainWindowTest, OpensWholeOnItsScreen) {
    m_window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    const QRect available = m_window->screen()->availableGeometry();
    EXPECT_TRUE(available.contains(m_window->frameGeometry())) << available.width() << "x" << available.height();
}

TEST_F(MainWindowTest, ResultsListGivesWayBeforeTheBrowserPaneFallsUnder200Pixels) {
    m_window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    auto *pane = child<QTabWidget>("pgcMain");
    auto *results = child<QWidget>("panResults");
    EXPECT_GE(m_window->height(), 568);
    EXPECT_GE(pane->height(), 200);
    EXPECT_GE(results->height(), 170);
    int previousResults = results->height();
    for (const int height : {600, 560, 500, 460, 400}) {
        m_window->resize(m_window->width(), height);
        QTest::qWait(30);
        EXPECT_GE(pane->height(), 200) << height;
        EXPECT_LE(results->height(), previousResults) << height;
        previousResults = results->height();
    }
    EXPECT_LT(results->height(), 170);
}

TEST_F(MainWindowTest, FirstStartCreatesTheDataFolderAndTheSettingsGoThere) {
    m_window.reset();
    m_host.appData = m_folder.filePath(QStringLiteral("fresh/config"));
    m_window = std::make_unique<MainWindow>(m_host, options());
    const QString dataFolder = m_folder.filePath(QStringLiteral("fresh/config/Brisvane Software/Tarnwick"));
    EXPECT_TRUE(QFileInfo(dataFolder).isDir());
    EXPECT_EQ(QFileInfo(m_window->settingsPath()).absolutePath(), dataFolder);
}

TEST_F(MainWindowTest, HomeImageIsAHouseNotTheStylesHomeFolder) {
    const QImage home = child<QToolButton>("imgHome")->icon().pixmap(24, 24).toImage();
    const QImage folder = m_window->style()->standardIcon(QStyle::SP_DirHomeIcon).pixmap(24, 24).toImage();
    EXPECT_FALSE(home.isNull());
    EXPECT_NE(home.convertToFormat(QImage::Format_ARGB32), folder.convertToFormat(QImage::Format_ARGB32));
}

TEST_F(MainWindowTest, StartUpSetsTheBrowserEmulationForBothExecutableNames) {
    // Made in SetUp, on a host without Internet Explorer: the lowest emulation level.
    const QMap<QString, quint32> values = m_host.currentUser.value(BrowserEmulationKey.toString());
    EXPECT_EQ(values.value(QStringLiteral("Tarnwick.exe")), 8000u);
    EXPECT_EQ(values.value(QStringLiteral("tarnwick")), 8000u);
}

TEST_F(MainWindowTest, GoLoadsTheTypedAddressAndShowsWhereARedirectLanded) {
    m_window->show();
    ASSERT_TRUE(waitForAddress(QStringLiteral("/start")));
    auto *address = child<QLineEdit>("edtAddress");
    address->setText(m_server.url(QStringLiteral("/redirect")));
    QTest::mouseClick(child<QPushButton>("btnGo"), Qt::LeftButton);
    EXPECT_TRUE(waitForAddress(QStringLiteral("/landed")));
    EXPECT_EQ(m_window->mainPane().locationUrl(), m_server.url(QStringLiteral("/landed")));
}

TEST_F(MainWindowTest, EnterInTheAddressBoxDoesNotNavigate) {
    m_window->show();
    ASSERT_TRUE(waitForAddress(QStringLiteral("/start")));
    auto *address = child<QLineEdit>("edtAddress");
    address->setText(m_server.url(QStringLiteral("/landed")));
    QTest::keyClick(address, Qt::Key_Return);
    QTest::qWait(500);
    EXPECT_EQ(m_window->mainPane().locationUrl(), m_server.url(QStringLiteral("/start")));
}

TEST_F(MainWindowTest, MemberHomePageIsReplacedByTheCompanySearch) {
    m_window->show();
    ASSERT_TRUE(waitForAddress(QStringLiteral("/start")));
    m_window->mainPane().navigate(m_server.url(QStringLiteral("/feed/nhome/")));
    EXPECT_TRUE(waitForAddress(QStringLiteral("/vsearch/c")));
    EXPECT_GE(m_searchRequests.load(), 1);
}

TEST_F(MainWindowTest, HomeOpensTheCompanySearch) {
    m_window->show();
    ASSERT_TRUE(waitForAddress(QStringLiteral("/start")));
    QTest::mouseClick(child<QToolButton>("imgHome"), Qt::LeftButton);
    EXPECT_TRUE(waitForAddress(QStringLiteral("/vsearch/c")));
}

TEST_F(MainWindowTest, BackAndForwardWithoutHistoryAreSilent) {
    m_window->show();
    ASSERT_TRUE(waitForAddress(QStringLiteral("/start")));
    QTest::mouseClick(child<QToolButton>("imgBack"), Qt::LeftButton);
    QTest::mouseClick(child<QToolButton>("imgForward"), Qt::LeftButton);
    QTest::qWait(300);
    EXPECT_TRUE(m_messages.isEmpty());
    EXPECT_EQ(m_window->mainPane().locationUrl(), m_server.url(QStringLiteral("/start")));
}

TEST_F(MainWindowTest, GaugeShowsTheLoadPercentage) {
    MainStatusBar &status = m_window->statusBarPanels();
    m_window->ewbMainProgressChange(50, 200);
    EXPECT_EQ(status.gaugeMaximum(), 100);
    EXPECT_EQ(status.gaugePosition(), 25);
    m_window->ewbMainProgressChange(1, 1);
    EXPECT_EQ(status.gaugePosition(), 0);
    m_window->ewbMainProgressChange(0, 200);
    EXPECT_EQ(status.gaugePosition(), 0);
    m_window->ewbMainProgressChange(200, 200);
    EXPECT_EQ(status.gaugePosition(), 100);
    m_window->statusBarPanels().setGaugePosition(70);
    QTest::mouseClick(child<QToolButton>("imgStop"), Qt::LeftButton);
    EXPECT_EQ(status.gaugePosition(), 0);
}

TEST_F(MainWindowTest, IdleGaugeIsEmptyAfterAPageLoadAndAfterAFetchOfUnknownLength) {
    auto *gauge = m_window->findChild<QProgressBar *>(QStringLiteral("MainGauge"));
    ASSERT_NE(gauge, nullptr);
    m_window->show();
    ASSERT_TRUE(waitForAddress(QStringLiteral("/start")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_window->mainPane().isBusy(); }, 15000));
    QTest::qWait(100);
    EXPECT_EQ(gauge->value(), gauge->minimum());
    EXPECT_EQ(gauge->maximum(), 100);

    const FetchResult page =
        QCoro::waitFor(m_window->downloader().DirectDownloadURL(m_server.url(QStringLiteral("/chunked")), true, {}));
    EXPECT_EQ(page.text, QStringLiteral("no length given"));
    // An empty bar again, not Qt's endless busy animation of a 0..0 range.
    EXPECT_EQ(gauge->maximum(), 100);
    EXPECT_EQ(gauge->value(), 0);
}

TEST_F(MainWindowTest, StopEndsTheRunAndResetsTheGauge) {
    AppContext &context = m_window->context();
    context.run.Parsing = true;
    m_window->statusBarPanels().setGaugePosition(40);
    QTest::mouseClick(child<QPushButton>("btnStop"), Qt::LeftButton);
    EXPECT_TRUE(context.run.ShouldStop.requested());
    EXPECT_FALSE(context.run.Parsing);
    EXPECT_EQ(m_window->statusBarPanels().gaugePosition(), 0);
}

TEST_F(MainWindowTest, ClosingAsksTheRunToStop) {
    m_window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->context().run.Parsing = true;
    EXPECT_TRUE(m_window->close());
    EXPECT_TRUE(m_window->context().run.ShouldStop.requested());
    EXPECT_TRUE(m_window->isIdle());
}

// The shipped language files, as they lie beside the executable in the build tree.
class MainWindowLanguageTest : public MainWindowTest {
protected:
    QString executableFolder() override { return qEnvironmentVariable("TARNWICK_BUILD_DIR") + QStringLiteral("/bin"); }
};

TEST_F(MainWindowLanguageTest, ChoosingFrenchSavesTheChoiceAndTranslatesTheWindow) {
    m_window->show();
    ASSERT_TRUE(waitForAddress(QStringLiteral("/start")));
    LeadRow row;
    row[LeadRow::LinkedInLink] = QStringLiteral("https://example.invalid/company/a");
    m_window->results().appendRow(row);
    const QString englishStart = child<QPushButton>("btnStart")->text();

    auto *languages = child<QComboBox>("cbxLanguage");
    languages->setCurrentIndex(1);
    m_window->cbxLanguageChange(1);

    EXPECT_EQ(m_window->context().settings.CurrLang, QStringLiteral("fr"));
    QFile saved(m_window->settingsPath());
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().contains("<%%Language%%>fr<%%/Language%%>"));
    EXPECT_NE(child<QPushButton>("btnStart")->text(), englishStart);
    EXPECT_FALSE(child<QPushButton>("btnStart")->text().isEmpty());
    // The Library tab follows too.
    EXPECT_EQ(child<QTabWidget>("pgcMain")->tabText(2), QStringLiteral("Biblioth\u00e8que"));
    EXPECT_EQ(child<QPushButton>("btnLibraryExport")->text(), QStringLiteral("Exporter la s\u00e9lection"));
    // The counter templates are applied at once, with the current counts.
    const QString listed = m_window->statusBarPanels().panelText(1);
    EXPECT_TRUE(listed.startsWith(QStringLiteral("1"))) << listed.toStdString();
    EXPECT_FALSE(listed.contains(QStringLiteral("[VAR1]")));
    EXPECT_FALSE(m_window->statusBarPanels().panelText(2).contains(QStringLiteral("[VAR1]")));

    const QString folder =
        qEnvironmentVariable("TARNWICK_BUILD_DIR", QDir::tempPath()) + QStringLiteral("/screenshots");
    QDir().mkpath(folder);
    QTest::qWait(150);
    EXPECT_TRUE(m_window->grab().save(folder + QStringLiteral("/mainwindow-fr.png")));
}

// A library opened once the window stands shows in its tab when the tab is chosen; the
// picture is the README's.
TEST_F(MainWindowLanguageTest, LibraryTabShowsALibraryOpenedAfterStartUp) {
    m_window->show();
    ASSERT_TRUE(waitForAddress(QStringLiteral("/start")));
    LeadLibrary &library = m_window->context().library;
    ASSERT_TRUE(library.open(m_folder.filePath(QStringLiteral("library.sqlite"))).ok());
    const QStringList names = QStringLiteral("Nordwind Alpine Harbour Cobalt Summit Meridian").split(u' ');
    const QStringList trades = QStringLiteral("Software Foods Logistics Design").split(u' ');
    const QStringList cities = QStringLiteral("Leeds Lyon Porto Z\u00fcrich M\u00fcnchen").split(u' ');
    for (int number = 0; number < 24; ++number) {
        LeadRow row;
        row[LeadRow::Category] = QStringLiteral("Information Technology");
        row[LeadRow::BusinessName] = names[number % 6] + u' ' + trades[number % 4];
        row[LeadRow::City] = cities[number % 5];
        row[LeadRow::FullAddress] = QStringLiteral("%1 Harbour Street, %2").arg(number + 3).arg(row[LeadRow::City]);
        row[LeadRow::LinkedInLink] = QStringLiteral("https://www.linkedin.com/company/%1").arg(number);
        library.add(row, QStringLiteral("https://www.linkedin.com/search/results/companies/?keywords=%1").arg(number),
                    number == 3 ? QStringLiteral("website: connection refused") : QString());
    }
    library.flush();
    m_window->resize(1100, 760);
    auto *tabs = child<QTabWidget>("pgcMain");
    tabs->setCurrentIndex(2);
    auto *count = child<QLabel>("lblLibraryCount");
    ASSERT_TRUE(QTest::qWaitFor([&] { return count->text() == QStringLiteral("24 companies"); }, 2000))
        << count->text().toStdString();
    auto *view = child<QTableView>("lvwLibrary");
    for (const int row : {2, 3, 5}) {
        view->selectionModel()->select(view->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    QTest::qWait(150);
    const QString folder =
        qEnvironmentVariable("TARNWICK_BUILD_DIR", QDir::tempPath()) + QStringLiteral("/screenshots");
    QDir().mkpath(folder);
    EXPECT_TRUE(m_window->grab().save(folder + QStringLiteral("/library-tab.png")));
}

TEST_F(MainWindowLanguageTest, NewsLineFillsWhenTheNewsComesAndFollowsTheLanguage) {
    auto *news = child<QLabel>("lblNews");
    m_window->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return news->text().contains(QStringLiteral("Read the news")); }, 15000))
        << news->text().toStdString();
    EXPECT_TRUE(news->text().contains(m_server.url(QStringLiteral("/affiliates"))));
    m_window->cbxLanguageChange(1);
    EXPECT_TRUE(news->text().contains(QStringLiteral("Lisez les nouvelles")));
    // One fetch at start-up; a language change reads the stored text.
    EXPECT_EQ(publisherRequests().count(QStringLiteral("/news.dat")), 1);

    Q_EMIT news->linkActivated(QStringLiteral("https://elsewhere.example/"));
    ASSERT_FALSE(m_host.started.isEmpty());
    EXPECT_EQ(m_host.started.constLast().arguments, QStringList{m_server.url(QStringLiteral("/affiliates"))});
    QTest::mouseClick(child<QPushButton>("btnHelp"), Qt::LeftButton);
    EXPECT_EQ(m_host.started.constLast().arguments, QStringList{m_server.url(QStringLiteral("/tutorial.php"))});
}

TEST_F(MainWindowLanguageTest, DeferredStartChecksForUpdatesShowsOffersThenOpensTheSite) {
    QElapsedTimer clock;
    clock.start();
    m_window->show();
    ASSERT_TRUE(waitForAddress(QStringLiteral("/start")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return publisherRequests().size() >= 3; }, 15000));
    // The tab flip waits 500 ms first; nothing is asked before it.
    EXPECT_GE(clock.elapsed(), 500);
    EXPECT_EQ(publisherRequests().mid(1, 2), (QStringList{QStringLiteral("/updates/mainappupdate.inf"),
                                                          QStringLiteral("/offers.php?lang=en&resid=0")}));
    EXPECT_TRUE(m_messages.isEmpty()); // up to date, and silent about it
    EXPECT_EQ(m_window->findChild<QTabWidget *>(QStringLiteral("pgcMain"))->currentIndex(), 0);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return m_window->newsPane().locationUrl().endsWith(QStringLiteral("/offers.php?lang=en&resid=0")); },
        15000));
    // The window with its news line and the offers tab, for the README.
    const QString folder =
        qEnvironmentVariable("TARNWICK_BUILD_DIR", QDir::tempPath()) + QStringLiteral("/screenshots");
    QDir().mkpath(folder);
    auto *tabs = m_window->findChild<QTabWidget *>(QStringLiteral("pgcMain"));
    tabs->setCurrentIndex(1);
    QTest::qWait(300);
    EXPECT_TRUE(m_window->grab().save(folder + QStringLiteral("/offers-tab.png")));
    tabs->setCurrentIndex(0);

    // From the button the same answer is said, also after a run's Stop.
    QTest::mouseClick(child<QPushButton>("btnStop"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>("btnUpdates"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_messages.isEmpty(); }, 15000));
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_FALSE(m_messages.constFirst().isEmpty());
}

TEST_F(MainWindowLanguageTest, EveryLanguageShowsItsStatusCaptionsAndColumnCaptionsWhole) {
    m_window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->btnStartClick();
    m_window->btnStopClick();
    MainStatusBar &status = m_window->statusBarPanels();
    const UiTexts &texts = m_window->context().texts;
    for (int language = 0; language < 4; ++language) {
        m_window->cbxLanguageChange(language);
        // The run line follows the language at once, and its texts read whole at the opening size.
        EXPECT_EQ(status.panelText(StatusSink::RunPanel), texts.format(QStringLiteral("main160"), 0));
        const QStringList runLines{
            texts.text(QStringLiteral("main111")),
            texts.format(QStringLiteral("main115"), {QStringLiteral("100"), QStringLiteral("10")}) + u' ' +
                texts.format(QStringLiteral("main116"),
                             {QStringLiteral("10"), QStringLiteral("10"), QStringLiteral("10")})};
        for (const QString &line : runLines) {
            status.setPanelText(StatusSink::RunPanel, line);
            EXPECT_EQ(child<QLabel>("StatusPanel5")->text(), line) << language;
        }
        for (int panel = StatusSink::ListedPanel; panel <= StatusSink::ProgressLabelPanel; ++panel) {
            auto *label = m_window->findChild<QLabel *>(QStringLiteral("StatusPanel%1").arg(panel));
            ASSERT_NE(label, nullptr);
            EXPECT_GE(label->contentsRect().width(), label->fontMetrics().horizontalAdvance(label->text()))
                << language << ": " << label->text().toStdString();
        }
        const ResultsModel &model = m_window->results().model();
        for (int column = 0; column < LeadRow::ColumnCount; ++column) {
            EXPECT_EQ(model.headerData(column, Qt::Horizontal, Qt::ToolTipRole),
                      model.headerData(column, Qt::Horizontal, Qt::DisplayRole));
        }
    }
    EXPECT_EQ(m_window->findChild<QProgressBar *>(QStringLiteral("MainGauge"))->geometry(),
              m_window->statusBarPanels().panelRect(MainStatusBar::GaugePanel));
}

TEST_F(MainWindowLanguageTest, LinkMessageKeepsTheLaunchersNameOnOneLine) {
    m_host.launcher.clear();
    QTest::mouseClick(child<QPushButton>("btnHelp"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_messages.isEmpty(); }, 5000));
    QTextLayout layout(m_messages.constFirst().section(u'\n', 0, 0), m_window->font());
    ASSERT_TRUE(layout.text().contains(u"xdg")) << layout.text().toStdString();
    for (int width = 120; width <= 400; width += 4) {
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            EXPECT_FALSE(layout.text().mid(line.textStart(), line.textLength()).startsWith(u"open)")) << width;
        }
        layout.endLayout();
    }
}

TEST_F(MainWindowLanguageTest, TheStoredLanguageIsAppliedAtStartUp) {
    m_window.reset();
    AppSettings stored;
    stored.CurrLang = QStringLiteral("es");
    ASSERT_TRUE(
        SaveSettings(stored, SettingsFilePath(m_folder.filePath(QStringLiteral("Brisvane Software/Tarnwick")))).ok);

    m_window = std::make_unique<MainWindow>(m_host, options());
    EXPECT_EQ(m_window->context().settings.CurrLang, QStringLiteral("es"));
    EXPECT_EQ(child<QComboBox>("cbxLanguage")->currentIndex(), 2);
    EXPECT_NE(child<QPushButton>("btnStart")->text(), QStringLiteral("Get Data"));
}

TEST_F(MainWindowLanguageTest, RowsTheLastWindowListedAreOfferedBackOverTheShownWindowInTheStoredLanguage) {
    MainWindow::Options journalled = options();
    journalled.journalFile = m_folder.filePath(QStringLiteral("results.journal"));
    m_window = std::make_unique<MainWindow>(m_host, journalled);
    m_window->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_window->journal() != nullptr; }, 5000));
    LeadRow row;
    row[LeadRow::LinkedInLink] = QStringLiteral("https://example.invalid/company/a");
    m_window->results().appendRow(row);
    m_window->cbxLanguageChange(3);
    m_window.reset();
    const QDateTime ended = QFileInfo(journalled.journalFile).lastModified();

    m_messages.clear();
    WidgetDialogs::setNextChoice(Dialogs::Choice::Accept);
    m_window = std::make_unique<MainWindow>(m_host, journalled);
    EXPECT_TRUE(m_messages.isEmpty());
    m_window->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_messages.isEmpty(); }, 5000));
    const QStringList values{QStringLiteral("1"), QLocale(QStringLiteral("it")).toString(ended, QLocale::LongFormat)};
    EXPECT_EQ(m_messages, QStringList{m_window->context().texts.format(QStringLiteral("main100"), values)});
    EXPECT_EQ(m_window->results().rowCount(), 1);

    // A second copy on the same journal asks nothing and says so in its status line.
    MainWindow second(m_host, journalled);
    second.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !second.statusBarPanels().panelText(0).isEmpty(); }, 5000));
    EXPECT_EQ(m_messages.size(), 1);
}

TEST(RestoreQuestionBox, EscapeAndTheCloseBoxDecideNothing) {
    const std::vector<std::pair<std::function<void(QMessageBox *)>, Dialogs::Choice>> cases = {
        {[](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Escape); }, Dialogs::Choice::Undecided},
        {[](QMessageBox *box) { box->close(); }, Dialogs::Choice::Undecided},
    };
    for (const auto &[act, expected] : cases) {
        QTimer::singleShot(100, [&act] { act(qobject_cast<QMessageBox *>(QApplication::activeModalWidget())); });
        EXPECT_EQ(WidgetDialogs().choose(Dialogs::Icon::Information, QStringLiteral("?"), QStringLiteral("Restore"),
                                         QStringLiteral("Discard")),
                  expected);
    }
}

// A language file of random bytes, and a settings file read only in part.
class MainWindowDamagedLanguageTest : public MainWindowTest {
protected:
    QString executableFolder() override {
        Write(m_folder.filePath(QStringLiteral("broken/languages/en.dat")),
              QByteArray("\x8f\xa7<m\xfe\r\n").repeated(500));
        Write(settingsFile(), "<%%rNoProxy%%>Maybe<%%/rNoProxy%%>\r\n");
        return m_folder.filePath(QStringLiteral("broken"));
    }
    static void Write(const QString &path, const QByteArray &bytes) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    QString settingsFile() { return SettingsFilePath(m_folder.filePath(QStringLiteral("Brisvane Software/Tarnwick"))); }
};

TEST_F(MainWindowDamagedLanguageTest, StartUpGoesOnInEnglishAndSaysWhichFilesOnceTheWindowShows) {
    EXPECT_EQ(child<QPushButton>("btnStart")->text(), QStringLiteral("Get Data"));
    m_window->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_messages.size() == 2; }, 5000));
    EXPECT_TRUE(m_messages[0].contains(m_folder.filePath(QStringLiteral("broken/languages/en.dat"))));
    EXPECT_TRUE(m_messages[1].contains(QStringLiteral("rNoProxy")));
    EXPECT_TRUE(m_messages[1].contains(settingsFile() + QStringLiteral(".bad")));
}

// A library file of garbage in the data folder at start-up.
class MainWindowDamagedLibraryTest : public MainWindowTest {
protected:
    QString executableFolder() override {
        QDir().mkpath(m_folder.filePath(QStringLiteral("Brisvane Software/Tarnwick")));
        QFile file(m_libraryFile);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(QByteArray(4096, 'x')) == 4096);
        return MainWindowTest::executableFolder();
    }
    const QString m_libraryFile = m_folder.filePath(QStringLiteral("Brisvane Software/Tarnwick/library.sqlite"));
};

TEST_F(MainWindowDamagedLibraryTest, GoesAsideWithOneMessageOverTheWindowAndANewLibraryKeepsRows) {
    m_window->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_messages.isEmpty(); }, 5000));
    const QStringList aside = QFileInfo(m_libraryFile).dir().entryList({QStringLiteral("library.sqlite.damaged-*")});
    ASSERT_EQ(aside.size(), 1);
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages[0].contains(m_libraryFile) && m_messages[0].contains(aside[0]));
    LeadRow row;
    row[LeadRow::LinkedInLink] = QStringLiteral("https://www.linkedin.com/company/acme/");
    m_window->context().library.add(row, {});
    m_window->close();
    LeadLibrary reopened;
    EXPECT_EQ(reopened.open(m_libraryFile).state, LibraryOpening::State::Opened);
    EXPECT_TRUE(reopened.contains(row[LeadRow::LinkedInLink]));
}

} // namespace
