#include "samplesite/siterouter.h"

#include "samplesite/accountlimits.h"
#include "samplesite/companypage.h"
#include "samplesite/companysite.h"
#include "samplesite/markuptext.h"
#include "samplesite/memberaboutpage.h"
#include "samplesite/portalpages.h"
#include "samplesite/publiccompanypage.h"
#include "samplesite/publisherfiles.h"
#include "samplesite/samplecatalog.h"
#include "samplesite/samplesiteoptions.h"

#include <QRegularExpression>

#include <algorithm>
#include <optional>

namespace {

QString Parameter(const httplib::Request &request, const char *name) {
    return DecodedQueryValue(request.get_param_value(name));
}

// The part of path behind prefix, or nothing when path does not start with it.
std::optional<QString> Behind(const QString &path, QStringView prefix) {
    if (!path.startsWith(prefix)) {
        return std::nullopt;
    }
    return path.mid(prefix.size());
}

// The member's session: the cookie today's result pages set in the browser that shows them.
bool HasSession(const httplib::Request &request) {
    const QStringList cookies = QString::fromStdString(request.get_header_value("Cookie")).split(u';');
    return std::any_of(cookies.cbegin(), cookies.cend(),
                       [](const QString &cookie) { return cookie.trimmed() == u"li_at=sample-session"; });
}

// The second layout and today's search share their path; today's addresses carry "page" or
// "origin", the second layout's "page_num".
bool IsTodaySearch(const httplib::Request &request) {
    return !request.has_param("page_num") && (request.has_param("page") || request.has_param("origin"));
}

} // namespace

SiteRouter::SiteRouter(const SampleCatalog &catalog, const SampleSiteOptions &options, const StartVariation &variation,
                       const AccountLimits &limits)
    : m_catalog(catalog), m_keyword(options.keyword), m_startAtSearch(options.startAtSearch), m_variation(variation),
      m_limits(limits), m_resultPages(catalog), m_todayPages(catalog, variation),
      m_places(catalog, {PlacesKeyA(), PlacesKeyB()}) {}

QString SiteRouter::PlacesKeyA() {
    return QStringLiteral("sample-key-a");
}

QString SiteRouter::PlacesKeyB() {
    return QStringLiteral("sample-key-b");
}

SiteReply SiteRouter::Route(const httplib::Request &request, const QString &base) const {
    const QString path = QString::fromStdString(request.path);
    if (path == u"/") {
        return Home(request, base);
    }
    if (path == u"/feed/nhome/" || path == u"/feed/nhome") {
        return SiteReply::Html(PortalPages::MemberHome(m_keyword));
    }
    if (path == u"/vsearch/c") {
        return Search(1, request);
    }
    if (path == u"/search/results/companies/" || path == u"/search/results/companies") {
        return IsTodaySearch(request) ? TodaySearch(request, base) : Search(2, request);
    }
    if (const std::optional<QString> rest = Behind(path, u"/company/")) {
        return Company(*rest, request, base);
    }
    if (path == u"/authwall") {
        return SiteReply::Html(PortalPages::AuthWall());
    }
    if (path == u"/login" || path == u"/uas/login") {
        return SiteReply::Html(PortalPages::SignIn());
    }
    if (path.startsWith(u"/checkpoint/")) {
        return SiteReply::Html(PortalPages::SecurityCheck());
    }
    if (path.startsWith(u"/maps/api/")) {
        return Places(path, request);
    }
    if (path == u"/maps" || path == u"/maps/") {
        return SiteReply::Html(PortalPages::Map(Parameter(request, "q")));
    }
    if (const std::optional<QString> rest = Behind(path, u"/sites/")) {
        return Website(*rest);
    }
    return Publisher(path, request);
}

SiteReply SiteRouter::Home(const httplib::Request &, const QString &base) const {
    if (m_startAtSearch) {
        return SiteReply::Redirect(base + ResultPages::Path(1, m_keyword, 1));
    }
    return SiteReply::Html(PortalPages::Home(m_keyword));
}

SiteReply SiteRouter::Search(int layout, const httplib::Request &request) const {
    const QString keyword = request.has_param("keywords") ? Parameter(request, "keywords") : m_keyword;
    int page = 1;
    if (request.has_param("page_num")) {
        bool isNumber = false;
        page = Parameter(request, "page_num").toInt(&isNumber);
        if (!isNumber) {
            return SiteReply::NotFound();
        }
    }
    const QString html = m_resultPages.Page(layout, keyword, page);
    return html.isEmpty() ? SiteReply::NotFound() : SiteReply::Html(html);
}

