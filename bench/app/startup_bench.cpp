// From the start of the process to the window on screen, with a publisher that takes the
// connection and never answers: the window must not wait for the news or the update check, and
// Get Data must work meanwhile.
#include "core/extraction/extractiondriver.h"
#include "core/host/linuxhost.h"
#include "gui/app/mainwindow.h"
#include "gui/browser/browserprofile.h"
#include "gui/browser/browserproxy.h"
#include "support/offscreenengine.h"
#include "support/silentserver.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Milliseconds since the kernel started this process.
double SinceProcessStart() {
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
    }
    const double started = std::stod(field) * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6 - started;
}

} // namespace

int main(int argc, char **argv) {
    PrepareOffscreenEngine();
    QApplication app(argc, argv);
    QTemporaryDir folder;
    for (const char *variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"}) {
        qputenv(variable, folder.path().toLocal8Bit());
    }
    const SilentServer publisher;
    LinuxHost host(folder.filePath(u"registry.ini"_s));
    BrowserProxy::Install();
    BrowserProfile profile(folder.filePath(u"browser"_s), folder.filePath(u"cache"_s));
    MainWindow::Options options;
    options.endpoints.newsDataUrl = publisher.url() + u"news.dat"_s;
    options.endpoints.updateBaseUrl = publisher.url();
    options.endpoints.offersPageUrl.clear();
    options.endpoints.linkedInHttps = publisher.url();
    options.browserProfile = &profile;
    options.executableFolder = folder.filePath(u"no-languages"_s);
    MainWindow window(host, options);
    window.show();
    const bool exposed = QTest::qWaitForWindowExposed(&window, 5000);
    const double onScreen = SinceProcessStart();
    const auto *newsLine = window.findChild<QLabel *>(u"lblNews"_s);
    const QString shownFirst = newsLine->text();
    window.findChild<QPushButton *>(u"btnStart"_s)->click();
    const bool running = window.context().run.Parsing;
    QTest::qWait(2000);
    const bool newsUnchanged = newsLine->text() == shownFirst;
    std::printf("process start to window on screen, silent publisher: %.0f ms (target under 1000 ms)%s\n", onScreen,
                exposed ? "" : " -- the window did not show");
    std::printf("  Get Data ran: %s; news line unchanged 2 s later: %s\n", running ? "yes" : "no",
                newsUnchanged ? "yes" : "no");
    window.close();
    return exposed && running ? 0 : 1;
}
