// Figures of the HTTP client on loopback: how long the window goes without event processing
// during a fetch (a trickling reply and a 20 MB one), the CPU used while a request waits, how
// fast Stop takes effect, and the cost of one paced fetch compared with a bare libcurl request.
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

// About 20 MB of page text, mostly ASCII with a two-byte and a three-byte UTF-8 character in
// every line, so the decoder meets characters split between the pieces of the reply.
std::string BigPage() {
    const std::string line =
        "<tr><td>Caf\xC3\xA9 de Flore</td><td>\xE2\x82\xAC 4.50</td><td>info@cafe.example</td></tr>\n";
    std::string page;
    page.reserve(20u << 20);
    while (page.size() + line.size() <= (20u << 20)) {
        page += line;
    }
    return page;
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
    const std::string bigPage = BigPage();
    for (const char *path : {"/big", "/big-1252"}) {
        const std::string type = path == std::string("/big") ? "text/html" : "text/html; charset=windows-1252";
        server.server().Get(path, [&bigPage, type](const httplib::Request &, httplib::Response &response) {
            response.set_content_provider(
                bigPage.size(), type.c_str(), [&bigPage](size_t offset, size_t length, httplib::DataSink &sink) {
                    return sink.write(bigPage.data() + offset, std::min<size_t>(length, 65536));
                });
        });
    }
    // The same page without a length announced, in chunks.
    server.server().Get("/big-chunked", [&bigPage](const httplib::Request &, httplib::Response &response) {
        response.set_chunked_content_provider("text/html", [&bigPage](size_t offset, httplib::DataSink &sink) {
            if (offset >= bigPage.size()) {
                sink.done();
                return true;
            }
            return sink.write(bigPage.data() + offset, std::min<size_t>(bigPage.size() - offset, 65536));
        });
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

    // 2. Event processing while a 20 MB reply arrives at loopback speed, for each way of decoding.
    struct BigCase {
        const char *label;
        const char *path;
        bool utf8;
    };
    for (const BigCase &big :
         {BigCase{"code page", "/big", false}, BigCase{"UseUTF8", "/big", true},
          BigCase{"windows-1252", "/big-1252", false}, BigCase{"code page, no length", "/big-chunked", false}}) {
        host.Reset();
        start = Clock::now();
        ok = downloader.DirectDownloadURL(server.url(QString::fromLatin1(big.path)), source, big.utf8);
        host.processEvents(); // the caller's next pass: work done after the fetch's last pass counts too
        std::printf("20 MB reply (%s): ok=%d, %.0f ms, %ld event passes, largest gap %.2f ms (target < 16 ms)\n",
                    big.label, ok && source.size() > 10000000, Ms(Clock::now() - start), host.passes,
                    Ms(host.largestGap));
    }
    source.clear();

    // 3. CPU while the server thinks for 2 s before answering.
    host.Reset();
    const double cpuBefore = CpuSeconds();
    start = Clock::now();
    ok = downloader.DirectDownloadURL(server.url(QStringLiteral("/late")), source, false);
    const double waitMs = Ms(Clock::now() - start);
    const double cpuMs = (CpuSeconds() - cpuBefore) * 1000.0;
    std::printf("waiting request: ok=%d, %.0f ms wall, %.1f ms CPU (%.2f%% of a core), largest gap %.2f ms\n", ok,
                waitMs, cpuMs, 100.0 * cpuMs / waitMs, Ms(host.largestGap));

    // 4. Stop 300 ms into the trickle: time from the Stop to the fetch's return.
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

    // 5. One paced fetch (no pause, direct) against a bare libcurl GET of the same 2 KB page.
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
