// Figures of the HTTP client on loopback: how long the event loop goes without a turn while a
// fetch waits on a silent server, a trickling reply and a 20 MB one (beside an idle loop), the
// CPU used while a request waits, how fast Stop takes effect, and the cost of one paced fetch
// compared with a bare libcurl request.
#include "core/net/downloader.h"
#include "core/settings/appsettings.h"
#include "core/settings/uitexts.h"
#include "support/fakehost.h"
#include "support/gapprobe.h"
#include "support/loopbackserver.h"
#include "support/silentserver.h"

#include <QCoreApplication>
#include <QTimer>

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

    AppSettings settings;
    settings.eRandom.clear();
    FakeStatus status;
    UiTexts texts;
    Downloader downloader(settings, status, texts);
    const auto fetch = [&](const QString &url, bool direct, bool utf8, const StopToken &stop = {}) {
        return QCoro::waitFor(direct ? downloader.DirectDownloadURL(url, utf8, stop)
                                     : downloader.DownloadURL(url, utf8, stop));
    };

    std::printf("Event-loop gaps (a 1 ms precise timer; every figure within 2 ms of the idle loop's):\n");
    GapProbe probe;
    probe.RunIdle(10000);
    probe.Print("idle loop, 10 s");

    // 1. A server that accepts and never answers, for 10 s: the gaps, then without the probe
    // (whose own timer costs CPU) the CPU the wait costs.
    const SilentServer silent;
    downloader.setReadTimeouts(10s, 10s);
    probe.Start();
    FetchResult result = fetch(silent.url(), true, false);
    probe.Stop();
    probe.Print(result.ok() ? "silent server (ANSWERED)" : "silent server, 10 s");
    const double cpuBefore = CpuSeconds();
    Clock::time_point start = Clock::now();
    result = fetch(silent.url(), true, false);
    const double silentMs = Ms(Clock::now() - start);
    const double silentCpuMs = (CpuSeconds() - cpuBefore) * 1000.0;
    std::printf("  (silent server: failed=%d after %.0f ms, %.2f ms CPU = %.3f%% of a core, target under 0.1%%)\n",
                !result.ok(), silentMs, silentCpuMs, 100.0 * silentCpuMs / silentMs);
    downloader.setReadTimeouts(Downloader::DownloadReadTimeout, Downloader::DirectReadTimeout);

    // 2. A reply trickling in, one byte every 50 ms for 2 s.
    probe.Start();
    result = fetch(server.url(QStringLiteral("/trickle")), false, false);
    probe.Stop();
    probe.Print(result.ok() ? "trickled reply, 2 s" : "trickled reply (FAILED)");

    // 3. A 20 MB reply at loopback speed, for each way of decoding.
    struct BigCase {
        const char *label;
        const char *path;
        bool utf8;
    };
    for (const BigCase &big :
         {BigCase{"20 MB reply, code page", "/big", false}, BigCase{"20 MB reply, UseUTF8", "/big", true},
          BigCase{"20 MB reply, windows-1252", "/big-1252", false},
          BigCase{"20 MB reply, code page, no length", "/big-chunked", false}}) {
        start = Clock::now();
        probe.Start();
        result = fetch(server.url(QString::fromLatin1(big.path)), true, big.utf8);
        probe.Stop();
        const bool whole = result.ok() && result.text.size() > 10000000;
        probe.Print(whole ? big.label : "20 MB reply (FAILED)");
        std::printf("  (%.0f ms)\n", Ms(Clock::now() - start));
    }

    // 4. Stop 300 ms into the trickle: from the request to the fetch's end.
    const StopToken stop = StopToken::Create();
    Clock::time_point stoppedAt;
    Clock::time_point endedAt;
    QTimer::singleShot(300, [&] {
        stoppedAt = Clock::now();
        stop.request();
    });
    QCoro::Task<FetchResult> stopped = downloader.DownloadURL(server.url(QStringLiteral("/trickle")), false, stop);
    result = QCoro::waitFor(stopped.then([&](FetchResult ended) {
        endedAt = Clock::now();
        return ended;
    }));
    std::printf("stop during a fetch: aborted=%d, its caller went on %.3f ms after the stop (target under 100 ms)\n",
                result.error == FetchError::Aborted, Ms(endedAt - stoppedAt));

    // 5. One paced fetch (no pause, direct) against a bare libcurl GET of the same 2 KB page.
    const int rounds = 300;
    const QString url = server.url(QStringLiteral("/small"));
    const std::string plainUrl = url.toStdString();
    Clock::duration ours{};
    Clock::duration plain{};
    int failures = 0;
    for (int i = 0; i < rounds; ++i) {
        Clock::time_point t0 = Clock::now();
        failures += fetch(url, false, true).ok() ? 0 : 1;
        Clock::time_point t1 = Clock::now();
        failures += PlainCurlGet(plainUrl) ? 0 : 1;
        Clock::time_point t2 = Clock::now();
        ours += t1 - t0;
        plain += t2 - t1;
    }
    std::printf("DownloadURL %.3f ms, plain libcurl %.3f ms per request (%d rounds, %d failures): ratio %.2f "
                "(target at most 1.1)\n",
                Ms(ours) / rounds, Ms(plain) / rounds, rounds, failures, Ms(ours) / Ms(plain));
    return 0;
}
