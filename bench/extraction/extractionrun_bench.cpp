// A whole run of five result pages against the sample site with the real pane, the real waits
// and no random pause between requests. Prints the time the run took beyond the waits it must
// make (a 1000 ms tick before every page, a 3000 ms pause after every click), per page and as a
// share of the whole, and the gaps between two turns of the event loop while the pane was not
// loading a page of its own, beside those of an idle loop.
#include "core/browser/browserpane.h"
#include "core/extraction/extractiondriver.h"
#include "core/extraction/resultslist.h"
#include "core/host/linuxhost.h"
#include "gui/app/mainwindow.h"
#include "gui/browser/browserprofile.h"
#include "samplesite/samplesite.h"
#include "support/gapprobe.h"
#include "support/offscreenengine.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr int Pages = 5;

template<typename Condition>
bool WaitFor(Condition condition, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeoutMs) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

} // namespace

int main(int argc, char **argv) {
    PrepareOffscreenEngine();
    QApplication app(argc, argv);
    QTemporaryDir folder;
    SampleSiteOptions siteOptions;
    siteOptions.layout1Pages = Pages;
    SampleSite site(siteOptions);
    if (!folder.isValid() || !site.start()) {
        std::fprintf(stderr, "cannot start the sample site\n");
        return 1;
    }
    // The real host, so waits are measured on the real clock; its folders are the temporary one.
    for (const char *variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_DOCUMENTS_DIR"}) {
        qputenv(variable, folder.path().toLocal8Bit());
    }
    LinuxHost host(folder.filePath(u"registry.ini"_s));
    BrowserProfile profile(folder.filePath(u"browser"_s), folder.filePath(u"cache"_s));
    MainWindow::Options options;
    options.endpoints = site.endpoints();
    options.browserProfile = &profile;
    options.executableFolder = folder.filePath(u"no-languages"_s);
    auto window = std::make_unique<MainWindow>(host, options);
    window->context().settings.eRandom.clear();

    BrowserPane &pane = window->mainPane();
    bool loaded = false;
    QObject::connect(&pane, &BrowserPane::navigateComplete2, [&] { loaded = true; });
    pane.navigate(site.searchUrl(1));
    if (!WaitFor([&] { return loaded; }, 20000)) {
        std::fprintf(stderr, "the first page did not load\n");
        return 1;
    }

    std::printf("Event-loop gaps (a 1 ms precise timer; within 2 ms of the idle loop's):\n");
    GapProbe probe;
    probe.RunIdle(10000);
    probe.Print("idle loop, 10 s");
    // Gaps that overlap the pane's own loading do not count: that work is the engine's.
    probe.SetFilter([&pane] { return !pane.isBusy(); });
    QElapsedTimer clock;

    RunState &run = window->context().run;
    clock.start();
    probe.Start();
    window->findChild<QPushButton *>(u"btnStart"_s)->click();
    const bool ended = WaitFor([&] { return !run.Parsing && !window->extraction().inTick(); }, 120000);
    const qint64 total = clock.elapsed();
    probe.Stop();
    if (!ended) {
        std::fprintf(stderr, "the run did not end\n");
        return 1;
    }
    const qint64 mandated = Pages * 1000 + (Pages - 1) * 3000;
    const qint64 beyond = total - mandated;
    std::printf("run of %d pages, %d rows: %lld ms, of which %lld ms are mandated waits\n", Pages,
                window->results().rowCount(), static_cast<long long>(total), static_cast<long long>(mandated));
    std::printf("  beyond the waits: %lld ms in all, %.0f ms per page, %.2f %% of the run (target under 2 %%)\n",
                static_cast<long long>(beyond), static_cast<double>(beyond) / Pages,
                100.0 * static_cast<double>(beyond) / static_cast<double>(total));
    probe.Print("run of 5 pages, outside page loads");
    window.reset();
    // The engine finishes writing the profile in the background before its folder goes.
    WaitFor([] { return false; }, 300);
    return 0;
}
