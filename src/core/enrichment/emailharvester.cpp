#include "core/enrichment/emailharvester.h"

#include "core/app/appcontext.h"
#include "core/enrichment/contactlinks.h"
#include "core/enrichment/emailaddresses.h"
#include "core/net/fetcher.h"

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

EmailHarvester::EmailHarvester(AppContext &context, Fetcher &fetcher)
    : m_context(context), m_fetcher(fetcher), m_anchors(ContactKeywords()), m_urls(m_anchors) {}

bool EmailHarvester::ShouldStop() const {
    return m_context.run.ShouldStop;
}

QString EmailHarvester::GetEmailsFromWebsite(const QString &AWebsiteURL) {
    m_websiteUrl = AWebsiteURL;
    m_homePageUrl.clear();
    m_emailList.clear();
    m_contactPagesList.clear();
    if (ShouldStop()) {
        return {};
    }
    QString homePage;
    if (!m_fetcher.DirectDownloadURL(m_websiteUrl, homePage, false) || ShouldStop()) {
        return {};
    }
    m_homePageUrl = m_fetcher.lastEffectiveUrl();
    FindContactPages(homePage);
    if (ShouldStop()) {
        return {};
    }
    if (m_context.settings.cExtractEmails) {
        ExtractEmailsFromPage(homePage);
        ExtractEmails();
    }
    if (ShouldStop()) {
        return {};
    }
    return m_emailList.join(u';');
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

void EmailHarvester::ExtractEmails() {
    // The bound is read on every pass: a fetch processes events, and the list is the harvester's.
    for (qsizetype i = 0; i < maxContactPages && i < m_contactPagesList.size(); ++i) {
        const QString address = m_contactPagesList.at(i);
        if (address.isEmpty()) {
            continue;
        }
        if (ShouldStop()) {
            return;
        }
        if (!IsFetchableLink(address)) {
            continue;
        }
        QString page;
        if (m_fetcher.DownloadURL(address, page, false)) {
            ExtractEmailsFromPage(page);
        }
    }
}
