// Times the text work of the enrichment steps on large pages served from memory: the company
// page details on a 2 MB page and the address harvest of one 5 MB page, with and without
// addresses hidden from the plain scan and social links. Prints the median and
// the worst of several runs in thread processor time, so a busy machine does not distort them.
#include "core/enrichment/companydetails.h"
#include "core/enrichment/emailaddresses.h"
#include "core/enrichment/emailharvester.h"
#include "core/model/leadrow.h"
#include "core/net/fetcher.h"
#include "support/testcontext.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <time.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

class MemoryFetcher : public Fetcher {
public:
    explicit MemoryFetcher(QString page) : m_page(std::move(page)) {}
    QCoro::Task<FetchResult> DownloadURL(QString, bool, StopToken) override { co_return Page(); }
    QCoro::Task<FetchResult> DirectDownloadURL(QString, bool, StopToken) override { co_return Page(); }

private:
    FetchResult Page() const {
        FetchResult result;
        result.text = m_page;
        return result;
    }

    QString m_page;
};

const QString companyMembers =
    uR"({"specialties":["Widgets","Gadgets"],"website":"https:\/\/acme.example","industry":"Machinery",)"
    uR"("type":"Privately Held","headquarters":{"street1":"10 Main St","city":"Springfield","state":"IL",)"
    uR"("zip":"62701","country":"US"},"size":"51-200","yearFounded":1998,"x":1})"_s;

// Markup and embedded JSON of about targetChars characters, with the company's members at the
// very end (every member search crosses the whole page) or at the very start (the cuts work on
// the whole page).
QString MakeCompanyPage(qsizetype targetChars, bool membersFirst) {
    QString page = u"<!DOCTYPE html><html><body>"_s;
    if (membersFirst) {
        page += companyMembers;
    }
    page.reserve(targetChars + 1024);
    for (int i = 0; page.size() < targetChars; ++i) {
        page += u"<div class=\"feed-item\" data-urn=\"urn:li:activity:"_s + QString::number(i) +
                u"\"><span>Lorem ipsum dolor sit amet, consectetur adipiscing elit</span>"
                u"<code>{\"entityUrn\":\"urn:li:fs_update:"_s +
                QString::number(i) + u"\",\"numLikes\":12,\"commentary\":\"Nice work\"}</code></div>\n"_s;
    }
    if (!membersFirst) {
        page += companyMembers;
    }
    return page + u"</body></html>"_s;
}

// Page text of about targetChars characters with addresses, repeated addresses in other case,
// image names carrying "@" and long runs of address characters without one; with hidden, every
// tenth block also holds a protected, a mailto: and a bracketed address, a share button and a
// profile link (about 6,000 hidden forms in all).
QString MakeSitePage(qsizetype targetChars, bool hidden) {
    QString page = u"<html><body>"_s;
    page.reserve(targetChars + 1024);
    const QString blob(4000, u'A');
    for (int i = 0; page.size() < targetChars; ++i) {
        page += u"<p class=\"staff\">Contact office"_s + QString::number(i % 400) +
                u"@acme-example.co.uk or SALES@ACME.EXAMPLE.</p><img src=\"/img/team"_s + QString::number(i) +
                u"@2x.png\"><p>Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiusmod</p>"_s;
        if (hidden && i % 10 == 0) {
            page += u"<a href=\"mailto:desk"_s + QString::number(i % 300) +
                    u"%40acme.com?subject=Hi\">Mail</a> <span data-cfemail=\"5a33343c351a3b39373f74393537\">"
                    u"</span> team (at) acme [dot] com <a href=\"https://twitter.com/intent/tweet?url=x\">"
                    u"Share</a><a href=\"https://www.linkedin.com/company/acme\">in</a>"_s;
        }
        if (i % 50 == 0) {
            page += u"<img src=\"data:image/png;base64,"_s + blob + u"\">"_s;
        }
    }
    return page + u"</body></html>"_s;
}

template<typename Work>
void Report(const char *name, int runs, Work work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = ThreadCpuMs();
        work();
        times.push_back(ThreadCpuMs() - start);
    }
    std::sort(times.begin(), times.end());
    std::printf("%-52s median %8.2f ms   worst %8.2f ms   (%d runs)\n", name, times[times.size() / 2], times.back(),
                runs);
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    for (const bool membersFirst : {false, true}) {
        MemoryFetcher companyFetcher(MakeCompanyPage(2 * 1024 * 1024, membersFirst));
        LeadRow row;
        Report(membersFirst ? "ExtractCompanyDetails, 2 MB, members first (< 5 ms)"
                            : "ExtractCompanyDetails, 2 MB, members last (< 5 ms)",
               30, [&] {
                   row = LeadRow{};
                   QCoro::waitFor(
                       ExtractCompanyDetails(companyFetcher, u"https://www.linkedin.com/company/acme"_s, row, {}));
               });
        std::printf("  full address: %s\n", qPrintable(row[LeadRow::FullAddress]));
    }

    TestContext test;
    for (const bool hidden : {false, true}) {
        const QString sitePage = MakeSitePage(5 * 1024 * 1024, hidden);
        MemoryFetcher siteFetcher(sitePage);
        qsizetype found = 0;
        QString social;
        Report(hidden ? "ExtractEmailsFromPage, 5 MB, hidden forms (< 50 ms)"
                      : "ExtractEmailsFromPage, 5 MB, plain (< 50 ms)",
               15, [&] {
                   EmailHarvester harvester(test.context.settings, siteFetcher);
                   harvester.ExtractEmailsFromPage(sitePage);
                   found = harvester.EmailList().size();
                   social = harvester.socialLinks();
               });
        // The plain pattern scan alone, the part the harvest had before the other forms.
        Report("  of which the plain pattern scan", 15, [&] {
            QStringList plain;
            AppendEmailAddresses(sitePage, plain);
        });
        std::printf("  distinct addresses: %lld, social links: %s\n", static_cast<long long>(found),
                    qPrintable(social));
    }
    return 0;
}
