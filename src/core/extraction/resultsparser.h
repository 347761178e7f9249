#pragma once

#include "core/enrichment/emailharvester.h"
#include "core/enrichment/placeslookup.h"
#include "core/export/exportresult.h"
#include "core/extraction/leadrow.h"

#include <QString>

struct AppContext;
class Fetcher;
class ResultsList;

// How the parse of a page ended. A row that automatic export could not write is kept in the
// results list instead, and the failure is reported here; the parse stops at that row.
struct ParseOutcome {
    ExportResult automaticExport;
};

// Turns the markup of a company result page into rows: every entry whose company is not listed
// yet is completed from the company page, the Places lookup and the company's web site, then
// listed or exported automatically. Settings are read when they are used, and events are
// processed after every entry, so the user can change settings or stop during a page.
class ResultsPageParser {
public:
    ResultsPageParser(AppContext &context, Fetcher &fetcher, ResultsList &results);

    ParseOutcome GetCompanyDataResults1(const QString &ASource);
    ParseOutcome GetCompanyDataResults2(const QString &ASource);

    PlacesLookup &places() { return m_places; }

private:
    struct LayoutRules;
    ParseOutcome ParseEntries(const QString &source, const QString &keyword, const LayoutRules &rules);
    // Completes and files one named entry; false when the entry was dropped by a stop.
    bool FinishEntry(LeadRow &row, const QString &name, const QString &link, const QString &keyword,
                     ParseOutcome &outcome);

    AppContext &m_context;
    Fetcher &m_fetcher;
    ResultsList &m_results;
    PlacesLookup m_places;
    EmailHarvester m_harvester;
};
