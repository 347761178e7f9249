// Reading a 2 MB result page of today's layout in the real pane: the card reader's script, the
// JSON it answers, and the entry loop the cards are handed to (every company already listed, so
// no fetch is made). Target: under 50 ms a page.
#include "core/extraction/resultcards.h"
#include "core/extraction/resultslist.h"
#include "core/extraction/resultsparser.h"
#include "core/extraction/scriptedfetcher.h"
#include "gui/browser/browserprofile.h"
#include "gui/browser/webenginepane.h"
#include "support/loopbackserver.h"
#include "support/offscreenengine.h"
#include "support/testcontext.h"

#include <QApplication>
#include <QTest>
#include <qcoro/qcorotask.h>

#include <benchmark/benchmark.h>

#include <string>

namespace {

// Ten result cards among 2 MB of what a real page carries besides: side panels, a feed of
// updates, footers, each with links of its own.
std::string LargeResultPage() {
    std::string html = "<!DOCTYPE html><html><head><meta charset=utf-8><title>Search</title></head><body>"
                       "<header><nav><ul>";
    for (int i = 0; i < 200; ++i) {
        html += "<li><a href=\"/feed/?n=" + std::to_string(i) + "\">Item " + std::to_string(i) + "</a></li>";
    }
    html += "</ul></nav></header><main><div class=\"x1\"><ul role=\"list\">";
    for (int i = 0; i < 10; ++i) {
        const std::string slug = "company-" + std::to_string(i);
        html += "<li><div><a href=\"/company/" + slug + "/\"><img alt=\"\"></a><a href=\"/company/" + slug +
                "/?trk=x\">Company " + std::to_string(i) +
                "</a></div><div>Software \xe2\x80\xa2 Munich, Germany</div>"
                "<div>1,234 followers</div></li>";
    }
    html += "</ul><button aria-label=\"Next\">Next</button></div><section><h2>People also viewed</h2><ul>";
    for (int i = 0; i < 4; ++i) {
        html += "<li><a href=\"/company/other-" + std::to_string(i) + "/\">Other</a></li>";
    }
    html += "</ul></section>";
    while (html.size() < 2'000'000) {
        html += "<div class=\"filler\"><p>An update with <b>some</b> text and <a href=\"/in/someone-" +
                std::to_string(html.size()) + "/\">a link</a> to a member.</p><span>\xc2\xb7</span></div>";
    }
    return html + "</main><footer><ul><li><a href=\"/company/linkedin/\">LinkedIn</a></li></ul></footer></body></html>";
}

void BM_ReadCardsOfA2MbPage(benchmark::State &state) {
    LoopbackServer server;
    const std::string page = LargeResultPage();
    server.server().Get("/search/results/companies/", [&page](const httplib::Request &, httplib::Response &response) {
        response.set_content(page, "text/html; charset=utf-8");
    });
    BrowserProfile profile({}, {});
    WebEnginePane pane(profile);
    if (!server.start()) {
        state.SkipWithError("no loopback server");
        return;
    }
    bool loaded = false;
    QObject::connect(&pane, &BrowserPane::navigateComplete2, [&loaded] { loaded = true; });
    pane.navigate(server.url(QStringLiteral("/search/results/companies/?keywords=a")));
    if (!QTest::qWaitFor([&loaded] { return loaded; }, 30000)) {
        state.SkipWithError("the page did not load");
        return;
    }

    TestContext test;
    test.context.endpoints.linkedInHttps = server.base();
    ResultsList results(ListPiecesOf(test.context));
    ScriptedFetcher fetcher;
    ResultsPageParser parser(RunPiecesOf(test.context), fetcher, results);
    for (int i = 0; i < 10; ++i) {
        LeadRow row;
        row[LeadRow::LinkedInLink] = server.base() + QStringLiteral("/company/company-%1/").arg(i);
        results.appendRow(row);
    }
    for (auto _ : state) {
        const PaneResult<QByteArray> read = QCoro::waitFor(pane.readResultCards());
        const std::optional<CardsPage> cards = ParseCardsPage(read.value, server.base());
        if (!cards || cards->cards.size() != 10) {
            state.SkipWithError("the cards were not read");
            return;
        }
        QCoro::waitFor(parser.GetCompanyDataResults3(*cards, QStringLiteral("a"), StopToken::Create()));
    }
    if (!fetcher.calls.isEmpty()) {
        state.SkipWithError("a known company was fetched");
    }
}
BENCHMARK(BM_ReadCardsOfA2MbPage)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char **argv) {
    PrepareOffscreenEngine();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
