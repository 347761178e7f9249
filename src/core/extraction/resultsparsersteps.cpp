#include "core/app/endpoints.h"
#include "core/enrichment/companydetails.h"
#include "core/enrichment/contactcolumns.h"
#include "core/extraction/resultcards.h"
#include "core/extraction/resultsparser.h"
#include "core/settings/appsettings.h"

QString MapLink(const LeadRow &row, const Endpoints &endpoints) {
    const QString query = QString(row[LeadRow::FullAddress] + u',' + row[LeadRow::Country]).replace(u' ', u'+');
    return endpoints.googleMapsHttp + u"/maps?q=" + query;
}

QCoro::Task<bool> ResultsPageParser::ReadCompanyPage(const QString &link, LeadRow &row, Challenge &challenge,
                                                     StopToken stop) {
    // Today's cards give their links in the one canonical form; older result pages keep the
    // entry's own address with its tracking parameters.
    if (CanonicalCompanyLink(link, m_pieces.endpoints.linkedInHttps) != link) {
        co_return co_await ExtractCompanyDetails(m_fetcher, link, row, stop);
    }
    ParseOutcome outcome;
    const bool read = co_await ReadTodaysCompany(link, row, outcome, stop);
    challenge = outcome.challenge;
    co_return read;
}

QCoro::Task<bool> ResultsPageParser::HarvestWebsite(LeadRow &row, StopToken stop) {
    if (!row[LeadRow::Email].isEmpty() || row[LeadRow::Website].isEmpty() || !m_pieces.settings.cExtractEmails) {
        co_return true;
    }
    row[LeadRow::Email] = co_await m_harvester.GetEmailsFromWebsite(row[LeadRow::Website], stop);
    if (stop.requested()) {
        co_return false;
    }
    const bool fetched = !m_harvester.homePageFailed();
    co_await FillContactColumns(row, m_harvester, m_pieces.settings.cCheckMailServers ? &m_mailServers : nullptr, stop);
    co_return fetched;
}
