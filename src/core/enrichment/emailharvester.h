#pragma once

#include "core/async/stoptoken.h"
#include "core/contacts/sociallinks.h"

#include <QString>
#include <QStringList>
#include <qcoro/qcorotask.h>

struct AppSettings;
class Fetcher;

// Collects the e-mail addresses a company's web site publishes: those on its home page and on
// up to three of the contact pages the home page links to, and the site's social profiles on the
// same pages. The addresses of the plain pattern scan come first, in the order found; those the
// pages hide (protected, in mailto: links, with a bracketed "at") follow, in page order, unless
// listed already. The lists hold the state of the call in progress and keep it until the next
// call, so one harvester runs one harvest at a time.
class EmailHarvester {
public:
    EmailHarvester(const AppSettings &settings, Fetcher &fetcher);

    // The distinct addresses found, joined by ";"; empty when the home page cannot be fetched
    // or a stop was requested.
    QCoro::Task<QString> GetEmailsFromWebsite(QString AWebsiteURL, StopToken stop);

    // Fills the contact page list from the home page's links, resolved as a browser resolves
    // them: against the address the home page was reached at after redirects (the web site's
    // address when the fetcher does not tell it), or against the page's base element.
    void FindContactPages(const QString &ASource);
    // Appends the new addresses and social profiles of one page, read from pageUrl.
    void ExtractEmailsFromPage(const QString &ASource, const QString &pageUrl = {});
    // Fetches and harvests the first three contact pages; a skipped, unfetchable or failed entry
    // still uses up its place.
    QCoro::Task<> ExtractEmails(StopToken stop);

    // The last harvest could not fetch the home page (a stop aside).
    bool homePageFailed() const { return m_homePageFailed; }
    const QString &WebsiteURL() const { return m_websiteUrl; }
    const QStringList &EmailList() const { return m_emailList; }
    // The page each address of EmailList() was first found on, in the same order.
    const QStringList &emailSources() const { return m_emailSources; }
    // The social profiles found, as SocialLinks::CellText() gives them.
    QString socialLinks() const { return m_socialLinks.CellText(); }
    const QStringList &ContactPagesList() const { return m_contactPagesList; }
    const QStringList &lAnchors() const { return m_anchors; }
    const QStringList &lURLs() const { return m_urls; }

private:
    const AppSettings &m_settings;
    Fetcher &m_fetcher;
    QString m_websiteUrl;
    QString m_homePageUrl; // where the home page was read from; empty: m_websiteUrl
    bool m_homePageFailed = false;
    QStringList m_plainEmails;
    QStringList m_plainSources;
    QStringList m_hiddenEmails;
    QStringList m_hiddenSources;
    QStringList m_emailList; // m_plainEmails, then the hidden ones not among them
    QStringList m_emailSources;
    SocialLinks m_socialLinks;
    QStringList m_contactPagesList;
    QStringList m_anchors;
    QStringList m_urls;
};