SiteReply SiteRouter::TodaySearch(const httplib::Request &request, const QString &base) const {
    const QString keyword = request.has_param("keywords") ? Parameter(request, "keywords") : m_keyword;
    // A page that is missing or no number is the first, as LinkedIn shows it.
    const int page = std::max(1, Parameter(request, "page").toInt());
    SiteReply reply = SiteReply::Html(m_limits.CommercialUseLimit() ? m_todayPages.CommercialUseLimit(keyword)
                                                                    : m_todayPages.Page(keyword, page, base));
    reply.headers.emplace_back("Set-Cookie", "li_at=sample-session; Path=/");
    return reply;
}

// "SLUG" and "SLUG/": the company page; "SLUG/about" and "SLUG/about/": the signed-in about
// page. Today's companies have the public page, some behind the sign-in wall; the session
// cookie opens both walls.
SiteReply SiteRouter::Company(const QString &rest, const httplib::Request &request, const QString &base) const {
    const QStringList parts = rest.split(u'/');
    const QString tab = parts.value(1);
    const bool wellFormed = parts.size() <= 2 || (parts.size() == 3 && tab == u"about" && parts.at(2).isEmpty());
    const SampleCompany *company = m_catalog.bySlug(parts.first());
    if (!company || !wellFormed || (!tab.isEmpty() && tab != u"about")) {
        return SiteReply::NotFound();
    }
    const QString page = base + u"/company/" + company->slug + u'/';
    const bool member = HasSession(request);
    if (tab == u"about") {
        return member ? SiteReply::Html(MemberAboutPage(*company, base, m_variation))
                      : SiteReply::Redirect(base + u"/login?session_redirect=" + QueryEncoded(page + u"about/"));
    }
    if (company->layout != 3) {
        return SiteReply::Html(CompanyPage(*company, base));
    }
    if (company->signInWall) {
        return member ? SiteReply::Html(MemberAboutPage(*company, base, m_variation))
                      : SiteReply::Redirect(base + u"/authwall?trk=bf&sessionRedirect=" + QueryEncoded(page));
    }
    return SiteReply::Html(PublicCompanyPage(*company, base));
}

SiteReply SiteRouter::Places(const QString &path, const httplib::Request &request) const {
    if (path == u"/maps/api/geocode/json") {
        return SiteReply::Json(m_places.Geocode(Parameter(request, "address")));
    }
    const QString key = Parameter(request, "key");
    if (path == u"/maps/api/place/nearbysearch/json") {
        return SiteReply::Json(
            m_places.NearbySearch(Parameter(request, "location"), Parameter(request, "keyword"), key));
    }
    if (path == u"/maps/api/place/details/json") {
        return SiteReply::Json(m_places.Details(Parameter(request, "placeid"), key));
    }
    return SiteReply::NotFound();
}

SiteReply SiteRouter::Website(const QString &rest) const {
    // A site address joined to a page name may carry a doubled "/".
    static const QRegularExpression slashes(QStringLiteral("/{2,}"));
    const QString cleaned = QString(rest).replace(slashes, QStringLiteral("/"));
    const QString slug = cleaned.section(u'/', 0, 0);
    const QString page = cleaned.section(u'/', 1);
    const SampleCompany *company = m_catalog.bySlug(slug);
    if (!company || company->website.isEmpty()) {
        return SiteReply::NotFound();
    }
    if (!cleaned.contains(u'/')) {
        // Relative links on the home page need the folder form of its address.
        return SiteReply::Redirect(company->website);
    }
    if (page.isEmpty() || page == u"index.html") {
        return SiteReply::Html(CompanySite::HomePage(*company));
    }
    if (page == u"contact.html") {
        return SiteReply::Html(CompanySite::ContactPage(*company));
    }
    return SiteReply::NotFound();
}

SiteReply SiteRouter::Publisher(const QString &path, const httplib::Request &request) const {
    if (path == u"/updates/tarnwick/mainappupdate.inf") {
        return SiteReply::Text(PublisherFiles::UpdateInformation());
    }
    if (path == u"/promotions/news/K3816.dat") {
        return SiteReply::Text(PublisherFiles::News());
    }
    if (path == u"/promotions/news/K3816.php") {
        return SiteReply::Html(PublisherFiles::Offers(Parameter(request, "lang")));
    }
    if (path == u"/tutorial.php") {
        return SiteReply::Html(PublisherFiles::Tutorial());
    }
    if (path == u"/affiliates") {
        return SiteReply::Html(PublisherFiles::Affiliates());
    }
    if (path == u"/protect-your-ip") {
        return SiteReply::Html(PublisherFiles::ProxyAdvice());
    }
    return SiteReply::NotFound();
}
