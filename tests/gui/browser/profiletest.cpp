#include "panetestbase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QNetworkProxy>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QWebEngineProfile>

namespace {

const char *const sessionFolderVariable = "TARNWICK_PREVIOUS_SESSION_FOLDER";
const char *const sessionSiteVariable = "TARNWICK_PREVIOUS_SESSION_SITE";

class Profile : public PaneTestBase {
protected:
    void TearDown() override {
        QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::NoProxy));
        PaneTestBase::TearDown();
    }

    // A whole earlier run of the program in its own process: it signs in (cookies), loads a page
    // with a cacheable script and quits. Returns the folder of its storage/ and cache/.
    QString runPreviousSession() {
        const QString folder = m_storage.path() + QStringLiteral("/session");
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QLatin1String(sessionFolderVariable), folder);
        environment.insert(QLatin1String(sessionSiteVariable), site().url(QString()));
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QCoreApplication::applicationFilePath(),
                      {QStringLiteral("--gtest_also_run_disabled_tests"),
                       QStringLiteral("--gtest_filter=PreviousSession.DISABLED_SignInAndQuit")});
        const bool finished = process.waitForFinished(60000);
        EXPECT_TRUE(finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
            << process.readAllStandardOutput().toStdString();
        return folder;
    }

    QString cookiesSeenByServer() {
        if (!load(site().url(QStringLiteral("/echo-cookies")))) {
            ADD_FAILURE() << "the cookie page did not load";
            return {};
        }
        return read().markup;
    }
};

TEST_F(Profile, CookiesSurviveARestart) {
    reopenPane(runPreviousSession());

    const QString cookies = cookiesSeenByServer();

    EXPECT_TRUE(cookies.contains(u"signin=kept")) << cookies.toStdString();
    EXPECT_TRUE(cookies.contains(u"session=alive")) << cookies.toStdString();
}

TEST_F(Profile, CacheSurvivesARestartUnlessCleared) {
    reopenPane(runPreviousSession());
    const int fetched = site().requestCount(QStringLiteral("/cached.js"));

    ASSERT_TRUE(loadPage(QStringLiteral("cached.html")));

    EXPECT_EQ(site().requestCount(QStringLiteral("/cached.js")), fetched);
}

TEST_F(Profile, ClearingTheCacheAtStartKeepsCookies) {
    reopenPane(runPreviousSession());
    const int fetched = site().requestCount(QStringLiteral("/cached.js"));

    profile().clearHttpCache();
    // The first navigation follows at once, as at start-up.
    ASSERT_TRUE(loadPage(QStringLiteral("cached.html")));

    EXPECT_EQ(site().requestCount(QStringLiteral("/cached.js")), fetched + 1);
    EXPECT_TRUE(cookiesSeenByServer().contains(u"signin=kept"));
}

TEST_F(Profile, NoFaviconIsRequested) {
    ASSERT_TRUE(loadPage(QStringLiteral("target.html")));
    ASSERT_TRUE(loadPage(QStringLiteral("links.html")));

    EXPECT_EQ(site().requestCount(QStringLiteral("/favicon.ico")), 0);
}

TEST_F(Profile, UserAgentOfTheProxySettingReachesTheServer) {
    const QString userAgent = QStringLiteral("Mozilla/4.0 (compatible; Tarnwick test)");

    pane().setProxy(userAgent, QString(), QString(), QString(), 80);
    ASSERT_TRUE(loadPage(QStringLiteral("target.html")));

    EXPECT_EQ(profile().profile()->httpUserAgent(), userAgent);
    EXPECT_EQ(site().lastUserAgent(), userAgent);
}

TEST_F(Profile, ProxySettingsBecomeTheApplicationProxy) {
    pane().setProxy(QStringLiteral("Agent"), QStringLiteral("proxy.example"), QStringLiteral("user"),
                    QStringLiteral("secret"), 3128);
    const QNetworkProxy proxy = QNetworkProxy::applicationProxy();
    EXPECT_EQ(proxy.type(), QNetworkProxy::HttpProxy);
    EXPECT_EQ(proxy.hostName(), QStringLiteral("proxy.example"));
    EXPECT_EQ(proxy.port(), 3128);
    EXPECT_EQ(proxy.user(), QStringLiteral("user"));
    EXPECT_EQ(proxy.password(), QStringLiteral("secret"));

    pane().setProxy(QStringLiteral("Agent"), QStringLiteral("proxy.example"), QString(), QString(), 70000);
    EXPECT_EQ(QNetworkProxy::applicationProxy().port(), 80);

    pane().clearBrowserProxy();
    EXPECT_EQ(QNetworkProxy::applicationProxy().type(), QNetworkProxy::NoProxy);

    pane().setProxy(QStringLiteral("Agent"), QString(), QString(), QString(), 80);
    EXPECT_EQ(QNetworkProxy::applicationProxy().type(), QNetworkProxy::NoProxy);
}

// Runs only inside the child process that runPreviousSession() starts.
TEST(PreviousSession, DISABLED_SignInAndQuit) {
    const QString folder = qEnvironmentVariable(sessionFolderVariable);
    const QString site = qEnvironmentVariable(sessionSiteVariable);
    ASSERT_FALSE(folder.isEmpty());
    ASSERT_FALSE(site.isEmpty());
    {
        BrowserProfile profile(folder + QStringLiteral("/storage"), folder + QStringLiteral("/cache"));
        WebEnginePane pane(profile);
        for (const QString &path : {QStringLiteral("/set-cookies"), QStringLiteral("/pages/cached.html")}) {
            QSignalSpy completed(&pane, &BrowserPane::navigateComplete2);
            pane.navigate(site + path);
            ASSERT_TRUE(completed.wait(15000)) << path.toStdString();
        }
    }
    // The engine writes cookies to disk in the background, also after the profile is gone.
    QFile cookies(folder + QStringLiteral("/storage/Cookies"));
    EXPECT_TRUE(QTest::qWaitFor(
        [&cookies] {
            if (!cookies.open(QIODevice::ReadOnly)) {
                return false;
            }
            const QByteArray content = cookies.readAll();
            cookies.close();
            return content.contains("signin") && content.contains("session");
        },
        10000));
}

} // namespace

namespace {

// Without a folder (the system names no configuration folder) nothing is written anywhere, and
// clearing the cache removes nothing: the working folder once stood in for the missing path.
TEST(ProfileWithoutFolder, KeepsEverythingInMemoryAndClearsNoFolder) {
    QTemporaryDir workingFolder;
    ASSERT_TRUE(workingFolder.isValid());
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(workingFolder.path()));
    QFile marker(workingFolder.filePath(QStringLiteral("keep.txt")));
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();
    {
        BrowserProfile profile{QString(), QString()};
        EXPECT_TRUE(profile.profile()->isOffTheRecord());
        profile.clearHttpCache();
    }
    EXPECT_TRUE(QFile::exists(workingFolder.filePath(QStringLiteral("keep.txt"))));
    EXPECT_EQ(QDir(workingFolder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{QStringLiteral("keep.txt")});
    QDir::setCurrent(previous);
}

} // namespace
