#include "samplesite/resultpages.h"

#include "samplesite/markuptext.h"
#include "samplesite/samplecatalog.h"

#include <QStringList>

using namespace Qt::StringLiterals;

// What the pages promise, once serialised the legacy way (upper-case element names, simple
// values of HTML 4 attributes unquoted, "&", ">" and U+00A0 in text as entities):
// - First layout: "results_count" and "nav-footer"; the search box
//   <INPUT id=main-search-box name=keywords type=text value=KW autocomplete="off">; one
//   "<h3><a href=\"/company/SLUG?trk=...&amp;..." per entry; the pagination holds, in this
//   order, an "Ads &gt;" link, a groups link, a "»" link without page_num and the real
//   "Next &gt;" link. The last page has no text "&gt;</a>" at all.
// - Second layout: "id=results-summary>" and "nav-footer", no "results_count"; the field
//   <INPUT name=keywords value=KW autocomplete="off">; one "<H2><A href=\"/company/SLUG/?...&amp;"
//   per entry; the next link's text is "Next&nbsp;»". The last page has no "&nbsp;»".
// - No other "<h3><a" or "<h2>" than the entries', and entry names HTML-escaped.

namespace {

QString Head(const QString &title) {
    return u"<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + HtmlEscaped(title) +
           u"</title>\n</head>\n<body>\n";
}

const QString pageEnd = QStringLiteral(
    "<div id=\"nav-footer\"><a href=\"/\">Home</a> <span class=\"copyright\">LinkedIn (sample)</span></div>\n"
    "</body>\n</html>\n");

// City and country as the entry's second line shows them.
QString Place(const SampleCompany &company) {
    QStringList parts{company.city};
    if (!company.country.isEmpty()) {
        parts.append(company.country);
    }
    return HtmlEscaped(company.industry + u" \u00b7 " + parts.join(u", "));
}

// A path with its query for an href attribute: "&" between parameters as "&amp;".
QString Href(const QString &path) {
    return HtmlEscaped(path);
}

} // namespace

QString ResultPages::Path(int layout, const QString &keyword, int page) {
    if (layout == 3) {
        // Today's search: "page" only from the second page on; "origin" on every page.
        const QString first =
            u"/search/results/companies/?keywords=" + QueryEncoded(keyword) + u"&origin=SWITCH_SEARCH_VERTICAL";
        return page > 1 ? first + u"&page=" + QString::number(page) : first;
    }
    const QString search = layout == 1 ? QStringLiteral("/vsearch/c") : QStringLiteral("/search/results/companies/");
    return search + u"?keywords=" + QueryEncoded(keyword) + u"&page_num=" + QString::number(page);
}

QString ResultPages::Page(int layout, const QString &keyword, int page) const {
    if (page < 1 || page > m_catalog.pageCount(layout)) {
        return {};
    }
    return layout == 1 ? FirstLayout(keyword, page) : SecondLayout(keyword, page);
}

QString ResultPages::FirstLayout(const QString &keyword, int page) const {
    QString html = Head(keyword + u" | Company search | LinkedIn (sample)");
    html += u"<div id=\"header\"><a href=\"/\">LinkedIn (sample)</a>\n"
            u"<form action=\"/vsearch/c\" method=\"get\"><input id=\"main-search-box\" name=\"keywords\" "
            u"type=\"text\" value=\"" +
            HtmlEscaped(keyword) + u"\" autocomplete=\"off\"> <button type=\"submit\">Go</button></form></div>\n";
    html += u"<div id=\"main\">\n<div class=\"results_count\">" + QString::number(m_catalog.resultCount(1)) +
            u" results</div>\n<ol class=\"search-results\">\n";
    for (const SampleCompany &company : m_catalog.page(1, page)) {
        html += u"<li class=\"mod result\"><h3><a href=\"/company/" + company.slug +
                u"?trk=vsrp_companies_res_name&amp;trkInfo=VSRPsearchId%3A1\">" + HtmlEscaped(company.name) +
                u"</a></h3><p class=\"description\">" + Place(company) + u"</p></li>\n";
    }
    html += u"</ol>\n<div class=\"pagination\">\n";
    const bool hasNext = page < m_catalog.pageCount(1);
    // Links the program must pass over come first; the last page keeps only the one whose text
    // does not end in "&gt;".
    if (hasNext) {
        html += u"<a href=\"/ads/start?page_num=1\">Ads &gt;</a>\n"
                u"<a href=\"/Groups/search?page_num=2\">Groups &gt;</a>\n";
    }
    html += u"<a href=\"" + Href(u"/vsearch/c?keywords=" + QueryEncoded(keyword) + u"&more=1") + u"\">\u00bb</a>\n";
    if (hasNext) {
        html += u"<a href=\"" + Href(Path(1, keyword, page + 1)) + u"\">Next &gt;</a>\n";
    }
    return html + u"</div>\n</div>\n" + pageEnd;
}

QString ResultPages::SecondLayout(const QString &keyword, int page) const {
    QString html = Head(keyword + u" | Search | LinkedIn (sample)");
    html += u"<header id=\"global-nav\"><a href=\"/\">LinkedIn (sample)</a>\n"
            u"<form action=\"/search/results/companies/\" method=\"get\"><input name=\"keywords\" value=\"" +
            HtmlEscaped(keyword) + u"\" autocomplete=\"off\"> <button type=\"submit\">Go</button></form></header>\n";
    html += u"<main>\n<div id=\"results-summary\">Showing " + QString::number(m_catalog.resultCount(2)) +
            u" results</div>\n<ul class=\"results-list\">\n";
    for (const SampleCompany &company : m_catalog.page(2, page)) {
        // A company of the first search shown again (sharedEntries) is linked as the first search
        // links it, so a reader meets the same company link in both.
        const QString tail =
            company.layout == 1 ? u"?trk=vsrp_companies_res_name&amp;trkInfo=shared"_s : u"/?trk=srp&amp;lipi=1"_s;
        const QString href = u"/company/" + company.slug + tail;
        html += u"<li class=\"search-result\"><div class=\"entity\"><h2><a href=\"" + href + u"\">" +
                HtmlEscaped(company.name) + u"</a></h2></div><p class=\"subline\">" + Place(company) + u"</p></li>\n";
    }
    html += u"</ul>\n<div class=\"pagination\">\n";
    if (page < m_catalog.pageCount(2)) {
        html += u"<a href=\"" + Href(Path(2, keyword, page + 1)) + u"\">Next&nbsp;\u00bb</a>\n";
    }
    return html + u"</div>\n</main>\n" + pageEnd;
}
