#include "core/app/endpoints.h"
#include "core/app/version.h"
#include "core/host/hostservices.h"
#include "core/host/linuxhost.h"
#include "gui/app/commandline.h"
#include "gui/app/demosite.h"
#include "gui/app/mainwindow.h"
#include "gui/app/programfolders.h"
#include "gui/app/qttranslations.h"
#include "gui/app/quietstart.h"
#include "gui/app/quitonsignal.h"
#include "gui/app/tarnwickapplication.h"
#include "gui/browser/browserprofile.h"
#include "gui/browser/browserproxy.h"

#include <QIcon>

#include <cstdlib>
#include <optional>
#include <unistd.h>

namespace {

void NameProgram() {
    QCoreApplication::setOrganizationName(QStringLiteral("Brisvane Software"));
    QCoreApplication::setApplicationName(ProductName);
    QCoreApplication::setApplicationVersion(ProgramVersion);
}

// The folder MainWindow reads languages/ from; a missing installation is reported, and the window
// then keeps its built-in English texts.
QString LanguageFolder(const QString &executableFolder) {
    const QString folder = ProgramDataFolder(executableFolder);
    if (folder.isEmpty()) {
        qWarning().noquote() << QStringLiteral(
                                    "%1: no language files in %2/languages or %2/../share/tarnwick/languages")
                                    .arg(ProductName, executableFolder);
    }
    return folder;
}

} // namespace

int main(int argc, char **argv) {
    // Help and version are text alone: no window system needed, no engine started.
    if (AsksOnlyForText(argc, argv)) {
        QCoreApplication app(argc, argv);
        NameProgram();
        return ParseCommandLine(app, !SampleSiteProgram(QCoreApplication::applicationDirPath()).isEmpty())
            .exitStatus.value_or(EXIT_SUCCESS);
    }
    std::optional<QuietStart> quiet;
    if (!AsksForVerbose(argc, argv)) {
        quiet.emplace();
    }
    // Chromium refuses to run as root with its sandbox on.
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX")) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    TarnwickApplication app(argc, argv);
    const QuitOnSignal quitOnSignal;
    NameProgram();
    QGuiApplication::setDesktopFileName(QStringLiteral("tarnwick"));
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tarnwick.svg")));
    const QString executableFolder = QCoreApplication::applicationDirPath();
    const QString sampleSite = SampleSiteProgram(executableFolder);
    const CommandLine commandLine = ParseCommandLine(app, !sampleSite.isEmpty());
    if (commandLine.exitStatus) {
        return *commandLine.exitStatus;
    }

    LinuxHost host;
    // Before anything asks the host for a folder: the demo runs in a throw-away home.
    std::optional<DemoSite> demo;
    if (commandLine.demo) {
        // What the user saves in the demo goes to the real documents folder, and so outlives
        // the throw-away home.
        host.setDocumentsFolder(host.documentsFolder());
        demo.emplace();
        if (!demo->start(sampleSite, host)) {
            qCritical().noquote() << QStringLiteral("%1 --demo: %2").arg(ProductName, demo->errorString());
            return 1;
        }
    }
    const QString configPath = ConfigFilePath(AppDataFolder(host));
    const ConfigFile config = ReadConfigFile(configPath);
    if (!config.warning.isEmpty()) {
        qWarning().noquote() << config.warning;
    }

    // Before the browser engine starts, so its connections go through the switchable proxy.
    BrowserProxy::Install();
    BrowserProfile profile(BrowserStorageFolder(), BrowserCacheFolder());
    host.setBrowserCacheClearer([&profile] { profile.clearHttpCache(); });

    MainWindow::Options options;
    options.endpoints = demo ? Endpoints::fromKeyFileAndEnvironment(config, demo->environment())
                             : Endpoints::fromKeyFileAndEnvironment(config);
    options.tls = TlsOptions{config.verifyTls, config.caFile};
    options.config = config;
    options.configPath = configPath;
    options.browserProfile = &profile;
    options.executableFolder = LanguageFolder(executableFolder);
    options.journalFile = ResultsJournalFile();
    options.queueFile = commandLine.queueFile;
    MainWindow window(host, options);
    ApplyQtTranslations(window.context().settings.CurrLang);
    window.show();
    const int status = app.exec();
    host.setBrowserCacheClearer({});
    return status;
}
