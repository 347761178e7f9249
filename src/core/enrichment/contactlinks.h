#pragma once

#include <QString>
#include <QStringList>

// Link handling of the e-mail harvest.

// The contact-page links of a page: the target of every href attribute written with single or
// double quotes (the attribute name in any letter case) whose target or link text contains one
// of the keywords, compared in ASCII lower case. In page order, no two equal regardless of
// letter case; the targets are returned as the page writes them, but with "&amp;" read as "&".
QStringList FindContactLinks(const QString &page, const QStringList &anchorKeywords, const QStringList &urlKeywords);

// The address a browser would open for link on the page at websiteUrl: an absolute link is kept
// as written, a relative one is resolved against websiteUrl (taken as http when it names no
// scheme). Empty for an empty link.
QString ResolveContactLink(const QString &websiteUrl, const QString &link);

// The address the relative links of a page resolve against: its first <base href>, resolved
// against pageUrl, or pageUrl itself when the page has none (or one that is no http or https
// address).
QString DocumentBaseUrl(const QString &pageUrl, const QString &page);

// True for http and https addresses; links such as mailto:, tel: or javascript: are not fetched.
bool IsFetchableLink(const QString &address);
