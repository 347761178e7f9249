#include "core/extraction/resultsparser.h"

#include "core/account/accountguard.h"
#include "core/app/dialogs.h"
#include "core/app/endpoints.h"
#include "core/browser/signedinpages.h"
#include "core/enrichment/aboutoverview.h"
#include "core/enrichment/companydetails.h"
#include "core/enrichment/contactcolumns.h"
#include "core/enrichment/publiccompanypage.h"
#include "core/enrichment/signinwall.h"
#include "core/export/automaticsave.h"
#include "core/export/exportline.h"
#include "core/extraction/companylink.h"
#include "core/extraction/pagekeyword.h"
#include "core/extraction/resultcards.h"
#include "core/extraction/resultslist.h"
#include "core/extraction/runstatusline.h"
#include "core/host/hostservices.h"
#include "core/model/runstate.h"
#include "core/net/fetcher.h"
#include "core/settings/appsettings.h"
#include "core/settings/uitexts.h"
#include "core/util/textcursor.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr QStringView linkMarker = u"href=\"";

// The cells a company page fills; a page that fills none was not read.
bool HasCompanyDetails(const LeadRow &row) {
    constexpr LeadRow::Column columns[] = {
        LeadRow::FullAddress, LeadRow::Address, LeadRow::City,    LeadRow::State,
        LeadRow::PostalCode,  LeadRow::Country, LeadRow::Website, LeadRow::Specialties,
        LeadRow::Industry,    LeadRow::Type,    LeadRow::Founded, LeadRow::CompanySize,
    };
    return std::any_of(std::begin(columns), std::end(columns),
                       [&row](LeadRow::Column column) { return !row[column].isEmpty(); });
}

} // namespace

// What tells the two layouts' entries apart; everything else is shared.
struct ResultsPageParser::LayoutRules {
    QStringView entryMarker;
    // The first layout looks for entries ignoring letter case, the second with exact case.
    bool entryMarkerFolded;
    QString (*companyLink)(const QString &path, const Endpoints &endpoints);
};

ResultsPageParser::ResultsPageParser(RunPieces pieces, Fetcher &fetcher, ResultsList &results)
    : m_pieces(pieces), m_fetcher(fetcher), m_results(results), m_places(pieces.endpoints, fetcher),
      m_harvester(pieces.settings, fetcher), m_mailServers(pieces.endpoints.dnsServer),
      m_library(pieces.library, pieces.settings) {}

QCoro::Task<ParseOutcome> ResultsPageParser::GetCompanyDataResults1(QString ASource, StopToken stop) {
    static constexpr LayoutRules rules{u"<h3><a", true, &CompanyLink1};
    return ParseEntries(ASource, PageKeyword1(ASource), rules, std::move(stop));
}

QCoro::Task<ParseOutcome> ResultsPageParser::GetCompanyDataResults2(QString ASource, StopToken stop) {
    static constexpr LayoutRules rules{u"<H2>", false, &CompanyLink2};
    return ParseEntries(ASource, PageKeyword2(ASource), rules, std::move(stop));
}

QCoro::Task<ParseOutcome> ResultsPageParser::ParseEntries(QString source, QString keyword, const LayoutRules &rules,
                                                          StopToken stop) {
    ParseOutcome outcome;
    TextCursor buffer(source);
    const auto hasEntry = [&] {
        return rules.entryMarkerFolded ? buffer.indexOfFolded(rules.entryMarker) >= 0
                                       : buffer.contains(rules.entryMarker);
    };
    while (hasEntry() && !stop.requested()) {
        m_library.EntryStarted();
        LeadRow row;
        QString link;
        QString name;
        CutBetween(rules.entryMarker, linkMarker, 0, buffer); // onto the entry's link attribute
        if (buffer.contains(linkMarker)) {
            link = rules.companyLink(CutBetween(linkMarker, u"&amp;", 0, buffer), m_pieces.endpoints);
            // A company listed already costs no fetch and adds nothing.
            if (!IsKnownLink(link)) {
                name = HtmlToText(CutBetween(u">", u"</A>", 0, buffer));
                const bool detailed = co_await ExtractCompanyDetails(m_fetcher, link, row, stop);
                Count(!detailed, RunStatusLine::Failure::CompanyPage, stop, m_fetcher.lastFailure());
                co_await CompleteFromPlaces(name, row, stop);
            }
        }
        const Next next = co_await FileEntry(row, name, link, keyword, outcome, stop);
        if (next == Next::End) {
            break;
        }
    }
    co_return outcome;
}

