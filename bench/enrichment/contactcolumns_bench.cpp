// The contact columns of one row of five addresses at five domains, with the mail server check
// off, with its answers cached for the run, and asked anew of the sample site's name server on
// 127.0.0.1 each row. Cached, the check should cost no more than off: its only cost is the lookups.
#include "core/dns/mailexchangercheck.h"
#include "core/enrichment/contactcolumns.h"
#include "core/enrichment/emailharvester.h"
#include "core/net/fetcher.h"
#include "core/settings/appsettings.h"
#include "samplesite/samplenameserver.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

class NoFetcher : public Fetcher {
public:
    QCoro::Task<FetchResult> DownloadURL(QString, bool, StopToken) override { co_return FetchResult(); }
    QCoro::Task<FetchResult> DirectDownloadURL(QString, bool, StopToken) override { co_return FetchResult(); }
};

// A home page and a contact page as a company's site writes them: plain, protected and bracketed
// addresses, at domains the sample name server grades each way, and social links.
const QString homePage = u"<p>Write to info@acme-tools.example or sales@acme-tools.example.</p>"
                         u"<p>Founder: acme.tools (at) gmail (dot) com</p>"
                         u"<a href=\"https://www.linkedin.com/company/acme-tools\">LinkedIn</a>"
                         u"<a href=\"https://x.com/acmetools\">X</a>"_s;
const QString contactPage = u"<p><a href=\"mailto:anna.bianchi%40acme-tools.example.com?subject=Hi\">Anna</a></p>"
                            u"<p>hello{at}acme-tools.example.org</p>"
                            u"<p>orders [at] acme-tools [dot] example [dot] net</p>"_s;

enum Check { Off, Cached, Asked };

void BM_ContactColumnsPerRow(benchmark::State &state) {
    const auto mode = static_cast<Check>(state.range(0));
    AppSettings settings;
    NoFetcher fetcher;
    EmailHarvester harvest(settings, fetcher);
    harvest.ExtractEmailsFromPage(homePage, u"http://127.0.0.1/sites/acme/"_s);
    harvest.ExtractEmailsFromPage(contactPage, u"http://127.0.0.1/sites/acme/contact.html"_s);
    SampleNameServer names;
    if (!names.start()) {
        state.SkipWithError("the name server could not start");
        return;
    }
    MailExchangerCheck check(names.server());
    MailExchangerCheck *mailServers = mode == Off ? nullptr : &check;
    LeadRow row;
    if (mode == Cached) {
        QCoro::waitFor(FillContactColumns(row, harvest, mailServers, {}));
    }
    for (auto _ : state) {
        if (mode == Asked) {
            state.PauseTiming();
            check.clear();
            state.ResumeTiming();
        }
        QCoro::waitFor(FillContactColumns(row, harvest, mailServers, {}));
        benchmark::DoNotOptimize(row);
    }
    if (harvest.EmailList().size() != 6 || (mode != Off && row[LeadRow::EmailStatus].contains(u"not checked"))) {
        state.SkipWithError(qPrintable(u"unexpected grades: "_s + row[LeadRow::EmailStatus]));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ContactColumnsPerRow)->ArgName("check")->Arg(Off)->Arg(Cached)->Arg(Asked)->Unit(benchmark::kMicrosecond);

} // namespace
