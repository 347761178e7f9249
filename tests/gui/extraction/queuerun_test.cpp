#include "core/app/endpointnames.h"
#include "core/export/automaticsave.h"
#include "core/export/exportline.h"
#include "core/host/hostservices.h"
#include "core/queue/queuefile.h"
#include "core/queue/queuerunner.h"
#include "core/settings/settingsstore.h"
#include "core/util/codepage.h"
#include "gui/app/queuedialog.h"
#include "gui/extraction/runfixture.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>

using namespace Qt::StringLiterals;

namespace {

const char *const ChildFolderVariable = "TARNWICK_QUEUE_CHILD_FOLDER";
const char *const ChildQueueVariable = "TARNWICK_QUEUE_CHILD_FILE";

// The parameter: the first search's entries on each page of the second; with any, leave-out is on.
class QueueRunTest : public ExtractionRunTest, public ::testing::WithParamInterface<int> {
protected:
    QueueRunTest() : ExtractionRunTest(SampleSiteOptions{.sharedEntries = GetParam()}) {}

    QString exportFolder() const { return m_folder.filePath(u"exports"_s); }

    // The sample site's three searches, one a layout.
    QString searches() const {
        return u"# the sample site's searches\n"_s + m_site.searchUrl(1) + u'\n' + m_site.searchUrl(2) + u'\n' +
               m_site.searchUrl(3) + u'\n';
    }

