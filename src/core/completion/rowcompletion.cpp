#include "core/completion/rowcompletion.h"

#include "core/app/endpoints.h"
#include "core/extraction/resultsparser.h"
#include "core/net/fetcher.h"

// The rules of a completion:
// - Cells the row holds are kept; a part fetched again fills the empty ones.
// - The Places lookup writes its four cells as in a run: until a lookup fills it, the category
//   is the search's keyword, a stand-in.
// - A company page read now brings the country and the web site a run's later steps start
//   from, so the lookup and the harvest follow as in a run.
// - A part that cannot be tried again (a lookup without a country) keeps its mark; one the
//   settings leave out is no failure, as in a run.
// - A stop or a challenge drops the row: it stays as it was, marks and all.

namespace {

void FillEmptyCells(LeadRow &row, const LeadRow &fetched) {
    for (int column = 0; column < LeadRow::ColumnCount; ++column) {
        if (row[column].isEmpty()) {
            row[column] = fetched[column];
        }
    }
}

void StillFails(bool &part, FetchFailures &remaining, const Fetcher &fetcher) {
    part = true;
    if (!fetcher.lastFailure().isEmpty()) {
        remaining.reason = fetcher.lastFailure();
    }
}

} // namespace

QCoro::Task<RowCompletion> CompleteRow(RowSteps steps, LeadRow row, FetchFailures failed, StopToken stop) {
    RowCompletion done{row, {}, false, Challenge::None};
    const auto drop = [&] {
        done.row = row;
        done.dropped = true;
        return done;
    };
    bool pageRead = false;
    if (failed.companyPage) {
        LeadRow page;
        const bool read = co_await steps.parser.ReadCompanyPage(row[LeadRow::LinkedInLink], page, done.challenge, stop);
        if (stop.requested() || done.challenge != Challenge::None) {
            co_return drop();
        }
        pageRead = read;
        if (read) {
            FillEmptyCells(done.row, page);
        } else {
            StillFails(done.remaining.companyPage, done.remaining, steps.fetcher);
        }
    }
    if (failed.places || pageRead) {
        const QString &name = done.row[LeadRow::BusinessName];
        const bool looked = co_await steps.parser.CompleteFromPlaces(name, done.row, stop);
        if (stop.requested()) {
            co_return drop();
        }
        const bool possible = !name.isEmpty() && !done.row[LeadRow::Country].isEmpty();
        if (!looked || (failed.places && !possible)) {
            StillFails(done.remaining.places, done.remaining, steps.fetcher);
        }
    }
    if (failed.website || pageRead) {
        LeadRow harvested = done.row;
        const bool fetched = co_await steps.parser.HarvestWebsite(harvested, stop);
        if (stop.requested()) {
            co_return drop();
        }
        FillEmptyCells(done.row, harvested);
        if (!fetched) {
            StillFails(done.remaining.website, done.remaining, steps.fetcher);
        }
    }
    if (done.row[LeadRow::MapLink].isEmpty() && !done.row[LeadRow::FullAddress].isEmpty()) {
        done.row[LeadRow::MapLink] = MapLink(done.row, steps.endpoints);
    }
    if (done.remaining.any() && done.remaining.reason.isEmpty()) {
        done.remaining.reason = failed.reason;
    }
    co_return done;
}
