#include "samplesite/publiccompanypage.h"

#include "samplesite/jsonwriter.h"
#include "samplesite/markuptext.h"
#include "samplesite/samplecompany.h"

#include <QStringList>
#include <QUrl>

#include <utility>

// None of the JSON members the first two searches' company pages carry ("website", "industry",
// "headquarters", ...) occurs here, so a reader of those finds nothing.

namespace {

// Most web site links go through LinkedIn's redirector, with the address percent-encoded and
// its dots too, as LinkedIn writes them.
QString WebsiteLink(const SampleCompany &company, const QString &site) {
    const qlonglong id = company.linkedInId.toLongLong();
    QString href = site;
    if (id % 5 != 2) {
        const QString hash = QString::number(id * 7919 % 1679616, 36).rightJustified(4, u'0');
        href = u"https://www.linkedin.com/redir/redirect?url=" +
               QString::fromLatin1(QUrl::toPercentEncoding(site, {}, ".")) + u"&urlhash=" + hash +
               u"&trk=about_website";
    }
    return u"<a href=\"" + HtmlEscaped(href) + u"\" rel=\"noopener noreferrer\" target=\"_blank\">\n" +
           HtmlEscaped(site) + u"\n</a>";
}

// Element text with every letter beyond ASCII as a character reference.
QString ReferenceEscaped(const QString &text) {
    QString escaped;
    for (const QChar c : HtmlEscaped(text)) {
        escaped += c.unicode() < 128 ? QString(c) : u"&#" + QString::number(c.unicode()) + u';';
    }
    return escaped;
}

QString AboutEntry(const QString &field, const QString &label, const QString &value) {
    return u"<div data-test-id=\"about-us__" + field + u"\" class=\"mb-2 flex papabear:flex-col\">\n<dt class=\"" +
           u"font-sans text-md font-bold\">\n          " + label + u"\n        </dt>\n<dd class=\"font-sans " +
           u"text-md text-color-text-low-emphasis\">\n          " + value + u"\n        </dd>\n</div>\n";
}

QString AboutList(const SampleCompany &company, const QString &site) {
    QString headquarters = company.city;
    if (!company.state.isEmpty()) {
        headquarters += u", " + company.state;
    }
    const std::pair<const char *, std::pair<const char *, QString>> plain[] = {
        {"industry", {"Industry", company.industryOnlyInSearch ? QString() : company.industry}},
        {"size", {"Company size", company.size}},
        {"headquarters", {"Headquarters", headquarters}},
        {"organizationType", {"Type", company.type}},
        {"foundedOn", {"Founded", company.founded}},
        {"specialties", {"Specialties", company.specialties.join(u", ")}},
    };
    QString list = QStringLiteral("<dl class=\"mt-6\">\n");
    if (!site.isEmpty()) {
        list += AboutEntry(QStringLiteral("website"), QStringLiteral("Website"), WebsiteLink(company, site));
    }
    for (const auto &[field, entry] : plain) {
        if (!entry.second.isEmpty()) {
            list += AboutEntry(QLatin1String(field), QLatin1String(entry.first), ReferenceEscaped(entry.second));
        }
    }
    return list + u"</dl>\n";
}

// JSON text inside a script element: no "<" that could end it, and "&" escaped as LinkedIn does.
QString ScriptJson(const QString &value) {
    return JsonQuoted(value).replace(u'&', QStringLiteral("\\u0026"));
}

QString OrganizationBlock(const SampleCompany &company, const QString &page, const QString &site) {
    QStringList address{QStringLiteral("\"@type\":\"PostalAddress\"")};
    const std::pair<const char *, const QString *> parts[] = {
        {"streetAddress", &company.street}, {"addressLocality", &company.city},   {"addressRegion", &company.state},
        {"postalCode", &company.zip},       {"addressCountry", &company.country},
    };
    for (const auto &[name, value] : parts) {
        if (!value->isEmpty()) {
            address.append(u'"' + QLatin1String(name) + u"\":" + ScriptJson(*value));
        }
    }
    QString json = u"{\"@context\":\"http://schema.org\",\"@type\":\"Organization\",\"name\":" +
                   ScriptJson(company.name) + u",\"url\":" + ScriptJson(page) + u",\"address\":{" + address.join(u',') +
                   u"},\"description\":" + ScriptJson(company.name + u" on LinkedIn (sample)");
    if (!site.isEmpty()) {
        json += u",\"sameAs\":" + ScriptJson(site);
    }
    return u"<script type=\"application/ld+json\">" + json + u"}</script>\n";
}

} // namespace

QString PublicCompanyPage(const SampleCompany &company, const QString &siteBase) {
    const QString site = company.website.isEmpty() ? QString() : siteBase + company.website;
    const QString page = siteBase + u"/company/" + company.slug;
    const QString webPage = u"<script type=\"application/ld+json\">{\"@context\":\"http://schema.org\",\"@type\":"
                            u"\"WebPage\",\"url\":" +
                            ScriptJson(page) + u",\"name\":" + ScriptJson(company.name + u" | LinkedIn") +
                            u"}</script>\n";
    return u"<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
           HtmlEscaped(company.name) + u" | LinkedIn (sample)</title>\n" + webPage +
           u"</head>\n<body>\n<header><a href=\"/\">LinkedIn (sample)</a> <a href=\"/login\">Sign in</a></header>\n"
           u"<main>\n<section class=\"top-card-layout\"><h1 class=\"top-card-layout__title\">" +
           HtmlEscaped(company.name) + u"</h1>\n<h3 class=\"top-card-layout__first-subline\">" +
           HtmlEscaped(company.followers) +
           u"</h3></section>\n<section class=\"core-section-container\">\n"
           u"<h2 class=\"core-section-container__title\">About us</h2>\n" +
           AboutList(company, site) + u"</section>\n</main>\n" + OrganizationBlock(company, page, site) +
           u"</body>\n</html>\n";
}