    // Every row of the search once, in page order, as automatic export writes it, but for the
    // first leftOut of each page; the Places key in the details address is either of the site's.
    void expectExportedSearch(int layout, const QString &path, qsizetype leftOut) {
        SCOPED_TRACE(path.toStdString());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QStringList lines = CodePage::current().decode(file.readAll()).split(u"\r\n"_s);
        const auto &captions = DefaultColumnCaptions();
        EXPECT_EQ(lines.constFirst(), ExportLine(QStringList(captions.begin(), captions.end()), u","));
        qsizetype index = 1;
        for (int page = 1; !m_site.companies(layout, page).isEmpty(); ++page) {
            for (const SampleCompany &company : m_site.companies(layout, page).sliced(leftOut)) {
                ASSERT_LT(index, lines.size() - 1) << company.slug.toStdString();
                LeadRow expected = layout == 3 ? ExpectedTodaysRow(m_site, company, u"Widgets"_s)
                                               : ExpectedRow(m_site, company, layout, u"Widgets"_s);
                QStringList wanted;
                for (const QString &key : {m_site.endpoints().placesKeyA, m_site.endpoints().placesKeyB}) {
                    if (!expected[LeadRow::Phone].isEmpty()) {
                        expected[LeadRow::GoogleMapsDetails] = m_site.base() +
                                                               u"/maps/api/place/details/json?placeid=place-" +
                                                               company.slug + u"&key=" + key;
                    }
                    wanted.append(ExportLine(expected, u","));
                }
                const QString &line = lines.at(index++);
                EXPECT_TRUE(wanted.contains(line)) << line.toStdString() << "\n" << wanted.constFirst().toStdString();
            }
        }
        EXPECT_EQ(lines.mid(index), QStringList{QString()}) << "no row more";
    }
};

// The program as `tarnwick --queue FILE` starts it, in a process of its own, on the site and in
// the folders the parent names; it runs until it is killed.
TEST(QueueChild, DISABLED_RunsTheQueueOfItsCommandLine) {
    FakeHost host;
    host.appData = qEnvironmentVariable(ChildFolderVariable);
    BrowserProfile profile(host.appData + u"/child-browser"_s, host.appData + u"/child-cache"_s);
    MainWindow::Options options;
    options.endpoints = Endpoints::fromEnvironment(QProcessEnvironment::systemEnvironment());
    options.browserProfile = &profile;
    options.executableFolder = qEnvironmentVariable("TARNWICK_BUILD_DIR") + u"/bin"_s;
    options.queueFile = qEnvironmentVariable(ChildQueueVariable);
    MainWindow window(host, options);
    window.extraction().setTimings({150, 400, 100});
    window.show();
    QTest::qWait(300000);
}

// Killed in the middle of its second search, the program offers the queue at its next start,
// runs the second search again from its start and then the third; each search's file holds
// every row of its search once. Leaving out what the library knows, the second search fetches
// none of the first's companies, and every company is in exactly one file.
TEST_P(QueueRunTest, KilledInTheSecondSearchGoesOnAfterARestart) {
    showWindow();
    click("btnQueue");
    QueueDialog *dialog = m_window->queueDialog();
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QPlainTextEdit *>(u"memSearches"_s)->setPlainText(searches());
    dialog->hide();
    saveWindowWithBox(*dialog, u"queue-dialog.png"_s);
    m_window.reset();

    AppSettings settings;
    settings.cExportAutomatic = true;
    settings.eExportFolder = exportFolder();
    settings.eRandom.clear();
    settings.eQueuePause = u"0"_s;
    settings.cLeaveOutLibraryCompanies = GetParam() > 0;
    ASSERT_TRUE(SaveSettings(settings, SettingsFilePath(AppDataFolder(m_host))).ok);
    QFile list(m_folder.filePath(u"searches.txt"_s));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly) && list.write(searches().toUtf8()) > 0);
    list.close();

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(ChildFolderVariable), m_folder.path());
    environment.insert(QLatin1String(ChildQueueVariable), list.fileName());
    const Endpoints endpoints = m_site.endpoints();
    for (const EndpointName &name : EndpointEnvironmentNames()) {
        environment.insert(QLatin1String(name.variable), endpoints.*name.member);
    }
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {u"--gtest_also_run_disabled_tests"_s, u"--gtest_filter=QueueChild.*"_s});
    // Killed once the second search has exported two rows.
    const QueueFile stored(QueueFile::PathIn(AppDataFolder(m_host)));
    const bool midway = QTest::qWaitFor(
        [&] {
            const std::optional<SearchQueue> queue = stored.load();
            if (!queue || queue->current() != 1) {
                return false;
            }
            QFile file(AutomaticExportPath(exportFolder(), queue->searches().at(1).fileName, queue->stamp));
            return file.open(QIODevice::ReadOnly) && file.readAll().count("\r\n") >= 3;
        },
        120000);
    child.kill();
    ASSERT_TRUE(child.waitForFinished(10000));
    ASSERT_TRUE(midway) << "the second search never exported two rows";

    WidgetDialogs::setNextChoice(Dialogs::Choice::Accept);
    openWindow();
    m_window->show();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return m_window->queue()->queue().finished() && !m_window->queue()->isRunning(); }, 180000))
        << state();
    EXPECT_TRUE(m_messages.contains(u"Continue the queue at search 2 of 3?"_s)) << m_messages.join(u'|').toStdString();
    EXPECT_EQ(activity(), u"The queue is finished: 3 searches run.");
    const SearchQueue done = *stored.load();
    const QStringList names{u"Widgets"_s, u"Widgets (2)"_s, u"Widgets (3)"_s};
    for (int layout = 1; layout <= 3; ++layout) {
        const qsizetype leftOut = layout == 2 ? GetParam() : 0;
        expectExportedSearch(layout, AutomaticExportPath(exportFolder(), names.at(layout - 1), done.stamp), leftOut);
    }
    EXPECT_EQ(QDir(exportFolder()).entryList(QDir::Files).size(), 3);
    // The shared companies are fetched once, in the first search; of the second's own, only the
    // one the kill cut short may be fetched twice.
    const QStringList targets = m_site.requestedTargets();
    int again = 0;
    for (int page = 1; GetParam() > 0 && !m_site.companies(2, page).isEmpty(); ++page) {
        const QList<SampleCompany> companies = m_site.companies(2, page);
        for (qsizetype entry = 0; entry < companies.size(); ++entry) {
            const qsizetype times = targets.filter(u"/company/" + companies[entry].slug).size();
            EXPECT_EQ(entry < GetParam() ? times : std::min<qsizetype>(times, 1), 1) << entry;
            again += std::max<qsizetype>(times - 1, 0);
        }
    }
    EXPECT_LE(again, 1);
}

INSTANTIATE_TEST_SUITE_P(Queue, QueueRunTest, ::testing::Values(0, 5));

} // namespace
