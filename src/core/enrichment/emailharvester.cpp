#include "core/enrichment/emailharvester.h"

#include "core/contacts/hiddenaddresses.h"
#include "core/enrichment/contactlinks.h"
#include "core/enrichment/emailaddresses.h"
#include "core/net/fetcher.h"
#include "core/settings/appsettings.h"

#include <QSet>

namespace {

constexpr int maxContactPages = 3;

QString PageSource(const FetchResult &page, const QString &requested) {
    return page.effectiveUrl.isEmpty() ? requested : page.effectiveUrl;
}

QSet<QString> CaseFolded(const QStringList &list) {
    QSet<QString> folded;
    folded.reserve(list.size());
    for (const QString &entry : list) {
        folded.insert(entry.toCaseFolded());
    }
    return folded;
}

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
    m_plainEmails.clear();
    m_plainSources.clear();
    m_hiddenEmails.clear();
    m_hiddenSources.clear();
    m_emailList.clear();
    m_emailSources.clear();
    m_socialLinks.Clear();
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
        ExtractEmailsFromPage(homePage.text, PageSource(homePage, m_websiteUrl));
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

void EmailHarvester::ExtractEmailsFromPage(const QString &ASource, const QString &pageUrl) {
    AppendEmailAddresses(ASource, m_plainEmails);
    while (m_plainSources.size() < m_plainEmails.size()) {
        m_plainSources.append(pageUrl);
    }
    QSet<QString> hidden = CaseFolded(m_hiddenEmails);
    for (const QString &address : FindHiddenAddresses(ASource)) {
        if (!hidden.contains(address.toCaseFolded())) {
            hidden.insert(address.toCaseFolded());
            m_hiddenEmails.append(address);
            m_hiddenSources.append(pageUrl);
        }
    }
    m_socialLinks.AddFromPage(ASource);

    // A later page's plain address outranks an earlier page's hidden one, so the merge is redone.
    m_emailList = m_plainEmails;
    m_emailSources = m_plainSources;
    const QSet<QString> plain = CaseFolded(m_plainEmails);
    for (qsizetype i = 0; i < m_hiddenEmails.size(); ++i) {
        if (!plain.contains(m_hiddenEmails[i].toCaseFolded())) {
            m_emailList.append(m_hiddenEmails[i]);
            m_emailSources.append(m_hiddenSources[i]);
        }
    }
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
            ExtractEmailsFromPage(page.text, PageSource(page, address));
        }
    }
}
