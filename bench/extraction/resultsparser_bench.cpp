// Parses a 5 MB result page of 2,000 entries whose companies are all listed already, in both
// layouts: the walk over the page alone, since known companies cost no fetch. Prints the best of
// five runs in processor time.
#include "core/extraction/resultslist.h"
#include "core/extraction/resultsparser.h"
#include "core/net/fetcher.h"
#include "support/testcontext.h"

#include <QCoreApplication>

#include <cstdio>
#include <ctime>

using namespace Qt::StringLiterals;

namespace {

constexpr int EntryCount = 2000;
constexpr qsizetype PageChars = 5 * 1000 * 1000;

double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

class NoFetcher : public Fetcher {
public:
    QCoro::Task<FetchResult> DownloadURL(QString, bool, StopToken) override { co_return Refuse(); }
    QCoro::Task<FetchResult> DirectDownloadURL(QString, bool, StopToken) override { co_return Refuse(); }
    FetchResult Refuse() {
        ++calls;
        FetchResult result;
        result.error = FetchError::ConnectFailed;
        return result;
    }
    int calls = 0;
};

// An entry with about PageChars / EntryCount characters of the markup that surrounds it.
QString MakePage(int layout) {
    const QString filler = u"<SPAN class=\"subline-level-1\">Lorem ipsum dolor sit amet, consectetur</SPAN>"_s;
    QString page = layout == 1 ? u"<BODY><DIV id=results_count>2000 results</DIV><INPUT id=main-search-box "
                                 u"value=Widgets autocomplete=\"off\"><OL>"_s
                               : u"<BODY><DIV id=results-summary>2000</DIV><INPUT name=keywords value=Widgets><OL>"_s;
    page.reserve(PageChars + 10000);
    const QString heading = layout == 1 ? u"<H3><A href=\"/company/"_s : u"<H2><A href=\"/company/"_s;
    const QString headingEnd = layout == 1 ? u"</A></H3>"_s : u"</A></H2>"_s;
    for (int i = 0; i < EntryCount; ++i) {
        const qsizetype start = page.size();
        page += u"<LI class=\"mod result\">"_s + heading + QString::number(i) + u"?trk=vsrp&amp;x=1\">Company "_s +
                QString::number(i) + headingEnd;
        while (page.size() - start < PageChars / EntryCount - 10) {
            page += filler;
        }
        page += u"</LI>"_s;
    }
    return page + u"</OL><DIV id=nav-footer></DIV></BODY>"_s;
}

double ParseOnce(int layout, const QString &page, int &rows) {
    TestContext test;
    test.context.endpoints.linkedInHttps = u"https://www.linkedin.com"_s;
    test.context.endpoints.linkedInHttp = u"http://www.linkedin.com"_s;
    ResultsList results(ListPiecesOf(test.context));
    for (int i = 0; i < EntryCount; ++i) {
        LeadRow row;
        row[LeadRow::LinkedInLink] =
            (layout == 1 ? u"https://www.linkedin.com/company/"_s : u"http://www.linkedin.com/company/"_s) +
            QString::number(i) + u"?trk=vsrp"_s;
        results.appendRow(row);
    }
    NoFetcher fetcher;
    ResultsPageParser parser(RunPiecesOf(test.context), fetcher, results);
    const double start = ThreadCpuMs();
    if (layout == 1) {
        QCoro::waitFor(parser.GetCompanyDataResults1(page, {}));
    } else {
        QCoro::waitFor(parser.GetCompanyDataResults2(page, {}));
    }
    const double elapsed = ThreadCpuMs() - start;
    rows = results.rowCount() + fetcher.calls; // stays 2000 when every entry was known
    return elapsed;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    for (const int layout : {1, 2}) {
        const QString page = MakePage(layout);
        double best = 1e9;
        int rows = 0;
        for (int run = 0; run < 5; ++run) {
            best = std::min(best, ParseOnce(layout, page, rows));
        }
        std::printf("layout %d: %.1f MB page, %d known entries: %.1f ms (target under 50 ms)%s\n", layout,
                    static_cast<double>(page.size()) / 1e6, EntryCount, best,
                    rows == EntryCount ? "" : " -- entries were not all skipped");
    }
    return 0;
}