QCoro::Task<ParseOutcome> ResultsPageParser::GetCompanyDataResults3(CardsPage page, QString keyword, StopToken stop) {
    ParseOutcome outcome;
    for (const ResultCard &card : std::as_const(page.cards)) {
        if (stop.requested()) {
            break;
        }
        m_library.EntryStarted();
        LeadRow row;
        QString name;
        if (!IsKnownLink(card.link)) {
            name = card.name;
            const bool detailed = co_await ReadTodaysCompany(card.link, row, outcome, stop);
            if (outcome.challenge != Challenge::None) {
                break; // the entry in progress is dropped; the rows before it stay
            }
            Count(!detailed, RunStatusLine::Failure::CompanyPage, stop, m_fetcher.lastFailure());
            if (row[LeadRow::Industry].isEmpty()) {
                row[LeadRow::Industry] = SubtitleIndustry(card.subtitle);
            }
            co_await CompleteFromPlaces(name, row, stop);
        }
        const Next next = co_await FileEntry(row, name, card.link, keyword, outcome, stop);
        if (next == Next::End) {
            break;
        }
    }
    co_return outcome;
}

QCoro::Task<bool> ResultsPageParser::CompleteFromPlaces(const QString &name, LeadRow &row, StopToken stop) {
    if (name.isEmpty() || row[LeadRow::Country].isEmpty() || !m_pieces.settings.cCompleteFromGoogle) {
        co_return true;
    }
    const QString location = row[LeadRow::City] + u',' + row[LeadRow::PostalCode] + u", " + row[LeadRow::Country];
    const PlacesOutcome looked =
        co_await m_places.ParsePair(name, location, row[LeadRow::Country], row[LeadRow::Phone],
                                    row[LeadRow::GoogleMapsDetails], row[LeadRow::State], row[LeadRow::Category], stop);
    const QString reason = looked.kind == PlacesOutcome::Kind::Refused ? looked.reason : m_fetcher.lastFailure();
    Count(looked.failed(), RunStatusLine::Failure::Places, stop, reason);
    TellRefusal(looked);
    co_return !looked.failed();
}

QCoro::Task<ResultsPageParser::Next> ResultsPageParser::FileEntry(LeadRow &row, const QString &name,
                                                                  const QString &link, const QString &keyword,
                                                                  ParseOutcome &outcome, StopToken stop) {
    if (stop.requested()) {
        co_return Next::End; // the entry in progress is dropped
    }
    // The user may act (change a setting, stop) between completing an entry and filing it.
    co_await PumpDelay(0, stop);
    if (!TrimControls(name).isEmpty()) {
        const bool filed = co_await FinishEntry(row, name, link, keyword, outcome, stop);
        if (!filed) {
            co_return Next::End;
        }
    }
    m_results.refreshItemsListed();
    if (!outcome.automaticExport) {
        co_return Next::End;
    }
    // The counter is painted and the user may act before the next entry.
    co_await PumpDelay(0, stop);
    co_return Next::Go;
}

QCoro::Task<bool> ResultsPageParser::ReadTodaysCompany(const QString &link, LeadRow &row, ParseOutcome &outcome,
                                                       StopToken stop) {
    const bool allowed = co_await TakeLinkedInRead(m_account, stop);
    if (!allowed) {
        co_return false;
    }
    const FetchResult reply = co_await m_fetcher.DownloadLinkedInPage(link, stop);
    outcome.challenge = ChallengeOfReply(reply);
    if (outcome.challenge != Challenge::None) {
        co_return false;
    }
    if (IsSignInWall(reply.effectiveUrl, reply.httpStatus)) {
        co_return co_await ReadSignedInAbout(link, row, outcome, stop);
    }
    if (!reply.ok()) {
        co_return false;
    }
    ReadCompanyDetails(reply.text, row);
    if (HasCompanyDetails(row)) {
        co_return true;
    }
    co_return ReadPublicCompanyPage(reply.text, row);
}

