// The result-page readers on a page, with every company-page fetch failing:
// - both layouts' parsers list each company once: no two rows share a LinkedIn link, also not
//   ignoring case, and every listed row has a name;
// - the keyword shown in the search field holds no double quote, no blank at either end and no
//   placeholder;
// - a company link ends with the path it was made from.
// Hangs are caught by libFuzzer's -timeout: a page must parse in time linear in its size.
#include "core/app/appcontext.h"
#include "core/extraction/companylink.h"
#include "core/extraction/pagekeyword.h"
#include "core/extraction/pagelayout.h"
#include "core/extraction/resultslist.h"
#include "core/extraction/resultsparser.h"
#include "core/util/textcursor.h"
#include "fuzzcheck.h"
#include "fuzztext.h"
#include "inputfetcher.h"
#include "support/testcontext.h"

#include <QCoreApplication>
#include <QSet>

namespace {

bool IsTrimmed(const QString &text) {
    return text.isEmpty() || (text.front().unicode() > 32 && text.back().unicode() > 32);
}

void CheckKeyword(const QString &keyword) {
    FuzzCheck(!keyword.contains(u'"') && IsTrimmed(keyword), "a keyword holds no quote and no blank at either end",
              [&]() -> QString { return Shown(keyword); });
    FuzzCheck(!keyword.contains(u"Search") && !keyword.contains(u"Ricerca"), "a placeholder is no keyword",
              [&]() -> QString { return Shown(keyword); });
}

void CheckRows(const ResultsList &results) {
    QSet<QString> links;
    for (int i = 0; i < results.rowCount(); ++i) {
        const LeadRow &row = results.row(i);
        const QString &link = row[LeadRow::LinkedInLink];
        FuzzCheck(!links.contains(link.toCaseFolded()), "every listed row's LinkedIn link is unique",
                  [&]() -> QString { return Shown(link); });
        links.insert(link.toCaseFolded());
        FuzzCheck(!TrimControls(row[LeadRow::BusinessName]).isEmpty(), "every listed row has a name");
    }
}

void CheckLinks(const QString &path, const Endpoints &endpoints) {
    for (const QString &link : {CompanyLink1(path, endpoints), CompanyLink2(path, endpoints)}) {
        FuzzCheck(link.endsWith(path), "a company link ends with its path",
                  [&]() -> QString { return Shown(link) + QStringLiteral(" from ") + Shown(path); });
    }
}

} // namespace

// The readers yield to the event loop between entries, and its timers need an application.
extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QString page = PageText(data, size);
    TestContext test;
    InputFetcher fetcher(std::nullopt);
    ResultsList results(ListPiecesOf(test.context));
    ResultsPageParser parser(RunPiecesOf(test.context), fetcher, results);
    // Both layouts on one list: a company the first listed is known to the second.
    QCoro::waitFor(parser.GetCompanyDataResults1(page, {}));
    QCoro::waitFor(parser.GetCompanyDataResults2(page, {}));
    CheckRows(results);
    FuzzCheck(fetcher.requests() >= results.rowCount(), "every listed company's page was asked for");

    CheckKeyword(PageKeyword1(page));
    CheckKeyword(PageKeyword2(page));
    const PageLayout layout = DetectLayout(page);
    FuzzCheck(layout == PageLayout::None || page.contains(u"nav-footer", Qt::CaseInsensitive),
              "a result page has a footer");
    HasNextPageMarker(page, layout);
    CheckLinks(page.left(256), test.context.endpoints);
    return 0;
}
