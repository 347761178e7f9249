#include "core/host/hostservices.h"
#include "gui/app/mainstatusbar.h"
#include "gui/app/mainwindow.h"
#include "gui/app/tarnwickapplication.h"
#include "gui/browser/browserprofile.h"
#include "support/fakehost.h"

#include <QComboBox>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <stdexcept>
#include <unistd.h>

// These tests run the real application object, whose event dispatch is where uncaught errors end.
namespace {

TarnwickApplication &App() {
    return *qobject_cast<TarnwickApplication *>(QCoreApplication::instance());
}

// Every outside address on a closed port of this machine: fetches fail at once, nothing leaves.
Endpoints OfflineEndpoints() {
    Endpoints endpoints;
    const QString closed = QStringLiteral("http://127.0.0.1:9");
    endpoints.linkedInHttps = QStringLiteral("about:blank");
    endpoints.linkedInHttp = closed;
    endpoints.updateBaseUrl = closed + QStringLiteral("/updates/");
    endpoints.newsDataUrl = closed + QStringLiteral("/news.dat");
    endpoints.offersPageUrl.clear();
    return endpoints;
}

// Ends the event loop after a while should the code under test fail to.
void ArmWatchdog(QObject *context) {
    QTimer::singleShot(10000, context, [] { QCoreApplication::exit(99); });
}

TEST(ApplicationErrorHandler, AnErrorNamingAccessEndsTheProgramInOrder) {
    QWidget window;
    window.show();
    QSignalSpy ending(&App(), &TarnwickApplication::endingAfterError);
    QTimer::singleShot(0, &window, [] { throw std::runtime_error("Access violation at address 00000000"); });
    ArmWatchdog(&window);
    EXPECT_EQ(App().exec(), 1);
    EXPECT_EQ(ending.count(), 1);
    EXPECT_FALSE(window.isVisible());
}

TEST(ApplicationErrorHandler, OtherErrorsAreDroppedAndTheProgramCarriesOn) {
    QWidget window;
    window.show();
    QSignalSpy dropped(&App(), &TarnwickApplication::errorDropped);
    bool carriedOn = false;
    QTimer::singleShot(0, &window, [] { throw std::runtime_error("access denied"); });
    QTimer::singleShot(1, &window, [] { throw std::runtime_error("disk full"); });
    QTimer::singleShot(50, &window, [&] {
        carriedOn = true;
        QCoreApplication::exit(0);
    });
    ArmWatchdog(&window);
    EXPECT_EQ(App().exec(), 0);
    EXPECT_TRUE(carriedOn);
    ASSERT_EQ(dropped.count(), 2);
    EXPECT_EQ(dropped.at(0).at(0).toString(), QStringLiteral("access denied"));
    EXPECT_TRUE(window.isVisible());
}

TEST(ApplicationErrorHandler, ErrorsOfWidgetSignalsReachTheHandlerWithoutUnwindingThroughQt) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    FakeHost host;
    host.appData = folder.path();
    MainWindow::Options options;
    options.endpoints = OfflineEndpoints();
    BrowserProfile profile(folder.filePath(QStringLiteral("browser")), folder.filePath(QStringLiteral("cache")));
    options.browserProfile = &profile;
    auto window = std::make_unique<MainWindow>(host, options);
    // A folder where the settings file should be: saving fails.
    ASSERT_TRUE(QDir().mkpath(window->settingsPath()));
    auto *languages = window->findChild<QComboBox *>(QStringLiteral("cbxLanguage"));
    ASSERT_NE(languages, nullptr);
    QSignalSpy dropped(&App(), &TarnwickApplication::errorDropped);

    // The signal runs the handler inside Qt's signal dispatch; nothing may come back through it.
    EXPECT_NO_THROW(Q_EMIT languages->activated(1));
    ASSERT_EQ(dropped.count(), 1);
    EXPECT_FALSE(dropped.at(0).at(0).toString().isEmpty());
    // Dropped without a dialog, but said in the status line.
    EXPECT_TRUE(window->statusBarPanels().panelText(0).contains(dropped.at(0).at(0).toString()));
    window.reset();
}

// Closed inside the start-up's pause: the wait ends at once and the program ends with nothing
// left waiting.
TEST(MainWindowShutdown, ClosingTheWindowDuringAWaitEndsItAtOnce) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    FakeHost host;
    host.appData = folder.path();
    MainWindow::Options options;
    options.endpoints = OfflineEndpoints();
    BrowserProfile profile(folder.filePath(QStringLiteral("browser")), folder.filePath(QStringLiteral("cache")));
    options.browserProfile = &profile;
    auto window = std::make_unique<MainWindow>(host, options);
    window->show();

    QTimer::singleShot(300, window.get(), [&] {
        EXPECT_FALSE(window->isIdle());
        window->close();
    });
    ArmWatchdog(window.get());
    EXPECT_EQ(App().exec(), 0);
    EXPECT_TRUE(window->isIdle());
    EXPECT_TRUE(window->context().run.ShouldStop.requested());
    window.reset();
}

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "qt.webenginecontext.info=false");
    if (::geteuid() == 0) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    TarnwickApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
