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
           HtmlEscaped(ResultPages::Path(2, keyword, 1)) + u"\">Company search (new layout)</a></li>\n<li><a href=\"" +
           HtmlEscaped(ResultPages::Path(3, keyword, 1)) + u"\">Company search (today's layout)</a></li>\n</ul>\n";
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

const QString signInForm = QStringLiteral(
    "<form action=\"/uas/login-submit\" method=\"post\"><input name=\"session_key\" type=\"email\" "
    "aria-label=\"Email or phone\"> <input name=\"session_password\" type=\"password\" aria-label=\"Password\"> "
    "<button type=\"submit\">Sign in</button></form>\n");

QString AuthWall() {
    return Page(QStringLiteral("Sign Up | LinkedIn (sample)"),
                u"<main><h1>Sign in to see more</h1>\n" + signInForm +
                    u"<p>New to LinkedIn? <a href=\"/signup\">Join now</a></p></main>\n");
}

QString SignIn() {
    return Page(QStringLiteral("LinkedIn Login, Sign in | LinkedIn (sample)"),
                u"<main><h1>Sign in</h1>\n<p>Stay updated on your professional world.</p>\n" + signInForm +
                    u"</main>\n");
}

QString SecurityCheck() {
    return Page(QStringLiteral("Security Verification | LinkedIn (sample)"),
                QStringLiteral("<main><h1>Let's do a quick security check</h1>\n<p>We noticed some unusual activity. "
                               "Verify that you are the owner of this account to continue.</p>\n"
                               "<button type=\"button\">Start puzzle</button></main>\n"));
}

QString TooManyRequests() {
    return Page(QStringLiteral("LinkedIn (sample)"),
                QStringLiteral("<h1>Too many requests</h1>\n<p>Please try again later.</p>\n"));
}

} // namespace PortalPages
