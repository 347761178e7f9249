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

// The three searches of the sample site, one a layout.
class QueueRunTest : public ExtractionRunTest {
protected:
    QString dataFolder() { return AppDataFolder(m_host); }
    QString exportFolder() const { return m_folder.filePath(u"exports"_s); }

    // Automatic export to the exports folder, no pause between searches, kept for every window.
    void storeSettings() {
        AppSettings settings;
        settings.cExportAutomatic = true;
        settings.eExportFolder = exportFolder();
        settings.eRandom.clear();
        settings.eQueuePause = u"0"_s;
        ASSERT_TRUE(SaveSettings(settings, SettingsFilePath(dataFolder())).ok);
    }

    QString searches() const {
        return u"# the sample site's three searches\n"_s + m_site.searchUrl(1) + u'\n' + m_site.searchUrl(2) + u'\n' +
               m_site.searchUrl(3) + u'\n';
    }

    // Every row of the search once, in page order, as automatic export writes it. The Places key
    // in the last cell is drawn at random: only its address is compared.
    void expectExportedSearch(int layout, const QString &path) {
        SCOPED_TRACE(path.toStdString());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QStringList lines = CodePage::current().decode(file.readAll()).split(u"\r\n"_s);
        ASSERT_GE(lines.size(), 2);
        const auto &captions = DefaultColumnCaptions();
        EXPECT_EQ(lines.constFirst(), ExportLine(QStringList(captions.begin(), captions.end()), u","));
        EXPECT_TRUE(lines.constLast().isEmpty());
        qsizetype index = 1;
        for (int page = 1; !m_site.companies(layout, page).isEmpty(); ++page) {
            for (const SampleCompany &company : m_site.companies(layout, page)) {
                ASSERT_LT(index, lines.size() - 1) << company.slug.toStdString();
                LeadRow expected = layout == 3 ? ExpectedTodaysRow(m_site, company, u"Widgets"_s)
                                               : ExpectedRow(m_site, company, layout, u"Widgets"_s);
                const QString details = expected[LeadRow::Phone].isEmpty()
                                            ? QString()
                                            : m_site.base() + u"/maps/api/place/details/json?placeid=place-" +
                                                  company.slug + u"&key=sample-key-";
                expected[LeadRow::GoogleMapsDetails] = details;
                QString wanted = ExportLine(expected, u",");
                if (!details.isEmpty()) {
                    wanted.chop(1); // the key's letter follows
                }
                EXPECT_TRUE(lines.at(index).startsWith(wanted)) << lines.at(index).toStdString() << "\n"
                                                                << wanted.toStdString();
                ++index;
            }
        }
        EXPECT_EQ(index, lines.size() - 1) << "no row more";
    }
};

// The program as started with --queue FILE, in a process of its own, on the site and in the
// folders the parent names; it runs until it is killed.
TEST(QueueChild, DISABLED_RunsTheQueueOfItsCommandLine) {
    const QString folder = qEnvironmentVariable(ChildFolderVariable);
    ASSERT_FALSE(folder.isEmpty());
    FakeHost host;
    host.appData = folder;
    BrowserProfile profile(folder + u"/child-browser"_s, folder + u"/child-cache"_s);
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

// A queue of three searches whose program is killed in the middle of the second: started
// again, it offers the queue, runs the second search again from its start and then the third,
// and each search's file holds every row of the search once.
TEST_F(QueueRunTest, KilledInTheSecondSearchGoesOnAfterARestart) {
    // The dialog as a user fills it, for the README.
    m_window->resize(1200, 760);
    showWindow();
    click("btnQueue");
    QueueDialog *dialog = m_window->queueDialog();
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QPlainTextEdit *>(u"memSearches"_s)->setPlainText(searches());
    dialog->hide();
    saveWindowWithBox(*dialog, u"queue-dialog.png"_s);
    m_window.reset();

    storeSettings();
    const QString queueText = m_folder.filePath(u"searches.txt"_s);
    QFile list(queueText);
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write(searches().toUtf8());
    list.close();

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(ChildFolderVariable), m_folder.path());
    environment.insert(QLatin1String(ChildQueueVariable), queueText);
    const Endpoints endpoints = m_site.endpoints();
    for (const EndpointName &name : EndpointEnvironmentNames()) {
        environment.insert(QLatin1String(name.variable), endpoints.*name.member);
    }
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {u"--gtest_also_run_disabled_tests"_s, u"--gtest_filter=QueueChild.*"_s});
    ASSERT_TRUE(child.waitForStarted());

    // Killed once the second search has exported two rows.
    const QueueFile stored(QueueFile::PathIn(dataFolder()));
    QString secondFile;
    const bool midway = QTest::qWaitFor(
        [&] {
            const std::optional<SearchQueue> queue = stored.load();
            if (!queue || queue->size() != 3 || queue->current() != 1) {
                return false;
            }
            secondFile = AutomaticExportPath(exportFolder(), queue->searches().at(1).fileName, queue->stamp);
            QFile file(secondFile);
            return file.open(QIODevice::ReadOnly) && file.readAll().count("\r\n") >= 3;
        },
        120000);
    child.kill();
    ASSERT_TRUE(child.waitForFinished(10000));
    ASSERT_TRUE(midway) << "the second search never exported two rows";

    const std::optional<SearchQueue> cut = stored.load();
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->current(), 1);
    EXPECT_TRUE(cut->started);

    // Started again: the question, Continue, and the queue runs to its end.
    storeSettings();
    WidgetDialogs::setNextChoice(Dialogs::Choice::Accept);
    openWindow();
    m_window->show();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return m_window->queue()->queue().finished() && !m_window->queue()->isRunning(); }, 180000))
        << state();
    EXPECT_TRUE(m_messages.contains(u"Continue the queue at search 2 of 3?"_s)) << m_messages.join(u'|').toStdString();
    EXPECT_EQ(activity(), u"The queue is finished: 3 searches run.");

    const SearchQueue done = *stored.load();
    EXPECT_TRUE(done.finished());
    const QStringList names{u"Widgets"_s, u"Widgets (2)"_s, u"Widgets (3)"_s};
    for (int layout = 1; layout <= 3; ++layout) {
        EXPECT_EQ(done.searches().at(layout - 1).fileName, names.at(layout - 1));
        expectExportedSearch(layout, AutomaticExportPath(exportFolder(), names.at(layout - 1), done.stamp));
    }
    EXPECT_EQ(QDir(exportFolder()).entryList(QDir::Files).size(), 3);
}

} // namespace