// The member's own session reads the page the sign-in wall keeps from a plain fetch.
QCoro::Task<bool> ResultsPageParser::ReadSignedInAbout(const QString &link, LeadRow &row, ParseOutcome &outcome,
                                                       StopToken stop) {
    if (m_signedIn == nullptr) {
        co_return false;
    }
    const bool allowed = co_await TakeLinkedInRead(m_account, stop);
    if (!allowed) {
        co_return false;
    }
    const SignedInPage about = co_await m_signedIn->readAboutPage(link + u"about/", stop);
    outcome.challenge = ChallengeOfAddress(about.finalUrl);
    if (outcome.challenge != Challenge::None || !about.ok()) {
        co_return false;
    }
    co_return ReadAboutOverview(about.overview, row);
}

QCoro::Task<bool> ResultsPageParser::FinishEntry(LeadRow &row, const QString &name, const QString &link,
                                                 const QString &keyword, ParseOutcome &outcome, StopToken stop) {
    const bool harvested = co_await HarvestWebsite(row, stop);
    // A stop cuts the harvest short; the row would look complete without its addresses.
    if (stop.requested()) {
        co_return false;
    }
    Count(!harvested, RunStatusLine::Failure::Website, stop, m_fetcher.lastFailure());
    if (!row[LeadRow::FullAddress].isEmpty()) {
        row[LeadRow::MapLink] = MapLink(row, m_pieces.endpoints);
    }
    row[LeadRow::LinkedInLink] = link;
    if (row[LeadRow::Category].isEmpty()) {
        row[LeadRow::Category] = keyword;
    }
    row[LeadRow::BusinessName] = name;
    m_library.Filed(row);

    if (SaveAutomatically(row, outcome)) {
        co_return true;
    }
    m_results.appendRow(std::move(row));
    if (m_statusLine != nullptr) {
        m_statusLine->RowAdded();
    }
    co_return true;
}

bool ResultsPageParser::SaveAutomatically(const LeadRow &row, ParseOutcome &outcome) {
    if (!ExportsAutomatically(m_pieces.settings, m_pieces.run)) {
        return false;
    }
    // Kept in the library, which has seen it exported: its file has it already.
    if (m_library.ExportedBefore(row)) {
        return true;
    }
    const QString category = AutomaticExportCategory(m_pieces.run);
    const QString line = ExportLine(row, m_pieces.settings.eDelimiter);
    outcome.automaticExport = AutomaticSave(m_pieces.automaticExport(), m_results.columnCaptions(),
                                            m_pieces.settings.eExportFolder, category, line);
    if (!outcome.automaticExport) {
        return false; // kept in the list, so the row is not lost and can still be exported by hand
    }
    m_library.Exported(row[LeadRow::LinkedInLink], AutomaticExportFilePath(m_pieces.settings, m_pieces.run,
                                                                           m_pieces.settings.eExportFolder, category));
    if (m_statusLine != nullptr) {
        m_statusLine->RowAdded();
    }
    return true;
}

bool ResultsPageParser::IsKnownLink(const QString &link) const {
    return m_results.isKnownLink(link) || m_library.LeavesOut(link);
}

// A fetch that a stop cut short is no failure of the site's.
void ResultsPageParser::Count(bool failed, RunStatusLine::Failure failure, const StopToken &stop,
                              const QString &reason) {
    if (!failed || stop.requested()) {
        return;
    }
    m_library.FetchFailed(failure, reason);
    if (m_statusLine != nullptr) {
        m_statusLine->FetchFailed(failure, reason);
    }
}

void ResultsPageParser::RunStarted() {
    m_toldRefusals.clear();
    // A domain's mail server may have come or gone since the last run.
    m_mailServers.clear();
    if (m_pieces.settings.cCompleteFromGoogle && !m_places.hasKeys()) {
        m_pieces.dialogs.showNotice(Dialogs::Icon::Information, m_pieces.texts.text(QStringLiteral("main150")));
    }
}

void ResultsPageParser::TellRefusal(const PlacesOutcome &outcome) {
    if (outcome.kind == PlacesOutcome::Kind::Refused && !m_toldRefusals.contains(outcome.reason)) {
        m_toldRefusals.append(outcome.reason);
        m_pieces.dialogs.showNotice(Dialogs::Icon::Warning,
                                    m_pieces.texts.format(QStringLiteral("main151"), outcome.reason));
    }
}
