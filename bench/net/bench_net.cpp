// Figures of the HTTP client on loopback: how long the window goes without event processing
// during a fetch, the CPU used while a request waits, how fast Stop takes effect, and the cost
// of one paced fetch compared with a bare libcurl request.
#include "core/app/appcontext.h"
#include "core/net/downloader.h"
#include "support/fakehost.h"
#include "support/loopbackserver.h"

#include <QCoreApplication>

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sys/resource.h>
#include <thread>

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

namespace {

double Ms(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// A host that times the gaps between passes of event processing.
class TimingHost : public FakeHost {
public:
    void processEvents() override {
        const Clock::time_point now = Clock::now();
        if (passes > 0) {
            largestGap = std::max(largestGap, now - last);
        }
        last = now;
        ++passes;
        FakeHost::processEvents();
    }
    void Reset() {
        passes = 0;
        largestGap = {};
    }

    Clock::time_point last;
    Clock::duration largestGap{};
    long passes = 0;
};

size_t Discard(char *, size_t size, size_t count, void *) {
    return size * count;
}

bool PlainCurlGet(const std::string &url) {
    CURL *curl = curl_easy_init();
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Discard);
    const bool ok = curl_easy_perform(curl) == CURLE_OK;
    curl_easy_cleanup(curl);
    return ok;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    LoopbackServer server;
    server.server().Get("/trickle", [](const httplib::Request &, httplib::Response &response) {
        response.set_chunked_content_provider("text/plain", [](size_t offset, httplib::DataSink &sink) {
            if (offset >= 40) {
                sink.done();
                return true;
            }
            std::this_thread::sleep_for(50ms);
            return sink.write("x", 1);
        });
    });
    server.server().Get("/late", [](const httplib::Request &, httplib::Response &response) {
        std::this_thread::sleep_for(2s);
        response.set_content("late", "text/plain");
    });
    server.server().Get("/small", [](const httplib::Request &, httplib::Response &response) {
        response.set_content(std::string(2048, 's'), "text/html");
    });
    if (!server.start()) {
        std::fprintf(stderr, "no loopback server\n");
        return 1;
    }

    TimingHost host;
    FakeStatus status;
    FakeDialogs dialogs;
    AppContext context(host, status, dialogs);
    context.settings.eRandom.clear();
    Downloader downloader(context);
    QString source;

    // 1. Event processing while a reply trickles in (one byte every 50 ms for 2 s).
    host.Reset();
    Clock::time_point start = Clock::now();
    bool ok = downloader.DownloadURL(server.url(QStringLiteral("/trickle")), source, false);
    const double trickleMs = Ms(Clock::now() - start);
    std::printf("trickling reply: ok=%d, %.0f ms, %ld event passes, largest gap %.2f ms (target < 20 ms)\n", ok,
                trickleMs, host.passes, Ms(host.largestGap));

    // 2. CPU while the server thinks for 2 s before answering.
    host.Reset();
    const double cpuBefore = CpuSeconds();
    start = Clock::now();
    ok = downloader.DirectDownloadURL(server.url(QStringLiteral("/late")), source, false);
    const double waitMs = Ms(Clock::now() - start);
    const double cpuMs = (CpuSeconds() - cpuBefore) * 1000.0;
    std::printf("waiting request: ok=%d, %.0f ms wall, %.1f ms CPU (%.2f%% of a core), largest gap %.2f ms\n", ok,
                waitMs, cpuMs, 100.0 * cpuMs / waitMs, Ms(host.largestGap));

    // 3. Stop 300 ms into the trickle: time from the Stop to the fetch's return.
    Clock::time_point stoppedAt;
    start = Clock::now();
    host.onProcessEvents = [&] {
        if (stoppedAt == Clock::time_point{} && Clock::now() - start > 300ms) {
            stoppedAt = Clock::now();
            context.run.ShouldStop = true;
            downloader.Disconnect();
        }
    };
    ok = downloader.DownloadURL(server.url(QStringLiteral("/trickle")), source, false);
    std::printf("stop during a fetch: returned %d, %.2f ms after the stop (target < 100 ms)\n", ok,
                Ms(Clock::now() - stoppedAt));
    host.onProcessEvents = nullptr;
    context.run.ShouldStop = false;

    // 4. One paced fetch (no pause, direct) against a bare libcurl GET of the same 2 KB page.
    const int rounds = 300;
    const QString url = server.url(QStringLiteral("/small"));
    const std::string plainUrl = url.toStdString();
    Clock::duration ours{};
    Clock::duration plain{};
    int failures = 0;
    for (int i = 0; i < rounds; ++i) {
        Clock::time_point t0 = Clock::now();
        failures += downloader.DownloadURL(url, source, true) ? 0 : 1;
        Clock::time_point t1 = Clock::now();
        failures += PlainCurlGet(plainUrl) ? 0 : 1;
        Clock::time_point t2 = Clock::now();
        ours += t1 - t0;
        plain += t2 - t1;
    }
    std::printf("DownloadURL %.3f ms, plain libcurl %.3f ms per request (%d rounds, %d failures): ratio %.2f\n",
                Ms(ours) / rounds, Ms(plain) / rounds, rounds, failures, Ms(ours) / Ms(plain));
    return 0;
}
