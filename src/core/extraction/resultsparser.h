#pragma once

#include "core/account/challenge.h"
#include "core/async/stoptoken.h"
#include "core/dns/mailexchangercheck.h"
#include "core/enrichment/emailharvester.h"
#include "core/enrichment/placeslookup.h"
#include "core/export/exportresult.h"
#include "core/extraction/runlibrary.h"
#include "core/extraction/runpieces.h"
#include "core/extraction/runstatusline.h"
#include "core/model/leadrow.h"

#include <QString>
#include <QStringList>
#include <qcoro/qcorotask.h>

class AccountGuard;
struct Endpoints;
struct CardsPage;
class Fetcher;
class ResultsList;
class SignedInPages;

// How the parse of a page ended. A row that automatic export could not write is kept in the
// results list instead, and the failure is reported here; the parse stops at that row.
struct ParseOutcome {
    ExportResult automaticExport;
    // What LinkedIn answered instead of a page; the entry in progress is dropped and the parse
    // ends there.
    Challenge challenge = Challenge::None;
};

// The Google Maps search for the row's full address and country.
QString MapLink(const LeadRow &row, const Endpoints &endpoints);

// Turns the markup of a company result page into rows: every entry whose company is not listed
// yet is completed from the company page, the Places lookup and the company's web site, then
// listed or exported automatically. Settings are read when they are used, and the event loop
// runs after every entry, so the user can change settings or stop during a page. stop is the
// run's: a stop drops the entry in progress and ends the page.
class ResultsPageParser {
public:
    ResultsPageParser(RunPieces pieces, Fetcher &fetcher, ResultsList &results);

    QCoro::Task<ParseOutcome> GetCompanyDataResults1(QString ASource, StopToken stop);
    QCoro::Task<ParseOutcome> GetCompanyDataResults2(QString ASource, StopToken stop);
    // A result page in today's layout, read as cards; keyword is the search's. Each LinkedIn page
    // read passes the account guard, and the company page falls back to the public page and then
    // to the member's signed-in about page.
    QCoro::Task<ParseOutcome> GetCompanyDataResults3(CardsPage page, QString keyword, StopToken stop);

    PlacesLookup &places() { return m_places; }
    // What the run files in the lead library and what the library leaves out.
    RunLibrary &library() { return m_library; }
    // A run begins: with the Places lookup on and no key at all, the user learns once that the
    // lookups are skipped and where the keys go; each reason the service gives is said once.
    void RunStarted();
    // Where new rows and failed fetches are told; none by default.
    void setStatusLine(RunStatusLine *line) { m_statusLine = line; }
    // What reads of today's layout use; none by default (no budget, no signed-in pages).
    void setAccountGuard(AccountGuard *guard) { m_account = guard; }
    void setSignedInPages(SignedInPages *pages) { m_signedIn = pages; }

    // An entry's enrichment steps one at a time, for completing a listed row later; each fills
    // the row as a parse does and is true when its fetch went through (a stop aside).
    // The company page, read as the layout the link comes from reads it: a link in today's form
    // as a card's, with the account guard, any other as a result page entry's.
    QCoro::Task<bool> ReadCompanyPage(const QString &link, LeadRow &row, Challenge &challenge, StopToken stop);
    // Phone, details, region and category from the Places lookup; true too where none is made.
    QCoro::Task<bool> CompleteFromPlaces(const QString &name, LeadRow &row, StopToken stop);
    // The web site's addresses and the contact columns, when the row has a site and no address.
    QCoro::Task<bool> HarvestWebsite(LeadRow &row, StopToken stop);

private:
    struct LayoutRules;
    QCoro::Task<ParseOutcome> ParseEntries(QString source, QString keyword, const LayoutRules &rules, StopToken stop);
    enum class Next { Go, End };
    // After an entry's enrichment: the user may act, the entry is filed when it has a name, and
    // the counter is painted. End when the page's parse must end here.
    QCoro::Task<Next> FileEntry(LeadRow &row, const QString &name, const QString &link, const QString &keyword,
                                ParseOutcome &outcome, StopToken stop);
    // Today's company page: the old reading, the public page, then the signed-in about page.
    QCoro::Task<bool> ReadTodaysCompany(const QString &link, LeadRow &row, ParseOutcome &outcome, StopToken stop);
    QCoro::Task<bool> ReadSignedInAbout(const QString &link, LeadRow &row, ParseOutcome &outcome, StopToken stop);
    // Completes and files one named entry; false when the entry was dropped by a stop.
    QCoro::Task<bool> FinishEntry(LeadRow &row, const QString &name, const QString &link, const QString &keyword,
                                  ParseOutcome &outcome, StopToken stop);
    void Count(bool failed, RunStatusLine::Failure failure, const StopToken &stop, const QString &reason);
    // The known-link test: a company listed already, or one the library leaves out.
    bool IsKnownLink(const QString &link) const;
    // Automatic export of a filed row; false when the row is to be listed instead.
    bool SaveAutomatically(const LeadRow &row, ParseOutcome &outcome);
    void TellRefusal(const PlacesOutcome &outcome);

    RunPieces m_pieces;
    Fetcher &m_fetcher;
    ResultsList &m_results;
    PlacesLookup m_places;
    EmailHarvester m_harvester;
    MailExchangerCheck m_mailServers; // answers cached for the run
    RunLibrary m_library;
    RunStatusLine *m_statusLine = nullptr;
    AccountGuard *m_account = nullptr;
    SignedInPages *m_signedIn = nullptr;
    QStringList m_toldRefusals; // in this run
};
