#include "core/app/endpoints.h"
#include "core/host/linuxhost.h"
#include "gui/app/mainwindow.h"
#include "gui/app/programfolders.h"
#include "gui/app/tarnwickapplication.h"
#include "gui/browser/browserprofile.h"
#include "gui/browser/browserproxy.h"

#include <unistd.h>

int main(int argc, char **argv) {
    // Chromium refuses to run as root with its sandbox on.
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX")) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    TarnwickApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Brisvane Software"));
    QCoreApplication::setApplicationName(QStringLiteral("Tarnwick"));

    LinuxHost host;
    // Before the browser engine starts, so its connections go through the switchable proxy.
    BrowserProxy::Install();
    BrowserProfile profile(BrowserStorageFolder(), BrowserCacheFolder());
    host.setBrowserCacheClearer([&profile] { profile.clearHttpCache(); });

    MainWindow::Options options;
    options.endpoints = Endpoints::fromEnvironment();
    options.browserProfile = &profile;
    MainWindow window(host, options);
    window.show();
    const int status = app.exec();
    host.setBrowserCacheClearer({});
    return status;
}
