#include "samplesite/portalpages.h"

#include "samplesite/markuptext.h"
#include "samplesite/resultpages.h"

namespace {

QString Page(const QString &title, const QString &body) {
    return u"<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + HtmlEscaped(title) +
           u"</title>\n</head>\n<body>\n" + body + u"</body>\n</html>\n";
}

QString SearchLinks(const QString &keyword) {
    return u"<ul>\n<li><a href=\"" + HtmlEscaped(ResultPages::Path(1, keyword, 1)) +
           u"\">Company search (classic layout)</a></li>\n<li><a href=\"" +
           HtmlEscaped(ResultPages::Path(2, keyword, 1)) + u"\">Company search (new layout)</a></li>\n</ul>\n";
}

} // namespace

namespace PortalPages {

QString Home(const QString &keyword) {
    return Page(QStringLiteral("LinkedIn (sample)"),
                u"<h1>LinkedIn (sample)</h1>\n<p>Every page here is served from this machine.</p>\n" +
                    SearchLinks(keyword) + u"<p><a href=\"/feed/nhome/\">Member home</a></p>\n");
}

QString MemberHome(const QString &keyword) {
    return Page(QStringLiteral("Home | LinkedIn (sample)"),
                u"<h1>Welcome back</h1>\n<p>Your feed is empty.</p>\n" + SearchLinks(keyword));
}

QString Map(const QString &query) {
    return Page(u"Map of " + query, u"<h1>Map</h1>\n<p class=\"query\">" + HtmlEscaped(query) + u"</p>\n");
}

} // namespace PortalPages
