#include "core/enrichment/emailharvester.h"

#include "core/enrichment/contactlinks.h"
#include "core/enrichment/emailaddresses.h"
#include "core/net/fetcher.h"
#include "core/settings/appsettings.h"

namespace {

constexpr int maxContactPages = 3;

QStringList ContactKeywords() {
    return {
        QStringLiteral("contact"),    QStringLiteral("contatto"),
        QStringLiteral("contatti"),   QStringLiteral("support"),
        QStringLiteral("call"),       QStringLiteral("email"),
        QStringLiteral("directions"), QStringLiteral("customer service"),
        QStringLiteral("help"),       QStringLiteral("client services"),
        QStringLiteral("support"),    QStringLiteral("help"),
        QStringLiteral("affiliates"), QStringLiteral("resellers"),
        QStringLiteral("survey"),     QStringLiteral("about"),
    };
}

} // namespace

EmailHarvester::EmailHarvester(const AppSettings &settings, Fetcher &fetcher)
    : m_settings(settings), m_fetcher(fetcher), m_anchors(ContactKeywords()), m_urls(m_anchors) {}

QCoro::Task<QString> EmailHarvester::GetEmailsFromWebsite(QString AWebsiteURL, StopToken stop) {
    m_websiteUrl = AWebsiteURL;
    m_homePageUrl.clear();
    m_emailList.clear();
    m_contactPagesList.clear();
    m_homePageFailed = false;
    if (stop.requested()) {
        co_return QString();
    }
    const FetchResult homePage = co_await m_fetcher.DirectDownloadURL(m_websiteUrl, false, stop);
    m_homePageFailed = !homePage.ok() && !stop.requested();
    if (!homePage.ok() || stop.requested()) {
        co_return QString();
    }
    m_homePageUrl = homePage.effectiveUrl;
    FindContactPages(homePage.text);
    // The setting is read again here: the user may have changed it while the page came.
    if (m_settings.cExtractEmails) {
        ExtractEmailsFromPage(homePage.text);
        co_await ExtractEmails(stop);
    }
    if (stop.requested()) {
        co_return QString();
    }
    co_return m_emailList.join(u';');
}

void EmailHarvester::FindContactPages(const QString &ASource) {
    m_contactPagesList = FindContactLinks(ASource, m_anchors, m_urls);
    // Like a browser: against the address the page was finally read from, or its base element.
    const QString base = DocumentBaseUrl(m_homePageUrl.isEmpty() ? m_websiteUrl : m_homePageUrl, ASource);
    for (QString &entry : m_contactPagesList) {
        entry = ResolveContactLink(base, entry);
    }
}

void EmailHarvester::ExtractEmailsFromPage(const QString &ASource) {
    AppendEmailAddresses(ASource, m_emailList);
}

QCoro::Task<> EmailHarvester::ExtractEmails(StopToken stop) {
    for (qsizetype i = 0; i < maxContactPages && i < m_contactPagesList.size(); ++i) {
        const QString address = m_contactPagesList.at(i);
        if (address.isEmpty()) {
            continue;
        }
        if (stop.requested()) {
            co_return;
        }
        if (!IsFetchableLink(address)) {
            continue;
        }
        const FetchResult page = co_await m_fetcher.DownloadURL(address, false, stop);
        if (page.ok()) {
            ExtractEmailsFromPage(page.text);
        }
    }
}
